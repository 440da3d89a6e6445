// Windows-1252 <-> UTF-8 for file names.
#include "fs_ansi.h"
#include "ui_ansi.h"

std::string fs_utf8_from_ansi(const std::string &ansi) {
    return qstring_from_ansi(ansi).toStdString();
}

AnsiName fs_ansi_from_utf8(const std::string &utf8) {
    // Bytes that are not UTF-8 become U+FFFD here, which the code page cannot hold either.
    QString name = QString::fromUtf8(utf8.data(), (qsizetype)utf8.size());
    AnsiName out;
    for (qsizetype i = 0; i < name.size(); ++i) {
        qsizetype len = name[i].isHighSurrogate() && i + 1 < name.size() ? 2 : 1;
        char c = ansi_from_qstring(name.mid(i, len))[0];
        bool odd = (c == '?' && name[i] != QChar('?')) || c == '\\' || c == ':';
        out.text += odd ? '?' : c;
        out.odd += odd ? '1' : '0';
        i += len - 1;
    }
    return out;
}

std::string fs_ansi_text(const std::string &utf8) {
    return fs_ansi_from_utf8(utf8).text;
}
