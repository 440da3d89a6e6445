// Stopping the work: Escape, pressed during a copy or between two files, asks whether to stop;
// "Oui" ends the command after the file under way, which is left as it was.
#include "app/bilan.h"
#include "app/quillon.h"
#include "io/iodlg.h"

static int arret = 0; // the user asked to stop the command under way

void debut_traitement(void) {
    arret = 0;
    bilan_debut();
}

int arret_demande(void) {
    if (!arret && teste_interruption()) arret = 1;
    return arret;
}

void marque_arret(void) {
    arret = 1;
}

// Keys typed and clicks made while the command ran are its own: none may act on the main
// window afterwards (Windows keeps them waiting in the queue).
void fin_traitement(void) {
    vide_entrees();
}
