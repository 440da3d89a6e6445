// Speed and memory of adding and stripping headers, against baselines doing the same durable
// work: cp of the same data followed by a flush of every copy to the disk; and the speed of
// the main window in a large folder, against the system's own listing of it. Each figure is
// measured over several runs, in an order that changes from run to run (what runs right after
// another may pay for its leftovers): its best, median and worst, and the ratios of its best
// and of its median to the baseline's of the same invocation. QUILLON_BENCH_RUNS sets the
// number of runs.
//
//   quillon_bench WORKDIR [PART...]       all the measurements (or only those of the parts
//                                         named: file tree start memory folder clicks), printed
//                                         with their ratios
//   quillon_bench --pass OP NAME RECURS [BACKUP]
//                                         one pass in the current directory (child process):
//                                         OP add|strip (or list: the enumeration alone), NAME
//                                         a file or a pattern, BACKUP 1 to keep backups;
//                                         prints the seconds it took
//   quillon_bench --window open|clicks N  the program's main window in the current directory
//                                         (child process): open enters the folder "grand"
//                                         then lists it again through the mask "*.txt";
//                                         clicks Ctrl-clicks the first N files one by one;
//                                         prints the seconds each took
//
// Each pass runs in a process of its own, as the program does, inside its main window (so
// the progress bar and the busy cursor work), headless; its peak memory is that process's.
#include <fcntl.h>
#include <sys/resource.h>
#include <dirent.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>
#include <windows.h>
#include "app/quillon.h"
#include "app/quillonid.h"
#include "app/vidage.h"
#include "plattest_ui.h"

namespace fs = std::filesystem;
using horloge = std::chrono::steady_clock;

// ---- The child: one pass inside the program's main window

static INT_PTR CALLBACK fenetre_banc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

// The platform's enumeration of a directory alone, without the engine: what a pass cannot
// do without.
static void enumere(const char *motif) {
    WIN32_FIND_DATAA e;
    HANDLE h = FindFirstFileA(motif, &e);
    if (h == INVALID_HANDLE_VALUE) return;
    while (FindNextFileA(h, &e)) {
    }
    FindClose(h);
}

// A child starts as the program's WinMain does (the common controls: the pass shows the
// progress bar), with the hooks that hand its dialogs to the handlers below.
static void demarre_enfant(int *argc, char **argv) {
    plat_test_init(argc, argv);
    Global_hInst = GetModuleHandleA(nullptr);
}

// The pass starts once the main window is on screen, as when the user presses its button;
// a message about a file of the wrong kind is answered once with "do not tell again".
static int passe_enfant(int argc, char **argv) {
    demarre_enfant(&argc, argv);
    const char *op = argv[2], *nom = argv[3];
    int recurs = atoi(argv[4]), backup = argc > 5 ? atoi(argv[5]) : 0;
    double secondes = 0;
    plat_test_push_dialog_handler([&](HWND hDlg, int) {
        hWndMain = hDlg;
        auto debut = horloge::now();
        int ajout = strcmp(op, "add") == 0;
        if (strcmp(op, "list") == 0)
            enumere(nom);
        else if (recurs < 0) {
            ajout ? add_header(nom, 0) : strip_header(nom, 0);
            vide_repertoires(); // as a command does at its end
        } else {
            ajout ? recurs_add_header(nom, recurs, backup) : recurs_strip_header(nom, recurs, backup);
        }
        secondes = std::chrono::duration<double>(horloge::now() - debut).count();
        EndDialog(hDlg, 0);
    });
    plat_test_push_dialog_handler([](HWND hDlg, int) {
        plat_test_click(hDlg, 136);
        plat_test_click(hDlg, IDOK);
    });
    DialogBoxParamA(Global_hInst, MAKEINTRESOURCEA(DLG_PRINCIPAL), nullptr, fenetre_banc, 0);
    printf("%.6f %d\n", secondes, plat_test_unhandled_dialogs());
    return 0;
}

// The index of the entry texte in list id of the main window; -1 when it holds none.
static int entree(HWND hDlg, int id, const char *texte) {
    HWND liste = GetDlgItem(hDlg, id);
    int n = (int)SendMessageA(liste, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < n; ++i) {
        char lu[MAX_PATH + 3] = "";
        if (SendMessageA(liste, LB_GETTEXTLEN, i, 0) < (LRESULT)sizeof lu &&
            SendMessageA(liste, LB_GETTEXT, i, (LPARAM)lu) >= 0 && strcmp(lu, texte) == 0)
            return i;
    }
    return -1;
}

// Seconds of processor time this process has used: what the window's work costs, whatever
// else the machine runs meanwhile.
static double processeur() {
    struct timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return (double)t.tv_sec + (double)t.tv_nsec / 1e9;
}

// Processor time taken by action, the window then shown again (the lists laid out and drawn).
template <typename Action> static double chrono_fenetre(Action action) {
    double debut = processeur();
    action();
    plat_test_wait(1);
    return processeur() - debut;
}

// The program's main window, as the user opens a large folder in it, lists it again through
// a mask, or selects its files one by one with Ctrl-clicks.
static int fenetre_enfant(int argc, char **argv) {
    demarre_enfant(&argc, argv);
    const char *quoi = argv[2];
    int n = atoi(argv[3]);
    double t1 = 0, t2 = 0;
    int vu = 0; // what the window shows once done, to check it did the work
    plat_test_push_dialog_handler([&](HWND hDlg, int) {
        HWND fichiers = GetDlgItem(hDlg, IDD_FICHIERS);
        if (strcmp(quoi, "open") == 0) {
            int i = entree(hDlg, IDD_REPERTOIRES, "[grand]");
            t1 = chrono_fenetre([&] { plat_test_double_click(hDlg, IDD_REPERTOIRES, i); });
            plat_test_type(hDlg, IDD_NOMFICHIER, "*.txt");
            t2 = chrono_fenetre([&] { plat_test_key(hDlg, VK_RETURN); });
            vu = (int)SendMessageA(fichiers, LB_GETCOUNT, 0, 0);
        } else {
            t1 = chrono_fenetre([&] {
                for (int i = 0; i < n; ++i) plat_test_select(hDlg, IDD_FICHIERS, i, PLAT_MOD_CTRL);
            });
            vu = (int)SendMessageA(fichiers, LB_GETSELCOUNT, 0, 0);
        }
        EndDialog(hDlg, 0);
    });
    DialogBoxParamA(Global_hInst, MAKEINTRESOURCEA(DLG_PRINCIPAL), nullptr, MainWinProc, 0);
    printf("%.6f %.6f %d %d\n", t1, t2, vu, plat_test_unhandled_dialogs());
    return 0;
}

// ---- The parent: data, baselines, passes, figures

struct Mesure {
    double secondes;
    long pic_ko; // peak resident memory of the child, in KiB
};

static std::string moi;

static void sh(const std::string &commande) {
    if (system(commande.c_str()) != 0) {
        fprintf(stderr, "failed: %s\n", commande.c_str());
        exit(1);
    }
}

static double chrono_sh(const std::string &commande) {
    sh("sync");
    auto debut = horloge::now();
    sh(commande);
    return std::chrono::duration<double>(horloge::now() - debut).count();
}

// A child process of this program, run with args in dir: its one line of output and its
// peak memory in KiB. A child that fails ends the benchmark.
static std::string enfant(const std::string &dir, const std::vector<std::string> &args,
                          long *pic_ko) {
    sh("sync");
    int tube[2];
    if (pipe(tube) != 0) exit(1);
    pid_t pid = fork();
    if (pid == 0) {
        dup2(tube[1], 1);
        close(tube[0]);
        if (chdir(dir.c_str()) != 0) _exit(1);
        std::vector<char *> argv = {(char *)moi.c_str()};
        for (const std::string &a : args) argv.push_back((char *)a.c_str());
        argv.push_back(nullptr);
        execv(moi.c_str(), argv.data());
        _exit(1);
    }
    close(tube[1]);
    char sortie[128] = "";
    ssize_t n = read(tube[0], sortie, sizeof sortie - 1);
    close(tube[0]);
    int statut = 0;
    struct rusage ru;
    wait4(pid, &statut, 0, &ru);
    if (n <= 0 || !WIFEXITED(statut) || WEXITSTATUS(statut) != 0) {
        fprintf(stderr, "the child %s in %s failed\n", args[1].c_str(), dir.c_str());
        exit(1);
    }
    *pic_ko = ru.ru_maxrss;
    return sortie;
}

// One pass in a fresh process whose current directory is dir.
static Mesure passe(const std::string &dir, const char *op, const std::string &nom, int recurs,
                    int backup = 0) {
    Mesure m = {0, 0};
    std::string sortie = enfant(
        dir, {"--pass", op, nom, std::to_string(recurs), std::to_string(backup)}, &m.pic_ko);
    int sans_reponse = 0;
    if (sscanf(sortie.c_str(), "%lf %d", &m.secondes, &sans_reponse) != 2 || sans_reponse != 0) {
        fprintf(stderr, "the pass %s %s in %s showed unexpected messages\n", op, nom.c_str(),
                dir.c_str());
        exit(1);
    }
    return m;
}

// The main window in a fresh process whose current directory is dir: the seconds of its two
// steps, once it has shown (or selected) attendu files.
static void fenetre(const std::string &dir, const char *quoi, int n, int attendu, double *t1,
                    double *t2) {
    long pic;
    std::string sortie = enfant(dir, {"--window", quoi, std::to_string(n)}, &pic);
    int vu = 0, sans_reponse = 0;
    if (sscanf(sortie.c_str(), "%lf %lf %d %d", t1, t2, &vu, &sans_reponse) != 4 || vu != attendu ||
        sans_reponse != 0) {
        fprintf(stderr, "the window (%s) in %s showed %d files, not %d\n", quoi, dir.c_str(), vu,
                attendu);
        exit(1);
    }
}

// The system's own listing of a folder: each name read, and the status of each (processor
// time).
static double lecture_stat(const std::string &dir) {
    double debut = processeur();
    DIR *d = opendir(dir.c_str());
    if (d == nullptr) exit(1);
    struct stat st;
    while (struct dirent *e = readdir(d))
        if (stat((dir + "/" + e->d_name).c_str(), &st) != 0) exit(1);
    closedir(d);
    return processeur() - debut;
}

// n small files fichier0.txt ... in dir.
static void cree_fichiers(const std::string &dir, int n) {
    fs::create_directories(dir);
    for (int f = 0; f < n; ++f) {
        int fd =
            open((dir + "/fichier" + std::to_string(f) + ".txt").c_str(), O_CREAT | O_WRONLY, 0644);
        if (fd < 0 || write(fd, "0123456789abcdef", 16) != 16 || close(fd) != 0) exit(1);
    }
}

static void ecrit_fichier(const std::string &chemin, size_t taille, unsigned graine) {
    std::vector<char> bloc(1 << 20);
    uint32_t x = graine;
    for (auto &c : bloc) c = (char)((x = x * 1664525u + 1013904223u) >> 24);
    FILE *f = fopen(chemin.c_str(), "wb");
    if (f == nullptr) exit(1);
    for (size_t fait = 0; fait < taille;) {
        size_t n = std::min(bloc.size(), taille - fait);
        // No two blocks alike; and a first byte that is not 0, so that no file is taken for
        // one that already carries a header.
        bloc[0] = (char)(1 + (fait >> 20) % 255);
        if (fwrite(bloc.data(), 1, n, f) != n) exit(1);
        fait += n;
    }
    if (fclose(f) != 0) exit(1);
}

// The least durable work a pass over the tree does, without a header: each file copied beside
// itself, the copy flushed to the disk and renamed over the file, one file after the other.
// Replacing a file frees its old inode, which copying does not: some file systems pay for that
// at every later creation (ext4 without a journal passes over each inode freed in the last
// minute), and this shows what the system asks of any replacing pass.
static double remplace_chaque(const std::string &dir) {
    std::vector<std::string> noms;
    for (const auto &e : fs::recursive_directory_iterator(dir))
        if (e.is_regular_file()) noms.push_back(e.path().string());
    sh("sync");
    auto debut = horloge::now();
    std::vector<char> contenu;
    for (const std::string &nom : noms) {
        std::string copie = nom + ".tmp";
        int src = open(nom.c_str(), O_RDONLY);
        struct stat st;
        if (src < 0 || fstat(src, &st) != 0) exit(1);
        contenu.resize((size_t)st.st_size);
        int dst = open(copie.c_str(), O_CREAT | O_EXCL | O_WRONLY, st.st_mode & 07777);
        if (dst < 0 || read(src, contenu.data(), contenu.size()) != (ssize_t)contenu.size() ||
            write(dst, contenu.data(), contenu.size()) != (ssize_t)contenu.size() ||
            fsync(dst) != 0 || close(dst) != 0 || close(src) != 0 ||
            rename(copie.c_str(), nom.c_str()) != 0)
            exit(1);
    }
    return std::chrono::duration<double>(horloge::now() - debut).count();
}

// Each pass must have done its work: a header added, or taken off.
static void verifie(const std::string &chemin, unsigned long long taille) {
    if (fs::file_size(chemin) != taille) {
        fprintf(stderr, "%s: %llu bytes, not %llu\n", chemin.c_str(),
                (unsigned long long)fs::file_size(chemin), taille);
        exit(1);
    }
}

// The times of one figure over the runs.
struct Serie {
    std::vector<double> s;
    double meilleur() const { return *std::min_element(s.begin(), s.end()); }
    double pire() const { return *std::max_element(s.begin(), s.end()); }
    double mediane() const {
        std::vector<double> t = s;
        std::sort(t.begin(), t.end());
        size_t n = t.size();
        return n % 2 ? t[n / 2] : (t[n / 2 - 1] + t[n / 2]) / 2;
    }
};

static void ligne(const char *quoi, const Serie &m, const Serie &base) {
    printf("  %-40s best %7.3f s  median %7.3f s  worst %7.3f s (+%3.0f%%)   %5.2f x  %5.2f x\n",
           quoi, m.meilleur(), m.mediane(), m.pire(), 100 * (m.pire() / m.meilleur() - 1),
           m.meilleur() / base.meilleur(), m.mediane() / base.mediane());
}

static void entete(const char *quoi, int essais) {
    printf("%s (%d runs; best, median and worst, the worst's spread over the best; ratios of "
           "best and of median to the baseline's):\n",
           quoi, essais);
}

// Run r measures the baseline first, between the two operations, or last, in turn: adding
// always comes before stripping, which needs its header.
template <typename Base, typename Ajout, typename Retrait>
static void en_alternance(int essais, Base base, Ajout ajout, Retrait retrait) {
    for (int r = 0; r < essais; ++r) {
        if (r % 3 == 0) base();
        ajout();
        if (r % 3 == 1) base();
        retrait();
        if (r % 3 == 2) base();
    }
}

int main(int argc, char **argv) {
    moi = fs::canonical("/proc/self/exe");
    if ((argc == 5 || argc == 6) && strcmp(argv[1], "--pass") == 0) return passe_enfant(argc, argv);
    if (argc == 4 && strcmp(argv[1], "--window") == 0) return fenetre_enfant(argc, argv);
    if (argc < 2) {
        fprintf(stderr, "usage: %s WORKDIR [file|tree|start|memory|folder|clicks]...\n", argv[0]);
        return 2;
    }
    std::vector<std::string> parties(argv + 2, argv + argc);
    auto partie = [&](const char *nom) {
        return parties.empty() || std::find(parties.begin(), parties.end(), nom) != parties.end();
    };
    std::string base = fs::absolute(argv[1]);
    const std::string cli = (fs::path(moi).parent_path() / "quillon-cli").string();
    fs::remove_all(base);
    fs::create_directories(base);
    setvbuf(stdout, nullptr, _IOLBF, 0);

    const char *env = getenv("QUILLON_BENCH_RUNS");
    int essais = env != nullptr && atoi(env) > 0 ? atoi(env) : 0;

    // One file of 1 GiB: add then strip, each against cp of the file and a flush of the copy;
    // and, for comparison, the same copy then put in the original's place and its directory
    // flushed, which is what a replacement does.
    if (partie("file")) {
        std::string dir = base + "/grand";
        fs::create_directories(dir);
        ecrit_fichier(dir + "/grand.bin", 1ull << 30, 1);
        int n = essais ? essais : 5;
        entete("One file of 1 GiB", n);
        Serie cp, remplace, ajout, retrait;
        en_alternance(
            n,
            [&] {
                cp.s.push_back(chrono_sh("cd '" + dir +
                                         "' && cp grand.bin copie.bin && "
                                         "sync copie.bin && rm copie.bin"));
                remplace.s.push_back(chrono_sh("cd '" + dir +
                                               "' && cp grand.bin copie.bin && sync copie.bin && "
                                               "mv copie.bin grand.bin && sync ."));
            },
            [&] {
                ajout.s.push_back(passe(dir, "add", "grand.bin", -1).secondes);
                verifie(dir + "/grand.bin", (1ull << 30) + 128);
            },
            [&] {
                retrait.s.push_back(passe(dir, "strip", "grand.bin", -1).secondes);
                verifie(dir + "/grand.bin", 1ull << 30);
            });
        ligne("cp + sync of the copy (baseline)", cp, cp);
        ligne("add header", ajout, cp);
        ligne("strip header", retrait, cp);
        ligne("cp + sync, then in the original's place", remplace, cp);
        fs::remove_all(dir);
    }

    // A tree of 10 000 small files in 100 directories: passes of each operation against
    // cp -r of the tree and a flush of every copied file, and against the same replacements
    // the passes make, without headers; and adding with backups, whose names are flushed to
    // the disk before each batch's files are replaced (the backups are removed after each such
    // pass, as the next would keep them and leave the files).
    if (partie("tree")) {
        std::string dir = base + "/arbre";
        for (int d = 0; d < 100; ++d) {
            std::string sous = dir + "/t/d" + std::to_string(d);
            fs::create_directories(sous);
            for (int f = 0; f < 100; ++f)
                ecrit_fichier(sous + "/f" + std::to_string(f) + ".txt", 500 + 37 * f, d * 100 + f);
        }
        int n = essais ? essais : 3;
        entete("A tree of 10 000 small files", n);
        Serie cp, remplace, ajout, ajout_bak, retrait, cli_ajout, cli_retrait;
        en_alternance(
            n,
            [&] {
                cp.s.push_back(chrono_sh("cd '" + dir +
                                         "' && cp -r t copie && "
                                         "find copie -type f -exec sync {} + && rm -rf copie"));
                remplace.s.push_back(remplace_chaque(dir + "/t"));
            },
            [&] {
                ajout_bak.s.push_back(passe(dir + "/t", "add", "*.*", 1, 1).secondes);
                verifie(dir + "/t/d99/f99.bak", 500 + 37 * 99);
                sh("find '" + dir + "/t' -name '*.bak' -delete");
                passe(dir + "/t", "strip", "*.*", 1); // back to the plain files
                ajout.s.push_back(passe(dir + "/t", "add", "*.*", 1).secondes);
                verifie(dir + "/t/d99/f99.txt", 500 + 37 * 99 + 128);
            },
            [&] {
                retrait.s.push_back(passe(dir + "/t", "strip", "*.*", 1).secondes);
                verifie(dir + "/t/d99/f99.txt", 500 + 37 * 99);
                // The same passes from the command-line program, its start included.
                cli_ajout.s.push_back(chrono_sh("cd '" + dir + "/t' && '" + cli + "' add -rq '*.*'"));
                verifie(dir + "/t/d99/f99.txt", 500 + 37 * 99 + 128);
                cli_retrait.s.push_back(chrono_sh("cd '" + dir + "/t' && '" + cli + "' strip -rq '*.*'"));
                verifie(dir + "/t/d99/f99.txt", 500 + 37 * 99);
            });
        ligne("cp -r + sync of each copy (baseline)", cp, cp);
        ligne("add header, recursive pass", ajout, cp);
        ligne("add header with backups, recursive pass", ajout_bak, cp);
        ligne("strip header, recursive pass", retrait, cp);
        ligne("quillon-cli add -r", cli_ajout, cp);
        ligne("quillon-cli strip -r", cli_retrait, cp);
        ligne("each file copied, flushed, renamed over", remplace, cp);
        printf("  against each file copied, flushed and renamed over it (the same replacements):\n");
        ligne("add header, recursive pass", ajout, remplace);
        ligne("strip header, recursive pass", retrait, remplace);
        fs::remove_all(dir);
    }

    // The command-line program's start: 100 runs of --version against 100 of /bin/true, each
    // started by the shell; it opens no window and loads no toolkit.
    if (partie("start")) {
        int n = essais ? essais : 5;
        entete("100 starts of a program", n);
        Serie vrai, version;
        const std::string cent = "for i in $(seq 100); do ";
        for (int r = 0; r < n; ++r) {
            vrai.s.push_back(chrono_sh(cent + "/bin/true; done"));
            version.s.push_back(chrono_sh(cent + "'" + cli + "' --version > /dev/null; done"));
        }
        ligne("/bin/true (baseline)", vrai, vrai);
        ligne("quillon-cli --version", version, vrai);
    }

    // Peak memory of a pass over 1 000 and over 100 000 files in one directory: the names
    // are kept in the file list, not in memory. The pass strips plain files, which it reads
    // and leaves (told once, then silenced): the same walk and list as a converting pass,
    // without creating a file per name.
    if (partie("memory")) {
        printf("Peak memory of a pass over the files of one directory:\n");
        long premier = 0;
        for (int n : {1000, 100000}) {
            std::string dir = base + "/plat" + std::to_string(n);
            cree_fichiers(dir, n);
            Mesure m = passe(dir, "strip", "*.*", 0);
            if (premier == 0) premier = m.pic_ko;
            Mesure l = passe(dir, "list", "*.*", 0);
            printf("  %6d files: peak %7ld KiB, %5.2f x the pass over 1 000 (%.2f s); the "
                   "platform's enumeration of the directory alone: %ld KiB\n",
                   n, m.pic_ko, (double)m.pic_ko / premier, m.secondes, l.pic_ko);
            if (n == 1000) {
                Mesure a = passe(dir, "add", "*.*", 0);
                printf("  %6d files converted: peak %7ld KiB (%.2f s)\n", n, a.pic_ko, a.secondes);
            }
            fs::remove_all(dir);
        }
    }

    // A folder of 100 000 files opened in the main window, then listed again through a mask
    // that keeps them all, each against the system's listing of it: its names read and the
    // status of each. These and the clicks count processor time, which other work on the
    // machine does not lengthen.
    if (partie("folder")) {
        std::string dir = base + "/dossier";
        const int nb = 100000;
        cree_fichiers(dir + "/grand", nb);
        int n = essais ? essais : 3;
        entete("A folder of 100 000 files in the main window, processor time", n);
        Serie liste, ouvre, masque;
        for (int r = 0; r < n; ++r) {
            double t1, t2;
            if (r % 2 == 0) liste.s.push_back(lecture_stat(dir + "/grand"));
            fenetre(dir, "open", 0, nb, &t1, &t2);
            ouvre.s.push_back(t1);
            masque.s.push_back(t2);
            if (r % 2 == 1) liste.s.push_back(lecture_stat(dir + "/grand"));
        }
        ligne("readdir + stat of each (baseline)", liste, liste);
        ligne("open the folder", ouvre, liste);
        ligne("mask *.txt and Enter there", masque, liste);
        fs::remove_all(dir);
    }

    // Selecting files one by one with Ctrl-clicks, in a folder of 4 000: the cost of 4 000
    // clicks against that of 1 000 shows how it grows.
    if (partie("clicks")) {
        std::string dir = base + "/clics";
        cree_fichiers(dir, 4000);
        int n = essais ? essais : 3;
        entete("Ctrl-clicks on the files of a folder of 4 000, one by one, processor time", n);
        Serie mille, quatre_mille;
        for (int r = 0; r < n; ++r) {
            double t1, t2;
            fenetre(dir, "clicks", 1000, 1000, &t1, &t2);
            mille.s.push_back(t1);
            fenetre(dir, "clicks", 4000, 4000, &t1, &t2);
            quatre_mille.s.push_back(t1);
        }
        ligne("1 000 Ctrl-clicks (baseline)", mille, mille);
        ligne("4 000 Ctrl-clicks", quatre_mille, mille);
        fs::remove_all(dir);
    }
    fs::remove_all(base);
    return 0;
}
