// Messages, fatal exit, progress bar, busy cursor, centring, Escape test, queue pump and the
// open/save dialog of the support library. The words shown are the application's globals.
#include "io/iodlg.h"
#include <commctrl.h>
#include <commdlg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include "io/io.h"
#include "io/iodlgid.h"

#define DUREE_FUGACE 5000 // ms before a transient message closes itself
#define HAUTEUR_OFN 23    // how much shorter the open/save dialog is made, in pixels at 96 dpi
#define MARGE_PROGRESS 18 // pixels at 96 dpi between the progress bar and the window's bottom

static const char *cptr[2]; // the message's text, then its caption (not copied)
static HWND MessBox;        // the plain message on screen
HWND hwndPB;
static int mac_curs; // frame of the busy cursor, 1 to 12

// ---- A message's size

#define LG_MESSAGE 4096 // the longest text a message shows; the program's are far shorter
#define LG_MOT_MIN 12   // a word is not shortened below this

// The room texte takes in the control's font, broken into lines at the width largeur: its
// lines' height, and its widest line (a word wider than largeur is not broken).
static RECT mesure_texte(HWND hTexte, const char *texte, int largeur) {
    HDC dc = GetDC(hTexte);
    HGDIOBJ police = (HGDIOBJ)SendMessageA(hTexte, WM_GETFONT, 0, 0);
    HGDIOBJ ancienne = police ? SelectObject(dc, police) : NULL;
    RECT r = {0, 0, largeur, 0};
    DrawTextA(dc, texte, -1, &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    if (ancienne) SelectObject(dc, ancienne);
    ReleaseDC(hTexte, dc);
    return r;
}

// src into dest, each run without a space (a name) longer than lg_mot shortened in its
// middle to lg_mot characters, "..." among them: its start and its end tell names apart.
static void limite_mots(const char *src, size_t lg_mot, char *dest, size_t taille) {
    size_t n = 0;
    while (*src != '\0' && n + 1 < taille) {
        size_t lg = strcspn(src, " ");
        if (lg == 0) {
            dest[n++] = *src++;
            continue;
        }
        size_t tete = lg, queue = 0;
        if (lg > lg_mot) {
            tete = (lg_mot - 3 + 1) / 2;
            queue = lg_mot - 3 - tete;
        }
        int ecrit = snprintf(dest + n, taille - n, "%.*s%s%.*s", (int)tete, src,
                             queue ? "..." : "", (int)queue, src + lg - queue);
        if (ecrit < 0 || (size_t)ecrit >= taille - n) break;
        n += (size_t)ecrit;
        src += lg;
    }
    dest[n < taille ? n : taille - 1] = '\0';
}

// Moves a control of the dialog by dx, dy pixels.
static void deplace(HWND hDlg, int id, int dx, int dy) {
    HWND c = GetDlgItem(hDlg, id);
    RECT r;
    POINT origine = {0, 0};
    if (c == NULL || !GetWindowRect(c, &r) || !ClientToScreen(hDlg, &origine)) return;
    SetWindowPos(c, NULL, r.left - origine.x + dx, r.top - origine.y + dy, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
}

// Shows the whole text: the box grows to it, as far as the screen allows, wider for a name
// wider than a line (the system does not break a word), taller for its lines; the buttons
// beneath move with it and stay centred. A text too large even for the screen has its
// longest names shortened in their middle, so that the sentence, which says what became of
// the file, is read to its end.
static void montre_texte(HWND hDlg) {
    HWND hTexte = GetDlgItem(hDlg, ID_MESS_TEXTE);
    RECT rt, rd;
    if (hTexte == NULL || !GetWindowRect(hTexte, &rt) || !GetWindowRect(hDlg, &rd)) {
        SetDlgItemTextA(hDlg, ID_MESS_TEXTE, cptr[0]);
        return;
    }
    int largeur = rt.right - rt.left, hauteur = rt.bottom - rt.top;
    int largeur_max = GetSystemMetrics(SM_CXSCREEN) - ((rd.right - rd.left) - largeur);
    int hauteur_max = GetSystemMetrics(SM_CYSCREEN) - ((rd.bottom - rd.top) - hauteur);
    char texte[LG_MESSAGE];
    snprintf(texte, sizeof texte, "%s", cptr[0]);
    int l = largeur;
    RECT m = mesure_texte(hTexte, texte, l);
    if (m.right > l) {
        l = m.right < largeur_max ? m.right : largeur_max;
        m = mesure_texte(hTexte, texte, l);
    }
    size_t lg_mot = strlen(texte);
    while ((m.bottom > hauteur_max || m.right > l) && lg_mot > LG_MOT_MIN) {
        lg_mot -= lg_mot / 8 + 1;
        if (lg_mot < LG_MOT_MIN) lg_mot = LG_MOT_MIN;
        limite_mots(cptr[0], lg_mot, texte, sizeof texte);
        m = mesure_texte(hTexte, texte, l);
    }
    SetDlgItemTextA(hDlg, ID_MESS_TEXTE, texte);
    int dx = l - largeur;
    int dy = (m.bottom < hauteur_max ? m.bottom : hauteur_max) - hauteur;
    if (dy < 0) dy = 0;
    if (dx == 0 && dy == 0) return;
    static const int boutons[] = {IDOK, ID_MESS_OUI, ID_MESS_NON, ID_MESS_BOUTON3, ID_MESS_BOUTON4};
    for (int id : boutons) deplace(hDlg, id, dx / 2, dy);
    deplace(hDlg, ID_MESS_ANNUL, 0, dy);
    SetWindowPos(hTexte, NULL, 0, 0, l, hauteur + dy, SWP_NOMOVE | SWP_NOZORDER);
    SetWindowPos(hDlg, NULL, 0, 0, rd.right - rd.left + dx, rd.bottom - rd.top + dy,
                 SWP_NOMOVE | SWP_NOZORDER);
}

// ---- The message family

// What every message procedure does first: show the texts, then centre over the main window.
static void init_message(HWND hDlg) {
    montre_texte(hDlg);
    SetWindowTextA(hDlg, cptr[1]);
    center_window(hDlg, hWndMain);
}

// The close command of the system menu, whatever its low four bits hold.
static int est_fermeture(WPARAM wParam) {
    return (wParam & 0xFFF0) == SC_CLOSE;
}

// What every message dialog does alike: the close command ends it with 0, and a destruction
// by any other means with -1; other system commands go on to the default handling.
static INT_PTR fin_message(HWND hDlg, UINT message, WPARAM wParam) {
    if (message == WM_SYSCOMMAND && est_fermeture(wParam)) {
        EndDialog(hDlg, 0);
        return TRUE;
    }
    if (message == WM_DESTROY) EndDialog(hDlg, -1);
    return FALSE;
}

static INT_PTR CALLBACK MessageProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam) {
    (void)lParam;
    switch (message) {
    case WM_INITDIALOG:
        MessBox = hDlg;
        init_message(hDlg);
        return FALSE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == ID_MESS_OUI) {
            EndDialog(hDlg, 0);
            return TRUE;
        }
        return FALSE;
    }
    return fin_message(hDlg, message, wParam);
}

static INT_PTR CALLBACK MessageProcAnnu(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam) {
    (void)lParam;
    switch (message) {
    case WM_INITDIALOG:
        MessBox = hDlg;
        init_message(hDlg);
        return FALSE;
    case WM_COMMAND:
        // Escape (IDCANCEL) is not an answer here: the dialog stays.
        if (LOWORD(wParam) != IDOK) return FALSE;
        EndDialog(hDlg, IsDlgButtonChecked(hDlg, ID_MESS_ANNUL) == BST_CHECKED ? 1 : 0);
        return TRUE;
    }
    return fin_message(hDlg, message, wParam);
}

// The questions: yes 1, no 0 (also Escape and the close box); template 1003 adds 2 and -1.
static INT_PTR question(HWND hDlg, UINT message, WPARAM wParam, const char *oui, const char *non) {
    switch (message) {
    case WM_INITDIALOG:
        init_message(hDlg);
        SetDlgItemTextA(hDlg, ID_MESS_OUI, oui);
        SetDlgItemTextA(hDlg, ID_MESS_NON, non);
        return FALSE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case ID_MESS_OUI:
            EndDialog(hDlg, 1);
            return TRUE;
        case ID_MESS_NON:
        case IDCANCEL:
            EndDialog(hDlg, 0);
            return TRUE;
        case ID_MESS_BOUTON3:
            EndDialog(hDlg, 2);
            return TRUE;
        case ID_MESS_BOUTON4:
            EndDialog(hDlg, -1);
            return TRUE;
        }
        return FALSE;
    }
    return fin_message(hDlg, message, wParam);
}

static INT_PTR CALLBACK MessageProcON(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam) {
    (void)lParam;
    return question(hDlg, message, wParam, mess_oui, mess_non);
}

static INT_PTR CALLBACK MessageProcESC(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam) {
    (void)lParam;
    return question(hDlg, message, wParam, butt_continuer, butt_abandon);
}

// Stores the texts, runs the template; the dialog's end value, or -1 when it cannot be made.
static int message_box(HWND hWnd, const char *texte, const char *titre, int modele, DLGPROC proc) {
    cptr[0] = texte;
    cptr[1] = titre;
    return (int)DialogBoxParamA(Global_hInst, MAKEINTRESOURCEA(modele), hWnd, proc, 0);
}

// The transient message's timer: logs the message, then closes it as if destroyed. A dialog
// already gone is left alone.
static void CALLBACK TmrProc(HWND hWnd, UINT message, UINT_PTR idEvent, DWORD dwTime) {
    (void)hWnd, (void)message, (void)idEvent, (void)dwTime;
    if (!IsWindow(MessBox)) return;
    if (flog != NULL) fprintf(flog, "#%s\n", cptr[0]);
    SendMessageA(MessBox, WM_DESTROY, 0, 0);
}

void bmess_fugace(HWND hWnd, const char *texte, const char *titre) {
    UINT_PTR minuterie = SetTimer(NULL, 0, DUREE_FUGACE, TmrProc);
    message_box(hWnd, texte, titre, DLG_MESS, MessageProc);
    // However the message ended (user, timer, failure), its timer goes with it.
    if (minuterie != 0) KillTimer(NULL, minuterie);
}

void bmess_permanent(HWND hWnd, const char *texte, const char *titre) {
    message_box(hWnd, texte, titre, DLG_MESS, MessageProc);
}

int bmess_ON(HWND hWnd, const char *texte, const char *titre) {
    return message_box(hWnd, texte, titre, DLG_MESS_ON, MessageProcON);
}

int bmess_ONT(HWND hWnd, const char *texte, const char *titre) {
    return message_box(hWnd, texte, titre, DLG_MESS_ONT, MessageProcON);
}

int bmess_ESC(HWND hWnd, const char *texte, const char *titre) {
    return message_box(hWnd, texte, titre, DLG_MESS_ON, MessageProcESC);
}

int bmess_annulable(HWND hWnd, const char *texte, const char *titre) {
    return message_box(hWnd, texte, titre, DLG_MESS_ANNUL, MessageProcAnnu);
}

// Owned by the main window, so that nothing there runs a command until the program ends.
void sortie_erreur(const char *mes) {
    bmess_permanent(hWndMain, mes, revend);
    exit(1);
}

// ---- Pixels of the display

// The program knows the display's scale (its manifest says so), and Windows then leaves its
// windows as they are: a length it gives in pixels for a 96 dpi display grows with the
// display's dots per inch, as the dialogs' fonts and the system's metrics do.
int pixels_ecran(int pixels) {
    HDC hdc = GetDC(NULL);
    int ppp = GetDeviceCaps(hdc, LOGPIXELSY);
    ReleaseDC(NULL, hdc);
    return ppp > 0 ? (pixels * ppp + 48) / 96 : pixels;
}

// ---- Progress bar

void init_progression(int tranches) {
    RECT rcClient = {0, 0, 0, 0};
    int cyVScroll = GetSystemMetrics(SM_CYVSCROLL);
    GetClientRect(hWndMain, &rcClient);
    hwndPB = CreateWindowExA(0, PROGRESS_CLASSA, NULL, WS_CHILD | WS_VISIBLE, rcClient.left,
                             rcClient.bottom - cyVScroll - pixels_ecran(MARGE_PROGRESS),
                             rcClient.right, cyVScroll, hWndMain, (HMENU)0, Global_hInst, NULL);
    SendMessageA(hwndPB, PBM_SETRANGE, 0, MAKELPARAM(0, tranches));
    SendMessageA(hwndPB, PBM_SETSTEP, (WPARAM)1, 0);
}

void avance_progression(void) {
    SendMessageA(hwndPB, PBM_STEPIT, 0, 0);
}

void fin_progression(void) {
    DestroyWindow(hwndPB);
    hwndPB = NULL;
}

// ---- Busy cursor, centring, keyboard and queue

void curs_montre(void) {
    MSG msg;
    mac_curs = (mac_curs % NB_MONTRES) + 1;
    SetCursor(LoadCursorA(Global_hInst, MAKEINTRESOURCEA(IDC_MONTRE1 - 1 + mac_curs)));
    PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE);
}

int center_window(HWND hwndChild, HWND hwndParent) {
    RECT rChild, rParent;
    HDC hdc = GetDC(hwndChild);
    int wScreen = GetDeviceCaps(hdc, HORZRES);
    int hScreen = GetDeviceCaps(hdc, VERTRES);
    ReleaseDC(hwndChild, hdc);

    GetWindowRect(hwndChild, &rChild);
    int wChild = rChild.right - rChild.left;
    int hChild = rChild.bottom - rChild.top;
    if (hwndParent != NULL) {
        GetWindowRect(hwndParent, &rParent);
    } else {
        rParent.left = rParent.top = 0;
        rParent.right = wScreen;
        rParent.bottom = hScreen;
    }
    int wParent = rParent.right - rParent.left;
    int hParent = rParent.bottom - rParent.top;

    int xNew = rParent.left + ((wParent - wChild) / 2);
    if (xNew < 0)
        xNew = 0;
    else if ((xNew + wChild) > wScreen)
        xNew = wScreen - wChild;
    int yNew = rParent.top + ((hParent - hChild) / 2);
    if (yNew < 0)
        yNew = 0;
    else if ((yNew + hChild) > hScreen)
        yNew = hScreen - hChild;

    return SetWindowPos(hwndChild, NULL, xNew, yNew, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

// The press alone asks: the release of the same key must not ask a second time.
static int est_escape(const MSG *msg) {
    return msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE;
}

static int question_escape(void) {
    vide_repertoires();
    return bmess_ON(hWndMain, mess_escape, revend);
}

int teste_escape(void) {
    MSG msg;
    if (!PeekMessageA(&msg, NULL, WM_KEYDOWN, WM_KEYLAST, PM_REMOVE)) return 0;
    return est_escape(&msg) ? question_escape() : 0;
}

// Every key is taken before the question opens: its dialog would otherwise hand the keys
// still waiting to the windows they were typed in.
static int escape_parmi_les_touches(void) {
    MSG msg;
    int escape = 0;
    while (PeekMessageA(&msg, NULL, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE))
        if (est_escape(&msg)) escape = 1;
    return escape;
}

int teste_interruption(void) {
    return escape_parmi_les_touches() && question_escape() == 1;
}

void vide_entrees(void) {
    escape_parmi_les_touches();
    MSG msg;
    while (PeekMessageA(&msg, NULL, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
    }
    while (PeekMessageA(&msg, NULL, WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK, PM_REMOVE)) {
    }
}

int check_message_queue(void) {
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE)) {
        if (msg.message == WM_QUIT) return 0;
        PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE);
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 1;
}

// ---- Open/save dialog

// Once the dialog is built: shorter by the pixels (at 96 dpi) its record's lCustData gives,
// same place and width, and centred over the main window. Every notification is reported
// handled.
UINT_PTR CALLBACK ofn_raccourcit(HWND hDlg, UINT wMess, WPARAM wParam, LPARAM lParam) {
    (void)wParam;
    if (wMess != WM_NOTIFY) return 0;
    LPOFNOTIFYA n = (LPOFNOTIFYA)lParam;
    if (n->hdr.code == CDN_INITDONE) {
        HWND hCadre = GetParent(hDlg);
        RECT r;
        GetWindowRect(hCadre, &r);
        SetWindowPos(hCadre, NULL, 0, 0, r.right - r.left,
                     r.bottom - r.top - pixels_ecran((int)n->lpOFN->lCustData),
                     SWP_NOMOVE | SWP_NOZORDER);
        center_window(hCadre, hWndMain);
    }
    return 1;
}

int OFN_OpenSave(HWND hWnd, char *buff, const char *ext, const char *titre, const char *filter,
                 int code) {
    OPENFILENAMEA ofn;
    char szFile[260];
    // The dialog proposes the first pattern of the filter list as the name.
    strncpy(szFile, filter + strlen(filter) + 1, sizeof szFile - 1);
    szFile[sizeof szFile - 1] = '\0';
    memset(&ofn, 0, sizeof ofn);
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A; // 76 bytes on 32-bit Windows
    ofn.hwndOwner = hWnd;
    ofn.lpstrFilter = filter;
    ofn.nFilterIndex = 0;
    ofn.lpstrFile = szFile;
    ofn.nMaxFile = sizeof szFile;
    ofn.lpstrTitle = titre;
    ofn.lpstrDefExt = ext;
    ofn.lpfnHook = ofn_raccourcit;
    ofn.lCustData = HAUTEUR_OFN;
    ofn.Flags = OFN_EXPLORER | OFN_ENABLEHOOK;
    if (!(code ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn))) return 0;
    strncpy(buff, szFile, 259);
    buff[259] = '\0';
    return 1;
}
