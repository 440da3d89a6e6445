// Messages, fatal exit, progress bar, busy cursor, centring, open/save dialog.
#ifndef QUILLON_IO_IODLG_H
#define QUILLON_IO_IODLG_H

#include <windows.h>

void bmess_fugace(HWND hWnd, const char *texte, const char *titre);    // closes itself after 5 s
void bmess_permanent(HWND hWnd, const char *texte, const char *titre); // stays until closed
int bmess_ON(HWND hWnd, const char *texte, const char *titre);         // 1 Oui, 0 Non
int bmess_ONT(HWND hWnd, const char *texte, const char *titre);        // 1, 0, 2, -1
int bmess_ESC(HWND hWnd, const char *texte, const char *titre);        // 1 Continuer, 0 Abandonner
int bmess_annulable(HWND hWnd, const char *texte, const char *titre);  // 1: do not tell again
[[noreturn]] void sortie_erreur(const char *mes);                      // message, then exit 1

void init_progression(int tranches);
void fin_progression(void);
extern HWND hwndPB; // the progress bar, null when there is none

void curs_montre(void);
int center_window(HWND hwndChild, HWND hwndParent);
int teste_escape(void);
// Takes every key typed during the work from the queue, so that none acts afterwards; 1 when
// one was Escape and the user answered "Oui" to the question of teste_escape.
int teste_interruption(void);
// Takes every key typed and every click made during the work from the queue (the close box's
// too), without asking anything: none may act once the work is over.
void vide_entrees(void);
int check_message_queue(void);
int OFN_OpenSave(HWND hWnd, char *buff, const char *ext, const char *titre, const char *filter,
                 int code);
// The hook of the open and save dialogs: the dialog made shorter by lCustData pixels (for a
// 96 dpi display), and centred over the main window.
UINT_PTR CALLBACK ofn_raccourcit(HWND hDlg, UINT wMess, WPARAM wParam, LPARAM lParam);
// A length in pixels for a 96 dpi display, in pixels of this display.
int pixels_ecran(int pixels);

#endif
