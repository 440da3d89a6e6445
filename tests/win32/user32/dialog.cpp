// Dialogs as the program makes and fills them: what the dialog procedure receives, texts in
// controls, icons and cursors from the resources.
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>
#include <windows.h>
#include "app/quillonid.h"
#include "io/iodlgid.h"

namespace {

std::function<void(HWND, WPARAM, LPARAM)> body;
std::vector<UINT> received;

// The test's body runs with WM_INITDIALOG's parameters; the dialog ends there with 7.
INT_PTR CALLBACK run_body(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG || msg == WM_DESTROY) received.push_back(msg);
    if (msg != WM_INITDIALOG) return FALSE;
    body(h, wParam, lParam);
    EndDialog(h, 7);
    return TRUE;
}

INT_PTR in_dialog(int template_id, std::function<void(HWND, WPARAM, LPARAM)> b,
                  LPARAM param = 0) {
    body = std::move(b);
    received.clear();
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCE(template_id), nullptr,
                           run_body, param);
}

std::string text_of(HWND h, int id) {
    char buf[300];
    UINT n = GetDlgItemTextA(h, id, buf, sizeof buf);
    return std::string(buf, n);
}

} // namespace

// WM_INITDIALOG first, with the first tab stop (which gets the focus) and the caller's
// parameter; WM_DESTROY after EndDialog, whose value DialogBoxParamA returns; -1 for a layout
// that does not exist.
TEST(Win32Dialog, TheProcedureReceivesWhatWindowsSends) {
    HWND dlg = nullptr;
    EXPECT_EQ(in_dialog(
                  DLG_PRINCIPAL,
                  [&](HWND h, WPARAM focus, LPARAM param) {
                      dlg = h;
                      EXPECT_EQ((HWND)focus, GetDlgItem(h, IDD_NOMFICHIER));
                      EXPECT_EQ(param, 1234);
                  },
                  1234),
              7);
    EXPECT_EQ(received, (std::vector<UINT>{WM_INITDIALOG, WM_DESTROY}));
    EXPECT_FALSE(IsWindow(dlg));
    EXPECT_EQ(
        DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCE(4242), nullptr, run_body, 0),
        -1);
}

// Texts cross as Windows-1252, every code, and controls keep them byte for byte; a buffer too
// small gets a cut, terminated text.
TEST(Win32Dialog, TextsKeepEveryWindows1252Byte) {
    in_dialog(DLG_PRINCIPAL, [](HWND h, WPARAM, LPARAM) {
        std::string all;
        for (int c = 1; c < 256; ++c) all.push_back((char)c);
        SetDlgItemTextA(h, IDD_CHEMIN, all.c_str()); // a static keeps every code
        EXPECT_EQ(text_of(h, IDD_CHEMIN), all);
        EXPECT_EQ(GetWindowTextLengthA(GetDlgItem(h, IDD_CHEMIN)), 255);
        std::string printable = all.substr(0x1F); // a one-line edit field: no line breaks
        SetDlgItemTextA(h, IDD_NOMFICHIER, printable.c_str());
        EXPECT_EQ(text_of(h, IDD_NOMFICHIER), printable);
        char small[4];
        EXPECT_EQ(GetWindowTextA(GetDlgItem(h, IDD_NOMFICHIER), small, sizeof small), 3);
        EXPECT_STREQ(small, " !\"");
        SetDlgItemInt(h, IDD_CHEMIN, (UINT)-5, TRUE);
        EXPECT_EQ(text_of(h, IDD_CHEMIN), "-5");
        SetDlgItemInt(h, IDD_CHEMIN, (UINT)-5, FALSE);
        EXPECT_EQ(text_of(h, IDD_CHEMIN), "4294967291");
    });
}

// LoadIconA and LoadCursorA give one shared handle per resource, null for a number that names
// none (nor a system cursor); WM_SETICON returns the icon it replaces.
TEST(Win32Dialog, IconsAndCursorsFromTheResources) {
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
    in_dialog(DLG_PRINCIPAL, [&](HWND h, WPARAM, LPARAM) {
        EXPECT_EQ(SendMessageA(h, WM_SETICON, ICON_SMALL, (LPARAM)icon), 0);
        EXPECT_EQ(SendMessageA(h, WM_SETICON, ICON_SMALL, (LPARAM)icon), (LRESULT)icon);
    });
}
