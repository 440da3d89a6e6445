// The process's command line in UTF-16, made from the arguments the host gave it, each quoted
// as Windows' parsing of a command line reads it back.
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <windows.h>
#include "kernel32/names_utf8.h"

// An argument between quotes where it holds a blank or a quote (or is empty): backslashes
// before a quote, or before the closing quote, are doubled, and a quote is escaped.
static std::string quoted(const std::string &arg) {
    if (!arg.empty() && arg.find_first_of(" \t\n\v\"") == std::string::npos) return arg;
    std::string out = "\"";
    size_t backslashes = 0;
    for (char c : arg) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        out.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        backslashes = 0;
        out += c;
    }
    out.append(2 * backslashes, '\\');
    return out + "\"";
}

LPWSTR WINAPI GetCommandLineW(void) {
    static std::u16string line;
    static bool made = false;
    if (!made) {
        made = true;
        std::ifstream f("/proc/self/cmdline", std::ios::binary);
        std::string all((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
        std::string text;
        for (size_t i = 0, n = 0; i < all.size(); ++n) {
            std::string arg(all.c_str() + i);
            i += arg.size() + 1;
            // The program's name is read up to its closing quote, without escapes.
            text += (n > 0 ? " " : "") +
                    (n == 0 ? (arg.find(' ') == std::string::npos ? arg : "\"" + arg + "\"")
                            : quoted(arg));
        }
        for (size_t i = 0; i < text.size();) utf16_append(line, utf8_next(text, i));
    }
    return line.data();
}

HLOCAL WINAPI LocalFree(HLOCAL hMem) {
    free(hMem);
    return nullptr;
}
