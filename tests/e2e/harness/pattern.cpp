#include "harness.h"

#include <stdio.h>

namespace kp {

BITMAPINFO Info32(int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

Picture GrabScreen(const RECT &r)
{
    Picture picture;
    picture.width = r.right - r.left;
    picture.height = r.bottom - r.top;
    BITMAPINFO info = kp::Info32(picture.width, picture.height);
    void *bits = nullptr;
    HDC screen = GetDC(NULL);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP section = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    HGDIOBJ old = SelectObject(dc, section);
    BitBlt(dc, 0, 0, picture.width, picture.height, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    const uint32_t *px = static_cast<const uint32_t *>(bits);
    picture.pixels.assign(px, px + size_t(picture.width) * picture.height);
    for (uint32_t &v : picture.pixels)
        v &= 0x00FFFFFF;
    SelectObject(dc, old);
    DeleteObject(section);
    DeleteDC(dc);
    ReleaseDC(NULL, screen);
    return picture;
}

uint32_t PatternPixel(int kind, int x, int y)
{
    switch (kind) {
    case 0: {
        // Few flat colours, as an interface has: 32-pixel tiles of eight colours with a
        // one-pixel grid, so any offset or flipped row shows.
        static const uint32_t tiles[8] = {0xFFFFFF, 0x000000, 0xC0C0C0, 0x000080,
                                          0xFF0000, 0x00FF00, 0x0000FF, 0x808000};
        if (x % 32 == 0 || y % 32 == 0)
            return 0x404040;
        return tiles[(x / 32 + 3 * (y / 32)) % 8];
    }
    case 1: {
        // Many colours: every pixel differs from its neighbours.
        uint32_t r = (x * 7 + y * 3) & 0xFF, g = (x * 5 + y * 11) & 0xFF, b = (x ^ y) & 0xFF;
        return (r << 16) | (g << 8) | b;
    }
    default:
        return 0;
    }
}

Process ShowPattern(int kind)
{
    int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    auto shown = [&] {
        Picture s = GrabScreen(RECT{0, 0, w, h});
        return s.at(5, 5) == PatternPixel(kind, 5, 5) &&
               s.at(w - 3, h - 3) == PatternPixel(kind, w - 3, h - 3);
    };
    // An earlier pattern still on the screen would pass for the new one while the new window
    // has yet to appear, and its late painting would then land in the middle of a test.
    // By id: the handle goes with EndAllStarted after each test.
    static DWORD lastPid;
    HANDLE previous = lastPid ? OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, lastPid) : NULL;
    if (previous) {
        if (WaitForSingleObject(previous, 0) == WAIT_TIMEOUT) {
            TerminateProcess(previous, 0);
            WaitForSingleObject(previous, 5000);
            WaitFor([&] { return !shown(); }, 2000);
        }
        CloseHandle(previous);
    }
    char args[32];
    snprintf(args, sizeof args, "pattern %d", kind);
    Process p = StartDriver(args);
    lastPid = p.pid;
    WaitFor(shown, 10000);
    PumpFor(100);
    return p;
}

HWND ShowTestWindow(const char *mode, int x, int y, int width, int height)
{
    char args[96];
    snprintf(args, sizeof args, "window %s %d %d %d %d", mode, x, y, width, height);
    Process p = StartDriver(args);
    HWND found = NULL;
    WaitFor(
        [&] {
            for (HWND w : TopWindowsOf(p.pid))
                if (IsWindowVisible(w) && TextOf(w) == "kpdriver window" &&
                    GetForegroundWindow() == w) {
                    found = w;
                    return true;
                }
            return false;
        },
        10000);
    // Let it paint before anything looks at it.
    PumpFor(200);
    return found;
}

bool SavePicture(const std::string &path, const Picture &picture)
{
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = picture.width;
    info.biHeight = -picture.height;
    info.biPlanes = 1;
    info.biBitCount = 32;
    DWORD bytes = static_cast<DWORD>(picture.pixels.size() * 4);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + bytes;
    FILE *f = fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = fwrite(&file, sizeof file, 1, f) == 1 && fwrite(&info, sizeof info, 1, f) == 1 &&
              fwrite(picture.pixels.data(), 1, bytes, f) == bytes;
    fclose(f);
    return ok;
}

Picture GrabWindow(HWND window)
{
    RECT r;
    GetWindowRect(window, &r);
    return GrabScreen(r);
}

long FirstDifference(const Picture &a, const Picture &b, std::string *what)
{
    char text[160];
    if (a.width != b.width || a.height != b.height) {
        snprintf(text, sizeof text, "sizes differ: %dx%d against %dx%d", a.width, a.height, b.width,
                 b.height);
        *what = text;
        return 0;
    }
    for (size_t i = 0; i < a.pixels.size(); ++i)
        if (a.pixels[i] != b.pixels[i]) {
            snprintf(text, sizeof text, "first difference at (%d, %d): %06X against %06X",
                     int(i % a.width), int(i / a.width), a.pixels[i], b.pixels[i]);
            *what = text;
            return static_cast<long>(i);
        }
    what->clear();
    return -1;
}

} // namespace kp
