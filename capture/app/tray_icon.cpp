#include "tray_icon.h"

#include <commctrl.h>
#include <shellapi.h>
#include <string.h>

#include "app_state.h"
#include "../resources/resource.h"

TrayMenuItem TrayMenuItems[kTrayItemCount];
static HIMAGELIST MenuImageList;

void FillTrayMenuItems()
{
    static const TrayMenuItem items[kTrayItemCount] = {
        {"&Capture...", 3}, {"&Close Kapto", 0}, {"&Setup...", 6}, {"&Help", 2}, {"&About...", 2},
    };
    memcpy(TrayMenuItems, items, sizeof items);
}

// The basic record of 88 bytes, which every shell takes; the icon is always the main
// dialog's, whatever window the caller names.
static void NotifyTray(DWORD message, HICON icon, const char *tip)
{
    NOTIFYICONDATAA data;
    memset(&data, 0, sizeof data);
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = MainDialogWindow;
    data.uID = TrayIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = TrayCallbackMessage;
    data.hIcon = icon;
    if (tip)
        lstrcpynA(data.szTip, tip, 64);
    Shell_NotifyIconA(message, &data);
    // The shell keeps a copy of its own.
    if (icon)
        DestroyIcon(icon);
}

void AddTrayIcon(HWND)
{
    NotifyTray(NIM_ADD, NULL, NULL);
    char tip[64] = "";
    LoadStringA(AppInstance, IDS_TRAY_TIP, tip, sizeof tip);
    HICON icon = static_cast<HICON>(
        LoadImageA(AppInstance, MAKEINTRESOURCEA(IDI_TRAY), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
    NotifyTray(NIM_MODIFY, icon, tip);
}

void DeleteTrayIcon(HWND)
{
    NotifyTray(NIM_DELETE, NULL, NULL);
}

void BuildMenuImageList()
{
    HDC screen = GetDC(NULL);
    int depth = GetDeviceCaps(screen, PLANES) * GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(NULL, screen);
    MenuImageList = ImageList_Create(16, 16, depth > 8 ? ILC_COLOR24 | ILC_MASK : ILC_MASK, 14, 0);
    HBITMAP strip = LoadBitmapA(AppInstance, MAKEINTRESOURCEA(IDB_MENU_STRIP));
    ImageList_AddMasked(MenuImageList, strip, RGB(255, 0, 255));
    DeleteObject(strip);
}

BOOL InsertOwnerDrawnItem(HMENU menu, UINT position, UINT command, TrayMenuItem *item)
{
    MENUITEMINFOA info;
    memset(&info, 0, sizeof info);
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_TYPE | MIIM_DATA;
    info.fType = MFT_OWNERDRAW;
    info.wID = command;
    info.dwItemData = reinterpret_cast<ULONG_PTR>(item);
    return InsertMenuItemA(menu, position, TRUE, &info);
}

void MeasureMenuItem(MEASUREITEMSTRUCT *measure)
{
    const TrayMenuItem *item = reinterpret_cast<const TrayMenuItem *>(measure->itemData);
    if (measure->CtlType != ODT_MENU || !item)
        return;
    HDC dc = GetDC(NULL);
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(ANSI_VAR_FONT));
    SIZE size = {0, 0};
    GetTextExtentPoint32A(dc, item->label, lstrlenA(item->label), &size);
    SelectObject(dc, oldFont);
    ReleaseDC(NULL, dc);
    measure->itemWidth = size.cx + GetSystemMetrics(SM_CXMENUCHECK) + 8;
    measure->itemHeight = size.cy + 6;
}

void DrawMenuItem(const DRAWITEMSTRUCT *draw)
{
    const TrayMenuItem *item = reinterpret_cast<const TrayMenuItem *>(draw->itemData);
    if (draw->CtlType != ODT_MENU || !item)
        return;
    bool selected = (draw->itemState & ODS_SELECTED) != 0;
    COLORREF back = GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_MENU);
    COLORREF text = GetSysColor((draw->itemState & ODS_DISABLED) ? COLOR_GRAYTEXT
                                : selected                       ? COLOR_HIGHLIGHTTEXT
                                                                 : COLOR_MENUTEXT);
    HDC dc = draw->hDC;
    RECT r = draw->rcItem;
    HBRUSH brush = CreateSolidBrush(back);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    COLORREF oldText = SetTextColor(dc, text);
    COLORREF oldBack = SetBkColor(dc, back);
    int oldMode = SetBkMode(dc, TRANSPARENT);

    ImageList_Draw(MenuImageList, item->image, dc, r.left, r.top + 1, ILD_TRANSPARENT);
    r.left += GetSystemMetrics(SM_CXMENUCHECK) + 8;
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(ANSI_VAR_FONT));
    DrawTextA(dc, item->label, -1, &r, DT_SINGLELINE | DT_VCENTER);

    SelectObject(dc, oldFont);
    SetBkMode(dc, oldMode);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);
}
