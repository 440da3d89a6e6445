// The command-line program as a script runs it: a tree converted with backups and back, its
// exit statuses, Ctrl-C in the middle of a copy, a name the code page cannot hold. (Examine
// --json against the dialog: tests/engine/examen.cpp.)
#include <gtest/gtest.h>
#include <filesystem>
#include <fstream>
#include "commande.h"
#include "moteur.h"
#include "tempdrive.h"
#include "wine.h"

TEST(Commande, TreeWithBackupsThereAndBackAndExitStatuses) {
    DrivesCli d;
    const std::vector<std::pair<std::string, std::string>> arbre = {
        {"arbre/a.txt", "alpha\r\n"},
        {"arbre/sous/b.doc", octets(100000, 1)}, // several copy blocks
        {"arbre/sous/plus/c.txt", octets(10, 2)},
    };
    for (auto &[nom, octets] : arbre) d.write(nom, octets);

    Sortie s = quillon_cli({"add", "-b", "-r", "arbre"});
    EXPECT_EQ(s.statut, 0) << s.erreurs;
    for (auto &[nom, octets] : arbre) {
        std::string f = d.read(nom);
        ASSERT_EQ(f.size(), octets.size() + 128) << nom;
        EXPECT_EQ(f.substr(128), octets) << nom;
        EXPECT_EQ(d.read(nom.substr(0, nom.rfind('.')) + ".bak"), octets) << nom;
    }
    // Already as asked: still a success. A mask, expanded by the program.
    s = quillon_cli({"add", "--quiet", "arbre/*.txt"});
    EXPECT_EQ(s.statut, 0) << s.erreurs;
    EXPECT_EQ(d.read("arbre/a.txt").size(), 7u + 128);

    // Stripped again (the backups are not Quillon files: left alone, as asked already).
    s = quillon_cli({"strip", "--recurse", "arbre"});
    EXPECT_EQ(s.statut, 0) << s.erreurs;
    for (auto &[nom, octets] : arbre) EXPECT_EQ(d.read(nom), octets) << nom;

    // A name that designates nothing is a problem, told by name; the others are done.
    s = quillon_cli({"add", "absent.txt", "arbre/a.txt"});
    EXPECT_EQ(s.statut, 1);
    EXPECT_NE(s.erreurs.find("absent.txt"), std::string::npos) << s.erreurs;
    EXPECT_EQ(d.read("arbre/a.txt").size(), 7u + 128);

    // Bad usage: told with the usage line, nothing touched.
    for (std::vector<std::string> faux : std::vector<std::vector<std::string>>{
             {"convert", "arbre"}, {"strip"}, {"strip", "--json", "arbre"}, {"strip", "-x", "arbre"}}) {
        s = quillon_cli(faux);
        EXPECT_EQ(s.statut, 2) << faux[0];
        EXPECT_NE(s.erreurs.find("Usage: quillon-cli"), std::string::npos) << s.erreurs;
    }
    EXPECT_EQ(d.read("arbre/a.txt").size(), 7u + 128);
    s = quillon_cli({"--version"});
    EXPECT_EQ(s.statut, 0);
    EXPECT_EQ(s.sortie.rfind("quillon-cli (Quillon ", 0), 0u) << s.sortie;
}

// Ctrl-C while a large file is copied: the pass stops, the file stays exactly as it was and
// no temporary file is left; the status tells that not everything was done. The file is
// large enough for the copy to be caught under way: 200 MB, holes between its ends.
TEST(Commande, CtrlCLeavesTheFileUnderWayWhole) {
    // Wine (8.0) takes the console's Ctrl-C event but calls no handler of the program it
    // started with its output redirected.
    if (under_wine()) GTEST_SKIP() << "Wine delivers no console Ctrl-C to the program";
    DrivesCli d;
    const std::string debut = octets(1 << 20, 3), fin = octets(1 << 20, 4);
    const uintmax_t taille = 200u << 20;
    const std::filesystem::path gros = chemin_hote(d.host("gros.bin"));
    {
        std::ofstream f(gros, std::ios::binary);
        f << debut;
        f.seekp((std::streamoff)(taille - fin.size()));
        f << fin;
    }
    d.write("apres.txt", "after");
    Commande c({"add", "gros.bin", "apres.txt"}, true);
    // Once the copy has begun: its temporary file is there.
    bool interrompu = c.interrompt([&] { return noms_dans(d.host("")).size() > 2; });
    Sortie s = c.attend();
    ASSERT_TRUE(interrompu) << "the program ended first: " << s.statut << " " << s.erreurs;
    EXPECT_EQ(s.statut, 1) << s.erreurs;
    EXPECT_NE(s.erreurs.find("interrompu"), std::string::npos) << s.erreurs;
    EXPECT_EQ(std::filesystem::file_size(gros), taille);
    std::ifstream f(gros, std::ios::binary);
    std::string lu(debut.size(), '\0');
    f.read(&lu[0], (std::streamsize)lu.size());
    EXPECT_TRUE(lu == debut);
    f.seekg((std::streamoff)(taille - fin.size()));
    f.read(&lu[0], (std::streamsize)lu.size());
    EXPECT_TRUE(lu == fin);
    EXPECT_EQ(d.read("apres.txt"), "after");
    EXPECT_EQ(noms_dans(d.host("")), (std::vector<std::string>{"apres.txt", "gros.bin"}));
}

// A name the code page cannot hold reaches the file it names: its '?' are no wildcards.
TEST(Commande, NameOutsideTheCodePage) {
    DrivesCli d;
    const std::string nom = "\xe6\x97\xa5\xe6\x9c\xac.txt"; // two CJK characters, in UTF-8
    d.write(nom, "nihon");
    d.write("ab.txt", "other"); // what "??.txt" would also match
    Sortie s = quillon_cli({"add", nom});
    EXPECT_EQ(s.statut, 0) << s.erreurs;
    EXPECT_EQ(d.read(nom).size(), 5u + 128);
    EXPECT_EQ(d.read("ab.txt"), "other");
    s = quillon_cli({"examine", "--json", nom});
    EXPECT_EQ(s.statut, 0) << s.erreurs;
    EXPECT_NE(s.sortie.find("\"data_length\":5,"), std::string::npos) << s.sortie;
}
