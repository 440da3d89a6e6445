// The code page's table, which every text crossing to the toolkit goes through.
#include <gtest/gtest.h>
#include <string>
#include "gdi32/qtext.h"

// Every byte of Windows-1252 survives the trip to Unicode and back; the five undefined codes
// stand for the C1 controls; what the code page lacks comes back as '?'. (Its lower case:
// tests/win32/user32/charlower.cpp.)
TEST(PlatAnsi, Windows1252RoundTrip) {
    std::string all;
    for (int c = 0; c < 256; ++c) all.push_back((char)c);
    QString u = qstring_from_ansi(all);
    ASSERT_EQ(u.size(), 256);
    EXPECT_EQ(ansi_from_qstring(u), all);
    EXPECT_EQ(u.at(0x80).unicode(), 0x20AC); // euro
    EXPECT_EQ(u.at(0x92).unicode(), 0x2019); // right quote
    EXPECT_EQ(u.at(0x9F).unicode(), 0x0178); // Y diaeresis
    for (int c : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) EXPECT_EQ(u.at(c).unicode(), c);
    EXPECT_EQ(u.at(0xE9).unicode(), 0xE9);
    EXPECT_EQ(ansi_from_qstring(QString::fromUtf8("a\xe2\x82\xac\xe6\x97\xa5\xf0\x9f\x98\x80")),
              "a\x80??");
}
