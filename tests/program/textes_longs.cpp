// Texts longer than their place stay readable in the layouts as they are: the examination
// dialog shows a long name and a long identification on one line each, shortened with an
// ellipsis (a name keeps its end, which tells names apart), and the file list scrolls
// sideways as far as its longest name. Pictures go to build/test/png to be looked at.
#include <gtest/gtest.h>
#include "programme.h"
#include "tempdrive.h"

TEST(Programme, LongTextsStayReadable) {
    TempDrives d;
    const std::string nom = "Annual report 1997 version A.doc"; // 32: the longest a header holds
    const std::string long_a = "Annual report 1997 for the members of the club, version A.txt";
    d.write(nom, "report");
    d.write(long_a, "a");
    d.write("quillon.sig", "DOC,WDBNMSWD,MICROSOFT WORD DOCUMENT FOR THE MACINTOSH, VERSION 5.1 "
                           "AND LATER\r\n");
    const std::string png = std::string(QUILLON_PNG_DIR) + "/long-texts-";
    lance_programme([&](HWND h) {
        HWND liste = GetDlgItem(h, IDD_FICHIERS);
        RECT client;
        GetClientRect(liste, &client);
        EXPECT_GT(SendMessageA(liste, LB_GETHORIZONTALEXTENT, 0, 0), client.right);
        EXPECT_TRUE(plat_test_save_png(h, (png + "main.png").c_str()));
        plat_test_type(h, IDD_NOMFICHIER, "*.sig");
        plat_test_key(h, VK_RETURN);
        EXPECT_LE(SendMessageA(liste, LB_GETHORIZONTALEXTENT, 0, 0), client.right);

        plat_test_type(h, IDD_NOMFICHIER, "*.doc");
        plat_test_key(h, VK_RETURN);
        selectionne(h, {nom});
        plat_test_click(h, IDD_AJOUTER);
        plat_test_push_dialog_handler([&](HWND e, int) {
            std::string vu = plat_test_shown_text(e, IDA_NOM);
            // The ellipsis: one character on Linux, three dots as Windows draws it.
            EXPECT_TRUE(vu.find('\x85') != std::string::npos || vu.find("...") != std::string::npos)
                << vu;
            EXPECT_EQ(vu.substr(vu.size() - 5), "A.doc");
            EXPECT_EQ(vu.find('\n'), std::string::npos);
            vu = plat_test_shown_text(e, IDA_IDENTIFICATION);
            EXPECT_EQ(vu.substr(0, 20), "MICROSOFT WORD DOCUM");
            EXPECT_TRUE(vu.back() == '\x85' || vu.compare(vu.size() - 3, 3, "...") == 0) << vu;
            EXPECT_TRUE(plat_test_save_png(e, (png + "examine.png").c_str()));
            plat_test_click(e, IDA_QUITTER);
        });
        selectionne(h, {nom});
        plat_test_click(h, IDD_EXAMINER);
        plat_test_key(h, VK_ESCAPE);
    });
}
