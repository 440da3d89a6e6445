// Passes over directories, and the replacement of files under failure: every file ends with
// its old or its new content under its own name, and nothing else is lost. (The cases that
// only POSIX can stage are in remplace_posix.cpp; a pass over a tree through the main
// window, its mask, its backups and its list, in tests/program/parcours.cpp.)
#include "moteur.h"
#include <direct.h>
#include <cstdio>
#include <chrono>
#include <fstream>
#include <thread>
#include <map>
#include <mutex>
#include <set>
#include "app/vidage.h"
#include "enfant.h"
#include "plattest_fs.h"

using Remplace = Moteur;

// Files of every size around the copy block; names with accents, several dots or none; names
// of 255 characters, which fill a list line of 256 with their CR LF (read whole, never cut);
// and, but on Windows, a name that the ANSI code page cannot hold, which reaches the program
// with "?" in its place while the platform layer finds the file all the same (Windows opens
// no such name by the ANSI calls, only by a short name, which a volume need not give).
TEST_F(Remplace, AddThenStripGivesBackEveryFileByteForByte) {
    std::map<std::string, std::string> fichiers = {
        {"vide.dat", ""},
        {"un", octets(1)},
        {"bloc.bin", octets(40960, 7)},
        {"bloc+1.bin", octets(40961, 8)},
        {"gros.bin", octets(5000003, 9)},
        {"r\xc3\xa9sum\xc3\xa9 final.txt", "accents et espace"},
        {"archive.tar.gz", "plusieurs points"},
        {"LISEZMOI", "sans point"},
        {std::string(251, 'n') + ".txt", "long"},
        {std::string(250, 'm') + ".txt", "presque"},
    };
    if (!sous_windows) fichiers["\xe6\x97\xa5\xe6\x9c\xac \xc3\xbcn.txt"] = "hors de Windows-1252";
    for (auto &[nom, contenu] : fichiers) c.write(nom, contenu);

    recurs_add_header("*.*", 0, 0);
    for (auto &[nom, contenu] : fichiers) {
        std::string q = c.read(nom);
        ASSERT_EQ(q.size(), contenu.size() + 128) << nom;
        EXPECT_EQ(lit_be32(q, 83), contenu.size()) << nom;
        EXPECT_TRUE(q.substr(128) == contenu) << nom;
    }
    recurs_strip_header("*.*", 0, 0);
    std::vector<std::string> noms;
    for (auto &[nom, contenu] : fichiers) {
        EXPECT_TRUE(c.read(nom) == contenu) << nom;
        noms.push_back(nom);
    }
    EXPECT_EQ(noms_dans(c.host("")), noms); // the map's order is the sorted one
    EXPECT_EQ(plat_test_unhandled_dialogs(), 0);
}

// A read-only file cannot be opened, so neither converted nor examined: adding and examining
// say so in a message that closes by itself (its timer runs), stripping in one that stays.
TEST_F(Remplace, ReadOnlyFileIsSkippedWithAMessageOfEachCommandsKind) {
    SansPrivileges utilisateur;
    const std::string q = entete_quillon(1, 0) + "q";
    c.write("lu.bin", q);
    if (!lecture_seule(c.host("lu.bin"))) GTEST_SKIP() << "the read-only state does not hold";
    std::vector<std::string> vus; // the text, and whether a timer will close the message
    for (int i = 0; i < 3; ++i)
        plat_test_push_dialog_handler([&vus](HWND h, int) {
            vus.push_back(plat_test_text(h, 128) + (plat_test_timer_count() > 0 ? " (fugace)" : ""));
            plat_test_click(h, 1);
        });
    EXPECT_EQ(add_header("lu.bin", 0), 0);
    EXPECT_EQ(strip_header("lu.bin", 0), 0);
    EXPECT_EQ(display_header("lu.bin"), 0);
    const std::string err = "Erreur \xe0 l'ouverture des fichiers : lu.bin (lecture seule)";
    EXPECT_EQ(vus, (std::vector<std::string>{err + " (fugace)", err, err + " (fugace)"}));
    EXPECT_EQ(c.read("lu.bin"), q);
    EXPECT_EQ(noms_dans(c.host("")), std::vector<std::string>{"lu.bin"});
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
    // not last, so its files must not pass for done. One that the volume cannot do ("invalid
    // function", as some network redirectors answer) is the best it offers: nothing is told.
    messages.attend();
    plat_test_fail_next_directory_flush(ERROR_INVALID_FUNCTION);
    EXPECT_EQ(strip_header("sous\\z.bin", 0), 1);
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

// A pass flushes a directory's work files together, a batch at a time (70 files fill more
// than one), and renames none before its own flush. A work file whose flush fails leaves its
// file as it was, told, with neither work file nor backup; the rest of its batch is replaced.
TEST_F(Remplace, PassFlushesWorkFilesTogetherEachBeforeItsRename) {
    const int n = 70;
    auto nom = [](int i) { return "f" + std::to_string(i); };
    auto contenu = [&](int i) { return nom(i) + " " + octets(100 + i, i); };
    for (int i = 0; i < n; ++i) c.write(nom(i) + ".txt", contenu(i));
    std::mutex garde; // the flushes run in threads of their own
    std::set<std::string> vides;
    size_t vides_au_premier_renommage = 0;
    std::vector<std::string> renommes_trop_tot;
    plat_test_on_flush([&](const std::string &host, bool repertoire) {
        std::lock_guard<std::mutex> l(garde);
        if (!repertoire) vides.insert(host);
    });
    plat_test_on_move([&](const char *de, const char *) {
        std::lock_guard<std::mutex> l(garde);
        if (vides_au_premier_renommage == 0) vides_au_premier_renommage = vides.size();
        if (vides.count(plat_test_host_path(de)) == 0) renommes_trop_tot.push_back(de);
    });
    plat_test_fail_next_flush();
    messages.attend();
    recurs_add_header("*.*", 0, 1);
    plat_test_on_flush(nullptr);
    plat_test_on_move(nullptr);

    EXPECT_EQ(renommes_trop_tot, std::vector<std::string>{});
    EXPECT_GT(vides_au_premier_renommage, 1u);
    std::vector<std::string> anciens, attendus;
    for (int i = 0; i < n; ++i) {
        std::string avant = contenu(i), q = c.read(nom(i) + ".txt");
        if (q == avant) {
            anciens.push_back(nom(i) + ".txt");
            continue;
        }
        EXPECT_TRUE(q.size() == avant.size() + 128 && q.substr(128) == avant) << nom(i);
        EXPECT_TRUE(c.read(nom(i) + ".bak") == avant) << nom(i);
        attendus.push_back(nom(i) + ".bak");
    }
    ASSERT_EQ(anciens.size(), 1u);
    EXPECT_EQ(messages.textes, std::vector<std::string>{"Erreur d'\xe9" "criture du fichier " +
                                                        anciens[0] +
                                                        " : il n'a pas \xe9t\xe9 modifi\xe9"});
    for (int i = 0; i < n; ++i) attendus.push_back(nom(i) + ".txt");
    std::sort(attendus.begin(), attendus.end());
    EXPECT_EQ(noms_dans(c.host("")), attendus);
}

// Another program that changes a file while it is converted (here when its work file is
// flushed, the last moment before the replacement) keeps its change: the file is left as it
// now is, without work file or backup, and the user is told which. Found by the size, by the
// identity of the file under the name, or by the time of its last change alone (same size,
// last-write time set back).
TEST_F(Remplace, FileChangedDuringItsConversionIsLeftAsItNowIs) {
    const time_t date = 1500000000;
    const std::vector<std::string> noms = {"ajout.txt", "reecrit.txt", "remplace.txt", "sage.txt"};
    for (auto &nom : noms) {
        c.write(nom, "avant " + nom);
        date_fichier(c.host(nom), date);
    }
    std::mutex garde; // the flushes run in threads of their own
    plat_test_on_flush([&](const std::string &host, bool repertoire) {
        std::lock_guard<std::mutex> l(garde);
        if (repertoire) return;
        std::string nom = std::filesystem::u8path(host).stem().u8string() + ".txt";
        std::string apres = "APRES " + nom; // as long as before
        if (nom == "ajout.txt") {
            std::ofstream(c.path(nom), std::ios::binary | std::ios::app) << " et la suite";
        } else if (nom == "remplace.txt") {
            c.write("nouveau.tmp", apres);
            date_fichier(c.host("nouveau.tmp"), date);
            std::filesystem::rename(c.path("nouveau.tmp"), c.path(nom));
        } else if (nom == "reecrit.txt") {
            c.write(nom, apres);
            date_fichier(c.host(nom), date);
        }
    });
    messages.attend(3);
    recurs_add_header("*.*", 0, 1);
    plat_test_on_flush(nullptr);
    EXPECT_EQ(c.read("ajout.txt"), "avant ajout.txt et la suite");
    EXPECT_EQ(c.read("remplace.txt"), "APRES remplace.txt");
    EXPECT_EQ(c.read("reecrit.txt"), "APRES reecrit.txt");
    EXPECT_EQ(c.read("sage.txt").substr(128), "avant sage.txt");
    EXPECT_EQ(c.read("sage.bak"), "avant sage.txt");
    EXPECT_EQ(noms_dans(c.host("")), (std::vector<std::string>{"ajout.txt", "reecrit.txt",
                                                               "remplace.txt", "sage.bak",
                                                               "sage.txt"}));
    std::vector<std::string> dits;
    for (int i = 0; i < 3; ++i)
        dits.push_back("Le fichier " + noms[i] + " a \xe9t\xe9 modifi\xe9 par un autre programme "
                       "pendant sa conversion : il est laiss\xe9 tel quel");
    std::sort(messages.textes.begin(), messages.textes.end()); // in the folder's order
    EXPECT_EQ(messages.textes, dits);
}

// The replaced file keeps its hidden and system attributes, and has the archive attribute
// (its content is new); its backup keeps them too. (On Linux a name's dot makes it hidden.)
TEST_F(Remplace, AttributesAreKept) {
    const DWORD vus = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
    for (const char *nom : {"cache.txt", ".point"}) {
        c.write(nom, nom);
        SetFileAttributesA(nom, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        DWORD avant = GetFileAttributesA(nom) & vus;
        EXPECT_EQ(add_header(nom, 1), 1) << nom;
        EXPECT_EQ(GetFileAttributesA(nom) & vus, avant | FILE_ATTRIBUTE_ARCHIVE) << nom;
        EXPECT_EQ(strip_header(nom, 0), 1) << nom;
        EXPECT_EQ(GetFileAttributesA(nom) & vus, avant | FILE_ATTRIBUTE_ARCHIVE) << nom;
    }
    EXPECT_NE(GetFileAttributesA(".point") & FILE_ATTRIBUTE_HIDDEN, 0u);
}

// The pass of one trial below, in a child: its folder, backups or not, and the directory flush
// or the rename at which it kills itself (0: the test kills it).
static const bool passe_enregistree = enregistre_travail("passe", [](const std::string &arg) {
    char dir[32] = "";
    int backup = 0, vidage = 0, renommage = 0;
    sscanf(arg.c_str(), "%31s %d %d %d", dir, &backup, &vidage, &renommage);
    Global_hInst = GetModuleHandleA(nullptr);
    if (vidage > 0)
        plat_test_on_flush([vidage](const std::string &, bool repertoire) mutable {
            if (repertoire && --vidage == 0) tue_moi();
        });
    if (renommage > 0)
        plat_test_on_move([renommage](const char *, const char *) mutable {
            if (--renommage == 0) tue_moi();
        });
    _chdir(dir);
    recurs_add_header("*.*", 1, backup);
});

// A pass killed at any moment: every file holds its old or its new content, complete, under
// its own name; a backup holds the old content; only work files may be left over. Two trials
// kill it between the last rename of a directory and that directory's flush: the directory's
// files are all new by then. The last kills it amid the renames of a batch flushed together.
TEST_F(Remplace, PassKilledAtAnyMomentLosesNothing) {
    ASSERT_TRUE(passe_enregistree);
    std::map<std::string, std::string> arbre = {{"a.bin", octets(16 << 20, 12)}};
    for (int i = 0; i < 8; ++i) {
        arbre["f" + std::to_string(i) + ".txt"] = octets(1000 + i, 20 + i);
        arbre["sous/g" + std::to_string(i) + ".txt"] = octets(50000 + i, 40 + i);
    }
    const int delais_ms[] = {10, 20, 35, 50, 65, 80, 100, 130};
    const int essais_au_vidage = 2; // killed at the flush of the top directory, then of sous
    const int renommage = 5;        // the last trial: killed as sous's fifth file is renamed
    for (int essai = 0; essai < 8 + essais_au_vidage + 1; ++essai) {
        std::string dir = "essai" + std::to_string(essai);
        for (auto &[nom, contenu] : arbre) c.write(dir + "/" + nom, contenu);
        // The trials killed at a directory flush make no backups, whose names a flush of their
        // own puts on the disk first (BackupNamesReachTheDiskBeforeAnyFileIsReplaced).
        int vidage = essai - 7, backup = vidage > 0 ? 0 : essai % 2, renomme = 0;
        if (vidage > essais_au_vidage) vidage = 0, renomme = 9 + renommage; // top's 9 first
        std::string travail = dir + " " + std::to_string(backup) + " " + std::to_string(vidage) +
                              " " + std::to_string(renomme);
        bool tue = tue_apres(vidage <= 0 && renomme == 0 ? delais_ms[essai] : -1, "passe", travail);
        if (vidage > 0 || renomme > 0) {
            ASSERT_TRUE(tue) << "no flush or rename " << vidage << " " << renomme;
        }

        int nouveaux_dans_sous = 0;
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
            nouveaux_dans_sous += dans_sous && nouveau;
        }
        if (renomme > 0) {
            EXPECT_EQ(nouveaux_dans_sous, renommage - 1) << dir;
        }
        for (auto &e : std::filesystem::recursive_directory_iterator(c.path(dir))) {
            if (e.is_directory()) continue;
            std::string rel = e.path().lexically_relative(c.path(dir)).generic_u8string();
            std::string ext = e.path().extension().u8string();
            if (arbre.count(rel) || ext == ".$$$") continue;
            ASSERT_EQ(ext, ".bak") << rel;
            std::string source = rel.substr(0, rel.size() - 4);
            std::string original =
                arbre.count(source + ".txt") ? arbre[source + ".txt"] : arbre[source + ".bin"];
            EXPECT_TRUE(c.read(dir + "/" + rel) == original) << rel;
        }
    }
}

// The pass of a copy of the program that keeps running beside the test's: it stops for good
// at its first flush of a work file, once it has told the test so (the file named second).
static const bool bloque_enregistre = enregistre_travail("bloque", [](const std::string &arg) {
    char dir[64] = "", signal[MAX_PATH] = "";
    sscanf(arg.c_str(), "%63s %259s", dir, signal);
    Global_hInst = GetModuleHandleA(nullptr);
    std::string hote = signal;
    plat_test_on_flush([hote](const std::string &, bool repertoire) {
        if (repertoire) return;
        std::ofstream(chemin_hote(hote)) << "pret";
        for (;;) std::this_thread::sleep_for(std::chrono::seconds(1));
    });
    _chdir(dir);
    recurs_add_header("*.*", 1, 0);
});

// What a killed pass left (its work files, its list at the drive's root) is removed by the
// next pass, which never takes it for the user's files, while a user's files named like the
// program's are converted and never removed; what another running copy of the program uses
// stays until it has ended. Where the volume keeps no marks (FAT, exFAT, Wine's drives), no
// such name is converted or removed, and each folder that holds some is told of.
TEST_F(Remplace, WhatAKilledPassLeftIsRemovedByTheNextAndNothingInUse) {
    ASSERT_TRUE(passe_enregistree && bloque_enregistre);
    DWORD drapeaux = 0;
    GetVolumeInformationA("C:\\", nullptr, 0, nullptr, nullptr, &drapeaux, nullptr, 0);
    const bool marques = (drapeaux & FILE_NAMED_STREAMS) != 0;
    auto listes = [&] {
        int n = 0;
        for (auto &nom : noms_dans(c.host(""))) n += nom.rfind("qln", 0) == 0;
        return n;
    };
    for (int i = 0; i < 5; ++i) c.write("travail/mort/f" + std::to_string(i) + ".txt", "f");
    for (int i = 0; i < 3; ++i) c.write("travail/vivant/g" + std::to_string(i) + ".txt", "g");
    ASSERT_TRUE(tue_apres(-1, "passe", "travail\\mort 0 0 3")); // killed at its third rename
    EXPECT_EQ(listes(), 1);
    c.write("travail/mort/mien.$$$", "mien");
    c.write("travail/mort/tien.$42", "tien");
    Enfant vivant = lance_enfant("bloque", "travail\\vivant " + c.host("pret"));
    for (int i = 0; i < 600 && !c.exists("pret"); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_TRUE(c.exists("pret")); // (no assertion may leave the copy running)
    EXPECT_EQ(listes(), marques ? 1 : 2); // the killed pass's list goes with the next pass's

    EXPECT_EQ(_chdir("travail"), 0);
    messages.attend(5, Reponse::coche); // f0.txt is a Quillon file already: not told again
    recurs_add_header("*.*", 1, 1);
    const std::vector<std::string> vivant_avant = {"g0.$$$", "g0.bak", "g0.txt", "g1.$$$",
                                                   "g1.bak", "g1.txt", "g2.$$$", "g2.bak",
                                                   "g2.txt"};
    EXPECT_EQ(noms_dans(c.host("travail/vivant")), vivant_avant);
    EXPECT_EQ(listes(), marques ? 1 : 2);
    termine(vivant, 0);
    recurs_add_header("*.*", 1, 0);
    _chdir("..");

    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(c.read("travail/mort/f" + std::to_string(i) + ".txt").substr(128), "f") << i;
    // Told once: f0.txt or f1.txt, whichever the folder lists first, is a Quillon file already.
    ASSERT_EQ(messages.textes.size(), marques ? 1u : 5u);
    std::map<std::string, int> dossiers; // the folders told of, and how many times
    for (const std::string &t : messages.textes) {
        size_t d = t.find(" du dossier "), f = t.find(" nomm\xe9 comme les fichiers de "
                                                      "travail de Quillon : sur ce disque");
        if (d != std::string::npos && f != std::string::npos) {
            ++dossiers[t.substr(d + 12, f - d - 12)];
            continue;
        }
        EXPECT_NE(t.find(" est d\xe9j\xe0 de type Quillon"), std::string::npos) << t;
    }
    if (marques) {
        EXPECT_EQ(noms_dans(c.host("travail/mort")),
                  (std::vector<std::string>{"f0.txt", "f1.txt", "f2.bak", "f2.txt", "f3.bak",
                                            "f3.txt", "f4.bak", "f4.txt", "mien.$$$", "mien.bak",
                                            "tien.$42", "tien.bak"}));
        EXPECT_EQ(c.read("travail/mort/mien.$$$").substr(128), "mien");
        EXPECT_EQ(c.read("travail/mort/tien.$42").substr(128), "tien");
        EXPECT_EQ(noms_dans(c.host("travail/vivant")),
                  (std::vector<std::string>{"g0.bak", "g0.txt", "g1.bak", "g1.txt", "g2.bak",
                                            "g2.txt"}));
        EXPECT_EQ(listes(), 0);
    } else {
        EXPECT_EQ(c.read("travail/mort/mien.$$$"), "mien");
        EXPECT_EQ(noms_dans(c.host("travail/vivant")), vivant_avant);
        EXPECT_EQ(listes(), 2);
        // Each folder is told of at each pass, naming one of its files.
        EXPECT_EQ(dossiers, (std::map<std::string, int>{{"C:\\travail\\mort", 2},
                                                        {"C:\\travail\\vivant", 2}}));
    }
}
