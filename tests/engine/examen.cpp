// The examination dialog on headers made by hand, and its messages.
#include <windows.h>
#include <gtest/gtest.h>
#include <map>
#include "app/quillon.h"
#include "io/iobit.h"
#include "io/iodlgid.h"
#include "commande.h"
#include "moteur.h"
#include "panneau.h"
#include "plattest_help.h"

// A header as entete_quillon lays it out (the name field holds 63 characters), with its own
// name length, type and creator, and modification date.
static std::string entete(const std::string &nom, int lgnom, const char *type_createur,
                          uint32_t dlog, uint32_t rlog, uint32_t dcreat, uint32_t dmodif) {
    std::string h = entete_quillon(dlog, rlog, nom.substr(0, 63), dcreat);
    h[1] = (char)lgnom;
    h.replace(65, 8, type_createur, 8);
    for (int i = 0; i < 4; ++i) h[95 + i] = (char)(dmodif >> (24 - 8 * i));
    return h;
}

// Examines fichier, reading what each control shows (and with a picture, clicking the icon
// for help), then presses Quit.
static std::map<int, std::string> examine(const char *fichier, const std::string &png = "") {
    std::map<int, std::string> t;
    plat_test_push_dialog_handler([&](HWND h, int modele) {
        EXPECT_EQ(modele, DLG_ATTRIBUTS);
        for (int id : {301, 304, 305, 307, 308, 309, 310, 311}) t[id] = plat_test_text(h, id);
        if (!png.empty()) {
            EXPECT_TRUE(plat_test_save_png(h, png.c_str()));
            plat_test_click(h, IDA_AIDE);
            EXPECT_TRUE(plat_test_help_state().visible);
            EXPECT_TRUE(IsWindow(h)); // the dialog stays
        }
        plat_test_click(h, IDA_QUITTER);
    });
    EXPECT_EQ(display_header(fichier), 1);
    return t;
}

// The value of a field of a JSON object on one line: a string decoded (in UTF-8), or a number.
static std::string champ_json(const std::string &ligne, const std::string &cle) {
    size_t i = ligne.find("\"" + cle + "\":");
    if (i == std::string::npos) return "(none)";
    i += cle.size() + 3;
    if (ligne[i] != '"') return ligne.substr(i, ligne.find_first_of(",}", i) - i);
    std::string v;
    for (++i; i < ligne.size() && ligne[i] != '"'; ++i) {
        if (ligne[i] == '\\') ++i; // the escapes the program writes: \" and \\ (\u: controls only)
        v += ligne[i];
    }
    return v;
}

// What the dialog shows, as the command line writes it: Latin-1 text in UTF-8, a date as
// ISO 8601.
static std::string en_utf8(const std::string &latin1) {
    std::string u;
    for (unsigned char c : latin1)
        u += c < 0x80 ? std::string(1, (char)c) : std::string{(char)(0xC0 | c >> 6), (char)(0x80 | (c & 0x3F))};
    return u;
}
static std::string date_dialogue(const std::string &iso) {
    return iso.substr(8, 2) + "/" + iso.substr(5, 2) + "/" + iso.substr(2, 2) + " " + iso.substr(11, 5) + " ";
}

// (A header the program wrote, examined through the main window: tests/program/fichiers.cpp.)
// The command line's examine --json shows what the dialog shows, for the same files.
TEST(Examen, HeadersMadeByHand) {
    DrivesCli d;
    d.write("sig.sig", "DOC,WDBNMSWD,Document Microsoft Word\r\n");
    // Macintosh characters above 127 and a backslash; fork lengths of 2^31 and more.
    d.write("a.bin", entete("Caf\x8e\\cr\x8f"
                            "me",
                            10, "WDBNMSWD", 0x80000000u, 0xFFFFFFFFu, 0xB492F400u, 0));
    d.write("b.bin",
            entete(std::string(70, 'n'), 200, "TE\0Tttxt", 1, 0, 0xB492F3FFu, 0xFFFFFFFFu));
    d.write("quillon.htm", "<p>Aide</p>");
    strcpy(nom_faide, "D:\\quillon.htm");
    auto t = examine("a.bin", QUILLON_PNG_DIR "/examen.png");
    EXPECT_EQ(plat_test_help_state().page, d.host("quillon.htm"));
    EXPECT_EQ(plat_test_unhandled_dialogs(), 0); // the help opened: no message
    EXPECT_EQ(t[IDA_NOM], "Caf\xe9_cr\xe8me");
    EXPECT_EQ(t[IDA_DONNEES] + "/" + t[IDA_RESSOURCES], "2147483648/4294967295");
    EXPECT_EQ(t[IDA_CREATION], "01/01/00 00:00 ");
    EXPECT_EQ(t[IDA_MODIF], "01/01/04 00:00 ");
    EXPECT_EQ(t[IDA_IDENTIFICATION], "Document Microsoft Word");
    t = examine("b.bin");
    EXPECT_EQ(t[IDA_NOM], std::string(63, 'n')); // a length beyond the field shows the field
    EXPECT_EQ(t[IDA_TYPE] + "/" + t[IDA_CREATEUR], "TE/ttxt");
    EXPECT_EQ(t[IDA_CREATION], "31/12/99 23:59 ");
    EXPECT_EQ(t[IDA_MODIF], "06/02/40 06:28 ");
    Sortie s = quillon_cli({"examine", "--json", "a.bin", "b.bin"});
    EXPECT_EQ(s.statut, 0) << s.erreurs;
    size_t fin = s.sortie.find('\n');
    const std::string lignes[2] = {s.sortie.substr(0, fin), s.sortie.substr(fin + 1)};
    for (int i = 0; i < 2; ++i) {
        t = examine(i == 0 ? "a.bin" : "b.bin");
        const std::string &j = lignes[i];
        EXPECT_EQ(champ_json(j, "name"), en_utf8(t[IDA_NOM])) << j;
        EXPECT_EQ(champ_json(j, "type") + "/" + champ_json(j, "creator"), t[IDA_TYPE] + "/" + t[IDA_CREATEUR]);
        EXPECT_EQ(champ_json(j, "identification"), en_utf8(t[IDA_IDENTIFICATION]));
        EXPECT_EQ(date_dialogue(champ_json(j, "created")), t[IDA_CREATION]);
        EXPECT_EQ(date_dialogue(champ_json(j, "modified")), t[IDA_MODIF]);
        EXPECT_EQ(champ_json(j, "data_length") + "/" + champ_json(j, "resource_length"),
                  t[IDA_DONNEES] + "/" + t[IDA_RESSOURCES]);
    }
    char ligne[] = "################"; // aff_date leaves position 8 and the end alone
    aff_date(ligne, swap32b(0xB4E0BC80u));
    EXPECT_STREQ(ligne, "29/02/00#00:00##");
}

// A file whose name is as long as a folder allows is named whole (in words: a single word
// wider than the screen is shortened where it is shown, tests/io/iodlg.cpp). (A file that
// cannot be opened: the read-only file of tests/engine/remplace.cpp.)
TEST(Examen, MessageNamesALongFileWhole) {
    TempDrives d;
    std::string long_nom;
    while (long_nom.size() < 240) long_nom += "Long name ";
    long_nom.resize(240);
    long_nom.back() = 'L'; // Windows drops a name's final spaces
    d.write(long_nom, "not a header");
    Messages m;
    m.attend();
    EXPECT_EQ(display_header(long_nom.c_str()), 0);
    EXPECT_EQ(m.textes, std::vector<std::string>{"Le fichier " + long_nom +
                                                 " ne semble pas \xea" "tre de type Quillon"});
}
