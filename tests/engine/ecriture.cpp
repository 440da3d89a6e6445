// How a replacement meets the disk: the work file's access, backups where there are no hard
// links, the order in which backups and replacements reach it, the failures it reports, the
// names of work files where it keeps no marks, and the longest name that leaves room for a
// work name.
#include <sys/stat.h>
#include <cerrno>
#include <map>
#include "kernel32/hostfail.h"
#include "kernel32/move.h"
#include "moteur.h"
#include "plattest_fs.h"

// With hard links (0) and without them or marks (2, as on FAT and exFAT).
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
    // A file's permission bits, in octal, and its last-write time.
    static std::string mode(const std::string &hote) {
        struct stat st;
        char texte[32] = "absent";
        if (stat(hote.c_str(), &st) == 0)
            snprintf(texte, sizeof texte, "%o %ld", st.st_mode & 07777, (long)st.st_mtime);
        return texte;
    }
};

// The work file has the access of the file it replaces before the rename (and, as the
// platform's tests pin, from its creation on): a private file is never readable by others.
// The file's own name holds its whole content up to the rename that replaces it, and the
// backup, a second name or a durable copy, holds it too, with the same access and times.
TEST_P(Ecriture, WorkFileAndBackupAreAsPrivateAsTheFileWhichNeverLeavesItsName) {
    const std::map<std::string, std::string> cas = {
        {"prive.txt", "600"}, {"groupe.txt", "640"}, {"lance.sh", "751"}};
    std::map<std::string, std::string> vus; // work file -> its mode, and what the file then held
    plat_test_on_move([&](const char *de, const char *vers) {
        if (!strstr(vers, ".bak")) vus[de] = mode(plat_test_host_path(de)) + " " + c.read(vers);
    });
    const std::string date = " 1500000000";
    for (auto &[nom, m] : cas) {
        c.write(nom, nom);
        chmod(c.host(nom).c_str(), std::stoi(m, nullptr, 8));
        date_fichier(c.host(nom), 1500000000);
        EXPECT_EQ(add_header(nom.c_str(), 1), 1) << nom;
    }
    for (auto &[de, vu] : vus) vus[de] = vu.substr(0, 4) + vu.substr(vu.find(' ', 4));
    EXPECT_EQ(vus, (std::map<std::string, std::string>{{"groupe.$$$", "640  groupe.txt"},
                                                       {"lance.$$$", "751  lance.sh"},
                                                       {"prive.$$$", "600  prive.txt"}}));
    for (auto &[nom, m] : cas) {
        std::string bak = nom.substr(0, nom.find('.')) + ".bak";
        EXPECT_EQ(c.read(bak), nom);
        EXPECT_EQ(c.read(nom).substr(128), nom);
        EXPECT_EQ(mode(c.host(nom)).substr(0, 3), m) << nom;
        EXPECT_EQ(mode(c.host(bak)), m + date) << bak;
    }
}

// The names of a pass's backups are on the disk before any of its files is replaced: at the
// first flush of their directory, every backup is there and no file is replaced yet.
TEST_P(Ecriture, BackupNamesReachTheDiskBeforeAnyFileIsReplaced) {
    for (const char *nom : {"a.txt", "b.txt", "c.txt"}) c.write(nom, nom);
    std::vector<std::string> vidages; // at each flush of a directory: backups, files replaced
    plat_test_on_flush([&](const std::string &, bool repertoire) {
        if (!repertoire) return;
        int baks = 0, remplaces = 0;
        for (const char *n : {"a", "b", "c"}) {
            baks += c.exists(std::string(n) + ".bak");
            remplaces += c.read(std::string(n) + ".txt").size() > 5;
        }
        vidages.push_back(std::to_string(baks) + " " + std::to_string(remplaces));
    });
    recurs_add_header("*.*", 0, 1);
    plat_test_on_flush(nullptr);
    EXPECT_EQ(vidages, (std::vector<std::string>{"3 0", "3 3"}));
}

// A failure the disk reports at the host's own call (a flush, a close after the flush, a
// rename: an I/O error, a full disk, a quota) leaves the file as it was, with neither work
// file nor backup, and is told; never is it taken for success.
TEST_P(Ecriture, HostFailuresAreToldAndLoseNothing) {
    const std::string pas = " : il n'a pas \xe9t\xe9 modifi\xe9";
    const std::string ecriture = "Erreur d'\xe9" "criture du fichier a.txt" + pas;
    // Without hard links the first rename is the backup copy's: the file is not written.
    const std::string renomme =
        GetParam() == 0 ? "Le fichier a.txt n'a pas pu \xea" "tre remplac\xe9" + pas : ecriture;
    c.write("a.txt", "A");
    for (FsHostCall appel : {FS_HOST_FSYNC, FS_HOST_CLOSE, FS_HOST_RENAME})
        for (int erreur : {EIO, ENOSPC, EDQUOT}) {
            messages.textes.clear();
            messages.attend();
            fs_test_fail_host(appel, erreur);
            EXPECT_EQ(add_header("a.txt", 1), 0) << appel << " " << erreur;
            fs_test_fail_host(appel, 0);
            EXPECT_EQ(messages.textes,
                      std::vector<std::string>{appel == FS_HOST_RENAME ? renomme : ecriture})
                << appel << " " << erreur;
            EXPECT_EQ(noms_dans(c.host("")), std::vector<std::string>{"a.txt"});
            EXPECT_EQ(c.read("a.txt"), "A");
        }
}

// A pass leaves the program's own files to it: a file named like a work file is converted
// where the volume keeps marks (it has none: the user's), and where it keeps none (FAT,
// exFAT) it is left as it is, and the user is told.
TEST_P(Ecriture, NamesOfWorkFilesWhereTheVolumeKeepsNoMarks) {
    c.write("x.$$$", "X");
    c.write("y.txt", "Y");
    messages.attend();
    recurs_add_header("*.*", 0, 0);
    EXPECT_EQ(c.read("y.txt").substr(128), "Y");
    if (GetParam() == 0) {
        EXPECT_EQ(c.read("x.$$$").substr(128), "X");
        EXPECT_EQ(messages.textes, std::vector<std::string>{});
    } else {
        EXPECT_EQ(c.read("x.$$$"), "X");
        EXPECT_EQ(messages.textes,
                  std::vector<std::string>{"Le fichier x.$$$ est ignor\xe9, comme tout fichier "
                                           "du dossier C:\\ nomm\xe9 comme les fichiers de "
                                           "travail de Quillon : sur ce disque, Quillon ne peut "
                                           "pas les reconna\xeetre"});
    }
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
