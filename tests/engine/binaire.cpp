// The header written for a PC file: name, type and creator, lengths and dates, byte for byte.
#include <gtest/gtest.h>
#include <string>
#include "app/quillon.h"
#include "fichier_date.h"
#include "systeme.h"

// The extension of the last name, in any case, picks the first row that has it (GIF and XLS
// have two); a name without one of the table's extensions is text.
TEST(Binaire, TypeAndCreatorByExtension) {
    struct {
        const char *nom, *ct;
    } cas[] = {{"report.txt", "TEXT????"},     {"Sheet.xls", "XLS5XCEL"},
               {"photo.GIF", "GIFfStMl"},      {"page.htm", "TEXTStMl"},
               {"archive.hqx", "TEXTBNHQ"},    {"setup.exe", "APPL????"},
               {"a.b.ai", "TEXTART5"},         {"x.pdf", "PDF CARO"},
               {"x.rag", "R#      "},          {"blank.   ", "        "},
               {"picture.jpeg", "TEXT????"},   {"README", "TEXT????"},
               {"notes.", "TEXT????"},         {"x.abcdefghijklm", "TEXT????"},
               {"dir.doc\\readme", "TEXT????"}};
    for (auto &c : cas) EXPECT_STREQ(calcule_createur(c.nom), c.ct) << c.nom;
}

// The header block written for a source file of the given name, with its result.
static std::string entete(const std::string &nom, size_t attendu = 1) {
    FILE *fs = fichier_date("data", utc(2000, 1, 1, 0, 0, 30));
    FILE *fd = tmpfile();
    EXPECT_EQ(calcule_binary(fs, fd, nom.c_str(), 1234), attendu);
    std::string h(LG_ENTETE + 1, '\0');
    rewind(fd);
    h.resize(fread(&h[0], 1, h.size(), fd));
    fclose(fs);
    fclose(fd);
    return h;
}

TEST(Binaire, WritesTheHeaderBlock) {
    fuseau("UTC0");
    std::string attendu(LG_ENTETE, '\0');
    attendu[1] = 10;
    attendu.replace(2, 10, "report.txt");
    attendu.replace(65, 8, "TEXT????");
    attendu.replace(85, 2, "\x04\xd2");
    attendu.replace(91, 8, "\xb4\x92\xbb\xc0\xb4\x92\xbb\xc1");
    EXPECT_EQ(entete("report.txt"), attendu);

    // Windows accents become Macintosh codes; names are cut at 32 characters, and names far
    // longer than the conversion buffer overrun nothing.
    EXPECT_EQ(entete("\xc9t\xe9.txt").substr(1, 8), std::string("\x07\x83t\x8e.txt", 8));
    std::string nom35 = std::string(31, 'n') + ".txt";
    EXPECT_EQ(entete(nom35).substr(1, 64), '\x20' + nom35.substr(0, 32) + std::string(31, '\0'));
    std::string h = entete(std::string(300, 'L') + ".doc");
    EXPECT_EQ(h.substr(1, 33), '\x20' + std::string(32, 'L'));
    EXPECT_EQ(h.substr(65, 8), "WDBNMSWD");

    // A character without a Macintosh counterpart, first or not, becomes "_": the name is
    // never empty, and the header is one.
    h = entete("\x80uro:x.txt");
    EXPECT_EQ(h.substr(1, 11), "\x0a_uro_x.txt");
    FILE *f = fichier_date(h, 0);
    EXPECT_EQ(is_quillon(f), 1);
    fclose(f);
}

TEST(Binaire, AFailedWriteIsReported) {
    FILE *fs = fichier_date("data", utc(2000, 1, 1));
    FILE *fd = fopen(sous_windows ? "NUL" : "/dev/null", "rb"); // every write to it fails
    EXPECT_EQ(calcule_binary(fs, fd, "a.txt", 4), 0u);
    fclose(fd);
    fclose(fs);
}
