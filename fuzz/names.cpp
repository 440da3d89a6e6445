// Names as other programs leave them on the disk (any bytes, up to four names parted by '/'):
// every name a search lists must lead to an entry of its own, also in small letters as the
// folder list shows it, and no entry may be left out. The whole input is also looked up.
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#include <map>
#include <set>
#include <windows.h>
#include "fuzz.h"
#include "kernel32/names_utf8.h"

static void fault(const char *what, const std::string &name) {
    fprintf(stderr, "%s: %s\n", what, name.c_str());
    abort();
}

static std::string petites(std::string s) {
    for (char &c : s)
        if (c >= 'A' && c <= 'Z') c = (char)(c + 32);
    return s;
}

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    return fuzz_start(true);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const std::string dir = fuzz_drive() + "/d";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directory(dir);
    std::string input((const char *)data, size);
    std::set<std::string> made;
    size_t start = 0;
    for (int n = 0; n < 4 && start <= input.size(); ++n) {
        size_t end = std::min(input.find('/', start), input.size());
        std::string name = input.substr(start, end - start);
        start = end + 1;
        if (name.empty() || name == "." || name == ".." || name.size() > 255 ||
            name.find('\0') != std::string::npos)
            continue;
        int fd = open((dir + "/" + name).c_str(), O_CREAT | O_WRONLY, 0644);
        if (fd >= 0) close(fd), made.insert(dir + "/" + name);
        AnsiName a = fs_ansi_from_utf8(name);
        if (a.odd.find('1') == std::string::npos && fs_utf8_from_ansi(a.text) != name)
            fault("the name does not come back from the code page", name);
    }
    std::map<std::string, std::string> found; // host entry -> the name listed for it
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA("d\\*", &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string listed = fd.cFileName;
            if (listed == "." || listed == "..") continue;
            std::string host = plat_test_host_path(("d\\" + listed).c_str());
            if (!made.count(host)) fault("a listed name leads nowhere it was listed for", listed);
            if (!found.emplace(host, listed).second) fault("two listed names lead to one", listed);
            if (plat_test_host_path(("d\\" + petites(listed)).c_str()) != host)
                fault("in small letters the name leads elsewhere", listed);
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    if (found.size() != made.size()) fault("an entry is not listed", input);
    plat_test_host_path(("d\\" + input.substr(0, input.find('\0'))).c_str());
    return 0;
}
