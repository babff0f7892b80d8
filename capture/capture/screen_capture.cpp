// The screen-capture dialog: never seen, it takes the full screen, the active window or the
// focused control while it is being initialised, exports and saves, and ends.
#include "screen_capture.h"

#include "capture_sound.h"
#include "kpdib.h"
#include "../app/app_state.h"
#include "../output/auto_save.h"
#include "../output/clipboard_export.h"
#include "../resources/resource.h"
#include "../settings/settings.h"

namespace {

HBITMAP CaptureWindow(int kind)
{
    HWND target = kind == kScreenCaptureActiveWindow ? GetForegroundWindow() : GetDesktopWindow();
    if (!Settings.snapwithcaption)
        return CopyClientWindowToBitmap(target, 0, 0, 0);
    RECT r = {0, 0, 0, 0};
    GetWindowRect(target, &r);
    if (r.left == 0 && r.top == 0 && r.right == 0 && r.bottom == 0) {
        target = GetLastActivePopup(GetDesktopWindow());
        GetWindowRect(target, &r);
    }
    return CopyScreenToBitmap(&r);
}

// The control with the keyboard focus belongs to another thread: GetFocus answers for it
// only while this thread's input is attached to that thread's.
HWND FocusedControl()
{
    HWND foreground = GetForegroundWindow();
    AttachThreadInput(GetCurrentThreadId(), GetWindowThreadProcessId(foreground, NULL), TRUE);
    HWND focus = GetFocus();
    AttachThreadInput(GetCurrentThreadId(), GetWindowThreadProcessId(foreground, NULL), FALSE);
    return focus;
}

INT_PTR OnInitDialog(HWND dialog, int kind)
{
    HBITMAP picture;
    if (kind == kScreenCaptureActiveObject) {
        HWND focus = FocusedControl();
        if (!focus) {
            MessageBoxA(dialog, "Kapto cannot find a focused window...", "Kapto",
                        MB_ICONERROR | MB_OK);
            EndDialog(dialog, 1);
            return TRUE;
        }
        picture = CopyClientWindowToBitmap(focus, 0, 0, 0);
    } else {
        picture = CaptureWindow(kind);
    }
    if (picture) {
        PlayCaptureSound();
        ExportToClipboard(dialog, picture);
        if (Settings.save)
            SaveCapture(picture);
        DeleteObject(picture);
    }
    EndDialog(dialog, 1);
    return TRUE;
}

INT_PTR CALLBACK ScreenCaptureDialogProc(HWND dialog, UINT msg, WPARAM, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, static_cast<int>(lParam));
    }
    return FALSE;
}

} // namespace

void RunScreenCapture(HWND mainDialog, int kind)
{
    DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_SCREEN_CAPTURE), mainDialog,
                    ScreenCaptureDialogProc, kind);
}
