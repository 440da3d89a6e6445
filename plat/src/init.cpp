// The toolkit's application object, made once for the whole process.
#include <QApplication>
#include "platinit.h"

void plat_init(int *argc, char **argv) {
    if (QApplication::instance() == nullptr) new QApplication(*argc, argv);
}
