// Pictures of windows for the tests: the window as the screen shows it, frame and caption
// included (Wine's PrintWindow draws only the client area's background, without the
// controls), written as a PNG file by a writer of our own (8-bit RGB, the image data in
// stored deflate blocks: no library needed).
#include <windows.h>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>
#include "plattest_ui.h"

namespace {

uint32_t crc32(const std::string &bytes, uint32_t crc = 0) {
    static uint32_t table[256];
    if (table[1] == 0)
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
    crc = ~crc;
    for (unsigned char b : bytes) crc = table[(crc ^ b) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void put32(std::string &s, uint32_t v) {
    for (int i = 3; i >= 0; --i) s += (char)(v >> (8 * i));
}

void chunk(std::string &png, const char *type, const std::string &data) {
    put32(png, (uint32_t)data.size());
    std::string body = std::string(type, 4) + data;
    png += body;
    put32(png, crc32(body));
}

// A zlib stream of stored blocks.
std::string zlib_stored(const std::string &raw) {
    std::string z = "\x78\x01";
    size_t at = 0;
    do {
        size_t n = std::min<size_t>(raw.size() - at, 65535);
        bool last = at + n == raw.size();
        z += (char)(last ? 1 : 0);
        z += (char)(n & 0xFF);
        z += (char)(n >> 8);
        z += (char)(~n & 0xFF);
        z += (char)((~n >> 8) & 0xFF);
        z.append(raw, at, n);
        at += n;
    } while (at < raw.size());
    uint32_t a = 1, b = 0;
    for (unsigned char c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    put32(z, b << 16 | a);
    return z;
}

// rgb: rows from the top, 3 bytes a pixel.
std::string png_of(int width, int height, const std::vector<unsigned char> &rgb) {
    std::string raw;
    for (int y = 0; y < height; ++y) {
        raw += '\0'; // no filter
        raw.append((const char *)&rgb[(size_t)y * width * 3], (size_t)width * 3);
    }
    std::string header;
    put32(header, (uint32_t)width);
    put32(header, (uint32_t)height);
    header += std::string("\x08\x02\x00\x00\x00", 5); // 8 bits, RGB
    std::string png = "\x89PNG\r\n\x1a\n";
    chunk(png, "IHDR", header);
    chunk(png, "IDAT", zlib_stored(raw));
    chunk(png, "IEND", "");
    return png;
}

} // namespace

bool plat_test_save_png(HWND hWnd, const char *path) {
    RECT r;
    if (path == nullptr || !GetWindowRect(hWnd, &r)) return false;
    int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return false;
    // Painted and in front before the screen is read.
    SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RedrawWindow(hWnd, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    plat_test_wait(50);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h; // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void *bits = nullptr;
    HDC screen = GetDC(nullptr), mem = CreateCompatibleDC(screen);
    HBITMAP bm = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool drawn = false;
    if (bm) {
        HGDIOBJ before = SelectObject(mem, bm);
        drawn = BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
        GdiFlush();
        SelectObject(mem, before);
    }
    std::vector<unsigned char> rgb((size_t)w * h * 3);
    if (drawn)
        for (size_t i = 0; i < (size_t)w * h; ++i) {
            const unsigned char *p = (const unsigned char *)bits + 4 * i;
            rgb[3 * i] = p[2];
            rgb[3 * i + 1] = p[1];
            rgb[3 * i + 2] = p[0];
        }
    if (bm) DeleteObject(bm);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    if (!drawn) return false;
    std::filesystem::path file = std::filesystem::u8path(path).make_preferred();
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    std::ofstream out(file, std::ios::binary);
    out << png_of(w, h, rgb);
    return (bool)out.flush();
}
