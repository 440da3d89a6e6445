// A command line split into its arguments, as Windows' CommandLineToArgvW splits it.
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>
#include <windows.h>

static bool blank(char16_t c) {
    return c == u' ' || c == u'\t';
}

// The program's name: up to the first blank, or between quotes, backslashes as they are.
static const char16_t *program_name(const char16_t *p, std::u16string &arg) {
    if (*p == u'"') {
        for (++p; *p && *p != u'"'; ++p) arg += *p;
        if (*p) ++p;
    } else {
        for (; *p && !blank(*p); ++p) arg += *p;
    }
    return p;
}

// One argument: 2n backslashes and a quote give n backslashes and open or close a quoted
// part; 2n+1 backslashes and a quote give n backslashes and the quote; other backslashes
// stay as they are.
static const char16_t *argument(const char16_t *p, std::u16string &arg) {
    bool quoted = false;
    while (*p && (quoted || !blank(*p))) {
        size_t backslashes = 0;
        while (*p == u'\\') ++backslashes, ++p;
        if (*p == u'"') {
            arg.append(backslashes / 2, u'\\');
            if (backslashes % 2) {
                arg += u'"';
            } else {
                quoted = !quoted;
            }
            ++p;
        } else {
            arg.append(backslashes, u'\\');
            if (*p && (quoted || !blank(*p))) arg += *p++;
        }
    }
    return p;
}

// One block from LocalAlloc's heap: the pointers, then the texts they point to.
LPWSTR *WINAPI CommandLineToArgvW(LPCWSTR lpCmdLine, int *pNumArgs) {
    if (lpCmdLine == nullptr || pNumArgs == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::vector<std::u16string> args(1);
    const char16_t *p = program_name(lpCmdLine, args[0]);
    for (;;) {
        while (blank(*p)) ++p;
        if (!*p) break;
        args.emplace_back();
        p = argument(p, args.back());
    }
    size_t size = (args.size() + 1) * sizeof(LPWSTR);
    for (const auto &a : args) size += (a.size() + 1) * sizeof(char16_t);
    char *block = (char *)malloc(size);
    if (block == nullptr) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    LPWSTR *argv = (LPWSTR *)block;
    char16_t *text = (char16_t *)(block + (args.size() + 1) * sizeof(LPWSTR));
    for (size_t i = 0; i < args.size(); ++i) {
        argv[i] = text;
        memcpy(text, args[i].c_str(), (args[i].size() + 1) * sizeof(char16_t));
        text += args[i].size() + 1;
    }
    argv[args.size()] = nullptr;
    *pNumArgs = (int)args.size();
    return argv;
}
