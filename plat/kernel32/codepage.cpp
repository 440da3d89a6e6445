// Texts between code pages: the ANSI code page (Windows-1252), UTF-8 and UTF-16.
#include <cstring>
#include <string>
#include <windows.h>
#include "kernel32/ansi.h"
#include "kernel32/error.h"
#include "kernel32/names_utf8.h"

static bool known(UINT cp) {
    return cp == CP_ACP || cp == 1252 || cp == CP_UTF8;
}

// The result into out (room for size units), or its length when size is 0.
template <typename T>
static int deliver(const std::basic_string<T> &text, T *out, int size) {
    if (size == 0) return (int)text.size();
    if ((int)text.size() > size) return fs_fail(ERROR_INSUFFICIENT_BUFFER);
    text.copy(out, text.size());
    return (int)text.size();
}

int WINAPI MultiByteToWideChar(UINT CodePage, DWORD /*dwFlags*/, LPCSTR lpMultiByteStr,
                               int cbMultiByte, LPWSTR lpWideCharStr, int cchWideChar) {
    if (!known(CodePage) || lpMultiByteStr == nullptr || cbMultiByte == 0 || cchWideChar < 0)
        return fs_fail(ERROR_INVALID_PARAMETER);
    // A length of -1: the text and its terminator.
    std::string in(lpMultiByteStr, cbMultiByte < 0 ? strlen(lpMultiByteStr) + 1 : (size_t)cbMultiByte);
    std::u16string out;
    if (CodePage == CP_UTF8) {
        for (size_t i = 0; i < in.size();) utf16_append(out, utf8_next(in, i));
    } else {
        for (unsigned char c : in) out += ansi_unicode(c);
    }
    return deliver(out, lpWideCharStr, cchWideChar);
}

int WINAPI WideCharToMultiByte(UINT CodePage, DWORD /*dwFlags*/, LPCWSTR lpWideCharStr,
                               int cchWideChar, LPSTR lpMultiByteStr, int cbMultiByte,
                               LPCSTR lpDefaultChar, LPBOOL lpUsedDefaultChar) {
    if (!known(CodePage) || lpWideCharStr == nullptr || cchWideChar == 0 || cbMultiByte < 0 ||
        (CodePage == CP_UTF8 && (lpDefaultChar != nullptr || lpUsedDefaultChar != nullptr)))
        return fs_fail(ERROR_INVALID_PARAMETER);
    std::u16string in = cchWideChar < 0 ? std::u16string(lpWideCharStr) + u'\0'
                                        : std::u16string(lpWideCharStr, (size_t)cchWideChar);
    std::string out;
    BOOL used_default = FALSE;
    for (size_t i = 0; i < in.size();) {
        char32_t c = utf16_next(in, i);
        if (CodePage == CP_UTF8) {
            utf8_append(out, c);
            continue;
        }
        int b = ansi_from_unicode(c);
        if (b < 0) used_default = TRUE;
        out += b >= 0 ? (char)b : lpDefaultChar != nullptr ? *lpDefaultChar : '?';
    }
    if (lpUsedDefaultChar) *lpUsedDefaultChar = used_default;
    return deliver(out, lpMultiByteStr, cbMultiByte);
}
