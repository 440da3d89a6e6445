// The simple beep, and how many the program has given (a test checks that a command only beeps).
#include <QApplication>
#include <windows.h>
#include "plattest_ui.h"

static int nb_bips = 0;

BOOL WINAPI MessageBeep(UINT) {
    nb_bips++;
    QApplication::beep();
    return TRUE;
}

int plat_test_beep_count(void) {
    return nb_bips;
}
