// What the tests of adding and stripping headers share: a drive, Quillon files made by hand,
// the answers given to the program's messages, and a user without the powers of root.
#ifndef QUILLON_TESTS_MOTEUR_H
#define QUILLON_TESTS_MOTEUR_H

#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>
#include <windows.h>
#include "app/quillon.h"
#include "plattest_ui.h"
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
    for (auto &e : std::filesystem::directory_iterator(dir)) v.push_back(e.path().filename());
    std::sort(v.begin(), v.end());
    return v;
}

// The messages the program shows, read (control 128) and closed with OK as a user would;
// a message of bmess_annulable may first get its "do not tell again" box ticked.
struct Messages {
    std::vector<std::string> textes;
    void attend(int n = 1, bool coche = false) {
        for (int i = 0; i < n; ++i)
            plat_test_push_dialog_handler([this, coche](HWND hDlg, int) {
                textes.push_back(plat_test_text(hDlg, 128));
                if (coche) plat_test_click(hDlg, 136);
                plat_test_click(hDlg, 1);
                if (IsWindow(hDlg)) plat_test_close_box(hDlg); // not a message: no test hangs
            });
    }
};

// Root passes every permission check; the tests of refused access run as the files' owner
// without those powers (a no-op for an ordinary user).
class SansPrivileges {
  public:
    SansPrivileges() {
        syscall(SYS_capget, &tete_, avant_);
        __user_cap_data_struct d[2];
        memcpy(d, avant_, sizeof d);
        d[0].effective &=
            ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER));
        syscall(SYS_capset, &tete_, d);
    }
    ~SansPrivileges() { syscall(SYS_capset, &tete_, avant_); }

  private:
    __user_cap_header_struct tete_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct avant_[2]{};
};

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
