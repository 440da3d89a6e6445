// The program's globals, shared by the main window, the engine and the support library.
#include "app/quillon.h"

HINSTANCE Global_hInst = nullptr;
HWND hWndMain = nullptr;
FILE *flog = nullptr;

char nom_faide[256];
char masque[256];
char chemin[512];
char ren_nom[512];
