// Notification-area icon and the owner-drawn items of its menus.
#pragma once

#include <windows.h>

enum { TrayCallbackMessage = 32868 };

void FillTrayMenuItems();
void BuildMenuImageList();
void AddTrayIcon(HWND mainDialog);
void DeleteTrayIcon(HWND mainDialog);
void MeasureMenuItem(MEASUREITEMSTRUCT *item);
void DrawMenuItem(const DRAWITEMSTRUCT *item);
// Mouse messages of the icon; returns what the dialog procedure answers.
INT_PTR OnTrayMessage(HWND mainDialog, WPARAM wParam, LPARAM lParam);
