// The program as a user meets it: adding headers to selected files, examining one, stripping
// them again; every file ends byte for byte as it began.
#include <gtest/gtest.h>
#include <cstdlib>
#include <ctime>
#include <sys/stat.h>
#include <utime.h>
#include "plattest_fs.h"
#include "programme.h"
#include "tempdrive.h"

namespace {

const uint32_t DE_1904_A_1970 = 2082844800u; // seconds from 1904-01-01 to 1970-01-01

struct Original {
    std::string nom, octets;
};

std::string contenu(size_t taille, unsigned graine) {
    std::string s(taille, '\0');
    for (size_t i = 0; i < taille; i++) s[i] = (char)((i * 131 + graine * 7 + i / 251) & 0xff);
    return s;
}

uint32_t gros_boutiste(const std::string &s, size_t pos) {
    return (uint32_t)(unsigned char)s[pos] << 24 | (uint32_t)(unsigned char)s[pos + 1] << 16 |
           (uint32_t)(unsigned char)s[pos + 2] << 8 | (unsigned char)s[pos + 3];
}

// The file holds a header for name, type and creator, then exactly the original bytes.
void verifie_entete(const TempDrives &d, const Original &o, const char *type_createur) {
    std::string f = d.read(o.nom);
    ASSERT_EQ(f.size(), o.octets.size() + 128) << o.nom;
    EXPECT_EQ(f.substr(128), o.octets) << o.nom;
    EXPECT_EQ(f[0], 0);
    EXPECT_EQ((size_t)(unsigned char)f[1], o.nom.size());
    EXPECT_EQ(f.substr(2, o.nom.size()), o.nom);
    EXPECT_EQ(f.substr(65, 8), type_createur) << o.nom;
    EXPECT_EQ(gros_boutiste(f, 83), o.octets.size());
    EXPECT_EQ(gros_boutiste(f, 87), 0u);
}

// A header date as the examination dialog writes it: day/month/year hour:minute and a blank.
std::string date_affichee(uint32_t date_mac) {
    time_t t = (time_t)date_mac - DE_1904_A_1970;
    struct tm c;
    gmtime_r(&t, &c);
    char s[32];
    snprintf(s, sizeof s, "%02d/%02d/%02d %02d:%02d ", c.tm_mday, c.tm_mon + 1, c.tm_year % 100,
             c.tm_hour, c.tm_min);
    return s;
}

void coche(HWND h, int id, bool voulu) {
    if ((IsDlgButtonChecked(h, id) == BST_CHECKED) != voulu) plat_test_click(h, id);
    ASSERT_EQ(IsDlgButtonChecked(h, id) == BST_CHECKED, voulu);
}

} // namespace

TEST(Programme, AddExamineStripSelectedFiles) {
    setenv("TZ", "UTC", 1);
    tzset();
    TempDrives d;
    const std::vector<Original> fichiers = {
        {"a.txt", "line one\r\nline two\r\n"},
        {"b.doc", contenu(3000, 1)},
        {"c.jpg", contenu(100000, 2)}, // more than one copy block: the progress bar runs
    };
    const Original intact = {"d.dat", contenu(500, 3)};
    for (const Original &o : fichiers) d.write(o.nom, o.octets);
    d.write(intact.nom, intact.octets);
    d.write("types.sig", "# test signatures\r\nDOC,WDBNMSWD,Word document\r\n");
    const std::vector<std::string> trois = {"a.txt", "b.doc", "c.jpg"};
    const char *types[] = {"TEXT????", "WDBNMSWD", "JPEG????"};

    int fin = lance_programme([&](HWND h) {
        // Add with a backup: each file converted in place, its original kept as .bak; the
        // entries lose their selection and the lists are not refilled.
        std::vector<std::string> liste_avant = entrees(h, IDD_FICHIERS);
        selectionne(h, trois);
        EXPECT_EQ(nb_selectionnes(h), 3);
        coche(h, IDD_SAUVEGARDE, true);
        coche(h, IDD_RECURSIF, true); // no effect with a selection
        // An entry loses its selection once its file is on the disk under its name: the
        // directory is flushed before each entry is deselected.
        std::vector<int> selectionnes_au_vidage;
        plat_test_on_flush([&](const std::string &, bool repertoire) {
            if (repertoire) selectionnes_au_vidage.push_back(nb_selectionnes(h));
        });
        plat_test_click(h, IDD_AJOUTER);
        plat_test_on_flush(nullptr);
        EXPECT_EQ(selectionnes_au_vidage, (std::vector<int>{3, 2, 1}));
        for (size_t i = 0; i < fichiers.size(); i++) {
            verifie_entete(d, fichiers[i], types[i]);
            std::string bak = fichiers[i].nom.substr(0, 1) + ".bak";
            EXPECT_EQ(d.read(bak), fichiers[i].octets) << bak;
        }
        EXPECT_EQ(d.read(intact.nom), intact.octets);
        EXPECT_EQ(nb_selectionnes(h), 0);
        EXPECT_EQ(entrees(h, IDD_FICHIERS), liste_avant);
        // Enter refills them, from the file-name field (on a push button, Enter would press it).
        plat_test_type(h, IDD_NOMFICHIER, "*.*");
        plat_test_key(h, VK_RETURN);
        EXPECT_GE(indice(h, IDD_FICHIERS, "b.bak"), 0);

        // Strip without a backup: the files come back as they were.
        coche(h, IDD_SAUVEGARDE, false);
        selectionne(h, trois);
        plat_test_click(h, IDD_RETIRER);
        for (const Original &o : fichiers) EXPECT_EQ(d.read(o.nom), o.octets) << o.nom;

        // Add without a backup; the old backups are left alone.
        struct utimbuf quand = {990102896, 990102896}; // 2001-05-17 12:34:56 UTC
        ASSERT_EQ(utime(d.host("b.doc").c_str(), &quand), 0);
        selectionne(h, trois);
        plat_test_click(h, IDD_AJOUTER);
        for (size_t i = 0; i < fichiers.size(); i++) {
            verifie_entete(d, fichiers[i], types[i]);
            EXPECT_EQ(d.read(fichiers[i].nom.substr(0, 1) + ".bak"), fichiers[i].octets);
        }

        // Examine one: the dialog shows what its header holds.
        std::string entete = d.read("b.doc").substr(0, 128);
        uint32_t creation = gros_boutiste(entete, 91), modif = gros_boutiste(entete, 95);
        EXPECT_EQ(creation, 990102840u + DE_1904_A_1970 - 4 * 3600); // the minute, as stored
        EXPECT_EQ(modif, creation + 1);
        plat_test_push_dialog_handler([&](HWND hExamen, int template_id) {
            EXPECT_EQ(template_id, DLG_ATTRIBUTS);
            EXPECT_EQ(plat_test_text(hExamen, IDA_NOM), "b.doc");
            EXPECT_EQ(plat_test_text(hExamen, IDA_TYPE), "WDBN");
            EXPECT_EQ(plat_test_text(hExamen, IDA_CREATEUR), "MSWD");
            EXPECT_EQ(plat_test_text(hExamen, IDA_DONNEES), "3000");
            EXPECT_EQ(plat_test_text(hExamen, IDA_RESSOURCES), "0");
            EXPECT_EQ(plat_test_text(hExamen, IDA_CREATION), date_affichee(creation));
            EXPECT_EQ(plat_test_text(hExamen, IDA_MODIF), date_affichee(modif));
            EXPECT_EQ(plat_test_text(hExamen, IDA_IDENTIFICATION), "Word document");
            plat_test_click(hExamen, IDA_QUITTER);
        });
        selectionne(h, {"b.doc"});
        plat_test_click(h, IDD_EXAMINER);
        EXPECT_EQ(plat_test_pending_handlers(), 0);
        EXPECT_EQ(nb_selectionnes(h), 0);
        EXPECT_EQ(d.read("b.doc").substr(0, 128), entete);

        // Strip again: every file ends byte for byte as it began, and no work file is left.
        selectionne(h, trois);
        plat_test_click(h, IDD_RETIRER);
        plat_test_click(h, IDD_QUITTER);
    });
    EXPECT_EQ(fin, 0);
    for (const Original &o : fichiers) EXPECT_EQ(d.read(o.nom), o.octets) << o.nom;
    EXPECT_EQ(d.read(intact.nom), intact.octets);
    for (const char *travail : {"a.$$$", "b.$$$", "c.$$$"}) EXPECT_FALSE(d.exists(travail));
    EXPECT_EQ(plat_test_unhandled_dialogs(), 0);
}

// With nothing selected, Add acts on the file the field names, whole (a name of 70
// characters here, beside the one its first 63 would name), or on nothing: a text longer
// than any name is refused with a beep.
TEST(Programme, AddActsOnTheWholeNameTyped) {
    TempDrives d;
    const std::string nom = std::string(66, 'n') + ".txt", coupe = nom.substr(0, 63);
    d.write(nom, "named");
    d.write(coupe, "cut");
    int fin = lance_programme([&](HWND h) {
        plat_test_type(h, IDD_NOMFICHIER, nom.c_str());
        plat_test_click(h, IDD_AJOUTER);
        EXPECT_EQ(d.read(nom).size(), 128u + 5);
        EXPECT_EQ(d.read(coupe), "cut");
        plat_test_type(h, IDD_NOMFICHIER, (coupe + std::string(200, 'x')).c_str());
        int bips = plat_test_beep_count();
        plat_test_click(h, IDD_AJOUTER);
        EXPECT_EQ(plat_test_beep_count(), bips + 1);
        EXPECT_EQ(d.read(coupe), "cut");
        plat_test_key(h, VK_ESCAPE);
    });
    EXPECT_EQ(fin, 0);
}
