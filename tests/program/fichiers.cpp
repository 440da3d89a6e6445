// The program as a user meets it: adding headers to selected files, examining one, stripping
// them again; every file ends byte for byte as it began.
#include <windows.h>
#include <gtest/gtest.h>
#include "moteur.h"
#include "programme.h"
#include "tempdrive.h"

namespace {

struct Original {
    std::string nom, octets;
};

// The file holds a header, then exactly the original bytes. (The header's fields byte for
// byte: tests/engine/binaire.cpp; those of b.doc as the examination shows them, below.)
void verifie_entete(const TempDrives &d, const Original &o) {
    std::string f = d.read(o.nom);
    ASSERT_EQ(f.size(), o.octets.size() + 128) << o.nom;
    EXPECT_EQ(f.substr(128), o.octets) << o.nom;
}

} // namespace

TEST(Programme, AddExamineStripSelectedFiles) {
    ASSERT_TRUE(fuseau("UTC0")) << "the tests need the system's zone in UTC";
    TempDrives d;
    const std::vector<Original> fichiers = {
        {"a.txt", "line one\r\nline two\r\n"},
        {"b.doc", octets(3000, 1)},
        {"c.jpg", octets(100000, 2)}, // more than one copy block: the progress bar runs
    };
    const Original intact = {"d.dat", octets(500, 3)};
    for (const Original &o : fichiers) d.write(o.nom, o.octets);
    d.write(intact.nom, intact.octets);
    d.peuple("", "f", 40); // the list scrolls
    d.write("types.sig", "# test signatures\r\nDOC,WDBNMSWD,Word document\r\n");
    const std::vector<std::string> trois = {"a.txt", "b.doc", "c.jpg"};

    lance_programme([&](HWND h) {
        // Add with a backup: each file converted in place, its original kept as .bak; the
        // entries lose their selection and the lists are not refilled.
        std::vector<std::string> liste_avant = entrees(h, IDD_FICHIERS);
        selectionne(h, trois);
        coche(h, IDD_SAUVEGARDE, true);
        coche(h, IDD_RECURSIF, true); // no effect with a selection
        plat_test_click(h, IDD_AJOUTER);
        for (const Original &o : fichiers) {
            verifie_entete(d, o);
            EXPECT_EQ(d.read(o.nom.substr(0, 1) + ".bak"), o.octets) << o.nom;
        }
        EXPECT_EQ(d.read(intact.nom), intact.octets);
        EXPECT_EQ(nb_selectionnes(h), 0);
        EXPECT_EQ(entrees(h, IDD_FICHIERS), liste_avant); // (Enter refills them: navigation.cpp)

        // Strip without a backup: the files come back as they were.
        coche(h, IDD_SAUVEGARDE, false);
        selectionne(h, trois);
        plat_test_click(h, IDD_RETIRER);
        for (const Original &o : fichiers) EXPECT_EQ(d.read(o.nom), o.octets) << o.nom;

        // Add without a backup; the old backups are left alone.
        ASSERT_TRUE(date_fichier(d.host("b.doc"), 990102896)); // 2001-05-17 12:34:56 UTC
        selectionne(h, trois);
        plat_test_click(h, IDD_AJOUTER);
        for (const Original &o : fichiers) {
            verifie_entete(d, o);
            EXPECT_EQ(d.read(o.nom.substr(0, 1) + ".bak"), o.octets) << o.nom;
        }

        // Examine one: the dialog shows what its header holds (its dates as shown:
        // tests/engine/examen.cpp). The header is dated by the file's minute, as stored.
        std::string entete = d.read("b.doc").substr(0, 128);
        EXPECT_EQ(lit_be32(entete, 91), 990102840u + 2082844800u - 4 * 3600);
        plat_test_push_dialog_handler([&](HWND hExamen, int template_id) {
            EXPECT_EQ(template_id, DLG_ATTRIBUTS);
            EXPECT_EQ(plat_test_text(hExamen, IDA_NOM), "b.doc");
            EXPECT_EQ(plat_test_text(hExamen, IDA_TYPE), "WDBN");
            EXPECT_EQ(plat_test_text(hExamen, IDA_CREATEUR), "MSWD");
            EXPECT_EQ(plat_test_text(hExamen, IDA_DONNEES), "3000");
            EXPECT_EQ(plat_test_text(hExamen, IDA_RESSOURCES), "0");
            EXPECT_EQ(plat_test_text(hExamen, IDA_IDENTIFICATION), "Word document");
            plat_test_click(hExamen, IDA_QUITTER);
        });
        selectionne(h, {"b.doc"});
        plat_test_click(h, IDD_EXAMINER);
        EXPECT_EQ(plat_test_pending_handlers(), 0);
        EXPECT_EQ(nb_selectionnes(h), 0);
        EXPECT_EQ(d.read("b.doc").substr(0, 128), entete);

        // Strip again: every file ends byte for byte as it began. (What else the folder holds
        // after each command: the engine's tests.)
        selectionne(h, trois);
        plat_test_click(h, IDD_RETIRER);
        plat_test_click(h, IDD_QUITTER);
    });
    for (const Original &o : fichiers) EXPECT_EQ(d.read(o.nom), o.octets) << o.nom;
    EXPECT_EQ(d.read(intact.nom), intact.octets);
}

// Two files selected in folders that scroll: the one the program starts in holds 20 files and
// 20 folders, the one below it 2,000 files. The first of the two already has a header, which a
// message over the window says; the other, reached by scrolling, gets one.
TEST(Programme, AddTwoFilesSelectedInFoldersOfTwentyAndOfThousands) {
    TempDrives d;
    d.peuple("", "g", 20);
    d.peuple("", "s", 20, true);
    d.peuple("milliers", "g", 2000);
    Messages messages;
    lance_programme([&](HWND h) {
        for (const std::string dossier : {"", "milliers"}) {
            if (!dossier.empty()) double_clic(h, IDD_REPERTOIRES, "[" + dossier + "]");
            const std::string rel = dossier.empty() ? "" : dossier + "/";
            const std::string dernier = dossier.empty() ? "g0020.dat" : "g2000.dat";
            const std::string avant = d.read(rel + dernier);
            d.write(rel + "g0002.dat", entete_quillon(1, 0) + "Q");
            messages.attend();
            selectionne(h, {"g0002.dat", dernier});
            plat_test_click(h, IDD_AJOUTER);
            EXPECT_EQ(d.read(rel + dernier).substr(128), avant);
            EXPECT_EQ(d.read(rel + "g0002.dat"), entete_quillon(1, 0) + "Q");
            EXPECT_EQ(nb_selectionnes(h), 0);
        }
        plat_test_click(h, IDD_QUITTER);
    });
    EXPECT_EQ(messages.textes, std::vector<std::string>(2, "Le fichier g0002.dat est d\xe9j\xe0 "
                                                           "de type Quillon"));
}

// A file that cannot be opened is named, with the reason; once the command is over, one
// closing message counts what became of the files and lists, to be scrolled and copied, each
// file left alone because of a problem (a file already as asked is only counted).
TEST(Programme, FilesLeftAloneAreNamedAndListedInTheClosingAccount) {
    TempDrives d;
    SansPrivileges utilisateur;
    d.write("a.txt", "A");
    d.write("b.txt", "B");
    d.write("b.bak", "an older backup");
    d.write("c.bin", entete_quillon(1, 0) + "C");
    d.write("gone.txt", "G");
    d.write("lu.txt", "L");
    d.write("pris.txt", "P");
    const std::string erreur = "Erreur \xe0 l'ouverture des fichiers : ";
    std::vector<std::string> problemes = {
        "Le fichier de sauvegarde b.bak existe d\xe9j\xe0 : le fichier b.txt n'a pas \xe9t\xe9 "
        "modifi\xe9",
        erreur + "gone.txt (introuvable)"};
    if (lecture_seule(d.host("lu.txt"))) problemes.push_back(erreur + "lu.txt (lecture seule)");
    HANDLE pris = INVALID_HANDLE_VALUE;
#ifdef _WIN32 // a file another program holds open without sharing (Linux shares every file)
    pris = CreateFileW(d.path("pris.txt").wstring().c_str(), GENERIC_READ, 0, nullptr,
                       OPEN_EXISTING, 0, nullptr);
    if (pris != INVALID_HANDLE_VALUE)
        problemes.push_back(erreur + "pris.txt (utilis\xe9 par un autre programme)");
#endif
    Messages messages;
    Bilan bilan;
    lance_programme([&](HWND h) {
        selectionne(h, {"a.txt", "b.txt", "c.bin", "gone.txt", "lu.txt", "pris.txt"});
        std::filesystem::remove(d.path("gone.txt"));
        coche(h, IDD_SAUVEGARDE);
        messages.attend((int)problemes.size() + 1);
        bilan.attend();
        plat_test_click(h, IDD_AJOUTER);
        EXPECT_EQ(plat_test_pending_handlers(), 0);
        plat_test_click(h, IDD_QUITTER);
    });
    if (pris != INVALID_HANDLE_VALUE) CloseHandle(pris);
    std::string attendue;
    for (const std::string &p : problemes) attendue += p + "\r\n";
    EXPECT_EQ(bilan.liste, attendue);
    EXPECT_EQ(bilan.resume, "Fichiers convertis : " + std::to_string(6 - problemes.size() - 1) +
                          "\r\nFichiers d\xe9j\xe0 de type Quillon : 1\r\nFichiers laiss\xe9s tels "
                          "quels \xe0 cause d'un probl\xe8me : " +
                          std::to_string(problemes.size()));
    EXPECT_EQ(d.read("b.bak"), "an older backup");
    EXPECT_EQ(d.read("a.txt").substr(128), "A");
}
