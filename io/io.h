// What the support library reads from the application: its globals and its texts.
// The library holds no user-visible text of its own; the program defines all of these.
#ifndef QUILLON_IO_IO_H
#define QUILLON_IO_IO_H

#include <stdio.h>
#include <windows.h>

extern HINSTANCE Global_hInst; // the program instance: dialog layouts, icon, cursors
extern HWND hWndMain;          // the main window: owner and centring reference
extern FILE *flog;             // log of transient messages that time out; never opened

extern const char *revend;         // the program's title line (name and version)
extern const char *mess_oui;       // "Oui"
extern const char *mess_non;       // "Non"
extern const char *butt_continuer; // "Continuer"
extern const char *butt_abandon;   // "Abandonner"
extern const char *mess_escape;    // the question asked when Escape is pressed during work
extern const char *err_fichier;    // "Erreur à l'ouverture des fichiers"
extern const char *err_ftemp;      // a temporary file does not fit on its drive
extern const char *err_nondos;     // a drive holds no readable disk (format: the drive)
extern const char *err_lectmac;    // a drive cannot be read (format: the drive)

// Completes what the program has left waiting for the disk (converted files to put in
// place, their folders to flush): a question that lets the user stop the work waits for it,
// so that nothing is left half done if the program is ended while the question is open.
void vide_repertoires(void);

#endif
