// The two menus of the notification icon and their commands.
#include "tray_menus.h"

#include <shellapi.h>

#include "about_box.h"
#include "app_state.h"
#include "close_confirmation.h"
#include "tray_icon.h"
#include "../capture/capture_dialog.h"
#include "../hotkeys/hotkey_string.h"
#include "../hotkeys/register_hotkeys.h"
#include "../output/paste_targets.h"
#include "../resources/resource.h"
#include "../settings/settings.h"

namespace {

struct MenuEntry {
    UINT position, command;
    int item; // index in TrayMenuItems
};

UINT TrackMenu(HWND mainDialog, UINT menuId, const MenuEntry *entries, int count)
{
    POINT at;
    GetCursorPos(&at);
    HMENU menu = LoadMenuA(AppInstance, MAKEINTRESOURCEA(menuId));
    HMENU popup = GetSubMenu(menu, 0);
    for (int i = 0; i < count; ++i)
        InsertOwnerDrawnItem(popup, entries[i].position, entries[i].command,
                             &TrayMenuItems[entries[i].item]);
    // Without the foreground, the menu would not close when the user clicks elsewhere.
    SetForegroundWindow(mainDialog);
    UINT command = TrackPopupMenu(popup, TPM_RETURNCMD | TPM_BOTTOMALIGN | TPM_RIGHTBUTTON, at.x,
                                  at.y, 0, mainDialog, NULL);
    DestroyMenu(menu);
    PostMessageA(mainDialog, WM_NULL, 0, 0);
    return command;
}

void StartCaptureFromDialog(HWND mainDialog)
{
    if (!RunCaptureDialog(mainDialog))
        return;
    if (Settings.AutomaticPaste) {
        // The target chooser comes with automatic paste; until then no program is found,
        // and the capture ends on the clipboard.
        MessageBoxA(mainDialog,
                    "Kapto did not found the selected program.\nThe capture will be inserted in "
                    "the clipboard.",
                    "Kapto", MB_OK);
    }
    WPARAM code =
        CaptureMode == ModeZoom || CaptureMode == ModeFixedArea ? MagnifierCode : RegionCaptureCode;
    SendMessageA(mainDialog, WM_HOTKEY, code, 0);
}

void Quit(HWND mainDialog)
{
    if (!RunCloseConfirmation(mainDialog))
        return;
    UnregisterAllHotkeys(mainDialog);
    if (Settings.freeclipboard && OpenClipboard(mainDialog)) {
        EmptyClipboard();
        CloseClipboard();
    }
    PostQuitMessage(1);
}

void RunCommand(HWND mainDialog, UINT command)
{
    switch (command) {
    case IDM_CAPTURE:
        StartCaptureFromDialog(mainDialog);
        break;
    case IDM_CLOSE:
        Quit(mainDialog);
        break;
    case IDM_SETUP:
        // The settings sheet comes with its own work.
        break;
    case IDM_HELP:
        ShellExecuteA(NULL, "open", HelpPath, NULL, NULL, SW_SHOW);
        break;
    case IDM_ABOUT:
        RunAboutBox(mainDialog);
        break;
    }
}

} // namespace

INT_PTR OnTrayMessage(HWND mainDialog, WPARAM wParam, LPARAM lParam)
{
    static const MenuEntry captureMenu[] = {{0, IDM_CAPTURE, kTrayCapture},
                                            {2, IDM_CLOSE, kTrayClose}};
    static const MenuEntry mainMenu[] = {
        {0, IDM_SETUP, kTraySetup}, {2, IDM_HELP, kTrayHelp}, {3, IDM_ABOUT, kTrayAbout}};
    switch (lParam) {
    case WM_LBUTTONDOWN:
        if (wParam == TrayIconId)
            RunCommand(mainDialog, TrackMenu(mainDialog, IDR_CAPTURE_MENU, captureMenu, 2));
        return TRUE;
    case WM_RBUTTONDOWN:
        RunCommand(mainDialog, TrackMenu(mainDialog, IDR_MAIN_MENU, mainMenu, 3));
        return TRUE;
    }
    return DefWindowProcA(mainDialog, TrayCallbackMessage, wParam, lParam);
}
