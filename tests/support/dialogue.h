// A dialog of the program's resources run with a dialog procedure of the test's, the test's
// body acting in it once it is shown; the entries of its list boxes; the program's messages
// answered; a message's text as a death test can match it.
#ifndef QUILLON_TESTS_DIALOGUE_H
#define QUILLON_TESTS_DIALOGUE_H

#include <gtest/gtest.h>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>
#include <windows.h>
#include "plattest_ui.h"

inline INT_PTR CALLBACK proc_muette(HWND, UINT msg, WPARAM, LPARAM) {
    return msg == WM_INITDIALOG;
}

// The body must end the dialog (EndDialog, or a click on a button that ends it); the
// dialog's result is returned.
inline INT_PTR dans_dialogue(int modele, const std::function<void(HWND)> &corps,
                             DLGPROC proc = proc_muette, LPARAM param = 0,
                             HWND proprietaire = nullptr) {
    plat_test_push_dialog_handler([&corps](HWND h, int) { corps(h); });
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(modele), proprietaire,
                           proc, param);
}

// In the list's order; LB_GETTEXT gives the length LB_GETTEXTLEN announced.
inline std::vector<std::string> entrees(HWND hDlg, int id) {
    std::vector<std::string> v;
    for (int i = 0; i < (int)SendDlgItemMessageA(hDlg, id, LB_GETCOUNT, 0, 0); ++i) {
        std::string s((size_t)SendDlgItemMessageA(hDlg, id, LB_GETTEXTLEN, i, 0), '\0');
        EXPECT_EQ(SendDlgItemMessageA(hDlg, id, LB_GETTEXT, i, (LPARAM)&s[0]), (LRESULT)s.size());
        v.push_back(s);
    }
    return v;
}

// A list shows each scroll bar while its contents need it, and only then: the vertical one
// while its entries pass its height, the horizontal one while its extent passes its width.
inline void verifie_barres(HWND liste, const std::string &quand) {
    RECT fenetre, client, ligne = {0, 0, 0, 0};
    GetWindowRect(liste, &fenetre);
    GetClientRect(liste, &client);
    int n = (int)SendMessageA(liste, LB_GETCOUNT, 0, 0);
    if (n > 0) SendMessageA(liste, LB_GETITEMRECT, 0, (LPARAM)&ligne);
    bool verticale = fenetre.right - fenetre.left - client.right >= GetSystemMetrics(SM_CXVSCROLL);
    bool horizontale =
        fenetre.bottom - fenetre.top - client.bottom >= GetSystemMetrics(SM_CYHSCROLL);
    EXPECT_EQ(verticale, n * (ligne.bottom - ligne.top) > client.bottom) << quand;
    EXPECT_EQ(horizontale, SendMessageA(liste, LB_GETHORIZONTALEXTENT, 0, 0) > client.right)
        << quand;
}

// The messages the program shows, read (control 128) and closed with OK as a user would; a
// message of bmess_annulable may first get its "do not tell again" box ticked, and a message
// may instead be destroyed by other means, which gives no answer.
enum class Reponse { ok, coche, detruit };
struct Messages {
    std::vector<std::string> textes;
    void attend(int n = 1, Reponse r = Reponse::ok) {
        for (int i = 0; i < n; ++i)
            plat_test_push_dialog_handler([this, r](HWND hDlg, int) {
                textes.push_back(plat_test_text(hDlg, 128));
                if (r == Reponse::detruit) return (void)DestroyWindow(hDlg);
                if (r == Reponse::coche) plat_test_click(hDlg, 136);
                if (GetDlgItem(hDlg, IDOK))
                    plat_test_click(hDlg, IDOK);
                else
                    plat_test_close_box(hDlg); // a question: no test hangs
            });
    }
};

// The text with its bytes above 127 written as <xx>: a death test's pattern reads text in the
// locale's encoding, which a Windows-1252 byte would break.
inline std::string en_ascii(const std::string &texte) {
    std::string s;
    for (unsigned char c : texte) {
        char hexa[8];
        snprintf(hexa, sizeof hexa, "<%02x>", c);
        s += c < 128 ? std::string(1, (char)c) : hexa;
    }
    return s;
}

#endif
