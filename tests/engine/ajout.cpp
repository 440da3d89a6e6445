// Adding a header to one file: what the file becomes, its backup, and what is refused.
#include <fstream>
#include <map>
#include "moteur.h"

using Ajout = Moteur;

// The file becomes the header, with the file's name, then its bytes without padding; the
// backup, when asked for, keeps the former bytes under the extension "bak", whatever the
// name's extension. The work name of x.$$$ would be x.$$$ itself; and a file the user named
// report.$$$ is no work file to be emptied.
TEST_F(Ajout, FileBecomesHeaderThenItsBytesAndTheBackupHoldsTheFormerBytes) {
    const std::map<std::string, std::string> baks = {
        {"report.txt", ""}, {"index.html", "index.html.bak"}, {"README", "README.bak"},
        {"x.$$$", "x.bak"}};
    c.write("report.$$$", "garde-moi");
    std::vector<std::string> noms = {"report.$$$"};
    for (auto &[nom, bak] : baks) {
        const std::string avant = octets(1000 + nom.size());
        c.write(nom, avant);
        EXPECT_EQ(add_header(nom.c_str(), !bak.empty()), 1) << nom;
        const std::string apres = c.read(nom);
        EXPECT_EQ(apres.substr(0, 2 + nom.size()), std::string(1, '\0') + (char)nom.size() + nom);
        EXPECT_TRUE(apres.substr(128) == avant) << nom;
        noms.push_back(nom);
        if (bak.empty()) continue;
        EXPECT_TRUE(c.read(bak) == avant) << bak;
        noms.push_back(bak);
    }
    EXPECT_EQ(c.read("report.$$$"), "garde-moi");
    std::sort(noms.begin(), noms.end());
    EXPECT_EQ(noms_dans(c.host("")), noms);
    EXPECT_EQ(plat_test_unhandled_dialogs(), 0);
}

// A file that has a header already, one of 4 GiB (the header's lengths are 32 bits: it would
// get a header that lies), and a file whose backup name is taken (renames never replace) are
// left as they were, and the user is told why; the same older backup stops stripping too.
TEST_F(Ajout, RefusedFileIsLeftAsItWasWithItsReason) {
    const std::string q = entete_quillon(4, 0) + "fork", pas = " n'a pas \xe9t\xe9 modifi\xe9";
    const struct {
        int (*commande)(const char *, int);
        const char *nom;
        std::string contenu;
        std::string message;
    } cas[] = {
        {add_header, "deja.bin", q, "Le fichier deja.bin est d\xe9j\xe0 de type Quillon"},
        {add_header, "enorme.iso", "", "Le fichier enorme.iso d\xe9passe 4 Go : il" + pas},
        {add_header, "report.txt", "nouveau",
         "Le fichier de sauvegarde report.bak existe d\xe9j\xe0 : le fichier report.txt" + pas},
        {strip_header, "autre.bin", q,
         "Le fichier de sauvegarde autre.bak existe d\xe9j\xe0 : le fichier autre.bin" + pas},
    };
    c.write("report.bak", "ancien");
    c.write("autre.bak", "ancien");
    for (auto &k : cas) {
        c.write(k.nom, k.contenu);
        if (k.contenu.empty()) std::filesystem::resize_file(c.host(k.nom), 4ull << 30); // sparse
        messages.attend();
        EXPECT_EQ(k.commande(k.nom, 1), 0) << k.nom;
        EXPECT_EQ(messages.textes.back(), k.message);
        if (k.contenu.empty()) {
            EXPECT_EQ(std::filesystem::file_size(c.host(k.nom)), 4ull << 30);
        } else {
            EXPECT_EQ(c.read(k.nom), k.contenu);
        }
    }
    EXPECT_EQ(messages.textes.size(), std::size(cas));
    EXPECT_EQ(c.read("report.bak") + c.read("autre.bak"), "ancienancien");
    EXPECT_EQ(noms_dans(c.host("")),
              (std::vector<std::string>{"autre.bak", "autre.bin", "deja.bin", "enorme.iso",
                                        "report.bak", "report.txt"}));
}

// A link stays a link: the file it leads to is converted and stripped where it lies, with its
// backup there; the header describes the file as the user sees it listed, with the link's own
// name and the type of its extension. A link to a file that no drive reaches is skipped with
// a message.
TEST_F(Ajout, LinkStaysALinkAndItsFileIsConvertedWhereItLies) {
    if (under_wine()) GTEST_SKIP() << "Wine makes no symbolic links";
    c.write("vrai/IMG_1234", "cible");
    std::filesystem::create_symlink("vrai/IMG_1234", c.host("photo.jpg"));
    std::ofstream(c.path("") / ".." / "dehors.txt") << "dehors";
    std::filesystem::create_symlink(c.host("") + "/../dehors.txt", c.host("loin.txt"));
    EXPECT_EQ(add_header("photo.jpg", 1), 1);
    EXPECT_TRUE(std::filesystem::is_symlink(c.host("photo.jpg")));
    std::string q = c.read("vrai/IMG_1234");
    EXPECT_EQ(q.substr(1, 10), "\x09" "photo.jpg");
    EXPECT_EQ(q.substr(65, 8), "JPEG????");
    EXPECT_EQ(q.substr(128), "cible");
    EXPECT_EQ(c.read("vrai/IMG_1234.bak"), "cible");
    EXPECT_EQ(strip_header("photo.jpg", 0), 1);
    EXPECT_EQ(c.read("vrai/IMG_1234"), "cible");
    EXPECT_TRUE(std::filesystem::is_symlink(c.host("photo.jpg")));
    EXPECT_EQ(noms_dans(c.host("vrai")), (std::vector<std::string>{"IMG_1234", "IMG_1234.bak"}));

    messages.attend();
    EXPECT_EQ(add_header("loin.txt", 0), 0);
    EXPECT_EQ(messages.textes, std::vector<std::string>{"Le fichier loin.txt est un lien vers un "
                                                        "fichier qui ne peut pas \xea" "tre atteint : "
                                                        "il est ignor\xe9"});
    EXPECT_EQ(c.read("loin.txt"), "dehors");
    EXPECT_EQ(noms_dans(c.host("")), (std::vector<std::string>{"loin.txt", "photo.jpg", "vrai"}));
}
