// Any command line (UTF-16, as the bytes give it) split into arguments: the split ends, each
// argument lies within the block returned, and a line made again from the arguments, each
// quoted as the platform's own command line quotes them, splits into the same arguments.
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>
#include <windows.h>

static std::vector<std::u16string> decoupe(const std::u16string &ligne) {
    int n = 0;
    LPWSTR *args = CommandLineToArgvW(ligne.c_str(), &n);
    if (args == nullptr || n < 1) abort();
    std::vector<std::u16string> v;
    for (int i = 0; i < n; ++i) v.push_back(args[i]);
    if (args[n] != nullptr) abort();
    LocalFree(args);
    return v;
}

// An argument between quotes, its backslashes before a quote doubled and its quotes escaped.
static std::u16string cite(const std::u16string &a) {
    std::u16string out = u"\"";
    size_t barres = 0;
    for (char16_t c : a) {
        if (c == u'\\') {
            ++barres;
            continue;
        }
        out.append(c == u'"' ? 2 * barres + 1 : barres, u'\\');
        barres = 0;
        out += c;
    }
    out.append(2 * barres, u'\\');
    return out + u"\"";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    std::u16string ligne(size / 2, u'\0');
    if (size >= 2) memcpy(&ligne[0], data, size / 2 * 2);
    ligne = ligne.c_str(); // up to the first zero, as a command line ends
    std::vector<std::u16string> args = decoupe(ligne);
    // The program's name is read up to its closing quote: one without quotes stays as it is.
    if (args[0].find(u'"') != std::u16string::npos) return 0;
    std::u16string refait = u"\"" + args[0] + u"\"";
    for (size_t i = 1; i < args.size(); ++i) refait += u" " + cite(args[i]);
    if (decoupe(refait) != args) abort();
    return 0;
}
