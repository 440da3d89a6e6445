// Passes over directories, and the replacement of files under failure: every file ends with
// its old or its new content under its own name, and nothing else is lost.
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <cstdlib>
#include <map>
#include <direct.h>
#include "kernel32/names_utf8.h"
#include "app/vidage.h"
#include "moteur.h"
#include "plattest_fs.h"

using Remplace = Moteur;

// The program sees host names in Windows-1252 (a character it cannot hold as "?").
static const std::map<std::string, std::string> fichiers_aller_retour = {
    {"vide.dat", ""},
    {"un", octets(1)},
    {"bloc.bin", octets(40960, 7)},
    {"bloc+1.bin", octets(40961, 8)},
    {"gros.bin", octets(5000003, 9)},
    {"r\xc3\xa9sum\xc3\xa9 final.txt", "accents et espace"},
    {"archive.tar.gz", "plusieurs points"},
    {"LISEZMOI", "sans point"},
    {"\xe6\x97\xa5\xe6\x9c\xac \xc3\xbcn.txt", "hors de Windows-1252"},
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

// A read-only file cannot be opened, so neither converted nor examined: adding and examining
// say so in a message that closes by itself (its timer runs), stripping in one that stays.
TEST_F(Remplace, ReadOnlyFileIsSkippedWithAMessageOfEachCommandsKind) {
    SansPrivileges utilisateur;
    const std::string q = entete_quillon(1, 0) + "q";
    c.write("lu.bin", q);
    chmod(c.host("lu.bin").c_str(), 0444);
    std::vector<std::string> vus; // the text, and whether a timer will close the message
    for (int i = 0; i < 3; ++i)
        plat_test_push_dialog_handler([&vus](HWND h, int) {
            vus.push_back(plat_test_text(h, 128) + (plat_test_timer_count() > 0 ? " (fugace)" : ""));
            plat_test_click(h, 1);
        });
    EXPECT_EQ(add_header("lu.bin", 0), 0);
    EXPECT_EQ(strip_header("lu.bin", 0), 0);
    EXPECT_EQ(display_header("lu.bin"), 0);
    const std::string err = "Erreur \xe0 l'ouverture des fichiers";
    EXPECT_EQ(vus, (std::vector<std::string>{err + " (fugace)", err, err + " (fugace)"}));
    EXPECT_EQ(c.read("lu.bin"), q);
    EXPECT_EQ(noms_dans(c.host("")), std::vector<std::string>{"lu.bin"});
}

// Where the root cannot be written the list goes to the temporary directory; where neither
// can, the message names the folder whose files are ignored. A file whose work file cannot be
// made is skipped with a message saying why, and the pass goes on.
TEST_F(Remplace, ListFindsAPlaceAndAFileThatCannotBeConvertedIsSkipped) {
    SansPrivileges utilisateur;
    c.mkdir("temp");
    setenv("TMP", c.host("temp").c_str(), 1);
    c.write("docs/a.txt", "A");
    c.write("docs/ro/b.txt", "B");
    c.write("docs/z/c.txt", "C");
    chmod(c.host("").c_str(), 0555);
    chmod(c.host("docs/ro").c_str(), 0555);
    ASSERT_EQ(_chdir("docs"), 0);
    messages.attend(2);
    recurs_add_header("*.*", 1, 0);
    chmod(c.host("temp").c_str(), 0555);
    recurs_add_header("*.*", 0, 0);
    chmod(c.host("").c_str(), 0755);
    chmod(c.host("temp").c_str(), 0755);
    EXPECT_EQ(messages.textes,
              (std::vector<std::string>{"Le fichier b.txt n'a pas \xe9t\xe9 modifi\xe9 : b.$$$ ne peut "
                                        "pas \xea" "tre cr\xe9\xe9 (acc\xe8s refus\xe9)",
                                        "La liste des fichiers du r\xe9pertoire C:\\docs n'a pas pu "
                                        "\xea" "tre \xe9" "crite : ses fichiers sont ignor\xe9s"}));
    EXPECT_EQ(c.read("docs/a.txt").substr(128), "A");
    EXPECT_EQ(c.read("docs/ro/b.txt"), "B");
    EXPECT_EQ(c.read("docs/z/c.txt").substr(128), "C");
    EXPECT_EQ(noms_dans(c.host("docs/ro")), std::vector<std::string>{"b.txt"});
    EXPECT_EQ(noms_dans(c.host("temp")), std::vector<std::string>{});
    EXPECT_EQ(noms_dans(c.host("")), (std::vector<std::string>{"docs", "temp"}));
}

// On a full drive the list goes to the temporary directory too; each file then fails to be
// written, and says so. (A small file system of its own is mounted over drive C:.)
TEST(RemplacePlein, FullDriveListGoesToTheTemporaryDirectory) {
    TempDrives d(2);
    d.write("a.txt", "A");
    d.mkdir("temp", 'D');
    setenv("TMP", d.host("temp", 'D').c_str(), 1);
    pid_t pid = fork();
    if (pid == 0) {
        if (unshare(CLONE_NEWNS) != 0 || mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount("tmpfs", d.host("").c_str(), "tmpfs", 0, "size=64k") != 0)
            _exit(2);
        d.write("a.txt", "A");
        d.write("plein.bin", std::string(1 << 20, 'p')); // as much as fits
        Global_hInst = GetModuleHandleA(nullptr);
        Messages m;
        m.attend(2);
        recurs_add_header("*.*", 0, 0);
        _exit(m.textes == std::vector<std::string>{
                              "Erreur d'\xe9" "criture du fichier a.txt : il n'a pas \xe9t\xe9 modifi\xe9",
                              "Erreur d'\xe9" "criture du fichier plein.bin : il n'a pas \xe9t\xe9 modifi\xe9"}
                  ? 0
                  : 1);
    }
    int statut = 0;
    waitpid(pid, &statut, 0);
    unsetenv("TMP");
    if (WIFEXITED(statut) && WEXITSTATUS(statut) == 2) GTEST_SKIP() << "cannot mount a file system";
    EXPECT_TRUE(WIFEXITED(statut) && WEXITSTATUS(statut) == 0);
    EXPECT_EQ(noms_dans(d.host("temp", 'D')), std::vector<std::string>{});
}

// A write that fails part-way (here a file-size limit) leaves the file as it was, removes the
// work file and says so; the pass goes on with the next file.
TEST_F(Remplace, WriteFailingPartWayLeavesTheFileAsItWas) {
    std::string gros = octets(3 << 20, 11);
    c.write("a.txt", "A");
    c.write("gros.bin", gros);
    c.write("z.txt", "Z");
    auto dans_un_enfant = [](auto travail) {
        pid_t pid = fork();
        if (pid == 0) {
            signal(SIGXFSZ, SIG_IGN);
            struct rlimit lim = {1 << 20, 1 << 20};
            setrlimit(RLIMIT_FSIZE, &lim);
            _exit(travail() ? 0 : 1);
        }
        int statut = 0;
        waitpid(pid, &statut, 0);
        return WIFEXITED(statut) && WEXITSTATUS(statut) == 0;
    };
    const std::string dit = "Erreur d'\xe9"
                            "criture du fichier gros.bin : il n'a pas \xe9t\xe9 modifi\xe9";
    EXPECT_TRUE(dans_un_enfant([&] {
        messages.attend();
        return add_header("gros.bin", 1) == 0 && messages.textes == std::vector<std::string>{dit};
    }));
    EXPECT_EQ(c.read("gros.bin"), gros);
    EXPECT_EQ(noms_dans(c.host("")), (std::vector<std::string>{"a.txt", "gros.bin", "z.txt"}));

    EXPECT_TRUE(dans_un_enfant([&] {
        messages.attend();
        recurs_add_header("*.*", 0, 0);
        return messages.textes == std::vector<std::string>{dit};
    }));
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

// A pass killed at any moment: every file holds its old or its new content, complete, under
// its own name; a backup holds the old content; only work files may be left over. The last
// trials kill it between the last rename of a directory and that directory's flush: the
// directory's files are all new by then.
TEST_F(Remplace, PassKilledAtAnyMomentLosesNothing) {
    std::map<std::string, std::string> arbre = {{"a.bin", octets(16 << 20, 12)}};
    for (int i = 0; i < 8; ++i) {
        arbre["f" + std::to_string(i) + ".txt"] = octets(1000 + i, 20 + i);
        arbre["sous/g" + std::to_string(i) + ".txt"] = octets(50000 + i, 40 + i);
    }
    const int delais_ms[] = {10, 20, 35, 50, 65, 80, 100, 130};
    const int essais_au_vidage = 2; // killed at the flush of the top directory, then of sous
    for (int essai = 0; essai < 8 + essais_au_vidage; ++essai) {
        std::string dir = "essai" + std::to_string(essai);
        for (auto &[nom, contenu] : arbre) c.write(dir + "/" + nom, contenu);
        int backup = essai % 2, vidage = essai - 7;
        pid_t pid = fork();
        if (pid == 0) {
            plat_test_on_flush([vidage](const std::string &, bool repertoire) mutable {
                if (repertoire && --vidage == 0) raise(SIGKILL);
            });
            _chdir(dir.c_str());
            recurs_add_header("*.*", 1, backup);
            _exit(0);
        }
        if (vidage <= 0) {
            usleep(delais_ms[essai] * 1000);
            kill(pid, SIGKILL);
        }
        int statut = 0;
        waitpid(pid, &statut, 0);
        if (vidage > 0) {
            ASSERT_TRUE(WIFSIGNALED(statut)) << "no flush of directory " << vidage;
        }

        for (auto &[nom, contenu] : arbre) {
            std::string a = c.read(dir + "/" + nom);
            bool ancien = a == contenu;
            bool nouveau =
                a.size() == contenu.size() + 128 && a.compare(128, contenu.size(), contenu) == 0;
            EXPECT_TRUE(ancien || nouveau) << dir << "/" << nom << " " << a.size();
            bool dans_sous = nom.rfind("sous/", 0) == 0;
            if (vidage == 1 + dans_sous) {
                EXPECT_TRUE(nouveau) << dir << "/" << nom;
            }
        }
        for (auto &e : std::filesystem::recursive_directory_iterator(c.host(dir))) {
            if (e.is_directory()) continue;
            std::string rel = e.path().lexically_relative(c.host(dir));
            std::string ext = e.path().extension();
            if (arbre.count(rel) || ext == ".$$$") continue;
            ASSERT_EQ(ext, ".bak") << rel;
            std::string source = rel.substr(0, rel.size() - 4);
            std::string original =
                arbre.count(source + ".txt") ? arbre[source + ".txt"] : arbre[source + ".bin"];
            EXPECT_TRUE(c.read(dir + "/" + rel) == original) << rel;
        }
    }
}

// A pass flushes each directory once, after its last replaced file and before the next
// directory; a message is shown only once what was replaced before it is on the disk. A
// name with its own directory has that directory flushed at once.
TEST_F(Remplace, EachDirectoryFlushedOnceAfterItsFilesAndBeforeAnyMessage) {
    c.write("a.txt", "A");
    c.write("b.txt", "B");
    c.write("sous/c.txt", "C");
    c.write("sous/z.bin", entete_quillon(1, 0) + "Z");
    struct Vidage {
        std::string repertoire;
        std::vector<size_t> tailles; // of a.txt, b.txt and sous/c.txt at that moment
    };
    std::vector<Vidage> vidages;
    plat_test_on_flush([&](const std::string &host, bool repertoire) {
        if (!repertoire) return;
        vidages.push_back({host, {c.read("a.txt").size(), c.read("b.txt").size(),
                                  c.read("sous/c.txt").size()}});
    });
    size_t vidages_au_message = 0;
    plat_test_push_dialog_handler([&](HWND hDlg, int) {
        vidages_au_message = vidages.size();
        plat_test_click(hDlg, 1);
    });
    recurs_add_header("*.*", 1, 0);
    ASSERT_EQ(vidages.size(), 2u);
    EXPECT_EQ(vidages[0].repertoire, c.host(""));
    EXPECT_EQ(vidages[0].tailles, (std::vector<size_t>{129, 129, 1}));
    EXPECT_EQ(vidages[1].repertoire, c.host("sous"));
    EXPECT_EQ(vidages[1].tailles, (std::vector<size_t>{129, 129, 129}));
    EXPECT_EQ(vidages_au_message, 2u); // z.bin is told about after sous/c.txt is flushed

    vidages.clear();
    EXPECT_EQ(strip_header("sous\\c.txt", 0), 1);
    ASSERT_EQ(vidages.size(), 1u);
    EXPECT_EQ(vidages[0].repertoire, c.host("sous"));
    plat_test_on_flush(nullptr);

    // A directory flush that the disk refuses is told, naming the directory: its renames may
    // not last, so its files must not pass for done.
    messages.attend();
    plat_test_fail_next_directory_flush();
    EXPECT_EQ(strip_header("b.txt", 0), 1);
    vide_repertoires();
    ASSERT_EQ(messages.textes.size(), 1u);
    EXPECT_NE(messages.textes[0].find("dossier C:\\ :"), std::string::npos) << messages.textes[0];

    // What is still pending when the program ends (a fatal error too) is flushed then.
    EXPECT_EXIT(
        {
            plat_test_on_flush([](const std::string &, bool repertoire) {
                if (repertoire) _exit(3);
            });
            strip_header("a.txt", 0);
            exit(1);
        },
        testing::ExitedWithCode(3), "");
}
