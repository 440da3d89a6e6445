// Texts between the program's code page (Windows-1252) and the toolkit's Unicode strings.
#ifndef QUILLON_PLAT_GDI32_QTEXT_H
#define QUILLON_PLAT_GDI32_QTEXT_H

#include <QString>
#include <string>
#include "kernel32/ansi.h"

QString qstring_from_ansi(const char *text, int length = -1);
QString qstring_from_ansi(const std::string &text);
// A character the code page cannot hold becomes '?', as Windows' conversion does.
std::string ansi_from_qstring(const QString &text);

#endif
