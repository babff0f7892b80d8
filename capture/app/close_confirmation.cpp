#include "close_confirmation.h"

#include "app_state.h"
#include "centre_dialog.h"
#include "../resources/resource.h"
#include "../settings/settings_store.h"

namespace {

INT_PTR CALLBACK CloseProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG:
        SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        OpenSettings(&Settings, kSettingsSave);
        CentreDialog(dialog);
        // Neither button is the default: Enter must choose "&Cancel", which has the focus,
        // and not the dialog manager's fallback, OK.
        SendMessageA(dialog, DM_SETDEFID, IDCANCEL, 0);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam) == IDOK ? 1 : 0);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

} // namespace

INT_PTR RunCloseConfirmation(HWND owner)
{
    return DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_CLOSE), owner, CloseProc, 0);
}
