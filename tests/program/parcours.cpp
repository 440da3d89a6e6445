// The program as a user meets it: with nothing selected, Add and Strip work on the files that
// the file-name field names, through the subfolders with the recurse option; the message about
// files that already have a header can be silenced.
#include <gtest/gtest.h>
#include <filesystem>
#include <map>
#include "programme.h"
#include "tempdrive.h"

namespace {

using Arbre = std::map<std::string, std::string>; // relative host path -> bytes

Arbre lit_arbre(const TempDrives &d) {
    Arbre a;
    for (auto &e : std::filesystem::recursive_directory_iterator(d.path("")))
        if (e.is_regular_file()) {
            std::string nom = e.path().lexically_relative(d.path("")).generic_u8string();
            a[nom] = d.read(nom);
        }
    return a;
}

bool a_un_entete(const std::string &avant, const std::string &apres) {
    return apres.size() == avant.size() + 128 && apres.substr(128) == avant && apres[0] == 0;
}

} // namespace

TEST(Programme, AddAndStripOverATreeWithNothingSelected) {
    TempDrives d;
    d.write("r1.txt", "first\r\n");
    d.write("r2.txt", "second\r\n");
    d.write("keep.dat", std::string("\0\1\2\3", 4));
    d.write("sub/s1.txt", "in sub\r\n");
    d.write("sub/deeper/s2.txt", "deeper\r\n");
    d.write("notes.txt/n.dat", "in a folder named like a text file\r\n");
    d.write("notes.txt/m.txt", "entered: its name matches\r\n");
    d.peuple("", "f", 30); // folders whose lists scroll
    d.peuple("sub", "f", 30);
    const Arbre debut = lit_arbre(d);

    std::string premier_message;
    lance_programme([&](HWND h) {
        // A mask typed without Enter: the list keeps the old mask, the walker gets the text.
        // Only the .txt files of this folder and of the folders named *.txt are converted.
        std::vector<std::string> liste = entrees(h, IDD_FICHIERS);
        plat_test_type(h, IDD_NOMFICHIER, "*.txt");
        coche(h, IDD_RECURSIF);
        plat_test_click(h, IDD_AJOUTER);
        EXPECT_EQ(entrees(h, IDD_FICHIERS), liste);
        EXPECT_EQ(masque, std::string("*.*"));
        Arbre a = lit_arbre(d);
        EXPECT_TRUE(a_un_entete(debut.at("r1.txt"), a["r1.txt"]));
        EXPECT_TRUE(a_un_entete(debut.at("r2.txt"), a["r2.txt"]));
        EXPECT_EQ(a["keep.dat"], debut.at("keep.dat"));
        EXPECT_EQ(a["sub/s1.txt"], debut.at("sub/s1.txt"));
        EXPECT_EQ(a["notes.txt/n.dat"], debut.at("notes.txt/n.dat"));
        EXPECT_TRUE(a_un_entete(debut.at("notes.txt/m.txt"), a["notes.txt/m.txt"]));
        EXPECT_EQ(a.size(), debut.size()); // no backup, no work file, no list file left

        // Every file of the tree: r1.txt and r2.txt already have a header. The first message
        // names r1.txt; ticking its box silences the second.
        plat_test_type(h, IDD_NOMFICHIER, "*.*");
        plat_test_push_dialog_handler([&](HWND hMess, int template_id) {
            EXPECT_EQ(template_id, 1002);
            EXPECT_EQ(plat_test_caption(hMess), "Quillon - Information");
            premier_message = plat_test_text(hMess, 128);
            plat_test_click(hMess, 136);
            plat_test_click(hMess, IDOK);
        });
        plat_test_click(h, IDD_AJOUTER);
        EXPECT_EQ(plat_test_pending_handlers(), 0);
        a = lit_arbre(d);
        for (auto &[nom, octets] : debut) EXPECT_TRUE(a_un_entete(octets, a[nom])) << nom;
        EXPECT_EQ(a.size(), debut.size());

        // Strip the whole tree, with backups this time.
        coche(h, IDD_SAUVEGARDE);
        plat_test_click(h, IDD_RETIRER);
        plat_test_click(h, IDD_QUITTER);
    });
    EXPECT_EQ(premier_message, "Le fichier r1.txt est d\xe9j\xe0 de type Quillon");
    Arbre a = lit_arbre(d);
    for (auto &[nom, octets] : debut) {
        EXPECT_EQ(a[nom], octets) << nom;
        std::string bak = std::filesystem::path(nom).replace_extension(".bak").string();
        EXPECT_TRUE(a_un_entete(octets, a[bak])) << bak;
    }
    EXPECT_EQ(a.size(), 2 * debut.size());
}

// A folder typed before the mask, then Add with nothing selected: the window moves there first
// and the pass converts that folder's files, never the files of the same names where the
// window was.
TEST(Programme, PassOverATypedFolderWorksThereAndShowsIt) {
    TempDrives d;
    d.write("a.txt", "root");
    d.write("sub/a.txt", "in sub");
    lance_programme([&](HWND h) {
        plat_test_type(h, IDD_NOMFICHIER, "sub\\*.txt");
        plat_test_click(h, IDD_AJOUTER);
        EXPECT_EQ(plat_test_text(h, IDD_CHEMIN), "c:\\sub\\");
        EXPECT_EQ(plat_test_text(h, IDD_NOMFICHIER), "*.txt");
        EXPECT_EQ(entrees(h, IDD_FICHIERS), std::vector<std::string>{"a.txt"});
        plat_test_click(h, IDD_QUITTER);
    });
    EXPECT_EQ(d.read("a.txt"), "root");
    EXPECT_TRUE(a_un_entete("in sub", d.read("sub/a.txt")));
}
