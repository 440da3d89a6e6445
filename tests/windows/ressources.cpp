// What Windows reads of each Windows program as a file, before or without running it: the
// version its properties show, the manifest it starts with, and an icon image for each size
// Explorer and the task bar ask for. Each packaged quillon.exe (both architectures:
// QUILLON_PROGRAMMES names them) is loaded as data, as Explorer loads a program of either
// architecture.
#include <gtest/gtest.h>
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>
#include "app/quillonid.h"

namespace {

std::vector<std::string> programmes() {
    std::vector<std::string> liste;
    std::stringstream noms(getenv("QUILLON_PROGRAMMES") ? getenv("QUILLON_PROGRAMMES") : "");
    for (std::string nom; std::getline(noms, nom, '|');) liste.push_back(nom);
    return liste;
}

// The bytes of a resource of the module; empty when there is none.
std::string ressource(HMODULE m, LPCSTR nom, LPCSTR type) {
    HRSRC r = FindResourceA(m, nom, type);
    HGLOBAL g = r ? LoadResource(m, r) : nullptr;
    const char *octets = g ? (const char *)LockResource(g) : nullptr;
    return octets ? std::string(octets, SizeofResource(m, r)) : std::string();
}

// The width of the image `id` as the icon's directory (GRPICONDIR: 6 bytes, then entries of
// 14 bytes, the width first and the image's number last) gives it; 0 stands for 256.
int largeur(const std::string &groupe, int id) {
    for (size_t i = 6; i + 14 <= groupe.size(); i += 14)
        if (((BYTE)groupe[i + 12] | (BYTE)groupe[i + 13] << 8) == id)
            return groupe[i] ? (BYTE)groupe[i] : 256;
    return -1;
}

// A text of the version's strings, in the language and code page the version names first.
std::string valeur(const std::vector<char> &version, const char *nom) {
    struct Langue {
        WORD langue, page;
    } *langues = nullptr;
    UINT lg = 0;
    if (!VerQueryValueA(version.data(), "\\VarFileInfo\\Translation", (LPVOID *)&langues, &lg) ||
        lg < sizeof *langues)
        return "(no translation)";
    char chemin[128];
    snprintf(chemin, sizeof chemin, "\\StringFileInfo\\%04x%04x\\%s", langues->langue,
             langues->page, nom);
    char *texte = nullptr;
    if (!VerQueryValueA(version.data(), chemin, (LPVOID *)&texte, &lg)) return "(none)";
    return texte;
}

// The version, as the file's properties read it.
void verifie_version(const std::string &exe) {
    DWORD inutile = 0, taille = GetFileVersionInfoSizeA(exe.c_str(), &inutile);
    ASSERT_GT(taille, 0u) << "no version";
    std::vector<char> version(taille);
    ASSERT_TRUE(GetFileVersionInfoA(exe.c_str(), 0, taille, version.data()));
    VS_FIXEDFILEINFO *fixe = nullptr;
    UINT lg = 0;
    ASSERT_TRUE(VerQueryValueA(version.data(), "\\", (LPVOID *)&fixe, &lg));
    std::string numeros = std::to_string(HIWORD(fixe->dwFileVersionMS)) + "." +
                          std::to_string(LOWORD(fixe->dwFileVersionMS));
    EXPECT_EQ(numeros, QUILLON_VERSION);
    EXPECT_EQ(fixe->dwProductVersionMS, fixe->dwFileVersionMS);
    EXPECT_EQ(fixe->dwFileType, (DWORD)VFT_APP);
    EXPECT_EQ(valeur(version, "FileVersion"), QUILLON_VERSION);
    EXPECT_EQ(valeur(version, "ProductVersion"), QUILLON_VERSION);
    EXPECT_EQ(valeur(version, "ProductName"), "Quillon");
    EXPECT_EQ(valeur(version, "OriginalFilename"), "quillon.exe");
    EXPECT_EQ(valeur(version, "FileDescription"),
              "Quillon - Utility to produce/recover Quillon files");
    EXPECT_NE(valeur(version, "LegalCopyright").find("Free software"), std::string::npos);
}

// The manifest Windows starts the program with.
void verifie_manifeste(HMODULE m) {
    std::string manifeste = ressource(m, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    for (const char *attendu :
         {"name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
          "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true<",
          "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", // Windows 7
          "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", // Windows 10 and 11
          "level=\"asInvoker\""})
        EXPECT_NE(manifeste.find(attendu), std::string::npos) << attendu;
}

// For each size, Windows' own choice in the icon's directory is an image of that size,
// which it can make an icon of; the largest is a PNG stream.
void verifie_icone(HMODULE m) {
    std::string groupe =
        ressource(m, MAKEINTRESOURCEA(IDI_QUILLON), MAKEINTRESOURCEA(14)); // RT_GROUP_ICON
    ASSERT_GE(groupe.size(), 6u) << "no icon";
    for (int n : {16, 24, 32, 48, 256}) {
        SCOPED_TRACE(std::to_string(n) + " pixels");
        int id = LookupIconIdFromDirectoryEx((PBYTE)&groupe[0], TRUE, n, n, LR_DEFAULTCOLOR);
        EXPECT_EQ(largeur(groupe, id), n);
        std::string image = ressource(m, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(3)); // RT_ICON
        ASSERT_FALSE(image.empty());
        EXPECT_EQ(image.compare(0, 4, "\x89PNG") == 0, n == 256);
        HICON icone = CreateIconFromResourceEx((PBYTE)&image[0], (DWORD)image.size(), TRUE,
                                               0x00030000, 0, 0, LR_DEFAULTCOLOR);
        ICONINFO info = {};
        BITMAP bm = {};
        ASSERT_TRUE(icone && GetIconInfo(icone, &info));
        GetObjectA(info.hbmMask, sizeof bm, &bm);
        EXPECT_EQ(bm.bmWidth, n); // the image's own size
        DeleteObject(info.hbmMask);
        DeleteObject(info.hbmColor);
        DestroyIcon(icone);
    }
}

} // namespace

TEST(Windows, EachProgramCarriesItsVersionManifestAndIconSizes) {
    std::vector<std::string> liste = programmes();
    ASSERT_FALSE(liste.empty()) << "QUILLON_PROGRAMMES names no program";
    for (const std::string &exe : liste) {
        SCOPED_TRACE(exe);
        HMODULE m = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        if (m == nullptr) {
            ADD_FAILURE() << "cannot be read: error " << GetLastError();
            continue;
        }
        verifie_version(exe);
        verifie_manifeste(m);
        verifie_icone(m);
        FreeLibrary(m);
    }
}
