// The first 128 bytes of any file: the header tests, and for a header the examination
// dialog's reading of every field (dates, lengths, name, identification line).
#include <cstdio>
#include "app/quillon.h"
#include "fuzz.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    return fuzz_start(true);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    fuzz_write(fuzz_drive() + "/h.bin", data, size);
    FILE *f = fopen((fuzz_drive() + "/h.bin").c_str(), "rb");
    if (f == nullptr) return 0;
    is_quillon(f); // adding's test; it leaves the file at its start
    unsigned char bloc[LG_ENTETE];
    int entete = lit_entete(f, bloc); // stripping's and examining's
    fclose(f);
    if (entete) display_header("h.bin"); // the dialog closes by itself, unanswered
    return 0;
}
