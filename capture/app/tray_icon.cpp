#include "tray_icon.h"

// The icon and its menus come with the tray work; the main dialog already calls every entry
// at its place in the start-up and shutdown order.
void FillTrayMenuItems() {}

void BuildMenuImageList() {}

void AddTrayIcon(HWND) {}

void DeleteTrayIcon(HWND) {}

void MeasureMenuItem(MEASUREITEMSTRUCT *) {}

void DrawMenuItem(const DRAWITEMSTRUCT *) {}

INT_PTR OnTrayMessage(HWND mainDialog, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(mainDialog, TrayCallbackMessage, wParam, lParam);
}
