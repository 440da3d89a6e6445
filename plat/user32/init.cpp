// The toolkit's application object, made once for the whole process, and the window side's
// start (the input filter through which the dialog manager sees the keyboard).
#include <QApplication>
#include <clocale>
#include "platinit.h"
#include "user32/queue.h"

void plat_init(int *argc, char **argv) {
    if (QApplication::instance() == nullptr) new QApplication(*argc, argv);
    // The toolkit takes the user's locale; a Windows program's C runtime starts in the "C"
    // locale, so numbers print with a full stop whatever the desktop's language.
    setlocale(LC_NUMERIC, "C");
    ui_start();
}
