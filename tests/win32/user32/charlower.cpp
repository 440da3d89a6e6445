// CharLowerA lowers as Windows does in code page 1252: ASCII, the accented capitals (not the
// multiplication sign) and the four capitals of 0x80-0x9F; the rest stays, in place.
#include <gtest/gtest.h>
#include <windows.h>

TEST(Win32CharLower, LowersByTheAnsiCodePage) {
    char s[] = "SYST\xc8ME \xc0\xd7\xde\xdf \x8a\x8c\x8e\x9f 1[Z]";
    EXPECT_EQ(CharLowerA(s), s);
    EXPECT_STREQ(s, "syst\xe8me \xe0\xd7\xfe\xdf \x9a\x9c\x9e\xff 1[z]");
}
