// Generated names, "name~N.ext", given in the layer's stable order so that they stay the same
// while the directory does.
#include "kernel32/altnames.h"
#include <algorithm>
#include <map>
#include <unordered_set>
#include "kernel32/ansi.h"

std::string fs_fold(const std::string &ansi) {
    std::string f = ansi;
    for (char &c : f) c = (char)ansi_lower((unsigned char)c);
    return f;
}

uint32_t fs_fold_fingerprint(const std::string &ansi) {
    uint32_t h = 2166136261u;
    for (unsigned char c : ansi) h = (h ^ ansi_lower(c)) * 16777619u;
    return h;
}

bool fs_keeps_name(const AnsiName &a, const std::string &host_a, const AnsiName &b,
                   const std::string &host_b) {
    bool plain_a = a.odd.find('1') == std::string::npos;
    bool plain_b = b.odd.find('1') == std::string::npos;
    if (plain_a != plain_b) return plain_a;
    if (a.text != b.text) return a.text > b.text;
    return host_a > host_b;
}

// "~N" before the extension; a name whose only dot leads it has none.
static std::string with_number(const std::string &ansi, int n) {
    size_t dot = ansi.rfind('.');
    if (dot == std::string::npos || dot == 0) dot = ansi.size();
    return ansi.substr(0, dot) + "~" + std::to_string(n) + ansi.substr(dot);
}

std::vector<std::string> fs_listed_names(const std::vector<HostEntry> &entries) {
    std::vector<std::string> listed(entries.size());
    std::map<std::string, std::vector<size_t>> groups; // by folded name, in a fixed order
    std::unordered_set<std::string> taken;
    for (size_t i = 0; i < entries.size(); ++i) {
        listed[i] = entries[i].ansi.text;
        std::string fold = fs_fold(listed[i]);
        groups[fold].push_back(i);
        taken.insert(fold);
    }
    for (auto &g : groups) {
        std::vector<size_t> &members = g.second;
        if (members.size() < 2) continue;
        std::sort(members.begin(), members.end(), [&](size_t a, size_t b) {
            return fs_keeps_name(entries[a].ansi, entries[a].host, entries[b].ansi,
                                 entries[b].host);
        });
        for (size_t k = 1; k < members.size(); ++k) {
            const std::string &own = entries[members[k]].ansi.text;
            for (int n = 1;; ++n) {
                std::string name = with_number(own, n);
                if (taken.insert(fs_fold(name)).second) {
                    listed[members[k]] = name;
                    break;
                }
            }
        }
    }
    return listed;
}
