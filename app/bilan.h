// The account of one command over files (a selection or a pass): how many files were
// converted, how many were already as asked, and the message that told why each file (or
// folder) left alone because of a problem was left alone. The engine records it where it
// tells the user; whoever runs the command reads it afterwards (the main window's closing
// message). It holds no window.
#ifndef QUILLON_APP_BILAN_H
#define QUILLON_APP_BILAN_H

void bilan_debut(void);                 // a command starts: the account is emptied
void bilan_converti(void);              // a file was converted and is in its place
void bilan_deja(void);                  // a file was already as asked: left alone, no problem
void bilan_probleme(const char *texte); // left alone because of a problem: the message shown

unsigned bilan_convertis(void);
unsigned bilan_deja_faits(void);
unsigned bilan_problemes(void);
// The messages of the problems, one per line, each ended by CR LF; "" when none. A very long
// account keeps its first lines: the count still tells them all.
const char *bilan_liste(void);

#endif
