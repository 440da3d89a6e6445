// How a replacement meets the disk: the work file's access, backups where there are no hard
// links, flushes that fail, and the longest name that leaves room for a work name.
#include <sys/stat.h>
#include <map>
#include "kernel32/move.h"
#include "moteur.h"
#include "plattest_fs.h"

// With hard links (0) and without them (2, as on FAT and exFAT).
class Ecriture : public Moteur, public testing::WithParamInterface<int> {
  protected:
    void SetUp() override {
        Moteur::SetUp();
        fs_test_rename_fallback(GetParam());
    }
    void TearDown() override {
        fs_test_rename_fallback(0);
        plat_test_on_move(nullptr);
    }
    // A file's permission bits, in octal.
    static std::string mode(const std::string &hote) {
        struct stat st;
        char texte[8] = "absent";
        if (stat(hote.c_str(), &st) == 0) snprintf(texte, sizeof texte, "%o", st.st_mode & 07777);
        return texte;
    }
};

// The work file has the access of the file it replaces before the rename (and, as the
// platform's tests pin, from its creation on): a private file is never readable by others.
// The file's own name holds its whole content up to the rename that replaces it, and the
// backup, a second name or a durable copy, holds it too, with the same access.
TEST_P(Ecriture, WorkFileAndBackupAreAsPrivateAsTheFileWhichNeverLeavesItsName) {
    const std::map<std::string, std::string> cas = {
        {"prive.txt", "600"}, {"groupe.txt", "640"}, {"lance.sh", "751"}};
    std::map<std::string, std::string> vus; // work file -> its mode, and what the file then held
    plat_test_on_move([&](const char *de, const char *vers) {
        if (!strstr(vers, ".bak")) vus[de] = mode(plat_test_host_path(de)) + " " + c.read(vers);
    });
    for (auto &[nom, m] : cas) {
        c.write(nom, nom);
        chmod(c.host(nom).c_str(), std::stoi(m, nullptr, 8));
        EXPECT_EQ(add_header(nom.c_str(), 1), 1) << nom;
    }
    EXPECT_EQ(vus, (std::map<std::string, std::string>{{"groupe.$$$", "640 groupe.txt"},
                                                       {"lance.$$$", "751 lance.sh"},
                                                       {"prive.$$$", "600 prive.txt"}}));
    for (auto &[nom, m] : cas) {
        std::string bak = nom.substr(0, nom.find('.')) + ".bak";
        EXPECT_EQ(c.read(bak), nom);
        EXPECT_EQ(c.read(nom).substr(128), nom);
        EXPECT_EQ(mode(c.host(nom)), m) << nom;
        EXPECT_EQ(mode(c.host(bak)), m) << bak;
    }
}

// A disk that fails the flush of the work file: the file stays as it was, with no work file
// and no backup left, the user is told and the result is 0.
TEST_P(Ecriture, FailedFlushIsToldAndLosesNothing) {
    c.write("a.txt", "A");
    c.write("b.bin", entete_quillon(1, 0) + "B");
    messages.attend(2);
    plat_test_fail_next_flush();
    EXPECT_EQ(add_header("a.txt", 1), 0);
    plat_test_fail_next_flush();
    EXPECT_EQ(strip_header("b.bin", 0), 0);
    EXPECT_EQ(c.read("a.txt"), "A");
    EXPECT_EQ(c.read("b.bin"), entete_quillon(1, 0) + "B");
    EXPECT_EQ(noms_dans(c.host("")), (std::vector<std::string>{"a.txt", "b.bin"}));
    EXPECT_EQ(messages.textes,
              (std::vector<std::string>{
                  "Erreur d'\xe9" "criture du fichier a.txt : il n'a pas \xe9t\xe9 modifi\xe9",
                  "Erreur d'\xe9" "criture du fichier b.bin : il n'a pas \xe9t\xe9 modifi\xe9"}));
}

INSTANTIATE_TEST_SUITE_P(LiensOuNon, Ecriture, testing::Values(0, 2));

// The longest name that leaves room for ".$$$" in the program's buffer converts; one more
// character is refused with a message, and nothing overruns.
TEST_F(Moteur, NameAtTheLengthLimitIsRefusedWithAMessage) {
    // Names in words: a single word wider than the screen is shortened where it is shown.
    auto mots = [](size_t n, char c) {
        std::string s(n, c);
        for (size_t i = 9; i + 1 < n; i += 10) s[i] = ' ';
        return s;
    };
    const std::string dir = mots(200, 'd') + "/" + mots(200, 'e');
    const std::string f515 = mots(113, 'f'), g516 = mots(114, 'g');
    c.write(dir + "/" + f515, "F");
    c.write(dir + "/" + g516, "G");
    std::string programme = dir;
    programme[200] = '\\';
    messages.attend();
    EXPECT_EQ(add_header((programme + "\\" + f515).c_str(), 0), 1);
    EXPECT_EQ(add_header((programme + "\\" + g516).c_str(), 0), 0);
    EXPECT_EQ(c.read(dir + "/" + f515).substr(128), "F");
    EXPECT_EQ(c.read(dir + "/" + g516), "G");
    EXPECT_EQ(messages.textes, std::vector<std::string>{"Le fichier " + programme + "\\" + g516 +
                                                        " n'a pas \xe9t\xe9 modifi\xe9 : son nom est "
                                                        "trop long pour celui de son fichier de "
                                                        "travail"});
    EXPECT_EQ(noms_dans(c.host(dir)), (std::vector<std::string>{f515, g516}));
}
