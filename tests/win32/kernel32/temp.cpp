// The temporary path and temporary file names as Windows makes them.
#include <gtest/gtest.h>
#include <cstdio>
#include <cstdlib>
#include <windows.h>
#include "findnames.h"
#include "tempfolder.h"

// The path ends with a backslash and names a directory; the length returned leaves out the
// terminator, or counts it when the buffer is too small. The first of TMP, TEMP and
// USERPROFILE that is set names it.
TEST(Win32Temp, TemporaryPath) {
    char tmp[MAX_PATH];
    DWORD n = GetTempPathA(sizeof tmp, tmp);
    ASSERT_GT(n, 0u);
    EXPECT_EQ(n, strlen(tmp));
    EXPECT_EQ(tmp[n - 1], '\\');
    EXPECT_NE(GetFileAttributesA(tmp) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    char small[2];
    EXPECT_EQ(GetTempPathA(sizeof small, small), n + 1);

    TempFolder t;
    t.mkdir("tmp");
    t.mkdir("temp");
    const char *vars[] = {"TMP", "TEMP"};
    std::string saved[2];
    for (int i = 0; i < 2; ++i) saved[i] = getenv(vars[i]) ? getenv(vars[i]) : "";
    SetEnvironmentVariableA("TMP", (t.path() + "\\tmp").c_str());
    SetEnvironmentVariableA("TEMP", (t.path() + "\\temp").c_str());
    EXPECT_EQ(GetTempPathA(sizeof tmp, tmp), t.path().size() + 5);
    EXPECT_EQ(tmp, t.path() + "\\tmp\\");
    SetEnvironmentVariableA("TMP", nullptr);
    EXPECT_EQ(GetTempPathA(sizeof tmp, tmp), t.path().size() + 6);
    EXPECT_EQ(tmp, t.path() + "\\temp\\");
    for (int i = 0; i < 2; ++i)
        SetEnvironmentVariableA(vars[i], saved[i].empty() ? nullptr : saved[i].c_str());
}

// Path, a backslash if missing, up to three characters of the prefix, a hexadecimal number
// (16 bits, never 0), ".tmp". With no number given the file is made new and empty, and another
// call finds another name; with a number, only the name is made, from its low 16 bits.
TEST(Win32Temp, TemporaryFileNames) {
    TempFolder t;
    char name[MAX_PATH], number[16];
    UINT n = GetTempFileNameA(t.path().c_str(), "prefix", 0, name);
    ASSERT_NE(n, 0u);
    EXPECT_LE(n, 0xFFFFu);
    snprintf(number, sizeof number, "%X", n);
    EXPECT_TRUE(same_name(name, t.path() + "\\pre" + number + ".tmp")) << name;
    EXPECT_EQ(t.read(name), "");
    char other[MAX_PATH];
    UINT m = GetTempFileNameA((t.path() + "\\").c_str(), "q", 0, other);
    ASSERT_NE(m, 0u);
    snprintf(number, sizeof number, "%X", m);
    EXPECT_TRUE(same_name(other, t.path() + "\\q" + number + ".tmp")) << other;
    EXPECT_TRUE(t.exists(other));
    EXPECT_EQ(t.read(name), ""); // the first is still there
    UINT given = GetTempFileNameA(t.path().c_str(), "q", 0x1ABCD, name);
    // "The same number" or its 16 bits that the name holds: both readings of the documentation.
    EXPECT_TRUE(given == 0x1ABCDu || given == 0xABCDu) << given;
    EXPECT_TRUE(same_name(name, t.path() + "\\qABCD.tmp")) << name;
    EXPECT_FALSE(t.exists(name));
    // A directory that does not exist: failure, so that the caller looks elsewhere.
    EXPECT_EQ(GetTempFileNameA((t.path() + "\\none").c_str(), "q", 0, name), 0u);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_DIRECTORY);
}
