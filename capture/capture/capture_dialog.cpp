#include "capture_dialog.h"

#include <initializer_list>

#include "size_text.h"
#include "../app/app_state.h"
#include "../app/centre_dialog.h"
#include "../resources/resource.h"
#include "../settings/settings.h"

UINT fixedAreaWidth, fixedAreaHeight;

namespace {

const int kHelpContext = 803;

bool Checked(HWND dialog, int id)
{
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

void Enable(HWND dialog, std::initializer_list<int> ids, bool on)
{
    for (int id : ids)
        EnableWindow(GetDlgItem(dialog, id), on);
}

INT_PTR OnInitDialog(HWND dialog)
{
    if (Settings.keep_size) {
        CheckDlgButton(dialog, IDC_CAPTURE_KEEP_SIZE, BST_CHECKED);
        SetDlgItemInt(dialog, IDC_CAPTURE_WIDTH, Settings.largeur, FALSE);
        SetDlgItemInt(dialog, IDC_CAPTURE_HEIGHT, Settings.hauteur, FALSE);
    } else {
        SetDlgItemInt(dialog, IDC_CAPTURE_WIDTH, 32, FALSE);
        SetDlgItemInt(dialog, IDC_CAPTURE_HEIGHT, 32, FALSE);
    }
    if (Settings.AutomaticPaste)
        CheckDlgButton(dialog, IDC_CAPTURE_PASTE, BST_CHECKED);
    CheckDlgButton(dialog, IDC_CAPTURE_RECTANGLE, BST_CHECKED);
    CheckDlgButton(dialog, IDC_CAPTURE_DYNAMIC, BST_CHECKED);
    Enable(dialog, {IDC_CAPTURE_WIDTH, IDC_CAPTURE_HEIGHT, IDC_CAPTURE_KEEP_SIZE}, false);
    CentreDialog(dialog);
    return TRUE;
}

// Reads one size box; a box that holds no valid unsigned number is reported and focused.
// GetDlgItemInt would take "64a" as 64, so the text is checked whole.
bool ReadSize(HWND dialog, int id, UINT *size, const char *message)
{
    char text[64] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    unsigned value = 0;
    bool ok = ParseSizeText(text, &value);
    *size = ok ? value : 0;
    if (ok)
        return true;
    MessageBoxA(dialog, message, "Kapto", MB_ICONERROR | MB_OK);
    SetFocus(GetDlgItem(dialog, id));
    return false;
}

INT_PTR OnOk(HWND dialog)
{
    Settings.AutomaticPaste = Checked(dialog, IDC_CAPTURE_PASTE) ? 1 : 0;
    if (Checked(dialog, IDC_CAPTURE_ZOOM)) {
        CaptureMode = ModeZoom;
    } else if (Checked(dialog, IDC_CAPTURE_ROUNDRECT)) {
        CaptureMode = ModeRoundRect;
    } else if (Checked(dialog, IDC_CAPTURE_ELLIPSE)) {
        CaptureMode = ModeEllipse;
    } else if (Checked(dialog, IDC_CAPTURE_POLYGON)) {
        CaptureMode = ModePolygon;
    } else if (Checked(dialog, IDC_CAPTURE_HANDMADE)) {
        CaptureMode = ModeHandMade;
    } else if (Checked(dialog, IDC_CAPTURE_RECTANGLE) && Checked(dialog, IDC_CAPTURE_FIXED)) {
        if (!ReadSize(dialog, IDC_CAPTURE_WIDTH, &fixedAreaWidth,
                      "The width of the region is not correct.\nCette valeur doit être "
                      "numérique et positive.") ||
            !ReadSize(dialog, IDC_CAPTURE_HEIGHT, &fixedAreaHeight,
                      "The length of the region is not correct.\nCette valeur doit être "
                      "numérique et positive."))
            return FALSE;
        CaptureMode = ModeFixedArea;
    } else if (Checked(dialog, IDC_CAPTURE_RECTANGLE)) {
        CaptureMode = ModeRectangle;
    }
    Settings.keep_size = Checked(dialog, IDC_CAPTURE_KEEP_SIZE) ? 1 : 0;
    if (Settings.keep_size) {
        Settings.largeur = fixedAreaWidth;
        Settings.hauteur = fixedAreaHeight;
    }
    EndDialog(dialog, 1);
    return TRUE;
}

INT_PTR OnCommand(HWND dialog, int id)
{
    switch (id) {
    case IDC_CAPTURE_RECTANGLE:
        Enable(dialog, {IDC_CAPTURE_DYNAMIC, IDC_CAPTURE_FIXED},
               Checked(dialog, IDC_CAPTURE_RECTANGLE));
        Enable(dialog, {IDC_CAPTURE_KEEP_SIZE}, false);
        return FALSE;
    case IDC_CAPTURE_ROUNDRECT:
    case IDC_CAPTURE_POLYGON:
    case IDC_CAPTURE_ELLIPSE:
    case IDC_CAPTURE_HANDMADE:
    case IDC_CAPTURE_ZOOM:
        if (Checked(dialog, IDC_CAPTURE_ROUNDRECT) || Checked(dialog, IDC_CAPTURE_POLYGON) ||
            Checked(dialog, IDC_CAPTURE_ELLIPSE) || Checked(dialog, IDC_CAPTURE_HANDMADE) ||
            Checked(dialog, IDC_CAPTURE_ZOOM))
            Enable(dialog,
                   {IDC_CAPTURE_DYNAMIC, IDC_CAPTURE_FIXED, IDC_CAPTURE_WIDTH, IDC_CAPTURE_HEIGHT,
                    IDC_CAPTURE_KEEP_SIZE},
                   false);
        return FALSE;
    case IDC_CAPTURE_DYNAMIC:
        Enable(dialog, {IDC_CAPTURE_WIDTH, IDC_CAPTURE_HEIGHT, IDC_CAPTURE_KEEP_SIZE},
               !Checked(dialog, IDC_CAPTURE_DYNAMIC));
        return FALSE;
    case IDC_CAPTURE_FIXED: {
        bool fixed = Checked(dialog, IDC_CAPTURE_FIXED);
        Enable(dialog, {IDC_CAPTURE_WIDTH, IDC_CAPTURE_HEIGHT, IDC_CAPTURE_KEEP_SIZE}, fixed);
        if (fixed) {
            SendDlgItemMessageA(dialog, IDC_CAPTURE_WIDTH, EM_SETSEL, 0, -1);
            SetFocus(GetDlgItem(dialog, IDC_CAPTURE_WIDTH));
        }
        return FALSE;
    }
    case IDC_CAPTURE_HELP:
        WinHelpA(dialog, HelpPath, HELP_CONTEXT, kHelpContext);
        return FALSE;
    case IDCANCEL:
        EndDialog(dialog, 0);
        return TRUE;
    case IDOK:
        return OnOk(dialog);
    }
    return FALSE;
}

INT_PTR CALLBACK CaptureDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog);
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam));
    }
    return FALSE;
}

} // namespace

INT_PTR RunCaptureDialog(HWND owner)
{
    return DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_CAPTURE), owner, CaptureDialogProc, 0);
}
