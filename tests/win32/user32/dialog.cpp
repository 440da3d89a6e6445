// Dialogs as the program makes and fills them and as the user drives them through the test
// hooks: what the dialog procedure receives, texts in controls, icons and cursors from the
// resources, clicks, the dialog manager's keys, the close box, focus, mnemonics and Tab,
// typing, dialogs over dialogs.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include <windows.h>
#include "app/quillonid.h"
#include "dialogue.h"
#include "io/iodlgid.h"
#include "wine.h"

namespace {

struct Call {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<Call> calls;
INT_PTR init_answer = TRUE;

// Records what it receives, commands but the controls' news of their focus (EN_SETFOCUS,
// LBN_KILLFOCUS, ...); ends on IDCANCEL and on any push button, with the command's id.
INT_PTR CALLBACK recorder(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG || (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) ||
        msg == WM_SYSCOMMAND || msg == WM_CLOSE || msg == WM_DESTROY)
        calls.push_back({msg, wParam, lParam});
    if (msg == WM_INITDIALOG) return init_answer;
    if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) != IDD_SAUVEGARDE &&
        LOWORD(wParam) != IDD_RECURSIF) {
        EndDialog(h, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

INT_PTR run(int template_id, const std::function<void(HWND)> &act, LPARAM param = 0) {
    calls.clear();
    return dans_dialogue(template_id, act, recorder, param);
}

std::vector<UINT> order() {
    std::vector<UINT> v;
    for (const Call &c : calls) v.push_back(c.msg);
    return v;
}

class Win32Dialog : public ::testing::Test {
  protected:
    void SetUp() override { init_answer = TRUE; }
    void TearDown() override { EXPECT_EQ(plat_test_unhandled_dialogs(), 0); }
};

} // namespace

// WM_INITDIALOG first, with the first tab stop (which gets the focus) and the caller's
// parameter; a click is a command with the id in the low word, the notification in the high
// word and the control as lParam; WM_DESTROY after EndDialog, whose value DialogBoxParamA
// returns; -1 for a layout that does not exist.
TEST_F(Win32Dialog, TheProcedureReceivesWhatWindowsSends) {
    HWND dlg = nullptr, first = nullptr;
    EXPECT_EQ(run(
                  DLG_PRINCIPAL,
                  [&](HWND h) {
                      dlg = h;
                      first = GetDlgItem(h, IDD_NOMFICHIER);
                      plat_test_click(h, IDD_AJOUTER);
                  },
                  1234),
              IDD_AJOUTER);
    EXPECT_EQ(order(), (std::vector<UINT>{WM_INITDIALOG, WM_COMMAND, WM_DESTROY}));
    EXPECT_EQ((HWND)calls[0].wParam, first);
    EXPECT_EQ(calls[0].lParam, 1234);
    EXPECT_EQ(calls[1].wParam, MAKEWPARAM(IDD_AJOUTER, BN_CLICKED));
    EXPECT_NE(calls[1].lParam, 0);
    EXPECT_FALSE(IsWindow(dlg));
    EXPECT_EQ(
        DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCE(4242), nullptr, recorder, 0),
        -1);
}

// Texts cross as Windows-1252, every code, and controls keep them byte for byte; a buffer too
// small gets a cut, terminated text; typed text reaches the field as the user's keys would.
TEST_F(Win32Dialog, TextsKeepEveryWindows1252Byte) {
    run(DLG_PRINCIPAL, [](HWND h) {
        auto text_of = [h](int id) {
            char buf[300];
            return std::string(buf, GetDlgItemTextA(h, id, buf, sizeof buf));
        };
        std::string all;
        for (int c = 1; c < 256; ++c) all.push_back((char)c);
        SetDlgItemTextA(h, IDD_CHEMIN, all.c_str()); // a static keeps every code
        EXPECT_EQ(text_of(IDD_CHEMIN), all);
        EXPECT_EQ(GetWindowTextLengthA(GetDlgItem(h, IDD_CHEMIN)), 255);
        std::string printable = all.substr(0x1F); // a one-line edit field: no line breaks
        SetDlgItemTextA(h, IDD_NOMFICHIER, printable.c_str());
        EXPECT_EQ(text_of(IDD_NOMFICHIER), printable);
        char small[4];
        EXPECT_EQ(GetWindowTextA(GetDlgItem(h, IDD_NOMFICHIER), small, sizeof small), 3);
        EXPECT_STREQ(small, " !\"");
        SetDlgItemInt(h, IDD_CHEMIN, (UINT)-5, TRUE);
        EXPECT_EQ(text_of(IDD_CHEMIN), "-5");
        SetDlgItemInt(h, IDD_CHEMIN, (UINT)-5, FALSE);
        EXPECT_EQ(text_of(IDD_CHEMIN), "4294967291");
        plat_test_type(h, IDD_NOMFICHIER, "*.t\xe9x");
        EXPECT_EQ(plat_test_text(h, IDD_NOMFICHIER), "*.t\xe9x");
        EndDialog(h, 0);
    });
}

// LoadIconA and LoadCursorA give one shared handle per resource, null for a number that names
// none (nor a system cursor); WM_SETICON returns the icon it replaces. The cursor the program
// sets is the one shown, until it sets none.
TEST_F(Win32Dialog, IconsAndCursorsFromTheResources) {
    HINSTANCE inst = GetModuleHandleA(nullptr);
    HICON icon = LoadIconA(inst, MAKEINTRESOURCE(IDI_QUILLON));
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(LoadIconA(inst, MAKEINTRESOURCE(IDI_QUILLON)), icon);
    EXPECT_EQ(LoadIconA(inst, MAKEINTRESOURCE(4242)), nullptr);
    HCURSOR watch = LoadCursorA(inst, MAKEINTRESOURCE(IDC_MONTRE1 + 5));
    ASSERT_NE(watch, nullptr);
    EXPECT_EQ(LoadCursorA(inst, MAKEINTRESOURCE(IDC_MONTRE1 + 5)), watch);
    EXPECT_EQ(LoadCursorA(nullptr, MAKEINTRESOURCE(IDC_MONTRE1)), nullptr);
    EXPECT_NE(LoadCursorA(nullptr, IDC_ARROW), nullptr);
    run(DLG_PRINCIPAL, [&](HWND h) {
        EXPECT_EQ(SendMessageA(h, WM_SETICON, ICON_SMALL, (LPARAM)icon), 0);
        EXPECT_EQ(SendMessageA(h, WM_SETICON, ICON_SMALL, (LPARAM)icon), (LRESULT)icon);
        EndDialog(h, 0);
    });
    SetCursor(watch);
    EXPECT_EQ(plat_test_cursor_id(), IDC_MONTRE1 + 5);
    EXPECT_EQ(SetCursor(nullptr), watch);
    EXPECT_EQ(plat_test_cursor_id(), 0);
}

// The screen's dots per inch are those the dialogs' fonts are sized for: a control of 11
// dialog units (11/8 of a line) is one line of the 8-point font high, a line being at least
// the font's size at that density and less than half again as much.
TEST_F(Win32Dialog, DialogFontsFollowTheScreensDotsPerInch) {
    HDC dc = GetDC(nullptr);
    int ppp = GetDeviceCaps(dc, LOGPIXELSY);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), ppp);
    ReleaseDC(nullptr, dc);
    run(DLG_PRINCIPAL, [&](HWND h) {
        RECT r;
        GetWindowRect(GetDlgItem(h, IDD_CHEMIN), &r);
        double ligne = (r.bottom - r.top) * 8 / 11.0, points = 8 * ppp / 72.0;
        EXPECT_GE(ligne, points - 1);
        EXPECT_LT(ligne, points * 1.5);
        EndDialog(h, 0);
    });
}

// Escape is IDCANCEL even without a control 2; the close box is WM_SYSCOMMAND/SC_CLOSE, then
// WM_CLOSE, then IDCANCEL posted by the default handling.
TEST_F(Win32Dialog, EscapeAndTheCloseBoxBecomeTheCancelCommand) {
    EXPECT_EQ(run(DLG_PRINCIPAL, [](HWND h) { plat_test_key(h, VK_ESCAPE); }), IDCANCEL);
    EXPECT_EQ(run(DLG_PRINCIPAL, [](HWND h) { plat_test_close_box(h); }), IDCANCEL);
    EXPECT_EQ(order(),
              (std::vector<UINT>{WM_INITDIALOG, WM_SYSCOMMAND, WM_CLOSE, WM_COMMAND, WM_DESTROY}));
    EXPECT_EQ(calls[1].wParam & 0xFFF0, (WPARAM)SC_CLOSE);
    EXPECT_EQ(calls[3].wParam, MAKEWPARAM(IDCANCEL, BN_CLICKED));
}

// Enter: the push button the user moved the focus to, which the dialog manager made the
// default; else the enabled default button; else IDOK. SetFocus alone makes no button the
// default ("WM_NEXTDLGCTL ... updates the default pushbutton border ... beyond those
// performed by the SetFocus function", in Microsoft's words).
TEST_F(Win32Dialog, EnterChoosesTheButtonReachedThenTheDefaultButtonThenOk) {
    EXPECT_EQ(run(DLG_PRINCIPAL,
                  [](HWND h) {
                      for (int i = 0; i < 6; ++i) plat_test_key(h, VK_TAB);
                      EXPECT_EQ(GetFocus(), GetDlgItem(h, IDD_RACINE));
                      plat_test_key(h, VK_RETURN);
                  }),
              IDD_RACINE);
    EXPECT_EQ(run(DLG_PRINCIPAL,
                  [](HWND h) {
                      SetFocus(GetDlgItem(h, IDD_EXAMINER));
                      plat_test_key(h, VK_RETURN);
                  }),
              IDOK);
    // The main window has no default button: Enter in the name field is IDOK.
    EXPECT_EQ(run(DLG_PRINCIPAL, [](HWND h) { plat_test_key(h, VK_RETURN); }), IDOK);
    EXPECT_EQ(run(DLG_ATTRIBUTS, [](HWND h) { plat_test_key(h, VK_RETURN); }), IDA_QUITTER);
    // Windows' documentation leaves Enter with a disabled default button unsaid; plat sends
    // IDOK, as our notes on Windows chose, where Wine sends nothing (and the dialog would wait).
    if (!skipped_under_wine("Enter while the default button is disabled")) {
        EXPECT_EQ(run(DLG_ATTRIBUTS,
                      [](HWND h) {
                          EnableWindow(GetDlgItem(h, IDA_QUITTER), FALSE);
                          plat_test_key(h, VK_RETURN);
                      }),
                  IDOK);
    }
    // The invisible button over the icon still answers a click.
    EXPECT_EQ(run(DLG_ATTRIBUTS, [](HWND h) { plat_test_click(h, IDA_AIDE); }), IDA_AIDE);
}

// TRUE from WM_INITDIALOG puts the focus on the first tab stop; FALSE leaves every control
// without it. A label's mnemonic moves the focus to the next control; Tab follows the layout.
TEST_F(Win32Dialog, FocusMnemonicsAndTabOrder) {
    run(DLG_PRINCIPAL, [](HWND h) {
        EXPECT_EQ(GetFocus(), GetDlgItem(h, IDD_NOMFICHIER));
        plat_test_key_mod(h, 'F', PLAT_MOD_ALT);
        EXPECT_EQ(GetFocus(), GetDlgItem(h, IDD_FICHIERS));
        plat_test_key_mod(h, 'D', PLAT_MOD_ALT);
        EXPECT_EQ(GetFocus(), GetDlgItem(h, IDD_REPERTOIRES));
        SetFocus(GetDlgItem(h, IDD_NOMFICHIER));
        plat_test_key(h, VK_TAB);
        EXPECT_EQ(GetFocus(), GetDlgItem(h, IDD_SAUVEGARDE));
        plat_test_key(h, VK_SPACE); // the auto check box ticks itself
        EXPECT_EQ(IsDlgButtonChecked(h, IDD_SAUVEGARDE), (UINT)BST_CHECKED);
        plat_test_click(h, IDD_RECURSIF);
        EXPECT_EQ(IsDlgButtonChecked(h, IDD_RECURSIF), (UINT)BST_CHECKED);
        plat_test_click(h, IDD_RECURSIF);
        EXPECT_EQ(IsDlgButtonChecked(h, IDD_RECURSIF), (UINT)BST_UNCHECKED);
        EndDialog(h, 0);
    });
    std::vector<WPARAM> boxes;
    for (const Call &c : calls)
        if (c.msg == WM_COMMAND) boxes.push_back(c.wParam);
    EXPECT_EQ(boxes, (std::vector<WPARAM>{MAKEWPARAM(IDD_SAUVEGARDE, BN_CLICKED),
                                          MAKEWPARAM(IDD_RECURSIF, BN_CLICKED),
                                          MAKEWPARAM(IDD_RECURSIF, BN_CLICKED)}));
    // "Otherwise, it should return FALSE to prevent the system from setting the default
    // keyboard focus" (WM_INITDIALOG, Microsoft's documentation): Wine gives the focus to the
    // first tab stop when the dialog is activated.
    if (skipped_under_wine("no focus after WM_INITDIALOG returns FALSE")) return;
    init_answer = FALSE;
    run(DLG_MESS_ON, [](HWND h) {
        HWND f = GetFocus();
        EXPECT_TRUE(f == nullptr || f == h);
        EndDialog(h, 0);
    });
}

// A dialog over a dialog: each has its own loop, the inner one ends first. As on Windows, a
// modal dialog disables its owner while it runs: a click there does nothing.
TEST_F(Win32Dialog, NestedDialogsEachEndWithTheirOwnValue) {
    INT_PTR inner = 0;
    EXPECT_EQ(run(DLG_PRINCIPAL,
                  [&](HWND main) {
                      plat_test_push_dialog_handler([main](HWND h, int id) {
                          EXPECT_EQ(id, DLG_APROPOS);
                          EXPECT_FALSE(IsWindowEnabled(main));
                          plat_test_click(main, IDD_QUITTER);
                          EXPECT_TRUE(IsWindow(h));
                          plat_test_key(h, VK_RETURN); // OK is the default button
                      });
                      inner = DialogBoxParamA(GetModuleHandleA(nullptr),
                                              MAKEINTRESOURCE(DLG_APROPOS), main, recorder, 0);
                      EXPECT_TRUE(IsWindowEnabled(main));
                      plat_test_click(main, IDD_QUITTER);
                  }),
              IDD_QUITTER);
    EXPECT_EQ(inner, IDD_APROPOS_OK);
}

// How much room a message's text takes, as the message boxes measure it before they grow:
// DrawTextA with DT_CALCRECT | DT_WORDBREAK keeps the rectangle's top left corner and gives
// its lines' height (each as high as the font's text) and its widest line: lines break between
// words and at CR LF; a word wider than the whole line is not broken, and stands on a line of
// its own, wider than the rectangle. The account's list is a multiline edit that keeps its
// CR LF lines.
TEST_F(Win32Dialog, TextsMeasuredInLinesAndKeptInLines) {
    run(DLG_MESS, [](HWND h) {
        HWND t = GetDlgItem(h, ID_MESS_TEXTE);
        HDC dc = GetDC(t);
        HGDIOBJ before = SelectObject(dc, (HGDIOBJ)SendMessageA(t, WM_GETFONT, 0, 0));
        SIZE ligne;
        ASSERT_TRUE(GetTextExtentPoint32A(dc, "Ag", 2, &ligne));
        auto mesure = [dc](const char *texte, int largeur, RECT *r) {
            *r = RECT{5, 7, 5 + largeur, 7};
            return DrawTextA(dc, texte, -1, r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        };
        RECT r;
        EXPECT_EQ(mesure("Le fichier", 300, &r), ligne.cy);
        EXPECT_EQ(r.left, 5);
        EXPECT_EQ(r.top, 7);
        EXPECT_EQ(r.bottom, 7 + ligne.cy);
        EXPECT_LE(r.right, 305);
        SIZE mot;
        ASSERT_TRUE(GetTextExtentPoint32A(dc, "fichier", 7, &mot));
        const char *phrase = "Le fichier fichier fichier fichier fichier fichier n'a pas \xe9t\xe9 "
                             "modifi\xe9";
        int hauteur = mesure(phrase, 3 * mot.cx, &r);
        EXPECT_GE(hauteur, 3 * ligne.cy);
        EXPECT_EQ(hauteur % ligne.cy, 0);
        EXPECT_EQ(r.bottom - r.top, hauteur);
        EXPECT_LE(r.right - r.left, 3 * mot.cx);
        EXPECT_EQ(mesure("un\r\ndeux", 300, &r), 2 * ligne.cy);
        std::string long_mot = "le " + std::string(60, 'w') + " fin";
        EXPECT_EQ(mesure(long_mot.c_str(), 3 * mot.cx, &r), 3 * ligne.cy);
        EXPECT_GT(r.right - r.left, 3 * mot.cx); // the word is not broken: the line is wider
        SelectObject(dc, before);
        ReleaseDC(t, dc);
        EndDialog(h, 0);
    });
    run(DLG_BILAN, [](HWND h) {
        const char *liste = "premier\r\ndeuxi\xe8me\r\n";
        SetDlgItemTextA(h, IDB_LISTE, liste);
        EXPECT_EQ(plat_test_text(h, IDB_LISTE), liste);
        EndDialog(h, 0);
    });
}
