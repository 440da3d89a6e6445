// Passes over directories, and the replacement of files under failure: every file ends with
// its old or its new content under its own name, and nothing else is lost.
#include "moteur.h"
#include <direct.h>
#include <map>

using Remplace = Moteur;

// Files of every size around the copy block, and names with accents, several dots or none.
static const std::map<std::string, std::string> fichiers_aller_retour = {
    {"vide.dat", ""},
    {"un", octets(1)},
    {"bloc.bin", octets(40960, 7)},
    {"bloc+1.bin", octets(40961, 8)},
    {"gros.bin", octets(5000003, 9)},
    {"r\xc3\xa9sum\xc3\xa9 final.txt", "accents et espace"},
    {"archive.tar.gz", "plusieurs points"},
    {"LISEZMOI", "sans point"},
};

TEST_F(Remplace, AddThenStripGivesBackEveryFileByteForByte) {
    for (auto &[nom, contenu] : fichiers_aller_retour) c.write("rt/" + nom, contenu);
    ASSERT_EQ(_chdir("rt"), 0);

    recurs_add_header("*.*", 0, 0);
    for (auto &[nom, contenu] : fichiers_aller_retour) {
        std::string q = c.read("rt/" + nom);
        ASSERT_EQ(q.size(), contenu.size() + 128) << nom;
        EXPECT_EQ(lit_be32(q, 83), contenu.size()) << nom;
        EXPECT_TRUE(q.substr(128) == contenu) << nom;
    }
    recurs_strip_header("*.*", 0, 0);
    std::vector<std::string> noms;
    for (auto &[nom, contenu] : fichiers_aller_retour) {
        EXPECT_TRUE(c.read("rt/" + nom) == contenu) << nom;
        noms.push_back(nom);
    }
    std::sort(noms.begin(), noms.end());
    EXPECT_EQ(noms_dans(c.host("rt")), noms);
    EXPECT_EQ(plat_test_unhandled_dialogs(), 0);
}

// A name that the ANSI code page cannot hold reaches the program with "?" in its place, and
// the platform layer finds the file all the same. Windows opens no such name by the ANSI
// calls (only by a short name, which a volume need not give).
TEST_F(Remplace, NameOutsideTheCodePageRoundTrips) {
    if (!noms_hors_ansi_ouvrables) GTEST_SKIP() << "Windows opens no name outside the code page";
    const std::string nom = "\xe6\x97\xa5\xe6\x9c\xac \xc3\xbcn.txt";
    c.write(nom, "hors de Windows-1252");
    recurs_add_header("*.*", 0, 0);
    EXPECT_EQ(c.read(nom).substr(128), "hors de Windows-1252");
    recurs_strip_header("*.*", 0, 0);
    EXPECT_EQ(c.read(nom), "hors de Windows-1252");
    EXPECT_EQ(noms_dans(c.host("")), std::vector<std::string>{nom});
}

// Every file of a directory is listed before the first is converted, so the backups a pass
// makes are not converted by it; the list itself, lying in the root when the pass starts
// there, is never converted and is removed.
TEST_F(Remplace, PassConvertsEachListedFileOnce) {
    c.write("a.txt", "A");
    c.write("b.txt", "B");
    recurs_add_header("*.*", 0, 1);

    EXPECT_EQ(c.read("a.txt").substr(128), "A");
    EXPECT_EQ(c.read("b.txt").substr(128), "B");
    EXPECT_EQ(c.read("a.bak"), "A");
    EXPECT_EQ(c.read("b.bak"), "B");
    EXPECT_EQ(noms_dans(c.host("")),
              (std::vector<std::string>{"a.bak", "a.txt", "b.bak", "b.txt"}));
    EXPECT_EQ(plat_test_unhandled_dialogs(), 0);
}

// Only the subdirectories that match the pattern are entered, and the walk ends where it
// started.
TEST_F(Remplace, RecursionEntersOnlyMatchingSubdirectories) {
    c.write("a.txt", "A");
    c.write("c.dat", "C");
    c.write("old.txt/d.txt", "D");
    c.write("old.txt/e.dat", "E");
    c.write("data/f.txt", "F");
    recurs_add_header("*.txt", 1, 0);

    EXPECT_EQ(c.read("a.txt").substr(128), "A");
    EXPECT_EQ(c.read("old.txt/d.txt").substr(128), "D");
    EXPECT_EQ(c.read("c.dat"), "C");
    EXPECT_EQ(c.read("old.txt/e.dat"), "E");
    EXPECT_EQ(c.read("data/f.txt"), "F");
    char ici[MAX_PATH];
    EXPECT_STREQ(_getcwd(ici, sizeof ici), "C:\\");
}

// Names of 255 characters fill a list line of 256 with their CR LF: read whole, never cut.
TEST_F(Remplace, LongestNamesAreReadWhole) {
    std::string n255(251, 'n'), n254(250, 'm');
    n255 += ".txt";
    n254 += ".txt";
    c.write(n255, "long");
    c.write(n254, "presque");
    recurs_add_header("*.*", 0, 0);
    EXPECT_EQ(c.read(n255).substr(128), "long");
    EXPECT_EQ(c.read(n254).substr(128), "presque");
    EXPECT_EQ(noms_dans(c.host("")), (std::vector<std::string>{n254, n255}));
    EXPECT_EQ(plat_test_unhandled_dialogs(), 0);
}

// A read-only file cannot be opened for conversion: each operation says so in its way.
TEST_F(Remplace, ReadOnlyFileIsSkippedWithAMessage) {
    SansPrivileges utilisateur;
    c.write("lu.txt", "lecture seule");
    if (!lecture_seule(c.host("lu.txt"))) GTEST_SKIP() << "the read-only state does not hold";
    messages.attend(2);
    EXPECT_EQ(add_header("lu.txt", 0), 0);
    EXPECT_EQ(strip_header("lu.txt", 0), 0);
    EXPECT_EQ(messages.textes, std::vector<std::string>(2, "Erreur \xe0 l'ouverture des fichiers"));
    EXPECT_EQ(c.read("lu.txt"), "lecture seule");
    EXPECT_EQ(noms_dans(c.host("")), std::vector<std::string>{"lu.txt"});
}
