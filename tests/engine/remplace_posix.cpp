// Replacements that only POSIX can stage, so these tests run on Linux only (cmake/windows.cmake
// leaves this file out): names that Windows refuses in a folder (the platform layer's own
// conversions), a directory closed to its owner (a Windows folder cannot be closed to its
// owner by a process under Wine, which runs as root), a directory where no file can be made
// (the read-only attribute of a Windows folder does not stop that), a full drive (a file
// system mounted for the test), a write that fails part-way (a file-size limit), and a file of
// another user in a sticky directory.
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <cstdlib>
#include <map>
#include <set>
#include <direct.h>
#include "kernel32/names_utf8.h"
#include "app/vidage.h"
#include "moteur.h"
#include "plattest_fs.h"

using Remplace = Moteur;

// Every name a folder lists converts and comes back, whatever its first character (a hidden
// file, a name the host allows and Windows does not, one without a Macintosh counterpart,
// which the header names with "_"); a name holding a line break cannot go through the pass's
// list, and the pass says so.
TEST_F(Remplace, EveryFirstCharacterConvertsAndComesBack) {
    std::map<std::string, std::string> fichiers; // the program's name -> bytes
    for (int i = 1; i < 256; ++i) {
        // "/" cannot be in a host name; "\\" and ":" reach the program as "?", like "?" itself.
        if (strchr("/\\:\r\n", i) != nullptr) continue;
        char nom_code[8]; // the character, then its code: no two names alike but for case
        snprintf(nom_code, sizeof nom_code, "%c%02x.txt", i, i);
        std::string nom = nom_code;
        fichiers[nom] = nom;
        c.write(fs_utf8_from_ansi(nom), nom);
    }
    c.write("\rcr.txt", "cr");
    c.write("l\nf.txt", "lf");
    messages.attend(4);
    recurs_add_header("*.*", 0, 0);
    for (auto &[nom, octets] : fichiers) {
        std::string q = c.read(fs_utf8_from_ansi(nom));
        ASSERT_EQ(q.size(), 128 + octets.size()) << (int)(unsigned char)nom[0];
        EXPECT_EQ(q.substr(1, 1) + q.substr(3, 6), "\x07" + nom.substr(1)) << (int)(unsigned char)nom[0];
        EXPECT_NE(q[2], '\0');
    }
    recurs_strip_header("*.*", 0, 0);
    for (auto &[nom, octets] : fichiers)
        EXPECT_EQ(c.read(fs_utf8_from_ansi(nom)), octets) << (int)(unsigned char)nom[0];
    const std::string cr = "Le fichier \rcr.txt est ignor\xe9 : son nom contient un saut de ligne";
    const std::string lf = "Le fichier l\nf.txt est ignor\xe9 : son nom contient un saut de ligne";
    EXPECT_EQ(messages.textes, (std::vector<std::string>{cr, lf, cr, lf}));
    EXPECT_EQ(c.read("\rcr.txt"), "cr");
    EXPECT_EQ(plat_test_unhandled_dialogs(), 0);
}

// A subdirectory that cannot be entered is skipped and named in a message; a link to a
// directory is not entered (a cycle of links would never end, and the files it reaches are
// converted where they lie, once).
TEST_F(Remplace, WalkSkipsClosedDirectoriesAndLinks) {
    SansPrivileges utilisateur;
    c.write("ferme/a.txt", "A");
    c.write("ouvert/b.txt", "B");
    c.write("ailleurs/c.txt", "C");
    std::filesystem::create_directory_symlink("..", c.host("ouvert/boucle"));
    std::filesystem::create_directory_symlink(c.host("ailleurs"), c.host("ouvert/lien"));
    chmod(c.host("ferme").c_str(), 0);
    messages.attend();
    recurs_add_header("*.*", 1, 0);
    chmod(c.host("ferme").c_str(), 0755);
    EXPECT_EQ(messages.textes, std::vector<std::string>{"Le r\xe9pertoire ferme ne peut pas \xea"
                                                        "tre ouvert : "
                                                        "il est ignor\xe9"});
    EXPECT_EQ(c.read("ferme/a.txt"), "A");
    EXPECT_EQ(c.read("ouvert/b.txt").size(), 129u);
    EXPECT_EQ(c.read("ailleurs/c.txt").size(), 129u);
    EXPECT_EQ(plat_test_unhandled_dialogs(), 0);
    char ici[MAX_PATH];
    EXPECT_STREQ(_getcwd(ici, sizeof ici), "C:\\");
}

// Where the root cannot be written the list goes to the temporary directory; where neither
// can, the message names the folder whose files are ignored. The list, which tells what a
// folder holds, is readable by its owner alone. (A file whose work file cannot be made:
// tests/program/posix.cpp.)
TEST_F(Remplace, ListFindsAPlaceOrTheFolderIsNamed) {
    SansPrivileges utilisateur;
    c.mkdir("temp");
    setenv("TMP", c.host("temp").c_str(), 1);
    c.write("docs/a.txt", "A");
    c.write("docs/z/c.txt", "C");
    chmod(c.host("").c_str(), 0555);
    ASSERT_EQ(_chdir("docs"), 0);
    messages.attend();
    std::set<unsigned> modes; // of the files in the temporary directory at each rename
    plat_test_on_move([&](const char *, const char *) {
        for (auto &nom : noms_dans(c.host("temp"))) {
            struct stat st;
            if (stat(c.host("temp/" + nom).c_str(), &st) == 0) modes.insert(st.st_mode & 0777);
        }
    });
    recurs_add_header("*.*", 1, 0);
    plat_test_on_move(nullptr);
    EXPECT_EQ(modes, std::set<unsigned>{0600});
    chmod(c.host("temp").c_str(), 0555);
    recurs_add_header("*.*", 0, 0);
    chmod(c.host("").c_str(), 0755);
    chmod(c.host("temp").c_str(), 0755);
    EXPECT_EQ(messages.textes,
              (std::vector<std::string>{"La liste des fichiers du r\xe9pertoire C:\\docs n'a pas pu "
                                        "\xea" "tre \xe9" "crite : ses fichiers sont ignor\xe9s"}));
    EXPECT_EQ(c.read("docs/a.txt").substr(128), "A");
    EXPECT_EQ(c.read("docs/z/c.txt").substr(128), "C");
    EXPECT_EQ(noms_dans(c.host("temp")), std::vector<std::string>{});
    EXPECT_EQ(noms_dans(c.host("")), (std::vector<std::string>{"docs", "temp"}));
}

// On a full drive the list goes to the temporary directory too; each file then fails to be
// written, and says so. (A small file system of its own is mounted over drive C:, in a mount
// namespace of the test's thread alone.)
TEST(RemplacePlein, FullDriveListGoesToTheTemporaryDirectory) {
    TempDrives d(2);
    d.mkdir("temp", 'D');
    if (unshare(CLONE_NEWNS) != 0 || mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        mount("tmpfs", d.host("").c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "cannot mount a file system";
    setenv("TMP", d.host("temp", 'D').c_str(), 1);
    d.write("a.txt", "A");
    d.write("plein.bin", std::string(1 << 20, 'p')); // as much as fits
    Global_hInst = GetModuleHandleA(nullptr);
    Messages m;
    m.attend(2);
    recurs_add_header("*.*", 0, 0);
    umount(d.host("").c_str());
    unsetenv("TMP");
    EXPECT_EQ(m.textes, (std::vector<std::string>{
                            "Erreur d'\xe9" "criture du fichier a.txt : il n'a pas \xe9t\xe9 modifi\xe9",
                            "Erreur d'\xe9" "criture du fichier plein.bin : il n'a pas \xe9t\xe9 modifi\xe9"}));
    EXPECT_EQ(noms_dans(d.host("temp", 'D')), std::vector<std::string>{});
}

// A write that fails part-way (here at a file-size limit) leaves the file as it was, removes
// the work file and says so, alone or in a pass, which goes on with the next file.
TEST_F(Remplace, WriteFailingPartWayLeavesTheFileAsItWas) {
    std::string gros = octets(3 << 20, 11);
    c.write("a.txt", "A");
    c.write("gros.bin", gros);
    c.write("z.txt", "Z");
    struct rlimit avant;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &avant), 0);
    struct rlimit limite = {1 << 20, avant.rlim_max};
    signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limite), 0);
    messages.attend(2);
    EXPECT_EQ(add_header("gros.bin", 1), 0);
    recurs_add_header("*.*", 0, 0);
    setrlimit(RLIMIT_FSIZE, &avant);
    signal(SIGXFSZ, SIG_DFL);
    EXPECT_EQ(messages.textes, std::vector<std::string>(2, "Erreur d'\xe9"
                                                           "criture du fichier gros.bin : il "
                                                           "n'a pas \xe9t\xe9 modifi\xe9"));
    EXPECT_EQ(c.read("gros.bin"), gros);
    EXPECT_EQ(c.read("a.txt").substr(128), "A");
    EXPECT_EQ(c.read("z.txt").substr(128), "Z");
    EXPECT_EQ(noms_dans(c.host("")), (std::vector<std::string>{"a.txt", "gros.bin", "z.txt"}));
}

// A file that may be read and written but not replaced (another user's, in a directory
// closed to renames by others): the failed rename is reported, and the file is unchanged.
// (What the pass made there may stay: a sticky directory lets no one but their owner remove
// them.)
TEST_F(Remplace, ReplacementThatFailsIsReportedAndChangesNothing) {
    if (geteuid() != 0) GTEST_SKIP() << "needs to give the files to another user";
    c.write("collectif/sien.txt", "a lui");
    chmod(c.host("collectif/sien.txt").c_str(), 0666);
    chmod(c.host("collectif").c_str(), 01777);
    ASSERT_EQ(chown(c.host("collectif/sien.txt").c_str(), 65534, 65534), 0);
    ASSERT_EQ(chown(c.host("collectif").c_str(), 65534, 65534), 0);
    ASSERT_EQ(_chdir("collectif"), 0);
    SansPrivileges utilisateur;
    messages.attend(2);
    EXPECT_EQ(add_header("sien.txt", 0), 0);
    EXPECT_EQ(add_header("sien.txt", 1), 0);
    EXPECT_EQ(messages.textes, std::vector<std::string>(2, "Le fichier sien.txt n'a pas pu \xea"
                                                           "tre remplac\xe9 : il "
                                                           "n'a pas \xe9t\xe9 modifi\xe9"));
    EXPECT_EQ(c.read("collectif/sien.txt"), "a lui");
}
