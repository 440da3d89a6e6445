// The resource script as the window side uses it: dialog templates, icons and cursors.
#ifndef QUILLON_PLAT_RC_SCRIPT_H
#define QUILLON_PLAT_RC_SCRIPT_H

#include <map>
#include <string>
#include <vector>
#include <windows.h>

struct RcControl {
    std::string text; // Windows-1252, escapes resolved
    int text_id = -1; // a numeric text (ICON 100, ...): the resource it names
    int id = -1;
    std::string cls; // "Static", "Button", "Edit", "ListBox", or a class name of CONTROL
    DWORD style = 0;
    DWORD exstyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0; // dialog units
};

struct RcDialog {
    int id = 0;
    int x = 0, y = 0, cx = 0, cy = 0; // dialog units
    DWORD style = 0;
    DWORD exstyle = 0;
    std::string caption;
    int font_size = 0; // points; 0 when the template names no font
    std::string font_name;
    std::vector<RcControl> controls; // layout order, which is also the tab order
};

struct RcScript {
    std::map<int, RcDialog> dialogs;
    std::map<int, std::string> icons;   // resource id -> file name in the registry
    std::map<int, std::string> cursors; // the same for cursors
    std::vector<std::string> errors;    // "file:line: message"
};

// Reads a script from the registry (files named relative to the script's directory).
RcScript rc_parse(const std::string &script_name);

// The registered program script, parsed once; empty when none was registered.
const RcScript &rc_program_script();
const RcDialog *rc_find_dialog(int id);
// Embedded bytes of a registered file; null when the build did not embed it.
const std::string *rc_file(const std::string &name);
// Joins a relative name to a directory and removes "." and ".." steps ("a/../b" -> "b").
std::string rc_join(const std::string &dir, const std::string &name);

#endif
