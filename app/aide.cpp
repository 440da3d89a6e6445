// The help: an HTML document beside the program, of the program's own name with the
// extension "htm", opened by the viewer the system has for such documents (on Windows, the
// user's browser).
#include <windows.h>
#include <objbase.h>
#include <stdio.h>
#include "app/quillon.h"
#include "io/iodlg.h"
#include "io/iofile.h"

#define LG_EXT_AIDE 4 // room kept in nom_faide for the ".htm" that extension may append

// A path that does not fit comes back cut, and without its terminator on older Windows: the
// terminator is put after what was copied, and the ".htm" still has room after it.
void nomme_aide(void) {
    DWORD lg = GetModuleFileNameA(nullptr, nom_faide, sizeof nom_faide - LG_EXT_AIDE - 1);
    nom_faide[lg] = '\0';
    extension(nom_faide, "HTM");
}

// The shell may hand the document to extensions that need COM on the calling thread: it is
// initialised for the call, as the shell's documentation asks, and ended after it. The shell
// shows nothing when it cannot open a document: the program says so itself.
void ouvre_aide(HWND hWnd) {
    HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    INT_PTR ouvert =
        (INT_PTR)ShellExecuteA(hWnd, "open", nom_faide, nullptr, nullptr, SW_SHOWNORMAL);
    if (SUCCEEDED(com)) CoUninitialize();
    if (ouvert > 32) return;
    char texte[sizeof nom_faide + 64];
    snprintf(texte, sizeof texte, err_aide, nom_faide);
    bmess_permanent(hWnd, texte, mess_info);
}
