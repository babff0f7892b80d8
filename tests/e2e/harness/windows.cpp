#include "harness.h"

#include <shellapi.h>
#include <tlhelp32.h>
#include <string.h>

namespace kp {

std::vector<HWND> TopWindowsOf(DWORD pid)
{
    struct Ctx {
        DWORD pid;
        std::vector<HWND> found;
    } ctx{pid, {}};
    EnumWindows(
        [](HWND w, LPARAM l) -> BOOL {
            auto *c = reinterpret_cast<Ctx *>(l);
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner == c->pid)
                c->found.push_back(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&ctx));
    return ctx.found;
}

std::string ClassOf(HWND w)
{
    char name[256] = "";
    GetClassNameA(w, name, sizeof name);
    return name;
}

std::string TextOf(HWND w)
{
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(w, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length))
        return "";
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(w, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]),
                        SMTO_ABORTIFHUNG, 2000, &copied);
    text.resize(copied);
    return text;
}

std::string StoredTextOf(HWND w)
{
    WCHAR text[512] = L"";
    int n = InternalGetWindowText(w, text, 512);
    char out[1024] = "";
    WideCharToMultiByte(CP_ACP, 0, text, n, out, sizeof out - 1, NULL, NULL);
    return out;
}

HWND WaitForDialog(DWORD pid, const char *caption, DWORD ms)
{
    HWND found = NULL;
    WaitFor(
        [&] {
            for (HWND w : TopWindowsOf(pid))
                if (ClassOf(w) == "#32770" && IsWindowVisible(w) && TextOf(w) == caption) {
                    found = w;
                    return true;
                }
            return false;
        },
        ms);
    return found;
}

HWND WaitForWindowOfClass(DWORD pid, const char *className, DWORD ms)
{
    HWND found = NULL;
    WaitFor(
        [&] {
            for (HWND w : TopWindowsOf(pid))
                if (ClassOf(w) == className && IsWindowVisible(w)) {
                    found = w;
                    return true;
                }
            return false;
        },
        ms);
    return found;
}

HWND WaitForMenu(DWORD pid, DWORD ms)
{
    return WaitForWindowOfClass(pid, "#32768", ms);
}

HWND OpenTrayMenu(HWND main, DWORD pid, LPARAM button, WPARAM id, DWORD ms)
{
    const UINT kTrayMessage = 32868;
    MouseMove(900, 700);
    PumpFor(50);
    PostMessageA(main, kTrayMessage, id, button);
    HWND menu = WaitForMenu(pid, ms);
    // The menu opens at the mouse: left there, the mouse could pick an entry of its own.
    if (menu) {
        MouseMove(20, 20);
        PumpFor(100);
    }
    return menu;
}

HWND WaitForMainDialog(DWORD pid, DWORD ms)
{
    HWND found = NULL;
    WaitFor(
        [&] {
            for (HWND w : TopWindowsOf(pid)) {
                HWND hide = GetDlgItem(w, 3), close = GetDlgItem(w, IDCANCEL);
                if (ClassOf(w) == "#32770" && hide && close && !IsWindowVisible(hide) &&
                    !IsWindowVisible(close)) {
                    found = w;
                    return true;
                }
            }
            return false;
        },
        ms);
    return found;
}

std::string MessageBoxText(HWND box)
{
    struct Ctx {
        std::string text;
    } ctx;
    EnumChildWindows(
        box,
        [](HWND w, LPARAM l) -> BOOL {
            auto *c = reinterpret_cast<Ctx *>(l);
            // The icon is a static too, without text.
            if (ClassOf(w) == "Static") {
                std::string t = TextOf(w);
                if (!t.empty())
                    c->text += (c->text.empty() ? "" : "\n") + t;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&ctx));
    return ctx.text;
}

void ClickButton(HWND dialog, int id)
{
    HWND button = GetDlgItem(dialog, id);
    if (button)
        PostMessageA(button, BM_CLICK, 0, 0);
    else
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

bool TrayIconExists(HWND window, UINT id)
{
    // Modifying nothing of an icon succeeds only when the shell has it.
    NOTIFYICONDATAA data;
    memset(&data, 0, sizeof data);
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = window;
    data.uID = id;
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

std::vector<DWORD> ProcessesNamed(const char *exe)
{
    std::vector<DWORD> found;
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry;
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snap, &entry); more; more = Process32Next(snap, &entry))
        if (_stricmp(entry.szExeFile, exe) == 0)
            found.push_back(entry.th32ProcessID);
    CloseHandle(snap);
    return found;
}

} // namespace kp
