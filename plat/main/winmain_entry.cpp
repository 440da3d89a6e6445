// The program's entry point on hosts without Win32: start the platform layer, then hand over
// to WinMain as Windows does, with the command line after the program's name.
#include <string>
#include <windows.h>
#include "platinit.h"

int WINAPI WinMain(HINSTANCE hInst, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);

int main(int argc, char **argv) {
    plat_init(&argc, argv);
    std::string cmdline;
    for (int i = 1; i < argc; ++i) cmdline += (i > 1 ? " " : "") + std::string(argv[i]);
    return WinMain(GetModuleHandleA(nullptr), nullptr, cmdline.data(), SW_SHOWNORMAL);
}
