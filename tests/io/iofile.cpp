// The file utilities: names, numbering, drive queries, directory sizes, temporary files, the
// flush of a batch of files and the checked opens.
#include <windows.h>
#include <gtest/gtest.h>
#include <direct.h>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <algorithm>
#include "plattest_fs.h"
#include "io/io.h"
#include "io/iodlgid.h"
#include "io/iofile.h"
#include "dialogue.h"
#include "systeme.h"
#include "tempdrive.h"

static std::string ext(const char *nom, const char *e) {
    char buf[256];
    strcpy(buf, nom);
    return extension(buf, e);
}

TEST(IoFileNoms, ExtensionReplacesAtMostThreeCharactersAndLowersTheNewOne) {
    EXPECT_EQ(ext("lisezmoi.txt", "BAK"), "lisezmoi.bak");
    EXPECT_EQ(ext("archive.tar.gz", "BAK"), "archive.tar.bak");
    EXPECT_EQ(ext("readme.markdown", "BAK"), "readme.markdown.bak");
    EXPECT_EQ(ext("nom.", "BAK"), "nom.bak");
    EXPECT_EQ(ext("nom", "$$$"), "nom.$$$");
    EXPECT_EQ(ext("C:\\A.B\\C", "BAK"), "C:\\A.bak"); // the directory's dot is near the end
    EXPECT_EQ(ext("C:\\PROG\\QUILLON.EXE", "HLP"), "C:\\PROG\\QUILLON.hlp");
    EXPECT_EQ(ext("x", "LONGER"), "x.lon");
}

TEST(IoFileNoms, NumericExtensionsSkipExistingFiles) {
    TempDrives d;
    d.write("f.002", "taken");
    char nf[32] = "f";
    std::vector<std::string> seq;
    for (int i = 0; i < 32; i++) seq.push_back(extension_num(nf));
    EXPECT_EQ(seq[0], "f.001");
    EXPECT_EQ(seq[1], "f.003"); // f.002 exists
    EXPECT_EQ(seq[7], "f.009");
    EXPECT_EQ(seq[8], "f.00a");
    EXPECT_EQ(seq[29], "f.00v");
    EXPECT_EQ(seq[30], "f.010");
    EXPECT_STREQ(extension_numerique(nf, 32768), "f.000");
    EXPECT_STREQ(extension_numerique(nf, 1055), "f.10v");
}

TEST(IoFileNoms, DiskNamesLongNameRecordsAndFullPaths) {
    char chne[32];
    creation_nom(chne, 1, 23);
    EXPECT_STREQ(chne, "DSK1F23");
    creation_nom(chne, 12, 5);
    EXPECT_STREQ(chne, "DSK1F5");

    TempDrives d(2);
    FILE *f = fopen("noms.bin", "w+b");
    ASSERT_NE(f, nullptr);
    put_nom_long(f, "Mon fichier");
    put_nom_long(f, std::string(300, 'n').c_str()); // longer than a record holds: cut
    fclose(f);
    std::string rec = d.read("noms.bin");
    ASSERT_EQ(rec.size(), 512u);
    EXPECT_EQ(rec.substr(0, 14), std::string("\x5c\xff\x0bMon fichier"));
    EXPECT_EQ(rec.substr(14, 242), std::string(242, '\0'));
    EXPECT_EQ((unsigned char)rec[258], 253);
    EXPECT_EQ(rec.substr(259), std::string(253, 'n'));

    d.mkdir("a");
    d.mkdir("data", 'D');
    _chdir("D:\\data");
    _chdir("C:\\a");
    char p[_MAX_PATH];
    path(p, "x.txt");
    EXPECT_STREQ(p, "C:\\a\\x.txt");
    path(p, "d:y\\z.txt"); // a small drive letter is read as the capital
    if (!under_wine()) { // Wine's _chdir does not remember each drive's directory (iowfile)
        EXPECT_STREQ(p, "D:\\data\\y\\z.txt");
    }
    path(p, "c:\\abs\\f.e");
    EXPECT_STREQ(p, "C:\\abs\\f.e");
    _chdir("\\");
    path(p, "x.txt");
    EXPECT_STREQ(p, "C:\\x.txt");
}

TEST(IoFileDisques, ExisteCountsOrdinaryFilesOnlyAndNomcourt) {
    TempDrives d;
    d.mkdir("dir");
    d.write(".cache", "h");
    d.write("plain.txt", "p");
    d.write("old.txt", "o");
    date_fichier(d.host("old.txt"), 0); // 1970: before DOS dates begin
    ASSERT_TRUE(fuseau("UTC0")) << "the tests need the system's zone in UTC";
    date_fichier(d.host("plain.txt"), utc(2020, 6, 15, 10, 30, 21));
    EXPECT_EQ(existe("dir"), 0u);
    EXPECT_EQ(existe(".cache"), 0u);
    EXPECT_EQ(existe("none"), 0u);
    // Last written 2020-06-15 10:30:21 local time, as a packed DOS date and time.
    EXPECT_EQ(existe("plain.txt"), ((40u << 9 | 6 << 5 | 15) << 16) | (10u << 11 | 30 << 5 | 10));
    EXPECT_NE(existe("*.*"), 0u);
    EXPECT_EQ(existe("old.txt"), 0xFFFFFFFFu); // exists: never 0
    char court[14];
    EXPECT_EQ(nomcourt("PLAIN.TXT", court), 0);
    EXPECT_STREQ(court, "plain.txt");
    d.write("a rather long name.text", "");
    // A long name: the volume's short form where it makes one (Wine does), else -1.
    int r = nomcourt("a rather long name.text", court);
    EXPECT_TRUE(r == -1 || (r == 0 && strlen(court) <= 12 && !strchr(court, ' '))) << court;
    EXPECT_EQ(nomcourt("none", court), -1);
}

TEST(IoFileDisques, DriveQueriesGiveDefinedAnswers) {
    TempDrives d(2);
    EXPECT_EQ(support_lfn(-1), 1); // a negative drive is C:
    EXPECT_EQ(froot[0], 'C');
    EXPECT_GE(LFN_lg, 255);
    EXPECT_EQ(maxpath, 256);
    EXPECT_EQ(support_lfn(5), 0); // F: cannot be queried: no long names
    EXPECT_STREQ(froot, "F:\\");
    EXPECT_EQ(LFN_lg, 12);
    EXPECT_EQ(maxpath, 80);
    EXPECT_EQ(place_disque(0, 0), 1);
    EXPECT_EQ(place_disque(4, 1000), 1);
    EXPECT_EQ(froot[0], 'D');
    EXPECT_EQ(place_disque(7, 1000), 1); // G: cannot be read: the work goes on
    EXPECT_EQ(disque_msdos('C'), 0);     // an empty disk
    d.write("x", "x", 'D');
    EXPECT_EQ(disque_msdos('d'), 0);
    // A drive whose folder is gone stands for an empty drive: not ready. (Wine answers
    // ERROR_PATH_NOT_FOUND for such a drive; Windows gives ERROR_NOT_READY for an empty one.)
    std::filesystem::remove_all(d.path("", 'D'));
    if (!under_wine()) {
        EXPECT_EQ(disque_msdos('D'), -1);
    }
    EXPECT_EQ(disque_msdos('Q'), (int)ERROR_PATH_NOT_FOUND);
}

TEST(IoFileDisques, TailleReperSumsTheTreeAndComesBack) {
    TempDrives d;
    d.write("start/top/a", std::string(100, 'a'));
    d.write("start/top/sub/b", std::string(20, 'b'));
    d.write("start/top/sub/deeper/c", std::string(3, 'c'));
    d.write("start/top/.hid/h", std::string(1000, 'h')); // a hidden directory is not entered
    std::error_code pas_de_lien; // nor a link (Wine makes none)
    std::filesystem::create_directory_symlink(d.path("start/top/sub"), d.path("start/top/link"),
                                              pas_de_lien);
    _chdir("start");
    EXPECT_EQ(taille_reper("TOP", 7), 130u);
    char cwd[MAX_PATH];
    EXPECT_STREQ(_getcwd(cwd, sizeof cwd), "C:\\start");
    // A name that cannot be entered adds nothing, and the walk does not climb above its start.
    EXPECT_EQ(taille_reper("missing", 5), 5u);
    EXPECT_STREQ(_getcwd(cwd, sizeof cwd), "C:\\start");
}

TEST(IoFileTemp, TemporaryFilesAreMadeNewAndRemoved) {
    TempDrives d;
    d.mkdir("tmp");
    variable("TMP", "C:\\tmp");
    char nomf[260];
    FILE *f = ftemp_fopen(nomf, "quillon", 10);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(std::string(nomf, 10), "C:\\tmp\\qui");
    EXPECT_EQ(fwrite("0123456789", 1, 10, f), 10u);
    fclose(f);
    EXPECT_EQ(ftemp_unlink(nomf), 0);
    EXPECT_EQ(ftemp_unlink(nomf), -1);
    char autre[260];
    int h = ftemp_open(autre, "q", 1);
    ASSERT_GE(h, 0);
    _close(h);
    EXPECT_STRNE(autre, nomf);
    EXPECT_EQ(ftemp_unlink(autre), 0);
    variable("TMP", nullptr);
}

// Batches of every size, up to beyond the threads that flush beside the caller, one after
// another in one process: every file's answer comes back, and a flush that fails is reported
// for its file alone.
TEST(IoFileVidage, EachFileOfEachBatchIsAnsweredAndAFailureIsItsOwn) {
    TempDrives d;
    std::vector<int> fd;
    for (int i = 0; i < 40; ++i) {
        std::string nom = "C:\\f" + std::to_string(i) + ".txt";
        fd.push_back(_open(nom.c_str(), _O_CREAT | _O_RDWR | _O_BINARY, _S_IREAD | _S_IWRITE));
        ASSERT_GE(fd.back(), 0);
        ASSERT_EQ(_write(fd.back(), "donnees", 7), 7);
    }
    for (int n = 1; n <= 40; ++n) {
        int echec = n % 7 == 0;
        if (echec) plat_test_fail_next_flush();
        std::vector<int> ok(n, -1);
        vide_ensemble(fd.data(), ok.data(), n);
        EXPECT_EQ(std::count(ok.begin(), ok.end(), 1), n - echec) << n << " files";
        EXPECT_EQ(std::count(ok.begin(), ok.end(), 0), echec) << n << " files";
    }
    for (int h : fd) _close(h);
}

// The fatal message shows, under the program's title, and is written out here (accents as
// <xx>) for the test to read.
static void fatal_message_to_stderr() {
    plat_test_push_dialog_handler([](HWND h, int) {
        const char *titre = plat_test_caption(h) == revend ? "<" : "(not the program's title)";
        fprintf(stderr, "%s%s>\n", titre, en_ascii(plat_test_text(h, ID_MESS_TEXTE)).c_str());
        plat_test_click(h, IDOK);
    });
}

TEST(IoFileDeathTest, CheckedOpenEndsTheProgramNamingTheFile) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    TempDrives d;
    Global_hInst = GetModuleHandleA(nullptr);
    EXPECT_EXIT((fatal_message_to_stderr(), sec_fopen("absent.txt", lecture)),
                testing::ExitedWithCode(1), "<Erreur <e0> l'ouverture des fichiers absent.txt>");
    // A name too long for the 256-byte message is cut to fit (a name of words: a single word
    // wider than the screen would be shortened where it is shown).
    std::string lg;
    while (lg.size() < 400) lg += "nnnnnnnnn ";
    EXPECT_EXIT((fatal_message_to_stderr(), sec_open(lg.c_str())), testing::ExitedWithCode(1),
                "fichiers " + lg.substr(0, 221) + ">");
    // A temporary file that cannot be made ends the program the same way, naming the place,
    // rather than going on with a name never written.
    // (In the child alone: the test framework too takes its files there on Windows.)
    char nomf[260];
    EXPECT_EXIT((variable("TMP", "C:\\none"), fatal_message_to_stderr(), ftemp_fopen(nomf, "q", 1)),
                testing::ExitedWithCode(1), "fichiers C:.none.>");
}
