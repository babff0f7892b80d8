#include "about_box.h"

#include "app_state.h"
#include "centre_dialog.h"
#include "system_line.h"
#include "../resources/resource.h"

namespace {

INT_PTR CALLBACK AboutProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG: {
        OSVERSIONINFOA version = {};
        version.dwOSVersionInfoSize = sizeof version;
        GetVersionExA(&version);
        char line[256];
        FormatSystemLine(version.dwMajorVersion, version.dwMinorVersion, version.dwBuildNumber,
                         version.szCSDVersion, line, sizeof line);
        SetDlgItemTextA(dialog, IDC_ABOUT_SYSTEM, line);
        CentreDialog(dialog);
        return TRUE;
    }
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

void RunAboutBox(HWND owner)
{
    DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_ABOUT), owner, AboutProc, 0);
}
