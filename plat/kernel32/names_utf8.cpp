// Windows-1252 <-> UTF-8 for file names.
#include "kernel32/names_utf8.h"
#include "kernel32/ansi.h"

static bool is_ascii(const std::string &s) {
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}

std::string fs_utf8_from_ansi(const std::string &ansi) {
    // Both sides spell ASCII alike; most names are, and lookups convert every name they meet.
    if (is_ascii(ansi)) return ansi;
    return qstring_from_ansi(ansi).toStdString();
}

// A character the program cannot hold in a Windows name shows as '?'.
static void add_char(AnsiName &out, char c, bool odd) {
    odd = odd || c == '\\' || c == ':';
    out.text += odd ? '?' : c;
    out.odd += odd ? '1' : '0';
}

AnsiName fs_ansi_from_utf8(const std::string &utf8) {
    AnsiName out;
    if (is_ascii(utf8)) {
        for (char c : utf8) add_char(out, c, false);
        return out;
    }
    // Bytes that are not UTF-8 become U+FFFD here, which the code page cannot hold either.
    QString name = QString::fromUtf8(utf8.data(), (qsizetype)utf8.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        qsizetype len = name[i].isHighSurrogate() && i + 1 < name.size() ? 2 : 1;
        char c = ansi_from_qstring(name.mid(i, len))[0];
        add_char(out, c, c == '?' && name[i] != QChar('?'));
        i += len - 1;
    }
    return out;
}

bool fs_spelt_alike(const char *utf8) {
    for (const unsigned char *c = (const unsigned char *)utf8; *c; ++c)
        if (*c >= 0x80 || *c == '\\' || *c == ':') return false;
    return true;
}

std::string fs_ansi_text(const std::string &utf8) {
    return fs_spelt_alike(utf8.c_str()) ? utf8 : fs_ansi_from_utf8(utf8).text;
}
