// The program as a user meets it: the About box, Examine with nothing selected, how the program
// ends (Quit, Escape, close box: status 0, a fatal error: status 1), and how the user stops the
// work.
#include <gtest/gtest.h>
#include <cstdio>
#include "io/iodlgid.h"
#include "io/iofile.h"
#include "moteur.h"
#include "plattest_fs.h"
#include "programme.h"
#include "tempdrive.h"

// The About box ignores Escape and closes with Enter or its close box, and gives the keyboard
// back to the button that opened it; with nothing selected, Examine only beeps: no message,
// no walk, even with the recurse box.
TEST(Programme, AboutBoxIgnoresEscapeAndExamineWithNothingSelectedOnlyBeeps) {
    TempDrives d;
    d.write("plain.txt", "plain");
    d.write("sub/other.txt", "other");
    int ouvertures = 0;
    lance_programme([&](HWND h) {
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
            EXPECT_EQ(GetFocus(), GetDlgItem(h, IDD_APROPOS));
        }
        plat_test_click(h, IDD_RECURSIF);
        int bips = plat_test_beep_count();
        plat_test_click(h, IDD_EXAMINER);
        EXPECT_EQ(plat_test_beep_count(), bips + 1);
        plat_test_close_box(h);
    });
    EXPECT_EQ(ouvertures, 2);
    EXPECT_EQ(d.read("plain.txt"), "plain");
}

// Escape during the work asks whether to stop: "Oui" stops after the file under way, which is
// left as it was, and keeps what was done; "Non" goes on. No key typed and no click made
// during the work acts on the main window afterwards. In a pass, the question waits until the
// files converted before it are in place and their folder flushed: a program ended while it
// is open leaves nothing half done.
TEST(Programme, EscapeDuringTheWorkAsksAndNoInputActsAfterwards) {
    TempDrives d;
    const std::string gros(300000, 'g');
    d.write("a.txt", "A");
    d.write("b.bin", entete_quillon(1, 0) + "B"); // already Quillon: a message between files
    d.write("c.bin", gros);
    d.write("d.txt", "D");
    d.write("e.txt", "E");
    std::vector<std::string> questions;
    auto repond = [&](int bouton) {
        plat_test_push_dialog_handler([&questions, bouton](HWND q, int modele) {
            questions.push_back(plat_test_caption(q) + "|" + plat_test_text(q, 128));
            if (modele == DLG_MESS_ON)
                plat_test_click(q, bouton);
            else
                plat_test_close_box(q);
        });
    };
    lance_programme([&](HWND h) {
        // Escape typed while the message about b.bin is up: asked before c.bin, "Oui".
        plat_test_push_dialog_handler([h](HWND m, int) {
            plat_test_click(m, IDOK);
            plat_test_post_key(h, VK_ESCAPE);
        });
        repond(101);
        selectionne(h, {"a.txt", "b.bin", "c.bin", "d.txt"});
        plat_test_click(h, IDD_AJOUTER);
        EXPECT_EQ(d.read("a.txt").substr(128), "A");
        EXPECT_TRUE(d.read("c.bin") == gros);
        EXPECT_EQ(d.read("d.txt"), "D");
        EXPECT_EQ(nb_selectionnes(h), 2); // c.bin and d.txt were not reached

        // Escape during the copy of c.bin, "Oui": c.bin stays as it was, without a work file.
        repond(101);
        plat_test_post_key(h, VK_ESCAPE);
        plat_test_click(h, IDD_AJOUTER);
        EXPECT_TRUE(d.read("c.bin") == gros);
        EXPECT_FALSE(d.exists("c.$$$"));
        EXPECT_EQ(d.read("d.txt"), "D");

        // "Non" goes on; Enter typed meanwhile does not take the typed mask afterwards.
        repond(100);
        plat_test_type(h, IDD_NOMFICHIER, "*.txt");
        plat_test_post_key(h, VK_ESCAPE);
        plat_test_post_key(h, VK_RETURN);
        plat_test_click(h, IDD_AJOUTER);
        plat_test_wait(50);
        EXPECT_EQ(masque, std::string("*.*"));
        EXPECT_EQ(d.read("c.bin").size(), gros.size() + 128);
        EXPECT_EQ(d.read("d.txt").substr(128), "D");

        // A click on Strip and one on the close box, made while Add works on e.txt: Windows
        // keeps them waiting, and once the selection is gone Strip would take every header
        // off again.
        selectionne(h, {"e.txt"});
        plat_test_post_click(h, IDD_RETIRER);
        plat_test_post_close_box(h);
        plat_test_click(h, IDD_AJOUTER);
        plat_test_wait(50);
        EXPECT_TRUE(IsWindowVisible(h));
        for (const char *nom : {"a.txt", "d.txt", "e.txt"})
            EXPECT_EQ(d.read(nom).size(), 129u) << nom;

        // A pass over n1.txt and n2.txt, Escape each time answered "Non" and typed again:
        // asked before n1.txt, during its copy, then before n2.txt, once n1.txt is in place.
        d.write("n1.txt", "1");
        d.write("n2.txt", "2");
        int vidages = 0;
        plat_test_on_flush([&](const std::string &, bool repertoire) { vidages += repertoire; });
        std::vector<std::string> etats; // n1.txt's size and the folder flushes, at each question
        for (int i = 0; i < 3; ++i)
            plat_test_push_dialog_handler([&, i](HWND q, int) {
                etats.push_back(std::to_string(d.read("n1.txt").size()) + " " +
                                std::to_string(vidages));
                plat_test_click(q, 100);
                if (i < 2) plat_test_post_key(h, VK_ESCAPE);
            });
        plat_test_type(h, IDD_NOMFICHIER, "n*.txt");
        plat_test_post_key(h, VK_ESCAPE);
        plat_test_click(h, IDD_AJOUTER);
        plat_test_on_flush(nullptr);
        EXPECT_EQ(etats, (std::vector<std::string>{"1 0", "1 0", "129 1"}));
        EXPECT_EQ(d.read("n2.txt").substr(128), "2");
        plat_test_click(h, IDD_QUITTER);
    });
    EXPECT_EQ(questions, std::vector<std::string>(3, std::string(revend) + "|" + mess_escape));
}

// A fatal error ends the program after its message, with status 1. The message is owned by
// the main window: a double-click made there while it shows runs nothing. (No command meets
// one now that a file that cannot be converted is skipped: a checked open of a missing file
// stands for it.)
TEST(ProgrammeDeathTest, FatalErrorEndsWithStatusOne) {
    TempDrives d;
    d.mkdir("sub");
    EXPECT_EXIT(
        lance_programme([&](HWND h) {
            plat_test_push_dialog_handler([h](HWND hMess, int) {
                double_clic(h, IDD_REPERTOIRES, "[sub]");
                fprintf(stderr, "[%s] %s | %s\n", plat_test_caption(hMess).c_str(),
                        en_ascii(plat_test_text(hMess, 128)).c_str(),
                        plat_test_text(h, IDD_CHEMIN).c_str());
                plat_test_click(hMess, IDOK);
            });
            sec_open_ro("absent.bin");
            fprintf(stderr, "the program went on\n");
            plat_test_key(h, VK_ESCAPE);
        }),
        testing::ExitedWithCode(1),
        "\\[Quillon 1\\.0\\] Erreur <e0> l'ouverture des fichiers absent\\.bin \\| c:\\\\\n");
}
