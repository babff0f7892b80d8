// The splash: shown for one second at every start, before anything else is loaded.
#include "splash.h"

#include <windows.h>

#include "app_state.h"
#include "centre_dialog.h"
#include "../resources/resource.h"

namespace {

INT_PTR CALLBACK SplashProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG:
        CentreDialog(dialog);
        UpdateWindow(dialog);
        ShowWindow(dialog, SW_SHOW);
        // Painted at once: the wait below blocks the thread.
        UpdateWindow(dialog);
        Sleep(1000);
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, 1);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

} // namespace

void ShowSplash()
{
    DialogBoxParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDD_SPLASH), NULL, SplashProc, 0);
}
