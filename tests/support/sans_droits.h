// Runs part of a test as a user whom the permission bits bind: root may enter and read any
// folder, so under root the body runs with the effective user "nobody".
#ifndef QUILLON_TESTS_SANS_DROITS_H
#define QUILLON_TESTS_SANS_DROITS_H

#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

// `racines`: the host folders on the way to the test's drives, opened to every user.
inline void sans_droits(const std::vector<std::string> &racines,
                        const std::function<void()> &corps) {
    if (geteuid() != 0) {
        corps();
        return;
    }
    for (const std::string &r : racines) chmod(r.c_str(), 0755);
    ASSERT_EQ(seteuid(65534), 0);
    corps();
    ASSERT_EQ(seteuid(0), 0);
}

#endif
