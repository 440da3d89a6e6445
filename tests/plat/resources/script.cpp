// The resource script reader: the program's own script, and the syntax rc accepts.
#include <gtest/gtest.h>
#include "app/quillonid.h"
#include "platres.h"
#include "resources/script.h"

namespace {
const RcControl *control(const RcDialog &d, int id) {
    for (const RcControl &c : d.controls)
        if (c.id == id) return &c;
    return nullptr;
}
} // namespace

// What the dialogs' own tests do not show: a text with a backslash, an ICON control's resource,
// RTEXT's style. (The rest of the layouts is pinned by the tests that open the dialogs; the icon
// and the twelve watches, by those that load them: tests/win32/user32/dialog.cpp and the busy
// cursor's in tests/io/iodlg.cpp.)
TEST(PlatResourceScript, TheProgramsScriptReadsWhole) {
    const RcScript &s = rc_program_script();
    EXPECT_TRUE(s.errors.empty()) << s.errors.front();
    const RcDialog &main = *rc_find_dialog(DLG_PRINCIPAL);
    EXPECT_EQ(control(main, IDD_RACINE)->text, " [:\\]");
    EXPECT_EQ(main.controls.back().style & SS_TYPEMASK, (DWORD)SS_ICON);
    EXPECT_EQ(main.controls.back().text_id, IDI_QUILLON);
    EXPECT_EQ(control(*rc_find_dialog(DLG_ATTRIBUTS), IDA_CREATION)->style &
                  (SS_TYPEMASK | WS_BORDER),
              (DWORD)(SS_RIGHT | WS_BORDER));
}

TEST(PlatResourceScript, PreprocessorExpressionsStringsAndErrors) {
    static const char header[] = "#ifndef H\n#define H\n#define BASE 10\n"
                                 "#define NEXT (BASE + 1) // comment\n"
                                 "#define FN(x) x\nint ignored_by_rc;\n#endif\n";
    static const char script[] =
        "#include \"sub/ids.h\"\n#include <windows.h>\n"
        "#if defined(BASE) && BASE > 5\n#define WIDE 100\n#else\n#define WIDE 1\n#endif\n"
        "/* a block\n comment */ 7 DIALOGEX 1, 2, WIDE, 40, 0\n"
        "STYLE WS_POPUP | WS_CAPTION\nCAPTION \"Say \"\"hi\"\"\\tthere\\x41\"\n"
        "FONT 8, \"MS Shell Dlg\", 0, 0, 0x1\n{\n"
        "  LTEXT \"caf\xe9\", NEXT, 1, 2, 3, 4, NOT WS_GROUP | SS_NOPREFIX\n"
        "  CONTROL \"\", -1, BUTTON, BS_AUTOCHECKBOX | WS_TABSTOP, 5, 6, 7, 8\n"
        "  EDITTEXT BASE, 1, 1, 10, 10, ES_AUTOHSCROLL | NOT WS_BORDER\n"
        "}\n8 CURSOR \"a.cur\"\n9 BITMAP \"b.bmp\"\n";
    static const PlatResourceFile files[] = {
        {"t/test.rc", (const unsigned char *)script, sizeof script - 1},
        {"t/sub/ids.h", (const unsigned char *)header, sizeof header - 1}};
    plat_register_resources(files, 2);
    RcScript s = rc_parse("t/test.rc");
    ASSERT_EQ(s.errors.size(), 1u); // the unsupported BITMAP
    EXPECT_NE(s.errors[0].find("t/test.rc:19"), std::string::npos) << s.errors[0];
    const RcDialog &d = s.dialogs.at(7);
    EXPECT_EQ(d.cx, 100);
    EXPECT_EQ(d.caption, "Say \"hi\"\tthereA");
    EXPECT_EQ(d.style, (DWORD)(WS_POPUP | WS_CAPTION | DS_SETFONT));
    EXPECT_EQ(d.font_name + std::to_string(d.font_size), "MS Shell Dlg8");
    ASSERT_EQ(d.controls.size(), 3u);
    EXPECT_EQ(d.controls[0].id, 11);
    EXPECT_EQ(d.controls[0].text, "caf\xe9");
    EXPECT_EQ(d.controls[0].style, (DWORD)(WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX));
    EXPECT_EQ(d.controls[1].cls, "BUTTON");
    EXPECT_EQ(d.controls[1].style, (DWORD)(WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX | WS_TABSTOP));
    EXPECT_EQ(d.controls[2].style, (DWORD)(WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL));
    EXPECT_EQ(s.cursors.at(8), "a.cur");
    EXPECT_EQ(rc_join("app", "../io/x.h"), "io/x.h");
    EXPECT_EQ(rc_join("", "a\\.\\b"), "a/b");
}

// A malformed script ends with an error that names its line: never a hang, a crash or a
// computation the machine does not define.
TEST(PlatResourceScript, MalformedScriptsEndWithAnErrorOnTheirLine) {
    const std::string deep_parens = std::string(100000, '(') + "1" + std::string(100000, ')');
    std::string chain; // each macro twice the one before: 2^40 tokens
    for (int i = 0; i < 40; ++i)
        chain += "#define M" + std::to_string(i + 1) + " M" + std::to_string(i) + " M" +
                 std::to_string(i) + "\n";
    std::string long_chain; // a chain of macros deeper than any real script
    for (int i = 0; i < 5000; ++i)
        long_chain += "#define N" + std::to_string(i + 1) + " N" + std::to_string(i) + "\n";
    const struct {
        std::string script, error;
    } cases[] = {
        {"\n#include \"self.rc\"\n", "self.rc:2: file includes itself"},
        {"\n#define A B\n#define B A\n1 DIALOG A, 0, 1, 1\n", "self.rc:4: unknown name A"},
        {chain + "1 DIALOG M40, 0, 1, 1\n", "self.rc:41: macros expand to too many tokens"},
        {long_chain + "1 DIALOG N5000, 0, 1, 1\n", "self.rc:5001: macros nested too deeply"},
        {"\n1 DIALOG " + deep_parens + ", 0, 1, 1\n", "self.rc:2: expression nested too deeply"},
        {"\n#if " + deep_parens + "\n#endif\n", "self.rc:2: expression nested too deeply"},
        {"\n#if 1 / (2 - 2)\n#endif\n", "self.rc:2: division by zero"},
        {"\n1 DIALOG 5 % 0, 0, 1, 1\n", "self.rc:2: division by zero"},
        {"1 VERSIONINFO\nFILEVERSION 1, 0\nBEGIN\n BLOCK \"x\"\n BEGIN\n END\n",
         "self.rc:6: END expected"},
    };
    for (const auto &c : cases) {
        PlatResourceFile f = {"self.rc", (const unsigned char *)c.script.data(), c.script.size()};
        plat_register_resources(&f, 1);
        RcScript s = rc_parse("self.rc");
        ASSERT_FALSE(s.errors.empty()) << c.error;
        EXPECT_EQ(s.errors[0].substr(0, c.error.size()), c.error);
    }
    // Overflowing arithmetic wraps around, as the machine's does.
    const std::string wraps = "1 DIALOG 0x7FFFFFFFFFFFFFFF + 1 - (-0x7FFFFFFFFFFFFFFF - 1), "
                              "(-0x7FFFFFFFFFFFFFFF - 1) / -1, 0x7FFFFFFFFFFFFFFF * 3, 7 % -1\n"
                              "BEGIN\nEND\n";
    PlatResourceFile f = {"self.rc", (const unsigned char *)wraps.data(), wraps.size()};
    plat_register_resources(&f, 1);
    RcScript s = rc_parse("self.rc");
    EXPECT_TRUE(s.errors.empty()) << s.errors.front();
    EXPECT_EQ(s.dialogs.at(1).x, 0);
}
