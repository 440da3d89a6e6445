// What the fuzz targets share: the platform layer started as the tests start it, headless
// and with the test hooks, which close at once every dialog that opens (nobody answers one
// here); for the readers of files a fresh folder mapped as drive C: and current.
#ifndef QUILLON_FUZZ_FUZZ_H
#define QUILLON_FUZZ_FUZZ_H

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include "plattest_fs.h"
#include "plattest_ui.h"

inline void fuzz_start_platform() {
    static int argc = 1;
    static char name[] = "quillon-fuzz";
    static char *argv[] = {name, nullptr};
    plat_test_init(&argc, argv);
}

// The host folder that is drive C:, removed when the run ends (kept for the whole run: the
// removal runs after the program's statics are gone).
inline const std::string &fuzz_drive() {
    static const std::string *root = nullptr;
    if (root == nullptr) {
        root = new std::string(plat_test_temp_dir());
        atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(*root, ec);
        });
        plat_test_set_drives({PlatDrive{'C', *root, ""}});
    }
    return *root;
}

// What each target's LLVMFuzzerInitialize does: the platform, and the drive for file readers.
inline int fuzz_start(bool with_drive) {
    fuzz_start_platform();
    if (with_drive) fuzz_drive();
    return 0;
}

inline void fuzz_write(const std::string &host, const uint8_t *data, size_t size) {
    std::ofstream(host, std::ios::binary | std::ios::trunc).write((const char *)data, (long)size);
}

#endif
