// Notification-area icon and the owner-drawn items of its menus.
#pragma once

#include <windows.h>

enum {
    TrayIconId = 1020,
    TrayCallbackMessage = 32868, // WM_APP + 100
};

// The record behind one owner-drawn menu entry; its address is the entry's item data.
struct TrayMenuItem {
    char label[40];
    int image; // index in MenuImageList
};

enum { kTrayCapture, kTrayClose, kTraySetup, kTrayHelp, kTrayAbout, kTrayItemCount };
extern TrayMenuItem TrayMenuItems[kTrayItemCount];

void FillTrayMenuItems();
void BuildMenuImageList();
void AddTrayIcon(HWND window);
void DeleteTrayIcon(HWND window);
BOOL InsertOwnerDrawnItem(HMENU menu, UINT position, UINT command, TrayMenuItem *item);
void MeasureMenuItem(MEASUREITEMSTRUCT *item);
void DrawMenuItem(const DRAWITEMSTRUCT *item);
