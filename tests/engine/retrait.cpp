// Stripping the header of one file: which bytes remain, its backup, and what is refused.
#include "moteur.h"

using Retrait = Moteur;

TEST_F(Retrait, KeepsOnlyTheFirstForkTheHeaderAnnounces) {
    std::string donnees = octets(1000, 2), ressources = octets(300, 3);
    // Data fork and resource fork, each padded to a multiple of 128: 128 + 1024 + 384.
    c.write("deux.bin", entete_quillon(1000, 300) + donnees + std::string(24, '\0') + ressources +
                            std::string(84, '\0'));
    c.write("res.bin", entete_quillon(0, 500) + octets(500, 4) + std::string(12, '\0'));
    // A header that promises more than the file holds: the file keeps what is there.
    c.write("court.bin", entete_quillon(5000, 0) + octets(1000, 5));

    EXPECT_EQ(strip_header("deux.bin", 0), 1);
    EXPECT_EQ(strip_header("res.bin", 0), 1);
    EXPECT_EQ(strip_header("court.bin", 0), 1);

    EXPECT_EQ(c.read("deux.bin"), donnees);
    EXPECT_EQ(c.read("res.bin"), octets(500, 4));
    EXPECT_EQ(c.read("court.bin"), octets(1000, 5));
    EXPECT_EQ(noms_dans(c.host("")),
              (std::vector<std::string>{"court.bin", "deux.bin", "res.bin"}));
}

TEST_F(Retrait, BackupHoldsTheQuillonFileAndAnOlderBackupIsKept) {
    std::string q = entete_quillon(4, 0) + "fork";
    c.write("data.bin", q);
    c.write("autre.bin", q);
    c.write("autre.bak", "ancien");
    messages.attend();
    EXPECT_EQ(strip_header("data.bin", 1), 1);
    EXPECT_EQ(strip_header("autre.bin", 1), 0);

    EXPECT_EQ(c.read("data.bin"), "fork");
    EXPECT_EQ(c.read("data.bak"), q);
    EXPECT_EQ(c.read("autre.bin"), q);
    EXPECT_EQ(c.read("autre.bak"), "ancien");
    EXPECT_EQ(noms_dans(c.host("")),
              (std::vector<std::string>{"autre.bak", "autre.bin", "data.bak", "data.bin"}));
    ASSERT_EQ(messages.textes.size(), 1u);
    EXPECT_EQ(messages.textes[0], "Le fichier de sauvegarde autre.bak existe d\xe9j\xe0 : "
                                  "le fichier autre.bin n'a pas \xe9t\xe9 modifi\xe9");
}

// Each operation silences only its own message about a file of the wrong kind.
TEST_F(Retrait, EachOperationHasItsOwnDoNotTellAgain) {
    c.write("plat1.txt", "texte");
    c.write("plat2.txt", "texte");
    c.write("q1.bin", entete_quillon(1, 0) + "a");
    c.write("q2.bin", entete_quillon(1, 0) + "b");

    messages.attend(1, true);
    EXPECT_EQ(strip_header("plat1.txt", 0), 0);
    EXPECT_EQ(strip_header("plat2.txt", 0), 0); // silenced: no message
    messages.attend(1, false);
    EXPECT_EQ(add_header("q1.bin", 0), 0); // adding still tells, and is not silenced
    messages.attend(1, true);
    EXPECT_EQ(add_header("q1.bin", 0), 0);
    EXPECT_EQ(add_header("q2.bin", 0), 0); // now silenced too

    ASSERT_EQ(messages.textes.size(), 3u);
    EXPECT_EQ(messages.textes[0], "Le fichier plat1.txt ne semble pas \xea"
                                  "tre de type Quillon");
    EXPECT_EQ(messages.textes[1], "Le fichier q1.bin est d\xe9j\xe0 de type Quillon");
    EXPECT_EQ(messages.textes[2], "Le fichier q1.bin est d\xe9j\xe0 de type Quillon");
    EXPECT_EQ(plat_test_unhandled_dialogs(), 0);
    EXPECT_EQ(c.read("plat2.txt"), "texte");
    EXPECT_EQ(c.read("q2.bin"), entete_quillon(1, 0) + "b");
}

// The header of an empty file announces no fork at all; stripping it gives the empty file
// back. A plain file of the header's size is not taken for one.
TEST_F(Retrait, HeaderOfAnEmptyFileGivesTheEmptyFileBack) {
    c.write("vide.txt", "");
    EXPECT_EQ(add_header("vide.txt", 0), 1);
    EXPECT_EQ(c.read("vide.txt").size(), 128u);
    EXPECT_EQ(strip_header("vide.txt", 0), 1);
    EXPECT_EQ(c.read("vide.txt"), "");

    std::string presque = entete_quillon(0, 0);
    presque[95] ^= 2; // not the dates this program writes
    c.write("presque.bin", presque);
    messages.attend();
    EXPECT_EQ(strip_header("presque.bin", 0), 0);
    EXPECT_EQ(c.read("presque.bin"), presque);
}
