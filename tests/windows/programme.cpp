// The Windows program as a user receives it (build/windows), run under Wine in a virtual X
// server and driven from outside as a user would: list selections and button clicks sent to
// its real window. A header is added, examined and stripped, and the file is as before; the
// Help button opens the help document with the program the system has for ".htm" documents.
#include <gtest/gtest.h>
#include <windows.h>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include "app/quillonid.h"
#include "plattest_ui.h"
#include "systeme.h"
#include "tempfolder.h"

namespace {

const char TITRE_PRINCIPAL[] = "Quillon - Utility to produce/recover Quillon files";
const char TITRE_EXAMEN[] = "Content of the Quillon header";

// A folder named by the environment (set by the test run), in Windows' form.
std::string dossier_env(const char *variable) {
    const char *v = getenv(variable);
    std::string d = v ? v : "";
    for (char &c : d)
        if (c == '/') c = '\\';
    return d;
}

template <class F> bool attend(F condition, int ms = 20000) {
    for (int t = 0; t < ms; t += 50) {
        if (condition()) return true;
        Sleep(50);
    }
    return condition();
}

// A picture of a window as the screen shows it, in the folder QUILLON_IMAGES names (nothing
// when it names none).
void image(HWND h, const char *nom) {
    std::string dossier = dossier_env("QUILLON_IMAGES");
    if (dossier.empty()) return;
    Sleep(300); // the window paints itself after it shows
    plat_test_save_png(h, (dossier + "\\" + nom).c_str());
}

// quillon.exe started in a folder, and what a user does in its windows.
struct Programme {
    PROCESS_INFORMATION pi = {};
    HWND fenetre = nullptr;

    explicit Programme(const std::string &dossier) {
        std::string exe = dossier_env("QUILLON_PAQUET") + "\\quillon.exe";
        std::string ligne = "\"" + exe + "\"";
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        if (!CreateProcessA(exe.c_str(), &ligne[0], nullptr, nullptr, FALSE, 0, nullptr,
                            dossier.c_str(), &si, &pi))
            return;
        attend([this] { return (fenetre = du_programme(TITRE_PRINCIPAL)) != nullptr; });
    }
    ~Programme() {
        if (pi.hProcess == nullptr) return;
        if (WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi.hProcess, 99);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
    }

    // The program's visible top-level window of that caption.
    HWND du_programme(const char *titre) const {
        HWND h = FindWindowA(nullptr, titre);
        DWORD pid = 0;
        GetWindowThreadProcessId(h, &pid);
        return h != nullptr && pid == pi.dwProcessId && IsWindowVisible(h) ? h : nullptr;
    }

    void clique(HWND dialogue, int id) const {
        PostMessageA(GetDlgItem(dialogue, id), BM_CLICK, 0, 0);
    }

    int nb_selectionnes() const {
        DWORD_PTR n = 0;
        if (!SendMessageTimeoutA(GetDlgItem(fenetre, IDD_FICHIERS), LB_GETSELCOUNT, 0, 0,
                                 SMTO_ABORTIFHUNG, 200, &n))
            return -1; // busy
        return (int)n;
    }

    bool selectionne(const char *nom) const {
        HWND liste = GetDlgItem(fenetre, IDD_FICHIERS);
        LRESULT i = SendMessageA(liste, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)nom);
        return i >= 0 && SendMessageA(liste, LB_SETSEL, TRUE, i) != LB_ERR;
    }

    // Clicks a button of the main window on the selected file and waits until the program has
    // gone through the selection (it deselects each entry once done).
    bool traite(const char *nom, int bouton) const {
        if (!selectionne(nom)) return false;
        clique(fenetre, bouton);
        return attend([this] { return nb_selectionnes() == 0; });
    }

    std::string texte(HWND dialogue, int id) const {
        char t[256] = "";
        GetDlgItemTextA(dialogue, id, t, sizeof t);
        return t;
    }

    // Quit: the program ends with status 0.
    bool quitte() const {
        clique(fenetre, IDD_QUITTER);
        DWORD fin = 1;
        return WaitForSingleObject(pi.hProcess, 20000) == WAIT_OBJECT_0 &&
               GetExitCodeProcess(pi.hProcess, &fin) && fin == 0;
    }
};

// Bytes of every value, and a length that no block size divides; the first byte is not zero,
// so that the contents do not look like a header already.
std::string contenu(size_t n) {
    std::string s(n, '\0');
    for (size_t i = 0; i < n; i++) s[i] = (char)(i * 7 + i / 256 + 1);
    return s;
}

} // namespace

// The pictures' wait (plat/testhooks/win32/picture.cpp): the window is another process's, which
// paints it meanwhile.
void plat_test_wait(int ms) {
    Sleep((DWORD)ms);
}

TEST(Windows, AddExamineAndStripTheHeaderOfAFile) {
    ASSERT_TRUE(fuseau("UTC0"));
    TempFolder d;
    const char *nom = "Letter to Paul.doc";
    std::string original = contenu(23552 + 77);
    d.write(nom, original);
    for (const char *autre : {"Budget 2001.xls", "Logo.gif", "Read me.txt", "Summer.jpg"})
        d.write(autre, "x");
    d.mkdir("received");
    d.write("quillon.sig", d.read(dossier_env("QUILLON_PAQUET") + "\\quillon.sig"));
    // Written in 2039, after the end of a 32-bit time_t.
    ASSERT_TRUE(date_fichier(d.path() + "\\" + nom, utc(2039, 3, 14, 10, 22, 41)));

    Programme p(d.path());
    ASSERT_NE(p.fenetre, nullptr) << "no main window";
    ASSERT_TRUE(p.selectionne(nom));
    image(p.fenetre, "main-window.png");
    SendMessageA(GetDlgItem(p.fenetre, IDD_FICHIERS), LB_SETSEL, FALSE, -1);

    ASSERT_TRUE(p.traite(nom, IDD_AJOUTER));
    std::string avec = d.read(nom);
    ASSERT_EQ(avec.size(), original.size() + 128);
    EXPECT_EQ(avec.substr(128), original);

    // The header's name, type, creator and date, as the examination shows them.
    ASSERT_TRUE(p.selectionne(nom));
    p.clique(p.fenetre, IDD_EXAMINER);
    HWND examen = nullptr;
    ASSERT_TRUE(attend([&] { return (examen = p.du_programme(TITRE_EXAMEN)) != nullptr; }));
    EXPECT_EQ(p.texte(examen, IDA_NOM), nom);
    EXPECT_EQ(p.texte(examen, IDA_TYPE) + p.texte(examen, IDA_CREATEUR), "WDBNMSWD");
    EXPECT_EQ(p.texte(examen, IDA_DONNEES), std::to_string(original.size()));
    EXPECT_EQ(p.texte(examen, IDA_IDENTIFICATION), "Document Microsoft Word");
    EXPECT_EQ(p.texte(examen, IDA_CREATION), "14/03/39 06:22 "); // the reckoning is 4 h off
    image(examen, "examine-header.png");
    p.clique(examen, IDA_QUITTER);
    ASSERT_TRUE(attend([&] { return !IsWindow(examen); }));
    ASSERT_TRUE(attend([&] { return p.nb_selectionnes() == 0; }));

    ASSERT_TRUE(p.traite(nom, IDD_RETIRER));
    EXPECT_TRUE(d.read(nom) == original) << "the file differs from the original";
    EXPECT_TRUE(p.quitte());
}

// At 144 dots per inch the windows, laid out in dialog units that follow the font, are half as
// large again as at 96 (Windows stretches no window of a program whose manifest says it knows
// the display's scale; Wine stretches none at all). Each window is pictured at both scales, for
// a person to look at (no text cut or overlapping): the main window, the open dialog of
// signature files (shortened by pixels of the display), the examination, a message, the About
// box.
TEST(Windows, AtHalfAgainTheScaleTheWindowsAreHalfAgainAsLarge) {
    TempFolder d;
    const char *nom = "Letter to Paul.doc";
    d.write(nom, contenu(1000));
    d.write("mine.sig", "DOC,WDBNMSWD,Word\r\n");
    d.write("theirs.sig", "DOC,WDBNMSWD,Word\r\n");
    auto taille = [](HWND h) {
        RECT r;
        GetClientRect(h, &r);
        return std::vector<double>{(double)r.right, (double)r.bottom};
    };
    std::map<DWORD, std::vector<double>> principale, examen;
    for (DWORD ppp : {96, 144}) {
        HKEY k;
        ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "Control Panel\\Desktop", &k), ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExA(k, "LogPixels", 0, REG_DWORD, (const BYTE *)&ppp, sizeof ppp),
                  ERROR_SUCCESS);
        RegCloseKey(k);
        const std::string suffixe = "-" + std::to_string(ppp) + "dpi.png";
        Programme p(d.path());
        ASSERT_NE(p.fenetre, nullptr) << "no main window";
        principale[ppp] = taille(p.fenetre);
        image(p.fenetre, ("main-window" + suffixe).c_str());
        // The dialog that opens, pictured, and closed by its button.
        auto ferme = [&](const char *titre, int bouton, const char *nom_image) {
            HWND h = nullptr;
            EXPECT_TRUE(attend([&] { return (h = p.du_programme(titre)) != nullptr; })) << titre;
            if (h == nullptr) return std::vector<double>{0, 0};
            std::vector<double> t = taille(h);
            image(h, (nom_image + suffixe).c_str());
            p.clique(h, bouton);
            EXPECT_TRUE(attend([&] { return !IsWindow(h); }));
            return t;
        };
        ASSERT_TRUE(p.traite(nom, IDD_AJOUTER));
        ASSERT_TRUE(p.selectionne(nom));
        p.clique(p.fenetre, IDD_EXAMINER);
        ferme("Ouvrir un fichier de signatures", IDCANCEL, "open-signatures");
        examen[ppp] = ferme(TITRE_EXAMEN, IDA_QUITTER, "examine-header");
        ASSERT_TRUE(attend([&] { return p.nb_selectionnes() == 0; }));
        ASSERT_TRUE(p.traite(nom, IDD_RETIRER));
        ASSERT_TRUE(p.selectionne(nom));
        p.clique(p.fenetre, IDD_EXAMINER);
        ferme("Quillon - Information", IDOK, "message");
        ASSERT_TRUE(attend([&] { return p.nb_selectionnes() == 0; }));
        p.clique(p.fenetre, IDD_APROPOS);
        ferme("About Quillon", IDD_APROPOS_OK, "about");
        EXPECT_TRUE(p.quitte());
    }
    for (int i = 0; i < 2; i++) {
        EXPECT_NEAR(principale[144][i] / principale[96][i], 1.5, 0.15) << principale[96][i];
        EXPECT_NEAR(examen[144][i] / examen[96][i], 1.5, 0.15) << examen[96][i];
    }
}

// The Help button hands the document beside the program to the program registered for
// ".htm" documents, which finds it there.
TEST(Windows, HelpOpensTheDocumentBesideTheProgram) {
    TempFolder d;
    char moi[MAX_PATH];
    GetModuleFileNameA(nullptr, moi, sizeof moi);
    std::string navigateur = std::string(moi, strrchr(moi, '\\') + 1) + "ouvre_document.exe";
    std::string commande = "\"" + navigateur + "\" \"%1\"";
    // In the tests' own Wine prefix: ".htm" documents open with the stand-in.
    HKEY k;
    ASSERT_EQ(RegSetValueA(HKEY_CLASSES_ROOT, ".htm", REG_SZ, "QuillonTest.htm", 0), ERROR_SUCCESS);
    ASSERT_EQ(RegCreateKeyA(HKEY_CLASSES_ROOT, "QuillonTest.htm\\shell\\open\\command", &k),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(k, nullptr, 0, REG_SZ, (const BYTE *)commande.c_str(),
                             (DWORD)commande.size() + 1),
              ERROR_SUCCESS);
    RegCloseKey(k);
    std::string journal = d.path() + "\\ouvertures.txt";
    SetEnvironmentVariableA("QUILLON_OUVERTURES", journal.c_str());

    Programme p(d.path());
    ASSERT_NE(p.fenetre, nullptr) << "no main window";
    p.clique(p.fenetre, IDD_AIDE);
    ASSERT_TRUE(attend([&] {
        std::string j = d.read(journal);
        return std::count(j.begin(), j.end(), '\n') >= 2;
    })) << "the document was not handed to the viewer";
    std::string attendu = dossier_env("QUILLON_PAQUET") + "\\quillon.htm";
    EXPECT_EQ(d.read(journal), attendu + "\nlu\n");
    EXPECT_NE(d.read(attendu).find("<title>Quillon Help</title>"), std::string::npos);
    EXPECT_TRUE(p.quitte());
}
