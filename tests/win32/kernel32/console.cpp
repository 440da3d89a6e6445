// What a console program meets: its command line split into arguments as Windows splits it,
// and texts between the ANSI code page, UTF-8 and UTF-16.
#include <windows.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

static std::vector<std::u16string> decoupe(const char16_t *ligne) {
    int n = 0;
    LPWSTR *args = CommandLineToArgvW((LPCWSTR)ligne, &n);
    std::vector<std::u16string> v;
    for (int i = 0; args != nullptr && i < n; ++i) v.push_back((const char16_t *)args[i]);
    LocalFree(args);
    return v;
}

// The rules of quotes and backslashes: 2n backslashes before a quote give n and open or close
// a quoted part, 2n+1 give n and the quote; other backslashes stay; the program's name is
// read up to its closing quote, backslashes as they are.
TEST(Win32CommandLine, SplitAsWindowsSplitsIt) {
    using V = std::vector<std::u16string>;
    EXPECT_EQ(decoupe(u"\"C:\\a b\\q.exe\" add  x"), (V{u"C:\\a b\\q.exe", u"add", u"x"}));
    EXPECT_EQ(decoupe(u"q \"a b\" c\\d\\ \"\""), (V{u"q", u"a b", u"c\\d\\", u""}));
    EXPECT_EQ(decoupe(u"q a\\\\\"b c\" d\\\"e \\\\\\\"f"), (V{u"q", u"a\\b c", u"d\"e", u"\\\"f"}));
    EXPECT_EQ(decoupe(u"q \u65e5*.txt"), (V{u"q", u"\u65e5*.txt"}));
}

// The ANSI code page (Windows-1252 here and in the tests' Wine prefix): a character it lacks
// becomes '?' and is said so, never a look-alike; UTF-8 both ways, surrogate pairs included.
TEST(Win32CommandLine, CodePages) {
    const char16_t large[] = u"\u00e9\u20ac\u65e5\U0001F600";
    char ansi[16] = {};
    BOOL defaut = FALSE;
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, (LPCWSTR)large, 3, ansi,
                                  sizeof ansi, nullptr, &defaut),
              3);
    EXPECT_STREQ(ansi, "\xe9\x80?");
    EXPECT_TRUE(defaut);
    char utf8[16] = {};
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, (LPCWSTR)large, -1, utf8, sizeof utf8, nullptr, nullptr), 13);
    EXPECT_STREQ(utf8, "\xc3\xa9\xe2\x82\xac\xe6\x97\xa5\xf0\x9f\x98\x80");
    char16_t retour[8] = {};
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, utf8, -1, (LPWSTR)retour, 8), 6);
    EXPECT_EQ(std::u16string(retour), std::u16string(large));
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "\x80", 1, (LPWSTR)retour, 8), 1);
    EXPECT_EQ(retour[0], 0x20AC);
}
