// The open dialog in which the user chooses a signature file when a folder holds several.
#include <windows.h>
#include <commdlg.h>
#include <stdio.h>
#include <string.h>
#include "app/quillon.h"
#include "io/iodlg.h"

#define REDUCTION_OFN 28 // the open dialog is made this much shorter (pixels at 96 dpi)

// The chosen path goes into buff (256 bytes). A longer path is refused as a cancel would be:
// cut, it would name another file.
int OFN_Open(HWND hWnd, char *buff, const char *ext, const char *titre, const char *filter) {
    char szFile[MAX_PATH];
    snprintf(szFile, sizeof szFile, "%s", filter + strlen(filter) + 1);
    OPENFILENAMEA ofn;
    memset(&ofn, 0, sizeof ofn);
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = hWnd;
    ofn.lpstrFilter = filter;
    ofn.lpstrFile = szFile;
    ofn.nMaxFile = sizeof szFile;
    ofn.lpstrTitle = titre;
    ofn.lpstrDefExt = ext;
    ofn.lpfnHook = ofn_raccourcit; // 28 pixels shorter, centred over the main window
    ofn.lCustData = REDUCTION_OFN;
    ofn.Flags = OFN_EXPLORER | OFN_ENABLEHOOK;
    if (!GetOpenFileNameA(&ofn)) return 0;
    if (strlen(szFile) >= sizeof nom_fichier_sign) return 0;
    strcpy(buff, szFile);
    return 1;
}
