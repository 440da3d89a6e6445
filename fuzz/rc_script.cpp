// The resource-script reader on any script: it may report errors, never hang or crash.
#include <cstdint>
#include "platres.h"
#include "resources/script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    PlatResourceFile f = {"fuzz.rc", data, size};
    plat_register_resources(&f, 1);
    rc_parse("fuzz.rc");
    return 0;
}
