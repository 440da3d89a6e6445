// What the fuzz targets share: the platform layer started headless, as the tests start it,
// and for the readers of files a fresh folder mapped as drive C: and current.
#ifndef QUILLON_FUZZ_FUZZ_H
#define QUILLON_FUZZ_FUZZ_H

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include "platinit.h"
#include "plattest_fs.h"

inline void fuzz_start_platform() {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (!getenv("XDG_RUNTIME_DIR")) {
        std::string runtime = "/tmp/quillon-runtime-" + std::to_string(getuid());
        mkdir(runtime.c_str(), 0700);
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 0);
    }
    static int argc = 1;
    static char name[] = "quillon-fuzz";
    static char *argv[] = {name, nullptr};
    plat_init(&argc, argv);
}

// The host folder that is drive C:, removed when the run ends (kept for the whole run: the
// removal runs after the program's statics are gone).
inline const std::string &fuzz_drive() {
    static const std::string *root = nullptr;
    if (root == nullptr) {
        char tmpl[] = "/tmp/quillon-fuzz-XXXXXX";
        root = new std::string(mkdtemp(tmpl));
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
