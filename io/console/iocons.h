// The console form of the support library's messages, progress bar, busy cursor and
// interruption (the services of io/iodlg.h), which a program that runs in a console links in
// place of the windows' form: a message is a line on standard error, a long copy shows a
// progress line on a terminal, and Ctrl-C asks the work to stop as Escape's "Oui" does. A
// question is answered by its safe default; sortie_erreur ends the program with status 3.
#ifndef QUILLON_IO_CONSOLE_IOCONS_H
#define QUILLON_IO_CONSOLE_IOCONS_H

#include <stdio.h>
#include <string>
#include <windows.h>

#define STATUT_FATAL 3 // the exit status of sortie_erreur

// Starts the console form: from now on Ctrl-C (or Ctrl-Break) stops the work, and messages
// name the folder they concern from the current one. With silence, the messages the window
// lets the user silence (bmess_annulable) are answered "do not tell again" without being
// shown, and no progress line is drawn.
void console_debut(int silence);
int console_interrompue(void); // 1 once the user pressed Ctrl-C

// texte, in the ANSI code page, in the code page page (CP_UTF8, ...).
std::string texte_en_page(const char *texte, UINT page);
// Writes texte (ANSI code page) to stdout or stderr: on a console in the console's code page,
// elsewhere as it is.
void console_ecrit(FILE *flux, const char *texte);

#endif
