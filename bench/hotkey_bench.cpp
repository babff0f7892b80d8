// Under Wine: the time from the Print Screen key to the picture on the clipboard, next to
// the time of a bare BitBlt of the same screen.
#include "harness.h"

#include <stdio.h>

#include <algorithm>
#include <vector>

#include "screenshot.h"

#ifndef WM_CLIPBOARDUPDATE
#define WM_CLIPBOARDUPDATE 0x031D
#endif

namespace {

std::vector<uint32_t> g_picture;
int g_width, g_height;
bool g_updated;

LRESULT CALLBACK PictureProc(HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(w, &ps);
        BITMAPINFO info = kp::Info32(g_width, g_height);
        SetDIBitsToDevice(dc, 0, 0, g_width, g_height, 0, 0, 0, g_height, g_picture.data(), &info,
                          DIB_RGB_COLORS);
        EndPaint(w, &ps);
        return 0;
    }
    if (msg == WM_CLIPBOARDUPDATE) {
        g_updated = true;
        return 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
}

double Now()
{
    LARGE_INTEGER t, f;
    QueryPerformanceCounter(&t);
    QueryPerformanceFrequency(&f);
    return double(t.QuadPart) * 1000.0 / double(f.QuadPart);
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double BareBitBlt()
{
    std::vector<double> times;
    for (int i = 0; i < 15; ++i) {
        double t = Now();
        HDC screen = GetDC(NULL);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP bm = CreateCompatibleBitmap(screen, g_width, g_height);
        HGDIOBJ old = SelectObject(dc, bm);
        BitBlt(dc, 0, 0, g_width, g_height, screen, 0, 0, SRCCOPY);
        GdiFlush();
        times.push_back(Now() - t);
        SelectObject(dc, old);
        DeleteObject(bm);
        DeleteDC(dc);
        ReleaseDC(NULL, screen);
    }
    return Median(times);
}

// Median time Wine itself takes to put a full-screen bitmap on the clipboard: it copies the
// pixels into its server, a floor under any program's hotkey-to-clipboard time.
double SetClipboardBitmap(HWND owner)
{
    std::vector<double> times;
    for (int i = 0; i < 5; ++i) {
        HDC screen = GetDC(NULL);
        HBITMAP bm = CreateCompatibleBitmap(screen, g_width, g_height);
        ReleaseDC(NULL, screen);
        double t = Now();
        if (!OpenClipboard(owner))
            continue;
        EmptyClipboard();
        SetClipboardData(CF_BITMAP, bm);
        CloseClipboard();
        times.push_back(Now() - t);
    }
    return times.empty() ? -1 : Median(times);
}

// Median time from the key press to the clipboard update Kapto makes; -1 when none came.
double HotkeyToClipboard(HWND listener)
{
    std::vector<double> times;
    for (int i = 0; i < 9; ++i) {
        kp::PumpFor(150);
        g_updated = false;
        double t = Now();
        kp::SendKeys("PrtScr");
        while (!g_updated && Now() - t < 10000) {
            MSG msg;
            if (PeekMessageA(&msg, listener, 0, 0, PM_REMOVE))
                DispatchMessageA(&msg);
            else
                MsgWaitForMultipleObjects(0, NULL, FALSE, 1, QS_ALLINPUT);
        }
        if (!g_updated)
            return -1;
        times.push_back(Now() - t);
    }
    return Median(times);
}

} // namespace

int main()
{
    g_width = GetSystemMetrics(SM_CXSCREEN);
    g_height = GetSystemMetrics(SM_CYSCREEN);
    g_picture = MakeScreenshot(g_width, g_height);
    WNDCLASSA wc{};
    wc.lpfnWndProc = PictureProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = "KpBenchPicture";
    RegisterClassA(&wc);
    HWND picture = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, wc.lpszClassName, "",
                                   WS_POPUP | WS_VISIBLE, 0, 0, g_width, g_height, NULL, NULL,
                                   wc.hInstance, NULL);
    UpdateWindow(picture);
    // Newer than the Windows the programs are built for, so looked up by name.
    auto addListener = reinterpret_cast<BOOL(WINAPI *)(HWND)>(reinterpret_cast<void *>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "AddClipboardFormatListener")));
    if (!addListener || !addListener(picture)) {
        fprintf(stderr, "no clipboard listener\n");
        return 1;
    }

    struct Setting {
        const char *what;
        DWORD colours, type;
        double target;
    } settings[] = {{"16 millions, bitmap", 3, 0, 1.3},
                    {"16 millions, DIB", 3, 1, 1.3},
                    {"256 colours, DIB", 2, 1, 1.6},
                    {"256 colours, bitmap", 2, 0, 1.6}};
    printf("screen %dx%d under Wine; times are medians\n", g_width, g_height);
    double blt = BareBitBlt();
    printf("%-22s %8.2f ms\n", "bare BitBlt", blt);
    printf("%-22s %8.2f ms  (Wine copies the pixels to its server)\n", "SetClipboardData",
           SetClipboardBitmap(picture));
    int status = 0;
    for (const Setting &s : settings) {
        kp::DeleteKaptoKey();
        kp::WriteInstallerDefaults(kp::BinDir());
        kp::SetKaptoDword("couleursExport", s.colours);
        kp::SetKaptoDword("typeExport", s.type);
        kp::SetKaptoDword("save", 0);
        kp::StartKapto();
        kp::WaitFor([] { return !kp::CanRegisterHotkey(MOD_ALT, 'L'); }, 10000);
        double ms = HotkeyToClipboard(picture);
        if (ms < 0) {
            printf("%-22s no clipboard update\n", s.what);
            status = 1;
        } else {
            printf("%-22s %8.2f ms  %5.2f x BitBlt (target %.1f)\n", s.what, ms, ms / blt,
                   s.target);
        }
        kp::EndAllStarted();
    }
    kp::DeleteKaptoKey();
    DestroyWindow(picture);
    return status;
}
