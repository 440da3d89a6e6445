// The program as a user meets it: the About box, Examine with nothing selected, and how the
// program ends (Quit, Escape, close box: status 0; a fatal error: status 1).
#include <gtest/gtest.h>
#include <cstdio>
#include "programme.h"
#include "tempdrive.h"

TEST(Programme, AboutBoxIgnoresEscape) {
    TempDrives d;
    int ouvertures = 0;
    int fin = lance_programme([&](HWND h) {
        for (bool par_la_case : {false, true}) {
            plat_test_push_dialog_handler([&](HWND hApropos, int template_id) {
                ouvertures++;
                EXPECT_EQ(template_id, DLG_APROPOS);
                EXPECT_EQ(plat_test_caption(hApropos), "About Quillon");
                plat_test_key(hApropos, VK_ESCAPE);
                EXPECT_TRUE(IsWindow(hApropos)) << "Escape closed the About box";
                if (par_la_case)
                    plat_test_close_box(hApropos);
                else
                    plat_test_key(hApropos, VK_RETURN);
            });
            plat_test_click(h, IDD_APROPOS);
        }
        // The main window is still there and answers.
        EXPECT_EQ(plat_test_text(h, IDD_NOMFICHIER), "*.*");
        plat_test_close_box(h);
    });
    EXPECT_EQ(fin, 0);
    EXPECT_EQ(ouvertures, 2);
    EXPECT_EQ(plat_test_unhandled_dialogs(), 0);
}

// With nothing selected, Examine only beeps: no message, no walk, even with the recurse box.
TEST(Programme, ExamineWithNothingSelectedOnlyBeeps) {
    TempDrives d;
    d.write("plain.txt", "plain");
    d.write("sub/other.txt", "other");
    int fin = lance_programme([&](HWND h) {
        plat_test_click(h, IDD_RECURSIF);
        int bips = plat_test_beep_count();
        plat_test_click(h, IDD_EXAMINER);
        EXPECT_EQ(plat_test_beep_count(), bips + 1);
        plat_test_key(h, VK_ESCAPE);
    });
    EXPECT_EQ(fin, 0);
    EXPECT_EQ(plat_test_unhandled_dialogs(), 0);
    EXPECT_EQ(d.read("plain.txt"), "plain");
}

// The text with its bytes above 127 written as <xx>: the death test's pattern reads text in
// the locale's encoding, which a Windows-1252 byte would break.
static std::string en_ascii(const std::string &texte) {
    std::string s;
    for (unsigned char c : texte) {
        char hexa[8];
        snprintf(hexa, sizeof hexa, "<%02x>", c);
        s += c < 128 ? std::string(1, (char)c) : hexa;
    }
    return s;
}

// A work file that cannot be created ends the program after a message, with status 1; the
// file being converted is left as it was. Here the work name is one character too long for
// the file system. The message is owned by the main window: a double-click made there while
// it shows runs nothing.
TEST(ProgrammeDeathTest, FatalErrorEndsWithStatusOne) {
    GTEST_FLAG_SET(death_test_style, "fast");
    TempDrives d;
    const std::string nom(252, 'a'); // with ".$$$", 256 characters
    d.write(nom, "keep me");
    d.mkdir("sub");
    EXPECT_EXIT(lance_programme([&](HWND h) {
                    plat_test_push_dialog_handler([h](HWND hMess, int) {
                        double_clic(h, IDD_REPERTOIRES, "[sub]");
                        fprintf(stderr, "[%s] %s | %s\n", plat_test_caption(hMess).c_str(),
                                en_ascii(plat_test_text(hMess, 128)).c_str(),
                                plat_test_text(h, IDD_CHEMIN).c_str());
                        plat_test_click(hMess, IDOK);
                    });
                    selectionne(h, {nom});
                    plat_test_click(h, IDD_AJOUTER);
                    fprintf(stderr, "the program went on\n");
                    plat_test_key(h, VK_ESCAPE);
                }),
                testing::ExitedWithCode(1),
                "\\[Quillon 1\\.0\\] Erreur <e0> l'ouverture des fichiersa{200}a* \\| c:\\\\\n");
    EXPECT_EQ(d.read(nom), "keep me");
}
