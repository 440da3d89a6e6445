// The constants a resource script takes from <windows.h> and <commctrl.h>, read from our
// own headers so that each value is written once.
#include <commctrl.h>
#include <cstring>
#include <windows.h>
#include "resources/preproc.h"

#define SYM(x)                                                                                     \
    { #x, (long long)(x) }

static const struct {
    const char *name;
    long long value;
} symbols[] = {
    SYM(WS_OVERLAPPED),
    SYM(WS_POPUP),
    SYM(WS_CHILD),
    SYM(WS_MINIMIZE),
    SYM(WS_VISIBLE),
    SYM(WS_DISABLED),
    SYM(WS_CLIPSIBLINGS),
    SYM(WS_CLIPCHILDREN),
    SYM(WS_MAXIMIZE),
    SYM(WS_CAPTION),
    SYM(WS_BORDER),
    SYM(WS_DLGFRAME),
    SYM(WS_VSCROLL),
    SYM(WS_HSCROLL),
    SYM(WS_SYSMENU),
    SYM(WS_THICKFRAME),
    SYM(WS_GROUP),
    SYM(WS_TABSTOP),
    SYM(WS_MINIMIZEBOX),
    SYM(WS_MAXIMIZEBOX),
    SYM(WS_EX_DLGMODALFRAME),
    SYM(WS_EX_NOPARENTNOTIFY),
    SYM(WS_EX_CLIENTEDGE),
    SYM(DS_ABSALIGN),
    SYM(DS_SYSMODAL),
    SYM(DS_3DLOOK),
    SYM(DS_SETFONT),
    SYM(DS_MODALFRAME),
    SYM(DS_SETFOREGROUND),
    SYM(DS_CENTER),
    SYM(SS_LEFT),
    SYM(SS_CENTER),
    SYM(SS_RIGHT),
    SYM(SS_ICON),
    SYM(SS_BLACKRECT),
    SYM(SS_GRAYRECT),
    SYM(SS_WHITERECT),
    SYM(SS_BLACKFRAME),
    SYM(SS_GRAYFRAME),
    SYM(SS_WHITEFRAME),
    SYM(SS_LEFTNOWORDWRAP),
    SYM(SS_NOPREFIX),
    SYM(SS_NOTIFY),
    SYM(SS_CENTERIMAGE),
    SYM(SS_SUNKEN),
    SYM(SS_ENDELLIPSIS),
    SYM(SS_PATHELLIPSIS),
    SYM(SS_WORDELLIPSIS),
    SYM(BS_PUSHBUTTON),
    SYM(BS_DEFPUSHBUTTON),
    SYM(BS_CHECKBOX),
    SYM(BS_AUTOCHECKBOX),
    SYM(BS_GROUPBOX),
    SYM(BS_OWNERDRAW),
    SYM(BS_LEFTTEXT),
    SYM(BS_NOTIFY),
    SYM(ES_LEFT),
    SYM(ES_CENTER),
    SYM(ES_RIGHT),
    SYM(ES_MULTILINE),
    SYM(ES_UPPERCASE),
    SYM(ES_LOWERCASE),
    SYM(ES_AUTOVSCROLL),
    SYM(ES_AUTOHSCROLL),
    SYM(ES_READONLY),
    SYM(LBS_NOTIFY),
    SYM(LBS_SORT),
    SYM(LBS_MULTIPLESEL),
    SYM(LBS_HASSTRINGS),
    SYM(LBS_USETABSTOPS),
    SYM(LBS_NOINTEGRALHEIGHT),
    SYM(LBS_EXTENDEDSEL),
    SYM(LBS_DISABLENOSCROLL),
    SYM(LBS_STANDARD),
    SYM(IDOK),
    SYM(IDCANCEL),
    SYM(LVS_REPORT),
    SYM(LVS_SINGLESEL),
    SYM(LVS_SHOWSELALWAYS),
};

bool rc_builtin_symbol(const std::string &name, long long *value) {
    for (const auto &s : symbols)
        if (name == s.name) {
            *value = s.value;
            return true;
        }
    return false;
}
