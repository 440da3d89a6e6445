// Test-only view of the help as the program opened it: the help viewer's window over the
// platform layer; on Windows, the document handed to the shell (plat/testhooks/win32).
#ifndef QUILLON_PLAT_PLATTEST_HELP_H
#define QUILLON_PLAT_PLATTEST_HELP_H

#include <string>

struct PlatHelpState {
    int windows = 0;        // help viewer windows in existence
    bool visible = false;   // the viewer is shown
    std::string title;      // its caption (UTF-8)
    std::string text;       // the page shown, as plain text (UTF-8)
    std::string page;       // host path of the page shown
    int scroll = 0;         // how far the page is scrolled down, in pixels
    bool own_viewer = true; // false where the page opens in the user's browser (Windows):
                            // its text is then the document's, its links the browser's
};

PlatHelpState plat_test_help_state(void);

// Whether the thread that last handed a document to the shell (ShellExecuteA) had COM in a
// single-threaded apartment, as the shell's documentation asks.
bool plat_test_help_com(void);

// Clicks, as a user would, the first link of the page whose text is `text` (UTF-8); false
// when there is no such link.
bool plat_test_help_click_link(const char *text);

#endif
