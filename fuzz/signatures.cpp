// Any signature file: loaded by the examination's own loader from the current folder, then
// looked up with a key of the input and with one of every record's kind.
#include <cstdlib>
#include <cstring>
#include "app/quillon.h"
#include "fuzz.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    return fuzz_start(true);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    fuzz_write(fuzz_drive() + "/fuzz.sig", data, size);
    free(pSign); // the table is kept for the run: each input is a run of its own
    pSign = nullptr;
    compile_creat();
    char cle[9] = "TEXT????";
    memcpy(cle, data, size < 8 ? size : 8);
    select_type(cle);
    select_type("WDBNMSWD");
    return 0;
}
