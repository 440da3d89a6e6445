// Adding a header to one file: what the file becomes, its backup, and what is refused.
#include <fstream>
#include "moteur.h"

using Ajout = Moteur;

TEST_F(Ajout, FileBecomesHeaderThenItsBytesWithoutPadding) {
    std::string avant = octets(1000);
    c.write("report.txt", avant);
    EXPECT_EQ(add_header("report.txt", 0), 1);

    std::string apres = c.read("report.txt");
    ASSERT_EQ(apres.size(), 1128u);
    EXPECT_EQ(apres.substr(128), avant);
    EXPECT_EQ(apres[0], 0);
    EXPECT_EQ(apres[1], 10);
    EXPECT_EQ(apres.substr(2, 10), "report.txt");
    EXPECT_EQ(apres.substr(65, 8), "TEXT????");
    EXPECT_EQ(lit_be32(apres, 83), 1000u);
    EXPECT_EQ(lit_be32(apres, 87), 0u);
    EXPECT_EQ(lit_be32(apres, 95), lit_be32(apres, 91) + 1);
    EXPECT_EQ(noms_dans(c.host("")), std::vector<std::string>{"report.txt"});
    EXPECT_EQ(plat_test_unhandled_dialogs(), 0);
}

TEST_F(Ajout, BackupKeepsTheFormerBytesUnderTheBakName) {
    c.write("report.txt", "rapport");
    c.write("index.html", "<p>");
    c.write("README", "lisez");
    EXPECT_EQ(add_header("report.txt", 1), 1);
    EXPECT_EQ(add_header("index.html", 1), 1);
    EXPECT_EQ(add_header("README", 1), 1);

    EXPECT_EQ(c.read("report.bak"), "rapport");
    EXPECT_EQ(c.read("index.html.bak"), "<p>");
    EXPECT_EQ(c.read("README.bak"), "lisez");
    EXPECT_EQ(c.read("report.txt").substr(128), "rapport");
    EXPECT_EQ(c.read("index.html").substr(128), "<p>");
    EXPECT_EQ(noms_dans(c.host("")),
              (std::vector<std::string>{"README", "README.bak", "index.html", "index.html.bak",
                                        "report.bak", "report.txt"}));
}

// Renames never replace: an older backup stops the conversion, and the user is told.
TEST_F(Ajout, OlderBackupIsKeptAndTheFileLeftAsItWas) {
    c.write("report.txt", "nouveau");
    c.write("report.bak", "ancien");
    messages.attend();
    EXPECT_EQ(add_header("report.txt", 1), 0);

    EXPECT_EQ(c.read("report.txt"), "nouveau");
    EXPECT_EQ(c.read("report.bak"), "ancien");
    EXPECT_EQ(noms_dans(c.host("")), (std::vector<std::string>{"report.bak", "report.txt"}));
    ASSERT_EQ(messages.textes.size(), 1u);
    EXPECT_EQ(messages.textes[0], "Le fichier de sauvegarde report.bak existe d\xe9j\xe0 : "
                                  "le fichier report.txt n'a pas \xe9t\xe9 modifi\xe9");
}

// The work name of x.$$$ would be x.$$$ itself; and a file the user named report.$$$ is no
// work file to be emptied.
TEST_F(Ajout, WorkFileNeverTakesTheNameOfAnExistingFile) {
    c.write("x.$$$", "dollars");
    c.write("report.txt", "rapport");
    c.write("report.$$$", "garde-moi");
    EXPECT_EQ(add_header("x.$$$", 1), 1);
    EXPECT_EQ(add_header("report.txt", 0), 1);

    EXPECT_EQ(c.read("x.$$$").substr(128), "dollars");
    EXPECT_EQ(c.read("x.bak"), "dollars");
    EXPECT_EQ(c.read("report.txt").substr(128), "rapport");
    EXPECT_EQ(c.read("report.$$$"), "garde-moi");
    EXPECT_EQ(noms_dans(c.host("")),
              (std::vector<std::string>{"report.$$$", "report.txt", "x.$$$", "x.bak"}));
}

TEST_F(Ajout, FileWithAHeaderIsLeftByteForByte) {
    std::string q = entete_quillon(3, 0) + "abc";
    c.write("deja.bin", q);
    messages.attend();
    EXPECT_EQ(add_header("deja.bin", 1), 0);
    EXPECT_EQ(c.read("deja.bin"), q);
    EXPECT_EQ(noms_dans(c.host("")), std::vector<std::string>{"deja.bin"});
    ASSERT_EQ(messages.textes.size(), 1u);
    EXPECT_EQ(messages.textes[0], "Le fichier deja.bin est d\xe9j\xe0 de type Quillon");
}

// The header's lengths are 32 bits: a file of 4 GiB would get a header that lies.
TEST_F(Ajout, FileOfFourGibibytesIsRefusedUntouched) {
    c.write("enorme.iso", "");
    std::filesystem::resize_file(c.host("enorme.iso"), 4ull << 30); // sparse: no disk used
    messages.attend();
    EXPECT_EQ(add_header("enorme.iso", 0), 0);

    EXPECT_EQ(std::filesystem::file_size(c.host("enorme.iso")), 4ull << 30);
    EXPECT_EQ(noms_dans(c.host("")), std::vector<std::string>{"enorme.iso"});
    ASSERT_EQ(messages.textes.size(), 1u);
    EXPECT_EQ(messages.textes[0],
              "Le fichier enorme.iso d\xe9passe 4 Go : il n'a pas \xe9t\xe9 modifi\xe9");
}

// A link stays a link: the file it leads to is converted and stripped where it lies, with its
// backup there and its own name in the header. A link to a file that no drive reaches is
// skipped with a message.
TEST_F(Ajout, LinkStaysALinkAndItsFileIsConvertedWhereItLies) {
    if (under_wine()) GTEST_SKIP() << "Wine makes no symbolic links";
    c.write("vrai/cible.txt", "cible");
    std::filesystem::create_symlink("vrai/cible.txt", c.host("lien.txt"));
    std::ofstream(c.path("") / ".." / "dehors.txt") << "dehors";
    std::filesystem::create_symlink(c.host("") + "/../dehors.txt", c.host("loin.txt"));
    EXPECT_EQ(add_header("lien.txt", 1), 1);
    EXPECT_TRUE(std::filesystem::is_symlink(c.host("lien.txt")));
    std::string q = c.read("vrai/cible.txt");
    EXPECT_EQ(q.substr(1, 10), "\x09" "cible.txt");
    EXPECT_EQ(q.substr(128), "cible");
    EXPECT_EQ(c.read("vrai/cible.bak"), "cible");
    EXPECT_EQ(strip_header("lien.txt", 0), 1);
    EXPECT_EQ(c.read("vrai/cible.txt"), "cible");
    EXPECT_TRUE(std::filesystem::is_symlink(c.host("lien.txt")));
    EXPECT_EQ(noms_dans(c.host("vrai")), (std::vector<std::string>{"cible.bak", "cible.txt"}));

    messages.attend();
    EXPECT_EQ(add_header("loin.txt", 0), 0);
    EXPECT_EQ(messages.textes, std::vector<std::string>{"Le fichier loin.txt est un lien vers un "
                                                        "fichier qui ne peut pas \xea" "tre atteint : "
                                                        "il est ignor\xe9"});
    EXPECT_EQ(c.read("loin.txt"), "dehors");
    EXPECT_EQ(noms_dans(c.host("")), (std::vector<std::string>{"lien.txt", "loin.txt", "vrai"}));
}
