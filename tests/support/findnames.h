// The names, and entries, FindFirstFileA and FindNextFileA give for a pattern.
#ifndef QUILLON_TESTS_FINDNAMES_H
#define QUILLON_TESTS_FINDNAMES_H

#include <gtest/gtest.h>
#include <algorithm>
#include <cctype>
#include <map>
#include <string>
#include <vector>
#include <windows.h>

// Calls f with each entry the search gives, in its order; a search that found something ends
// with ERROR_NO_MORE_FILES.
template <class F> void each_found(const char *pattern, F f) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(pattern, &fd);
    if (h == INVALID_HANDLE_VALUE) return;
    do f(fd);
    while (FindNextFileA(h, &fd));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_NO_MORE_FILES) << pattern;
    FindClose(h);
}

inline std::vector<std::string> find_names(const char *pattern) {
    std::vector<std::string> names;
    each_found(pattern, [&](const WIN32_FIND_DATAA &fd) { names.push_back(fd.cFileName); });
    return names;
}

// The name in small letters (ASCII): names compared without regard to case.
inline std::string lower(std::string name) {
    for (char &c : name) c = (char)tolower((unsigned char)c);
    return name;
}

inline bool same_name(const std::string &a, const std::string &b) {
    return lower(a) == lower(b);
}

// Sorted without regard to case: Windows gives them in the file system's order.
inline std::vector<std::string> find_names_sorted(const char *pattern) {
    std::vector<std::string> names = find_names(pattern);
    std::sort(names.begin(), names.end(),
              [](const std::string &a, const std::string &b) { return lower(a) < lower(b); });
    return names;
}

// By name, with what the search gives of each.
inline std::map<std::string, WIN32_FIND_DATAA> find_entries(const char *pattern) {
    std::map<std::string, WIN32_FIND_DATAA> seen;
    each_found(pattern, [&](const WIN32_FIND_DATAA &fd) { seen[fd.cFileName] = fd; });
    return seen;
}

#endif
