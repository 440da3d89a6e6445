// Stripping the header of one file: which bytes remain, its backup, and what is refused.
#include "moteur.h"

using Retrait = Moteur;

// The backup holds the whole Quillon file.
TEST_F(Retrait, KeepsOnlyTheFirstForkTheHeaderAnnouncesAndBacksUpTheQuillonFile) {
    std::string donnees = octets(1000, 2), ressources = octets(300, 3);
    // Data fork and resource fork, each padded to a multiple of 128: 128 + 1024 + 384.
    const std::string deux = entete_quillon(1000, 300) + donnees + std::string(24, '\0') +
                             ressources + std::string(84, '\0');
    c.write("deux.bin", deux);
    c.write("res.bin", entete_quillon(0, 500) + octets(500, 4) + std::string(12, '\0'));
    // A header that promises more than the file holds: the file keeps what is there.
    c.write("court.bin", entete_quillon(5000, 0) + octets(1000, 5));

    EXPECT_EQ(strip_header("deux.bin", 1), 1);
    EXPECT_EQ(strip_header("res.bin", 0), 1);
    EXPECT_EQ(strip_header("court.bin", 0), 1);

    EXPECT_EQ(c.read("deux.bin"), donnees);
    EXPECT_EQ(c.read("deux.bak"), deux);
    EXPECT_EQ(c.read("res.bin"), octets(500, 4));
    EXPECT_EQ(c.read("court.bin"), octets(1000, 5));
    EXPECT_EQ(noms_dans(c.host("")),
              (std::vector<std::string>{"court.bin", "deux.bak", "deux.bin", "res.bin"}));
}

// Each command's "do not tell again" is its own; a message that could not be shown (here
// destroyed, -1) is no answer and silences nothing.
TEST_F(Retrait, EachCommandHasItsOwnDoNotTellAgain) {
    c.write("plat.txt", "texte");
    c.write("q.bin", entete_quillon(1, 0) + "q");
    messages.attend(1, Reponse::detruit);
    messages.attend(1, Reponse::coche);
    EXPECT_EQ(strip_header("plat.txt", 0), 0);
    EXPECT_EQ(strip_header("plat.txt", 0), 0);
    EXPECT_EQ(strip_header("plat.txt", 0), 0); // silenced: no message
    messages.attend(1, Reponse::coche);
    EXPECT_EQ(display_header("plat.txt"), 0); // examining still tells
    EXPECT_EQ(display_header("plat.txt"), 0);
    messages.attend(1, Reponse::detruit);
    messages.attend(1, Reponse::coche);
    EXPECT_EQ(add_header("q.bin", 0), 0); // adding still tells
    EXPECT_EQ(add_header("q.bin", 0), 0);
    EXPECT_EQ(add_header("q.bin", 0), 0);

    const std::string pas = "Le fichier plat.txt ne semble pas \xea" "tre de type Quillon";
    const std::string deja = "Le fichier q.bin est d\xe9j\xe0 de type Quillon";
    EXPECT_EQ(messages.textes, (std::vector<std::string>{pas, pas, pas, deja, deja}));
    EXPECT_EQ(plat_test_unhandled_dialogs(), 0);
    EXPECT_EQ(c.read("plat.txt"), "texte");
    EXPECT_EQ(c.read("q.bin"), entete_quillon(1, 0) + "q");
}

// One verdict for the three commands. A file shorter than a header is never Quillon, whatever
// its first bytes: adding converts it, examining and stripping refuse it. The header of an
// empty file announces no fork: examining shows it, stripping gives the empty file back, and
// adding puts a second header on it; a plain file of the header's size is not taken for one.
TEST_F(Retrait, OneVerdictForShortFilesAndTheHeaderOfAnEmptyFile) {
    const std::string court = entete_quillon(1, 0).substr(0, 100);
    c.write("court.bin", court);
    messages.attend(2);
    EXPECT_EQ(display_header("court.bin"), 0);
    EXPECT_EQ(strip_header("court.bin", 0), 0);
    EXPECT_EQ(add_header("court.bin", 0), 1);
    EXPECT_EQ(c.read("court.bin").substr(128), court);

    c.write("vide.txt", "");
    EXPECT_EQ(add_header("vide.txt", 0), 1);
    const std::string entete = c.read("vide.txt");
    ASSERT_EQ(entete.size(), 128u);
    std::string longueurs;
    plat_test_push_dialog_handler([&](HWND h, int modele) {
        longueurs = plat_test_text(h, 309) + "/" + plat_test_text(h, 310);
        plat_test_close_box(h); // whatever it is
        EXPECT_EQ(modele, 300);
    });
    EXPECT_EQ(display_header("vide.txt"), 1);
    EXPECT_EQ(longueurs, "0/0");
    EXPECT_EQ(add_header("vide.txt", 0), 1);
    EXPECT_EQ(c.read("vide.txt").substr(128), entete);
    EXPECT_EQ(strip_header("vide.txt", 0), 1);
    EXPECT_EQ(strip_header("vide.txt", 0), 1);
    EXPECT_EQ(c.read("vide.txt"), "");

    std::string presque = entete_quillon(0, 0);
    presque[95] ^= 2; // not the dates this program writes
    c.write("presque.bin", presque);
    messages.attend();
    EXPECT_EQ(strip_header("presque.bin", 0), 0);
    EXPECT_EQ(c.read("presque.bin"), presque);
    EXPECT_EQ(messages.textes.size(), 3u);
}
