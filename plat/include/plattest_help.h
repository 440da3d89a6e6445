// Test-only view of the help viewer's window (hosts without Win32).
#ifndef QUILLON_PLAT_PLATTEST_HELP_H
#define QUILLON_PLAT_PLATTEST_HELP_H

#include <string>

struct PlatHelpState {
    int windows = 0;      // help viewer windows in existence
    bool visible = false; // the viewer is shown
    std::string title;    // its caption (UTF-8)
    std::string text;     // the page shown, as plain text (UTF-8)
    std::string page;     // host path of the page shown
    int scroll = 0;       // how far the page is scrolled down, in pixels
};

PlatHelpState plat_test_help_state(void);

// Clicks, as a user would, the first link of the page whose text is `text` (UTF-8); false
// when there is no such link.
bool plat_test_help_click_link(const char *text);

#endif
