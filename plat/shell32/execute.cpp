// ShellExecuteA: a document opened with the viewer this system has for its kind. The program
// opens only its help, an HTML document, which goes to the help viewer.
#include <windows.h>
#include "plattest_help.h"
#include <strings.h>
#include <cstring>
#include <unistd.h>
#include <sys/stat.h>
#include "help/viewer.h"
#include "kernel32/resolve.h"
#include "ole32/apartment.h"

namespace {

bool est_html(const char *nom) {
    const char *point = strrchr(nom, '.');
    return point && !strpbrk(point, "\\/") &&
           (strcasecmp(point, ".htm") == 0 || strcasecmp(point, ".html") == 0);
}

HINSTANCE resultat(INT_PTR code) {
    return (HINSTANCE)code;
}

bool com_a_l_appel = false; // the caller's thread had COM, at the last call

} // namespace

bool plat_test_help_com(void) {
    return com_a_l_appel;
}

HINSTANCE WINAPI ShellExecuteA(HWND, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR, LPCSTR, INT) {
    com_a_l_appel = ole_thread_in_apartment();
    if (lpFile == nullptr) return resultat(SE_ERR_FNF);
    if (lpOperation != nullptr && strcasecmp(lpOperation, "open") != 0)
        return resultat(SE_ERR_NOASSOC);
    HostPath hote = fs_resolve(lpFile);
    struct stat st;
    if (hote.error != 0 || !hote.exists || stat(hote.full().c_str(), &st) != 0)
        return resultat(SE_ERR_FNF);
    if (!S_ISREG(st.st_mode) || !est_html(lpFile)) return resultat(SE_ERR_NOASSOC);
    if (access(hote.full().c_str(), R_OK) != 0) return resultat(SE_ERR_ACCESSDENIED);
    plat_help_show(hote.full());
    return resultat(33); // Windows' results above 32 mean success
}
