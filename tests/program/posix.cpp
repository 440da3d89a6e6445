// The program's window over what only POSIX can stage, so these tests run on Linux only
// (cmake/windows.cmake leaves this file out): folders whose names differ only in case, which
// a Windows folder cannot hold both of; a folder closed to its user, and one closed to
// writing (a process under Wine runs as root, whom no permission binds).
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <direct.h>
#include "programme.h"
#include "systeme.h"
#include "tempdrive.h"

using Liste = std::vector<std::string>;

// Only "[..]" itself is the parent: a folder whose name begins with two dots is entered. Two
// folders whose names differ only in case are each reached by their own entry. A folder the
// user may not read is not entered: the path and the lists stay on the folder he was in.
TEST(Programme, EachFolderListedIsEnteredByItsOwnEntry) {
    TempDrives d;
    d.write("a.txt", "a");
    d.write("Sub/..Cache/inside.txt", "in");
    d.write("Sub/Locked/secret.txt", "s");
    d.write("Sub/Foo/upper.txt", "u");
    d.write("Sub/foo/lower.txt", "l");
    chmod(d.host("Sub/Locked").c_str(), 0);
    SansPrivileges utilisateur;
    lance_programme([&](HWND h) {
        double_clic(h, IDD_REPERTOIRES, "[sub]");
        double_clic(h, IDD_REPERTOIRES, "[..cache]");
        EXPECT_EQ(plat_test_text(h, IDD_CHEMIN), "c:\\sub\\..cache\\");
        EXPECT_EQ(entrees(h, IDD_FICHIERS), (Liste{"inside.txt"}));
        double_clic(h, IDD_REPERTOIRES, "[..]");
        double_clic(h, IDD_REPERTOIRES, "[foo]");
        EXPECT_EQ(entrees(h, IDD_FICHIERS), (Liste{"lower.txt"}));
        double_clic(h, IDD_REPERTOIRES, "[..]");
        double_clic(h, IDD_REPERTOIRES, "[foo~1]");
        EXPECT_EQ(entrees(h, IDD_FICHIERS), (Liste{"upper.txt"}));
        double_clic(h, IDD_REPERTOIRES, "[..]");
        double_clic(h, IDD_REPERTOIRES, "[locked]");
        EXPECT_EQ(plat_test_text(h, IDD_CHEMIN), "c:\\sub\\");
        EXPECT_EQ(entrees(h, IDD_REPERTOIRES),
                  (Liste{"[..]", "[..cache]", "[foo]", "[foo~1]", "[locked]"}));
        plat_test_key(h, VK_ESCAPE);
    });
}

// A file that cannot be converted is skipped with a message naming it and saying why, and the
// work goes on: here a folder closed to writing; the pass's closing account lists it. A name
// too long for a work name with ".$$$" still converts. (Names the host allows and Windows does not: tests/engine/remplace_posix.cpp.)
TEST(Programme, FileThatCannotBeConvertedIsSkippedAndThePassGoesOn) {
    TempDrives d;
    SansPrivileges utilisateur;
    const std::string long_nom(252, 'a');
    for (const std::string &nom : {long_nom, std::string("ferme/c.txt"), std::string("z/d.txt")})
        d.write(nom, "contenu");
    chmod(d.host("ferme").c_str(), 0555);
    Messages messages;
    Bilan bilan;
    lance_programme([&](HWND h) {
        messages.attend();
        bilan.attend();
        plat_test_click(h, IDD_RECURSIF);
        plat_test_click(h, IDD_AJOUTER);
        plat_test_click(h, IDD_QUITTER);
    });
    chmod(d.host("ferme").c_str(), 0755);
    EXPECT_EQ(messages.textes,
              std::vector<std::string>{"Le fichier c.txt n'a pas \xe9t\xe9 modifi\xe9 : c.$$$ "
                                       "ne peut pas \xea"
                                       "tre cr\xe9\xe9 (acc\xe8s refus\xe9)"});
    EXPECT_EQ(bilan.liste, messages.textes[0] + "\r\n");
    EXPECT_EQ(d.read("ferme/c.txt"), "contenu");
    for (const std::string &nom : {long_nom, std::string("z/d.txt")})
        EXPECT_EQ(d.read(nom).substr(128), "contenu") << nom;
}

// A start folder too deep for the path, from which the way up is closed: the root that the
// path then shows is made current too, so that what is shown is what the commands work in.
TEST(Programme, StartFolderWhoseWayUpIsClosedShowsTheRoot) {
    TempDrives d;
    const std::string niveau(200, 'n');
    d.write(niveau + "/" + niveau + "/" + niveau + "/deep.txt", "deep");
    ASSERT_EQ(_chdir((niveau + "\\" + niveau + "\\" + niveau).c_str()), 0);
    chmod(d.host(niveau + "/" + niveau).c_str(), 0);
    SansPrivileges utilisateur;
    Messages message;
    message.attend();
    lance_programme([&](HWND h) {
        char ici[MAX_PATH];
        EXPECT_EQ(chemin, std::string("c:\\"));
        EXPECT_STREQ(_getcwd(ici, sizeof ici), "C:\\");
        plat_test_key(h, VK_ESCAPE);
    });
    chmod(d.host(niveau + "/" + niveau).c_str(), 0755);
    EXPECT_EQ(message.textes, std::vector<std::string>{err_cheminlong});
}
