// End-to-end test harness: drives Kapto under Wine the way a user and other programs would,
// with real processes, windows, input, registry and clipboard.
#pragma once

#include <windows.h>

#include <stdint.h>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace kp {

struct Picture {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels; // 0x00RRGGBB, top row first
    uint32_t at(int x, int y) const
    {
        return pixels[size_t(y) * width + x];
    }
};

// ---- Processes -------------------------------------------------------------------------

struct Process {
    DWORD pid = 0;
    HANDLE handle = NULL;
};

// Folder of the built programs (KAPTO_BIN_DIR, a Unix or Windows path).
std::string BinDir();
// Folder of the test programs (this executable's own).
std::string TestDir();

// Starts a program; every started process is ended by its id by EndAllStarted.
Process Start(const std::string &exe, const std::string &args = "");
Process StartKapto();
// Starts the driver program with arguments.
Process StartDriver(const std::string &args);
// Waits for the process to end; returns false on timeout.
bool WaitExit(const Process &p, DWORD ms, DWORD *exitCode = nullptr);
bool Running(const Process &p);
// Ends every process started since the last call, by id. Called after every test, also on
// failure, and from the crash handler.
void EndAllStarted();

// ---- Waiting -------------------------------------------------------------------------

// Pumps this thread's messages while waiting for cond; returns false on timeout.
bool WaitFor(const std::function<bool()> &cond, DWORD ms);
void PumpFor(DWORD ms);

// ---- Windows -------------------------------------------------------------------------

std::vector<HWND> TopWindowsOf(DWORD pid);
std::string ClassOf(HWND w);
std::string TextOf(HWND w); // WM_GETTEXT, works across processes
// The text the system keeps for the window, read without a message: works while the
// window's thread is busy.
std::string StoredTextOf(HWND w);
// A top-level dialog (#32770) of the process with this caption, visible; NULL on timeout.
HWND WaitForDialog(DWORD pid, const char *caption, DWORD ms);
// A visible top-level window of the process with this class; NULL on timeout.
HWND WaitForWindowOfClass(DWORD pid, const char *className, DWORD ms);
// A visible menu (class #32768) shown by the process; NULL on timeout.
HWND WaitForMenu(DWORD pid, DWORD ms);
// Sends Kapto's main dialog the icon message for `button` as the shell would, with the
// mouse at the lower right of the screen, and waits for the menu; the mouse then moves off
// it, so that only the keyboard chooses. NULL when no menu opened.
HWND OpenTrayMenu(HWND main, DWORD pid, LPARAM button, WPARAM id = 1020, DWORD ms = 5000);
// Kapto's hidden main dialog (the dialog holding the invisible buttons 2 and 3).
HWND WaitForMainDialog(DWORD pid, DWORD ms);
// The text of a message box: its static text controls, joined.
std::string MessageBoxText(HWND box);
// Presses a dialog button (BM_CLICK posted, so a modal loop in the target may start).
void ClickButton(HWND dialog, int id);

// ---- Input (SendInput) ---------------------------------------------------------------

// "Ctrl+Alt+R", "Alt+PrtScr", "Shift+F12", "Escape": presses the keys in order and
// releases them in reverse. Returns false for a name it does not know.
bool SendKeys(const std::string &combo);
void MouseMove(int x, int y);
void MouseClick(int x, int y);
void MouseDown(int x, int y);
void MouseUp(int x, int y);
// Presses the left button at (x0, y0), moves in `steps` even steps to (x1, y1), releases.
void MouseDrag(int x0, int y0, int x1, int y1, int steps = 12);
void KeyDown(WORD vk);
void KeyUp(WORD vk);
// Turns a combination text into virtual keys; false for an unknown name.
bool ParseKeys(const std::string &combo, std::vector<WORD> *keys);

// ---- Registry ------------------------------------------------------------------------

struct RegValue {
    DWORD type = 0;
    std::vector<BYTE> data;
    bool operator==(const RegValue &o) const
    {
        return type == o.type && data == o.data;
    }
};
using RegValues = std::map<std::string, RegValue>;

extern const char kKaptoKey[]; // Software\Kapto under HKEY_CURRENT_USER

void DeleteKaptoKey();
// Every value of Software\Kapto, by name.
RegValues ReadKaptoValues();
void SetKaptoValue(const std::string &name, DWORD type, const void *data, DWORD size);
void SetKaptoDword(const std::string &name, DWORD value);
// A text stored as the program stores it: its characters without the terminating zero.
void SetKaptoText(const std::string &name, const std::string &text);
// The settings a fresh installation writes, in its order and byte forms.
void WriteInstallerDefaults(const std::string &installPath);
RegValue Dword(DWORD v);
RegValue Text(const std::string &s, size_t padTo = 0);

// ---- Shell -------------------------------------------------------------------------

// True when the notification area holds the icon `id` of `window` (asked of the shell).
bool TrayIconExists(HWND window, UINT id);
// Ids of running processes whose executable has this name (case-insensitive).
std::vector<DWORD> ProcessesNamed(const char *exe);

// ---- Hotkeys -------------------------------------------------------------------------

// True when this process can register the combination (it is released again at once).
bool CanRegisterHotkey(UINT modifiers, UINT vk);

// ---- Clipboard -----------------------------------------------------------------------

// Opens the clipboard, retrying for a while since another process may hold it open.
bool OpenClipboardRetry(HWND owner, DWORD ms = 1000);
void SetClipboardText(const std::string &text);
// The clipboard text, or "" when there is none.
std::string ClipboardText();

struct ClipboardDib {
    BITMAPINFOHEADER header{};
    std::vector<RGBQUAD> colours;
    std::vector<BYTE> bits; // as stored, compressed or not
};
// Changes whenever the clipboard's content does.
DWORD ClipboardSequence();
// The first format on the clipboard (the one put there first), or 0 when it is empty.
UINT FirstClipboardFormat();
// CF_BITMAP as the clipboard holds it, read through GetDIBits.
bool ReadClipboardBitmap(Picture *picture);

// CF_DIB as the clipboard holds it (synthesised from CF_BITMAP by the system if need be).
bool ReadClipboardDib(ClipboardDib *dib);
// Decodes any DIB through GDI onto a 32-bit DIB section.
bool DecodeDib(const ClipboardDib &dib, Picture *picture);
// Waits until the clipboard has changed since sequence number `before`, then reads its
// picture (as CF_DIB); false when nothing came or it holds no picture.
bool WaitForClipboardPicture(DWORD before, Picture *picture, DWORD ms = 10000);

// ---- Screen ------------------------------------------------------------------------

// A 32-bit top-down BITMAPINFO of that size, as every picture here is held.
BITMAPINFO Info32(int width, int height);
// Pixels of the screen now, through BitBlt from the screen DC.
Picture GrabScreen(const RECT &r);
// Shows a window of another program ("kpdriver window MODE") at the given place and waits
// until it is the foreground window. MODE: plain, edit (its edit box has the focus), nofocus.
HWND ShowTestWindow(const char *mode, int x, int y, int width, int height);
// Known patterns for pixel-exact checks: the colour of pattern `kind` at (x, y).
uint32_t PatternPixel(int kind, int x, int y);
// Shows pattern `kind` full-screen, topmost, in a driver process; waits until it is drawn.
Process ShowPattern(int kind);
// Writes the picture as a 32-bit BMP file.
bool SavePicture(const std::string &path, const Picture &picture);
// The picture of a window as the screen shows it.
Picture GrabWindow(HWND window);
// Index of the first differing pixel, or -1; writes a description of it.
long FirstDifference(const Picture &a, const Picture &b, std::string *what);

} // namespace kp
