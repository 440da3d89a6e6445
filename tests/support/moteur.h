// What the tests of adding and stripping headers share: a drive, Quillon files made by hand,
// the answers given to the program's messages (and, from systeme.h, a user without the
// powers of root).
#ifndef QUILLON_TESTS_MOTEUR_H
#define QUILLON_TESTS_MOTEUR_H

#include <windows.h>
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>
#include "app/quillon.h"
#include "dialogue.h"
#include "plattest_ui.h"
#include "systeme.h"
#include "tempdrive.h"

// A 128-byte header as a Quillon file carries it (numbers big-endian).
inline std::string entete_quillon(uint32_t dlog, uint32_t rlog, const std::string &nom = "x",
                                  uint32_t dcreat = 0xB492BBC0u) {
    std::string h(LG_ENTETE, '\0');
    h[1] = (char)nom.size();
    h.replace(2, nom.size(), nom);
    h.replace(65, 8, "TEXT????");
    auto be = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) h[at + i] = (char)(v >> (24 - 8 * i));
    };
    be(83, dlog);
    be(87, rlog);
    be(91, dcreat);
    be(95, dcreat + 1);
    return h;
}

inline uint32_t lit_be32(const std::string &s, size_t at) {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = v << 8 | (unsigned char)s[at + i];
    return v;
}

// Bytes that differ from one position to the next, so a shifted or repeated block shows.
inline std::string octets(size_t n, unsigned graine = 1) {
    std::string s(n, '\0');
    uint32_t x = graine * 2654435761u + 1;
    for (size_t i = 0; i < n; ++i) {
        x = x * 1664525u + 1013904223u;
        s[i] = (char)(x >> 24);
    }
    return s;
}

// The names in a host directory, sorted.
inline std::vector<std::string> noms_dans(const std::string &dir) {
    std::vector<std::string> v;
    for (auto &e : std::filesystem::directory_iterator(chemin_hote(dir)))
        v.push_back(e.path().filename().u8string());
    std::sort(v.begin(), v.end());
    return v;
}

// Each test works on a fresh drive C:, at its root, with no main window yet (messages are
// then centred on the screen).
class Moteur : public ::testing::Test {
  protected:
    void SetUp() override {
        Global_hInst = GetModuleHandleA(nullptr);
        hWndMain = nullptr;
    }
    TempDrives c;
    Messages messages;
};

#endif
