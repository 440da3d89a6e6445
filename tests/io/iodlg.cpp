// The support library's messages, progress bar, busy cursor, centring, Escape test, queue
// pump and open/save dialog, through the real templates and dialog procedures.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <gtest/gtest.h>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>
#include "app/quillon.h"
#include "app/quillonid.h"
#include "io/iodlg.h"
#include "io/iodlgid.h"
#include "panneau.h"

namespace {

class Iodlg : public ::testing::Test {
  protected:
    void SetUp() override { Global_hInst = GetModuleHandleA(nullptr); }
    void TearDown() override {
        EXPECT_EQ(plat_test_unhandled_dialogs(), 0);
        EXPECT_EQ(plat_test_pending_handlers(), 0);
    }
};

// A length given in pixels for a 96 dpi display, on this one.
double a_l_ecran(int pixels) {
    HDC dc = GetDC(nullptr);
    double ppp = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return pixels * ppp / 96;
}

using Action = std::function<void(HWND)>;
using Question = int (*)(HWND, const char *, const char *);

// Opens a message through its function and checks its template, text and caption (and the
// labels of its first two buttons, when given); `act` plays the user once the dialog is up.
int answer(Question fn, const Action &act, int expected_template, const std::string &labels = "") {
    plat_test_push_dialog_handler([&](HWND h, int id) {
        EXPECT_EQ(id, expected_template);
        EXPECT_EQ(plat_test_caption(h), "La l\xe9gende");
        EXPECT_EQ(plat_test_text(h, ID_MESS_TEXTE), "Le texte");
        if (!labels.empty()) {
            EXPECT_EQ(plat_test_text(h, ID_MESS_OUI) + "/" + plat_test_text(h, ID_MESS_NON),
                      labels);
        }
        act(h);
    });
    return fn(nullptr, "Le texte", "La l\xe9gende");
}

Action click(int id) {
    return [id](HWND h) { plat_test_click(h, id); };
}
Action key(int vk) {
    return [vk](HWND h) { plat_test_key(h, vk); };
}
const Action close_box = [](HWND h) { plat_test_close_box(h); };

// Escape, which is not among a message's answers, then `then`: the message must have stayed.
Action escape_then(const Action &then) {
    return [then](HWND h) {
        plat_test_key(h, VK_ESCAPE);
        plat_test_wait(50);
        EXPECT_TRUE(IsWindow(h)) << "Escape closed the message";
        then(h);
    };
}

} // namespace

TEST_F(Iodlg, QuestionsAnswerAsTheTableSaysAndEscapeIsNoTickedBox) {
    const Action oui = click(ID_MESS_OUI), non = click(ID_MESS_NON), esc = key(VK_ESCAPE);
    const Action tick_then_ok = [](HWND h) {
        plat_test_click(h, ID_MESS_ANNUL);
        EXPECT_EQ(IsDlgButtonChecked(h, ID_MESS_ANNUL), (UINT)BST_CHECKED);
        plat_test_click(h, IDOK);
    };
    const struct {
        Question fn;
        int modele;
        const char *labels;
        std::vector<std::pair<Action, int>> reponses;
    } cas[] = {
        // Enter: no control has the focus (the procedure returns FALSE), so the default button.
        {bmess_ON, DLG_MESS_ON, "Oui/Non",
         {{oui, 1}, {non, 0}, {esc, 0}, {close_box, 0}, {key(VK_RETURN), 1}}},
        {bmess_ONT, DLG_MESS_ONT, "",
         {{oui, 1}, {non, 0}, {click(ID_MESS_BOUTON3), 2}, {click(ID_MESS_BOUTON4), -1}, {esc, 0},
          {close_box, 0}}},
        {bmess_ESC, DLG_MESS_ON, "Continuer/Abandonner",
         {{oui, 1}, {non, 0}, {esc, 0}, {close_box, 0}}},
        {bmess_annulable, DLG_MESS_ANNUL, "",
         {{tick_then_ok, 1}, {click(IDOK), 0}, {close_box, 0}, {escape_then(click(IDOK)), 0}}},
    };
    for (auto &c : cas)
        for (size_t i = 0; i < c.reponses.size(); ++i) {
            SCOPED_TRACE(std::to_string(c.modele) + " answer " + std::to_string(i));
            EXPECT_EQ(answer(c.fn, c.reponses[i].first, c.modele, c.labels), c.reponses[i].second);
        }
    // A dialog destroyed by other means gives no answer (0 under Wine; the platform layer
    // gives -1): never a yes.
    EXPECT_LE(answer(bmess_ON, [](HWND h) { DestroyWindow(h); }, DLG_MESS_ON), 0);
}

TEST_F(Iodlg, PlainMessagesCloseByTheirButtonOrCloseBoxOnly) {
    for (auto fn : {bmess_permanent, bmess_fugace})
        for (const Action &act : {click(IDOK), close_box, escape_then(key(VK_RETURN))}) {
            plat_test_push_dialog_handler([&](HWND h, int id) {
                EXPECT_EQ(id, DLG_MESS);
                EXPECT_EQ(plat_test_text(h, ID_MESS_TEXTE), "Fini");
                act(h);
            });
            fn(nullptr, "Fini", "Quillon"); // (a message never shown leaves its handler pending)
            // Closed by the user, a transient message leaves no timer behind.
            EXPECT_EQ(plat_test_timer_count(), 0);
        }
}

TEST_F(Iodlg, ATransientMessageClosesItselfAfterFiveSecondsAndLogsIt) {
    flog = tmpfile();
    ASSERT_NE(flog, nullptr);
    HWND seen = nullptr;
    auto opened = std::chrono::steady_clock::now();
    plat_test_push_dialog_handler([&](HWND h, int) { seen = h; });
    bmess_fugace(nullptr, "Parti", "Quillon");
    // The dialog is gone by the timer alone, after about 5 seconds, and so is the timer.
    EXPECT_FALSE(IsWindow(seen));
    EXPECT_GE(std::chrono::steady_clock::now() - opened, std::chrono::milliseconds(4900));
    EXPECT_EQ(plat_test_timer_count(), 0);
    rewind(flog);
    char line[32] = "";
    ASSERT_NE(fgets(line, sizeof line, flog), nullptr);
    EXPECT_STREQ(line, "#Parti\n");
    fclose(flog);
    flog = nullptr;
}

// A message shows its whole text: the box grows to it (the message about a backup whose names
// have 184 characters), within the screen, its buttons beneath. A text too large even for the
// screen is read to its end: its longest names give way in their middle; it comes first, so
// that it is sized before any window of the process has been framed. Pictures go to
// build/test/png to be looked at.
TEST_F(Iodlg, AMessageGrowsToItsWholeTextWithinTheScreen) {
    auto nom = [](size_t n, const char *blanc) {
        std::string s;
        while (s.size() < n) s += "Rapport annuel du club " + std::to_string(s.size()) + blanc;
        for (char &c : s)
            if (c == ' ' && *blanc == '_') c = '_';
        return s.substr(0, n);
    };
    const std::string fin = " n'a pas \xe9t\xe9 modifi\xe9";
    const std::string moyen = "Le fichier de sauvegarde " + nom(180, " ") + ".bak existe d\xe9j\xe0 "
                              ": le fichier " + nom(180, " ") + ".txt" + fin;
    const std::string enorme =
        "Le fichier " + nom(1300, "_") + " " + nom(1300, "_") + " " + nom(1300, "_") + fin;
    int png = 0;
    for (bool grand : {true, false}) {
        const std::string &texte = grand ? enorme : moyen;
        std::string montre;
        plat_test_push_dialog_handler([&](HWND h, int) {
            HWND t = GetDlgItem(h, ID_MESS_TEXTE);
            montre = plat_test_text(h, ID_MESS_TEXTE);
            RECT rt, rb, rd, m;
            GetWindowRect(t, &rt);
            GetWindowRect(GetDlgItem(h, IDOK), &rb);
            GetWindowRect(h, &rd);
            HDC dc = GetDC(t);
            HGDIOBJ avant = SelectObject(dc, (HGDIOBJ)SendMessageA(t, WM_GETFONT, 0, 0));
            auto mesure = [&](const std::string &s) {
                m = RECT{0, 0, rt.right - rt.left, 0};
                return DrawTextA(dc, s.c_str(), -1, &m, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
            };
            EXPECT_LE(mesure(montre), rt.bottom - rt.top);
            EXPECT_LE(m.right, rt.right - rt.left);
            if (grand) { // the whole text could not have fitted on the screen
                int haut = mesure(texte);
                EXPECT_TRUE(haut > GetSystemMetrics(SM_CYSCREEN) ||
                            m.right > GetSystemMetrics(SM_CXSCREEN));
            }
            SelectObject(dc, avant);
            ReleaseDC(t, dc);
            EXPECT_GE(rb.top, rt.bottom);
            EXPECT_GE(rd.top, 0);
            EXPECT_GE(rd.left, 0);
            EXPECT_LE(rd.bottom, GetSystemMetrics(SM_CYSCREEN));
            EXPECT_LE(rd.right, GetSystemMetrics(SM_CXSCREEN));
            std::string chemin = std::string(QUILLON_PNG_DIR) + "/long-message-" +
                                 std::to_string(++png) + ".png";
            EXPECT_TRUE(plat_test_save_png(h, chemin.c_str()));
            plat_test_click(h, IDOK);
        });
        bmess_permanent(nullptr, texte.c_str(), "Quillon - Information");
        if (!grand) {
            EXPECT_EQ(montre, texte);
        } else {
            EXPECT_EQ(montre.substr(0, 11), "Le fichier ");
            EXPECT_EQ(montre.substr(montre.size() - fin.size()), fin);
            EXPECT_NE(montre.find("..."), std::string::npos);
            EXPECT_LT(montre.size(), texte.size());
        }
    }
}

namespace {

// Runs `body` inside an open dialog of template `id`, as a dialog procedure's work would.
void inside_dialog(int id, HWND owner, const std::function<void(HWND)> &body) {
    dans_dialogue(
        id,
        [&](HWND h) {
            body(h);
            EndDialog(h, 0);
        },
        proc_muette, 0, owner);
}

RECT rect_of(HWND h) {
    RECT r;
    EXPECT_TRUE(GetWindowRect(h, &r));
    return r;
}

} // namespace

TEST_F(Iodlg, CentringStaysOnTheScreen) {
    int wScreen = GetSystemMetrics(SM_CXSCREEN), hScreen = GetSystemMetrics(SM_CYSCREEN);
    // A small owner (a message) and, over it, a wider dialog (the main window).
    inside_dialog(DLG_MESS, nullptr, [&](HWND parent) {
        inside_dialog(DLG_PRINCIPAL, parent, [&](HWND child) {
            RECT p = rect_of(parent), c = rect_of(child);
            int wp = p.right - p.left, wc = c.right - c.left, hc = c.bottom - c.top;
            ASSERT_GT(wc, wp);
            ASSERT_LT(wc, wScreen);
            // Owner at the left edge: the child cannot go left of the screen.
            SetWindowPos(parent, nullptr, 0, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            EXPECT_TRUE(center_window(child, parent));
            EXPECT_EQ(rect_of(child).left, 0);
            // At the right edge: flush with the screen's right edge.
            SetWindowPos(parent, nullptr, wScreen - wp, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            center_window(child, parent);
            EXPECT_EQ(rect_of(child).right, wScreen);
            // In the middle: centred over the owner (the division truncates).
            SetWindowPos(parent, nullptr, 200, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            p = rect_of(parent);
            center_window(child, parent);
            EXPECT_EQ(rect_of(child).left, p.left + (wp - wc) / 2);
            EXPECT_EQ(rect_of(child).top, p.top + ((p.bottom - p.top) - hc) / 2);
            // No parent: centred on the whole screen; the size never changes.
            center_window(child, nullptr);
            RECT s = rect_of(child);
            EXPECT_EQ(s.left, (wScreen - wc) / 2);
            EXPECT_EQ(s.top, (hScreen - hc) / 2);
            EXPECT_EQ(s.right - s.left, wc);
            EXPECT_EQ(s.bottom - s.top, hc);
        });
    });
}

TEST_F(Iodlg, TheBusyCursorTurnsThroughTwelveWatchesAndDispatchesNothing) {
    inside_dialog(DLG_MESS_ON, nullptr, [&](HWND h) {
        // A key pressed during the work waits; nothing reaches the dialog meanwhile.
        plat_test_post_key(h, VK_ESCAPE);
        for (int call = 0; call < 13; ++call) {
            curs_montre();
            EXPECT_EQ(plat_test_cursor_id(), IDC_MONTRE1 + call % NB_MONTRES) << call;
        }
        EXPECT_TRUE(IsWindow(h));
        MSG m;
        EXPECT_TRUE(PeekMessageA(&m, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE));
        EXPECT_EQ(m.wParam, (WPARAM)VK_ESCAPE);
        // The pointer moving over a window after the work brings the window's cursor back.
        plat_test_move_pointer(h);
        EXPECT_EQ(plat_test_cursor_id(), 0);
        // The counter carries on from where it was.
        curs_montre();
        EXPECT_EQ(plat_test_cursor_id(), IDC_MONTRE1 + 1);
        // Drop the waiting Escape, which would otherwise answer the question.
        while (PeekMessageA(&m, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
        }
    });
}

TEST_F(Iodlg, AProgressBarOfFiveStepsAlongTheMainWindowsBottom) {
    EXPECT_EQ(hwndPB, nullptr);
    avec_panneau([&](HWND main) {
        init_progression(5);
        ASSERT_NE(hwndPB, nullptr);
        EXPECT_EQ(GetParent(hwndPB), main);
        RECT client, bar = rect_of(hwndPB);
        GetClientRect(main, &client);
        POINT origin = {0, 0};
        ClientToScreen(main, &origin);
        // Left, right and height in the main window's client area; 18 pixels (at 96 dpi)
        // beneath.
        EXPECT_EQ(
            std::vector<LONG>({bar.left - origin.x, bar.right - origin.x, bar.bottom - bar.top}),
            std::vector<LONG>({0, client.right, (LONG)GetSystemMetrics(SM_CYVSCROLL)}));
        EXPECT_NEAR(client.bottom - (bar.bottom - origin.y), a_l_ecran(18), 0.5);
        int low, high, pos;
        ASSERT_TRUE(plat_test_progress(hwndPB, &low, &high, &pos));
        EXPECT_EQ(std::vector<int>({low, high, pos}), std::vector<int>({0, 5, 0}));
        plat_test_save_png(main, QUILLON_PNG_DIR "/progress.png");
        HWND bar_handle = hwndPB;
        fin_progression();
        EXPECT_EQ(hwndPB, nullptr);
        EXPECT_FALSE(IsWindow(bar_handle));
    });
    // Without a main window there is no bar, and stepping a null bar does nothing.
    init_progression(5);
    EXPECT_EQ(hwndPB, nullptr);
    EXPECT_EQ(SendMessageA(hwndPB, PBM_STEPIT, 0, 0), 0);
}

// teste_escape: a key that is not Escape is dropped, press and release; Escape asks (the
// question itself: tests/program/fenetre.cpp) and hands back the answer, once per key.
TEST_F(Iodlg, EscapeDuringWorkAsksOnceAndOtherKeysAreDropped) {
    avec_panneau([&](HWND main) {
        EXPECT_EQ(teste_escape(), 0); // no key waiting: at once
        plat_test_post_key(main, 'A');
        EXPECT_EQ(teste_escape(), 0);
        EXPECT_EQ(teste_escape(), 0);
        plat_test_post_key(main, VK_ESCAPE);
        plat_test_push_dialog_handler([](HWND h, int) { plat_test_click(h, ID_MESS_OUI); });
        EXPECT_EQ(teste_escape(), 1);
        EXPECT_EQ(teste_escape(), 0);
        MSG m;
        EXPECT_FALSE(PeekMessageA(&m, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE));
    });
}

TEST_F(Iodlg, TheQueuePumpDispatchesUntilEmptyAndStopsAtQuit) {
    inside_dialog(DLG_MESS, nullptr, [&](HWND h) {
        // (A message that carries a pointer, WM_SETTEXT, cannot be posted.)
        PostMessageA(h, DM_SETDEFID, IDCANCEL, 0);
        EXPECT_EQ(check_message_queue(), 1);
        EXPECT_EQ(SendMessageA(h, DM_GETDEFID, 0, 0), MAKELONG(IDCANCEL, DC_HASDEFID));
        MSG m;
        EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE));
        PostQuitMessage(3);
        EXPECT_EQ(check_message_queue(), 0);
        ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)); // left in the queue
        EXPECT_EQ(m.message, (UINT)WM_QUIT);
        EXPECT_EQ(m.wParam, (WPARAM)3);
    });
}

TEST_F(Iodlg, TheOpenSaveDialogIsShorterCentredAndCancelledLeavesTheBufferAlone) {
    char buff[260] = "inchang\xe9";
    const char filter[] = "Fichiers texte [*.txt]\0*.txt\0Tous\0*.*\0";
    int heights[2] = {0, 0};
    for (int code = 0; code < 2; ++code) {
        plat_test_push_dialog_handler([&](HWND frame, int id) {
            EXPECT_EQ(id, 0);
            EXPECT_EQ(plat_test_caption(frame), code ? "Enregistrer" : "Ouvrir");
            EXPECT_EQ(plat_test_text(frame, PLAT_FILE_NAME_ID), "*.txt");
            RECT r = rect_of(frame);
            heights[code] = r.bottom - r.top;
            // Centred on the screen while there is no main window.
            EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2);
            plat_test_click(frame, IDCANCEL);
        });
        EXPECT_EQ(OFN_OpenSave(nullptr, buff, "txt", code ? "Enregistrer" : "Ouvrir", filter, code),
                  0);
        EXPECT_STREQ(buff, "inchang\xe9");
    }
    // The same dialog without the hook keeps its full height.
    char file[260] = "*.txt";
    OPENFILENAMEA ofn{};
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    ofn.lpstrFilter = filter;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    plat_test_push_dialog_handler([&](HWND frame, int) {
        RECT r = rect_of(frame);
        EXPECT_NEAR(r.bottom - r.top - heights[0], a_l_ecran(23), 0.5);
        plat_test_close_box(frame);
    });
    EXPECT_FALSE(GetOpenFileNameA(&ofn));
}
