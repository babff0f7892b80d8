// The hidden main dialog: it receives every hotkey, owns the icon and starts the captures.
#include <windows.h>

#include "app_state.h"
#include "tray_icon.h"
#include "tray_menus.h"
#include "../capture/capture_dialog.h"
#include "../capture/capture_sound.h"
#include "../capture/magnifier.h"
#include "../capture/region_capture.h"
#include "../capture/screen_capture.h"
#include "../hotkeys/hotkey_string.h"
#include "../hotkeys/register_hotkeys.h"
#include "../output/auto_save.h"
#include "../output/clipboard_export.h"
#include "../output/paste_targets.h"
#include "../resources/resource.h"
#include "../settings/settings.h"

HWND MainDialogWindow;
LONG CaptureMode;
LONG MagnifierOpen;
HWND MagnifierWindow;

enum { kStartupTimer = 32869 };

// Set while a capture runs a loop of its own (the overlay, or a message box). Hotkeys and
// icon clicks that arrive meanwhile are dropped: the user is busy drawing, and a second
// capture started inside the first would share its selection and its screen.
static bool CaptureInProgress;

// Export, then paste, then save: every later step reads the picture the capture kept.
static void FinishCapture(HWND dialog, HBITMAP picture, bool fromMagnifier)
{
    if (picture == NULL)
        return;
    PlayCaptureSound();
    ExportToClipboard(dialog, picture);
    if (Settings.AutomaticPaste)
        PasteIntoTarget(dialog, picture, fromMagnifier);
    if (Settings.save)
        SaveCapture(picture);
    DeleteObject(picture);
}

static void CancelMagnifier(HWND dialog)
{
    UnregisterHotKey(dialog, EscapeHotkey);
    CloseMagnifier(MagnifierWindow);
    MagnifierOpen = 0;
}

static void ToggleMagnifier(HWND dialog)
{
    if (!MagnifierOpen) {
        RegisterHotKey(dialog, EscapeHotkey, 0, VK_ESCAPE);
        MagnifierOpen = 1;
        MagnifierWindow = OpenMagnifier(dialog);
        // Without a magnifier on the screen, Escape must go back to the other programs.
        if (MagnifierWindow == NULL)
            CancelMagnifier(dialog);
        return;
    }
    UnregisterHotKey(dialog, EscapeHotkey);
    HBITMAP picture = CaptureMagnifier(MagnifierWindow);
    CloseMagnifier(MagnifierWindow);
    MagnifierOpen = 0;
    FinishCapture(dialog, picture, true);
}

static void StartCapture(HWND dialog, LONG mode, WPARAM code)
{
    CaptureMode = mode;
    SendMessageA(dialog, WM_HOTKEY, code, 0);
}

static void RunExclusive(void (*capture)(HWND, int), HWND dialog, int kind)
{
    CaptureInProgress = true;
    capture(dialog, kind);
    CaptureInProgress = false;
}

static void RegionCapture(HWND dialog, int)
{
    FinishCapture(dialog, RunRegionCapture(dialog), false);
}

// Before the capture dialog has been used in this run, the fixed area is the size it would
// offer: the kept size, or 32 by 32.
static void UseKnownFixedArea()
{
    if (fixedAreaWidth || fixedAreaHeight)
        return;
    fixedAreaWidth = Settings.keep_size ? Settings.largeur : 32;
    fixedAreaHeight = Settings.keep_size ? Settings.hauteur : 32;
}

static void OnHotkey(HWND dialog, WPARAM id)
{
    if (CaptureInProgress)
        return;
    switch (id) {
    case kHotkeyEllipse:
        StartCapture(dialog, ModeEllipse, RegionCaptureCode);
        break;
    case kHotkeyRectangle:
        StartCapture(dialog, ModeRectangle, RegionCaptureCode);
        break;
    case kHotkeyRoundRect:
        StartCapture(dialog, ModeRoundRect, RegionCaptureCode);
        break;
    case kHotkeyPolygon:
        StartCapture(dialog, ModePolygon, RegionCaptureCode);
        break;
    case kHotkeyHandMade:
        StartCapture(dialog, ModeHandMade, RegionCaptureCode);
        break;
    case kHotkeyFixedArea:
        // A key labelled "Fixed area" starts the fixed-area capture, as the zoom key starts
        // the magnifier: same toggle, with the size last chosen in the capture dialog.
        UseKnownFixedArea();
        StartCapture(dialog, ModeFixedArea, MagnifierCode);
        break;
    case kHotkeyFullScreen:
        CaptureMode = ModeFullScreen;
        RunExclusive(RunScreenCapture, dialog, kScreenCaptureFullScreen);
        break;
    case kHotkeyActiveWindow:
        CaptureMode = ModeActiveWindow;
        RunExclusive(RunScreenCapture, dialog, kScreenCaptureActiveWindow);
        break;
    case kHotkeyActiveObject:
        CaptureMode = ModeActiveObject;
        RunExclusive(RunScreenCapture, dialog, kScreenCaptureActiveObject);
        break;
    case kHotkeyZoom:
        StartCapture(dialog, ModeZoom, MagnifierCode);
        break;
    case EscapeHotkey:
        SendMessageA(dialog, WM_HOTKEY, MagnifierCancelCode, 0);
        break;
    case RegionCaptureCode:
        RunExclusive(RegionCapture, dialog, 0);
        break;
    case MagnifierCode:
        ToggleMagnifier(dialog);
        break;
    case MagnifierCancelCode:
        if (MagnifierOpen)
            CancelMagnifier(dialog);
        break;
    }
    SetWindowPos(dialog, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSENDCHANGING);
    ShowWindow(dialog, SW_HIDE);
}

static INT_PTR OnCommand(HWND dialog, WORD id)
{
    switch (id) {
    case IDCANCEL:
        EndDialog(dialog, 1);
        break;
    case IDC_MAIN_HIDE:
        ShowWindow(dialog, SW_HIDE);
        break;
    case kMagnifierClosedCommand:
        CancelMagnifier(dialog);
        MagnifierWindow = NULL;
        break;
    }
    return TRUE;
}

static INT_PTR OnInitDialog(HWND dialog)
{
    MainDialogWindow = dialog;
    MagnifierOpen = 0;
    FillTrayMenuItems();
    BuildMenuImageList();
    ShowWindow(dialog, SW_HIDE);
    SetTimer(dialog, kStartupTimer, 100, NULL);
    return TRUE;
}

static INT_PTR OnTimer(HWND dialog, WPARAM id)
{
    if (id != kStartupTimer)
        return TRUE;
    KillTimer(dialog, kStartupTimer);
    AddTrayIcon(dialog);
    RegisterAllHotkeys(dialog);
    SendMessageA(dialog, WM_COMMAND, IDC_MAIN_HIDE, 0);
    return FALSE;
}

INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog);
    case WM_TIMER:
        return OnTimer(dialog, wParam);
    case WM_MEASUREITEM:
        MeasureMenuItem(reinterpret_cast<MEASUREITEMSTRUCT *>(lParam));
        return TRUE;
    case WM_DRAWITEM:
        DrawMenuItem(reinterpret_cast<const DRAWITEMSTRUCT *>(lParam));
        return TRUE;
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam));
    case WM_HOTKEY:
        OnHotkey(dialog, wParam);
        return TRUE;
    case TrayCallbackMessage:
        if (CaptureInProgress)
            return TRUE;
        return OnTrayMessage(dialog, wParam, lParam);
    case WM_WINDOWPOSCHANGING:
        // The dialog manager shows a modal dialog when its queue first goes idle; this one
        // must never appear, not even for the moment before its timer hides it again.
        reinterpret_cast<WINDOWPOS *>(lParam)->flags &= ~SWP_SHOWWINDOW;
        return FALSE;
    case WM_DESTROY:
        DeleteTrayIcon(dialog);
        return FALSE;
    }
    return FALSE;
}
