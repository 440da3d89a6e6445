// The examination dialog on headers written by the program and made by hand, and its messages.
#include <gtest/gtest.h>
#include <filesystem>
#include <map>
#include "app/quillon.h"
#include "io/iobit.h"
#include "io/iodlgid.h"
#include "panneau.h"
#include "tempdrive.h"

static const int champs[] = {IDA_NOM,  IDA_CREATION, IDA_MODIF,      IDA_CREATEUR,
                             IDA_TYPE, IDA_DONNEES,  IDA_RESSOURCES, IDA_IDENTIFICATION};

static std::string entete(const std::string &nom, int lgnom, const char *type_createur,
                          uint32_t dlog, uint32_t rlog, uint32_t dcreat, uint32_t dmodif) {
    rub_quillon r;
    memset(&r, 0, sizeof r);
    r.lgnom = (unsigned char)lgnom;
    memcpy(r.nom, nom.data(), std::min(nom.size(), sizeof r.nom));
    memcpy(r.ftype, type_createur, 8);
    r.dlog = swap32b(dlog);
    r.rlog = swap32b(rlog);
    r.dcreat = swap32b(dcreat);
    r.dmodif = swap32b(dmodif);
    std::string s(LG_ENTETE, '\0');
    memcpy(&s[0], &r, sizeof r);
    return s;
}

// Examines fichier, reading what each control shows, then presses Quit.
static std::map<int, std::string> examine(const char *fichier, int *resultat,
                                          const std::string &png = "") {
    std::map<int, std::string> textes;
    plat_test_push_dialog_handler([&](HWND h, int modele) {
        EXPECT_EQ(modele, DLG_ATTRIBUTS);
        for (int id : champs) textes[id] = plat_test_text(h, id);
        if (!png.empty()) {
            EXPECT_TRUE(plat_test_save_png(h, png.c_str()));
        }
        plat_test_click(h, IDA_QUITTER);
    });
    *resultat = display_header(fichier);
    return textes;
}

TEST(Examen, HeaderWrittenByTheProgram) {
    TempDrives d;
    d.write("report.txt", std::string(1234, 'r'));
    FILE *fs = fopen(d.host("report.txt").c_str(), "r+b");
    FILE *fd = fopen(d.host("report.bin").c_str(), "w+b");
    ASSERT_TRUE(fs && fd);
    calcule_binary(fs, fd, "report.txt", 1234);
    fclose(fd);
    fclose(fs);
    int resultat = 0;
    auto t = examine("report.bin", &resultat);
    EXPECT_EQ(resultat, 1);
    EXPECT_EQ(t[IDA_NOM], "report.txt");
    EXPECT_EQ(t[IDA_TYPE], "TEXT");
    EXPECT_EQ(t[IDA_CREATEUR], "????");
    EXPECT_EQ(t[IDA_DONNEES], "1234");
    EXPECT_EQ(t[IDA_RESSOURCES], "0");
    EXPECT_EQ(t[IDA_IDENTIFICATION], "Texte ou ind\xe9termin\xe9");
    EXPECT_TRUE(testing::internal::RE::FullMatch(t[IDA_CREATION],
                                                 "[0-9]{2}/[0-9]{2}/[0-9]{2} [0-9]{2}:[0-9]{2} "));
    EXPECT_EQ(t[IDA_MODIF], t[IDA_CREATION]); // one second later: the same minute
}

TEST(Examen, HandMadeHeaders) {
    TempDrives d;
    d.write("sig.sig", "DOC,WDBNMSWD,Document Microsoft Word\r\n");
    // Macintosh characters above 127 and a backslash; fork lengths of 2^31 and more.
    d.write("a.bin", entete("Caf\x8e\\cr\x8f"
                            "me",
                            10, "WDBNMSWD", 0x80000000u, 0xFFFFFFFFu, 0xB492F400u, 0));
    d.write("b.bin",
            entete(std::string(70, 'n'), 200, "TE\0Tttxt", 1, 0, 0xB492F3FFu, 0xFFFFFFFFu));
    auto png = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "png";
    std::filesystem::create_directories(png);
    int resultat = 0;
    auto t = examine("a.bin", &resultat, (png / "examen.png").string());
    EXPECT_EQ(resultat, 1);
    EXPECT_EQ(t[IDA_NOM], "Caf\xe9_cr\xe8me");
    EXPECT_EQ(t[IDA_DONNEES], "2147483648");
    EXPECT_EQ(t[IDA_RESSOURCES], "4294967295");
    EXPECT_EQ(t[IDA_CREATION], "01/01/00 00:00 ");
    EXPECT_EQ(t[IDA_MODIF], "01/01/04 00:00 ");
    EXPECT_EQ(t[IDA_IDENTIFICATION], "Document Microsoft Word");
    t = examine("b.bin", &resultat);
    EXPECT_EQ(t[IDA_NOM], std::string(63, 'n')); // a length beyond the field shows the field
    EXPECT_EQ(t[IDA_TYPE], "TE");
    EXPECT_EQ(t[IDA_CREATEUR], "ttxt");
    EXPECT_EQ(t[IDA_CREATION], "31/12/99 23:59 ");
    EXPECT_EQ(t[IDA_MODIF], "06/02/40 06:28 ");
}

TEST(Examen, DateTextLeavesTheCallersPositions) {
    char ligne[] = "################";
    aff_date(ligne, swap32b(0xB4E0BC80u)); // 2000-02-29
    EXPECT_STREQ(ligne, "29/02/00#00:00##");
}

TEST(Examen, MessagesForFilesThatCannotBeShown) {
    TempDrives d;
    std::string long_nom(240, 'L');
    d.write(long_nom, "not a header");
    d.write("plain.txt", "not a header");
    std::vector<std::string> textes;
    auto repond = [&](bool coche) {
        plat_test_push_dialog_handler([&textes, coche](HWND h, int modele) {
            textes.push_back(std::to_string(modele) + ":" + plat_test_text(h, ID_MESS_TEXTE));
            if (coche) plat_test_click(h, ID_MESS_ANNUL);
            plat_test_click(h, IDOK);
        });
    };
    repond(false);
    EXPECT_EQ(display_header("absent.bin"), 0);
    repond(false);
    EXPECT_EQ(display_header(long_nom.c_str()), 0); // the whole name, not cut
    repond(true);
    EXPECT_EQ(display_header("plain.txt"), 0);
    EXPECT_EQ(display_header("plain.txt"), 0); // silenced for the rest of the run
    ASSERT_EQ(textes.size(), 3u);
    EXPECT_EQ(textes[0], "1001:Erreur \xe0 l'ouverture des fichiers");
    EXPECT_EQ(textes[1], "1002:Le fichier " + long_nom +
                             " ne semble pas \xea"
                             "tre de type Quillon");
    EXPECT_EQ(textes[2], "1002:Le fichier plain.txt ne semble pas \xea"
                         "tre de type Quillon");
    EXPECT_EQ(plat_test_unhandled_dialogs(), 0);
}
