// kpdriver: the test harness as a command line, to drive and inspect Kapto under Wine from
// scripts or by hand.
#include "harness.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

const char kUsage[] =
    "usage: kpdriver COMMAND ...\n"
    "  keys COMBO              press a combination (Ctrl+Alt+R, Alt+PrtScr, Escape)\n"
    "  move X Y | click X Y    move the mouse, or click the left button\n"
    "  windows PID             list the process's top-level windows\n"
    "  msgbox PID [OK]         print the text of its message box \"Kapto\" (and press OK)\n"
    "  close-main PID          send WM_CLOSE to Kapto's main dialog\n"
    "  reg-dump                print the values under HKCU\\Software\\Kapto\n"
    "  install-defaults PATH   write the settings of a fresh installation into PATH\n"
    "  clipboard               describe what the clipboard holds\n"
    "  pattern KIND            show test pattern KIND full-screen until ended\n"
    "  window MODE X Y W H     show a window \"kpdriver window\" and keep it in front;\n"
    "                          MODE plain, edit (an edit box has the focus) or nofocus\n";

std::vector<uint32_t> g_pattern;
int g_patternWidth, g_patternHeight;

LRESULT CALLBACK PatternProc(HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(w, &ps);
        BITMAPINFO info = kp::Info32(g_patternWidth, g_patternHeight);
        SetDIBitsToDevice(dc, 0, 0, g_patternWidth, g_patternHeight, 0, 0, 0, g_patternHeight,
                          g_pattern.data(), &info, DIB_RGB_COLORS);
        EndPaint(w, &ps);
        return 0;
    }
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
}

int ShowPatternWindow(int kind)
{
    g_patternWidth = GetSystemMetrics(SM_CXSCREEN);
    g_patternHeight = GetSystemMetrics(SM_CYSCREEN);
    g_pattern.resize(size_t(g_patternWidth) * g_patternHeight);
    for (int y = 0; y < g_patternHeight; ++y)
        for (int x = 0; x < g_patternWidth; ++x)
            g_pattern[size_t(y) * g_patternWidth + x] = kp::PatternPixel(kind, x, y);
    WNDCLASSA wc{};
    wc.lpfnWndProc = PatternProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.hCursor = LoadCursor(NULL, IDC_ARROW);
    wc.lpszClassName = "KpPattern";
    RegisterClassA(&wc);
    // Not activated: the pattern lies under the windows a test puts up later.
    CreateWindowExA(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, "KpPattern", "pattern",
                    WS_POPUP | WS_VISIBLE, 0, 0, g_patternWidth, g_patternHeight, NULL, NULL,
                    wc.hInstance, NULL);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

LRESULT CALLBACK TestWindowProc(HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_PAINT: {
        // Many colours, offset by the window's place, so a shifted picture shows.
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(w, &ps);
        RECT r;
        GetClientRect(w, &r);
        std::vector<uint32_t> px(size_t(r.right) * r.bottom);
        for (int y = 0; y < r.bottom; ++y)
            for (int x = 0; x < r.right; ++x)
                px[size_t(y) * r.right + x] = kp::PatternPixel(1, x + 3, y + 5);
        BITMAPINFO info = kp::Info32(r.right, r.bottom);
        SetDIBitsToDevice(dc, 0, 0, r.right, r.bottom, 0, 0, 0, r.bottom, px.data(), &info,
                          DIB_RGB_COLORS);
        EndPaint(w, &ps);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
}

int ShowTestWindow(const std::string &mode, int x, int y, int width, int height)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = TestWindowProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.hCursor = LoadCursor(NULL, IDC_ARROW);
    wc.lpszClassName = "KpTestWindow";
    RegisterClassA(&wc);
    HWND w =
        CreateWindowExA(0, "KpTestWindow", "kpdriver window", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                        x, y, width, height, NULL, NULL, wc.hInstance, NULL);
    HWND edit = NULL;
    if (mode == "edit")
        edit = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "edit me", WS_CHILD | WS_VISIBLE, 20, 30,
                               180, 26, w, NULL, wc.hInstance, NULL);
    ShowWindow(w, SW_SHOW);
    SetForegroundWindow(w);
    UpdateWindow(w);
    if (edit) {
        SetFocus(edit);
        // A blinking caret would make two pictures of the same box differ.
        HideCaret(edit);
    } else if (mode == "nofocus")
        SetFocus(NULL);
    else
        SetFocus(w);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

void PrintValue(const std::string &name, const kp::RegValue &v)
{
    printf("%-20s ", name.c_str());
    if (v.type == REG_DWORD && v.data.size() == 4) {
        DWORD d;
        memcpy(&d, v.data.data(), 4);
        printf("REG_DWORD %lu\n", static_cast<unsigned long>(d));
        return;
    }
    printf("type %lu, %u bytes:", static_cast<unsigned long>(v.type),
           static_cast<unsigned>(v.data.size()));
    for (BYTE b : v.data)
        printf(b >= 32 && b < 127 ? " %c" : " \\x%02X", b);
    printf("\n");
}

HWND MessageBoxOf(DWORD pid)
{
    return kp::WaitForDialog(pid, "Kapto", 5000);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        fputs(kUsage, stderr);
        return 2;
    }
    std::string cmd = argv[1];
    auto arg = [&](int i) { return i < argc ? argv[i] : ""; };

    if (cmd == "keys" && argc == 3)
        return kp::SendKeys(argv[2]) ? 0 : 1;
    if ((cmd == "move" || cmd == "click") && argc == 4) {
        int x = atoi(argv[2]), y = atoi(argv[3]);
        cmd == "move" ? kp::MouseMove(x, y) : kp::MouseClick(x, y);
        return 0;
    }
    if (cmd == "windows" && argc == 3) {
        for (HWND w : kp::TopWindowsOf(strtoul(argv[2], nullptr, 0)))
            printf("%p %-12s %s \"%s\"\n", static_cast<void *>(w), kp::ClassOf(w).c_str(),
                   IsWindowVisible(w) ? "visible" : "hidden", kp::TextOf(w).c_str());
        return 0;
    }
    if (cmd == "msgbox" && argc >= 3) {
        HWND box = MessageBoxOf(strtoul(argv[2], nullptr, 0));
        if (!box)
            return 1;
        printf("%s\n", kp::MessageBoxText(box).c_str());
        if (strcmp(arg(3), "OK") == 0)
            kp::ClickButton(box, IDOK);
        return 0;
    }
    if (cmd == "close-main" && argc == 3) {
        HWND main = kp::WaitForMainDialog(strtoul(argv[2], nullptr, 0), 5000);
        if (!main)
            return 1;
        PostMessageA(main, WM_CLOSE, 0, 0);
        return 0;
    }
    if (cmd == "reg-dump") {
        for (const auto &v : kp::ReadKaptoValues())
            PrintValue(v.first, v.second);
        return 0;
    }
    if (cmd == "install-defaults" && argc == 3) {
        kp::WriteInstallerDefaults(argv[2]);
        return 0;
    }
    if (cmd == "clipboard") {
        kp::ClipboardDib dib;
        if (kp::ReadClipboardDib(&dib)) {
            const BITMAPINFOHEADER &h = dib.header;
            printf("DIB %ldx%ld, %u bits, compression %lu, %u colours, %u bytes of pixels\n",
                   h.biWidth, h.biHeight, h.biBitCount, static_cast<unsigned long>(h.biCompression),
                   static_cast<unsigned>(dib.colours.size()),
                   static_cast<unsigned>(dib.bits.size()));
        } else {
            printf("text: \"%s\"\n", kp::ClipboardText().c_str());
        }
        return 0;
    }
    if (cmd == "window" && argc == 7)
        return ShowTestWindow(argv[2], atoi(argv[3]), atoi(argv[4]), atoi(argv[5]), atoi(argv[6]));
    if (cmd == "pattern" && argc == 3)
        return ShowPatternWindow(atoi(argv[2]));
    fputs(kUsage, stderr);
    return 2;
}
