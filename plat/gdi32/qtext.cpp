// Windows-1252 <-> the toolkit's strings, through kernel32's table.
#include "gdi32/qtext.h"
#include <cstring>

QString qstring_from_ansi(const char *text, int length) {
    if (text == nullptr) return QString();
    if (length < 0) length = (int)strlen(text);
    QString out(length, Qt::Uninitialized);
    QChar *to = out.data();
    for (int i = 0; i < length; ++i) to[i] = QChar(ansi_unicode((unsigned char)text[i]));
    return out;
}

QString qstring_from_ansi(const std::string &text) {
    return qstring_from_ansi(text.data(), (int)text.size());
}

std::string ansi_from_qstring(const QString &text) {
    std::string out;
    out.reserve(text.size());
    for (QChar ch : text) {
        if (ch.isLowSurrogate()) continue; // the high half already gave its '?'
        int c = ansi_from_unicode(ch.unicode());
        out.push_back(c < 0 ? '?' : (char)c);
    }
    return out;
}
