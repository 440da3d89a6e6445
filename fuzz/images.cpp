// Any icon or cursor file, decoded as the window side decodes the program's resources.
#include "fuzz.h"
#include "images/decode.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    return fuzz_start(false);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    plat_decode_icon(data, size, 32);
    plat_decode_icon(data, size, 16);
    plat_decode_icon(data, size, 256); // the large image, a PNG stream in the program's icon
    plat_decode_cursor(data, size);
    return 0;
}
