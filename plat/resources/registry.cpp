// The embedded resource files, registered by the program before main, and the program's
// script parsed from them once.
#include <cstdio>
#include "platres.h"
#include "resources/script.h"

namespace {
struct Registry {
    std::map<std::string, std::string> files;
    std::string script; // name of the first file registered
};

// A function-local object: registration runs during static initialisation of another unit.
Registry &registry() {
    static Registry r;
    return r;
}
} // namespace

void plat_register_resources(const PlatResourceFile *files, size_t count) {
    Registry &r = registry();
    for (size_t i = 0; i < count; ++i) {
        std::string name = rc_join("", files[i].name);
        r.files[name].assign((const char *)files[i].data, files[i].size);
        if (r.script.empty()) r.script = name;
    }
}

const std::string *rc_file(const std::string &name) {
    const Registry &r = registry();
    auto it = r.files.find(rc_join("", name));
    return it == r.files.end() ? nullptr : &it->second;
}

std::string rc_join(const std::string &dir, const std::string &name) {
    std::string path = (dir.empty() || name.empty() || name[0] == '/') ? name : dir + "/" + name;
    for (char &c : path)
        if (c == '\\') c = '/';
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string::npos) end = path.size();
        std::string part = path.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty() && parts.back() != "..")
                parts.pop_back();
            else
                parts.push_back(part);
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string out;
    for (const std::string &p : parts) out += (out.empty() ? "" : "/") + p;
    return out;
}

const RcScript &rc_program_script() {
    static const RcScript script = [] {
        const Registry &r = registry();
        if (r.script.empty()) return RcScript();
        RcScript s = rc_parse(r.script);
        for (const std::string &e : s.errors) fprintf(stderr, "resource script: %s\n", e.c_str());
        return s;
    }();
    return script;
}

const RcDialog *rc_find_dialog(int id) {
    const RcScript &s = rc_program_script();
    auto it = s.dialogs.find(id);
    return it == s.dialogs.end() ? nullptr : &it->second;
}
