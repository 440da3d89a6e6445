// The toolkit's application object, made once for the whole process, and the window side's
// start (the input filter through which the dialog manager sees the keyboard).
#include <QApplication>
#include "platinit.h"
#include "ui_queue.h"

void plat_init(int *argc, char **argv) {
    if (QApplication::instance() == nullptr) new QApplication(*argc, argv);
    ui_start();
}
