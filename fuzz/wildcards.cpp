// Any pattern against any name (parted by the first zero byte): the match ends, and a name
// without wildcards matches itself, as "*" matches every name.
#include <cstdio>
#include <cstdlib>
#include <string>
#include "kernel32/wildcard.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    std::string input((const char *)data, size);
    size_t cut = input.find('\0');
    std::string pattern = input.substr(0, cut);
    std::string name = cut == std::string::npos ? pattern : input.substr(cut + 1);
    fs_wildcard_match(pattern, name);
    if (!fs_wildcard_match("*", name)) abort();
    if (name.find_first_of("*?") == std::string::npos && name != "*.*" &&
        !fs_wildcard_match(name, name)) {
        fprintf(stderr, "%s does not match itself\n", name.c_str());
        abort();
    }
    return 0;
}
