// What the Win32 test hooks learn by standing between the program and a few Win32 functions
// (the test program is linked with the linker's --wrap for them, cmake/windows.cmake): which
// template a dialog was made from, the beeps given, the timers alive, the documents opened.
#ifndef QUILLON_PLAT_TESTHOOKS_WIN32_WRAPPED_H
#define QUILLON_PLAT_TESTHOOKS_WIN32_WRAPPED_H

#include <windows.h>
#include <string>

// The dialog just initialised takes the template of the DialogBoxParamA call that made it.
void testhooks_dialog_initialised(HWND hDlg);
// Resource number of a dialog's template; 0 for the system's dialogs (open, save).
int testhooks_template_of(HWND hDlg);
int testhooks_beeps(void);
int testhooks_timers_alive(void);
// The real functions, for the hooks' own timer, which is none of the program's.
UINT_PTR testhooks_real_SetTimer(HWND hWnd, UINT_PTR id, UINT ms, TIMERPROC proc);
BOOL testhooks_real_KillTimer(HWND hWnd, UINT_PTR id);

// The commands of the program and the handlers of the test under way, which the hooks' notion
// of a hung thread leaves out (held.cpp).
void testhooks_watch_commands(void);
void testhooks_handler_runs(bool starts);
// True when the tests run under Wine, whose drives and temporary folder need extra care.
bool testhooks_under_wine(void);

// Under Wine, C: back to Wine's own (true) or the test's again (false); false when the test's
// drives hold no C: of theirs.
bool testhooks_system_drive(bool system);
// The host path (as the tests name it) of a DOS path, whatever letter it is by.
std::string testhooks_host_of(const char *dos);
// This process is a test's child: its drives are its parent's, which it does not change.
void testhooks_drives_inherited(void);
// In a child that a test started, once its libraries are loaded: tells the parent, and waits
// until the test's drives are back.
void testhooks_child_loaded(void);

// The assembler's names of an import pointer as the linker's --wrap renames it: 32-bit Windows
// decorates a stdcall function with an underscore and the bytes of its arguments, and every
// symbol with one more underscore; 64-bit Windows decorates nothing.
#ifdef _WIN64
#define IMPORT_SYMBOL(kind, name, bytes) "__" kind "___imp_" name
#else
#define IMPORT_SYMBOL(kind, name, bytes) "___" kind "__imp__" name bytes
#endif

// The import pointer the linker gives the program in place of Windows' own, and Windows' own.
#define WRAPPED(ret, name, bytes, params)                                                          \
    typedef ret(WINAPI *name##_t) params;                                                          \
    extern "C" name##_t real_##name asm(IMPORT_SYMBOL("real", #name, "@" #bytes));                 \
    static ret WINAPI wrap_##name params;                                                          \
    extern "C" name##_t wrap_ptr_##name asm(IMPORT_SYMBOL("wrap", #name, "@" #bytes));             \
    name##_t wrap_ptr_##name = wrap_##name;                                                        \
    static ret WINAPI wrap_##name params

#endif
