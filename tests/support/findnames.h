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

// In the order given; a search that found something ends with ERROR_NO_MORE_FILES.
inline std::vector<std::string> find_names(const char *pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(pattern, &fd);
    if (h == INVALID_HANDLE_VALUE) return names;
    do names.push_back(fd.cFileName);
    while (FindNextFileA(h, &fd));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_NO_MORE_FILES) << pattern;
    FindClose(h);
    return names;
}

// Sorted without regard to case: Windows gives them in the file system's order.
inline std::vector<std::string> find_names_sorted(const char *pattern) {
    std::vector<std::string> names = find_names(pattern);
    std::sort(names.begin(), names.end(), [](const std::string &a, const std::string &b) {
        return std::lexicographical_compare(
            a.begin(), a.end(), b.begin(), b.end(),
            [](char x, char y) { return tolower((unsigned char)x) < tolower((unsigned char)y); });
    });
    return names;
}

// Whether two names are the same but for case.
inline bool same_name(const std::string &a, const std::string &b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return tolower((unsigned char)x) == tolower((unsigned char)y);
           });
}

// By name, with what the search gives of each.
inline std::map<std::string, WIN32_FIND_DATAA> find_entries(const char *pattern) {
    std::map<std::string, WIN32_FIND_DATAA> seen;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(pattern, &fd);
    if (h == INVALID_HANDLE_VALUE) return seen;
    do seen[fd.cFileName] = fd;
    while (FindNextFileA(h, &fd));
    FindClose(h);
    return seen;
}

#endif
