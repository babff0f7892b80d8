#pragma once

#include <windows.h>

// The icon's mouse messages: left button the capture menu, right button the main menu.
// Returns what the main dialog procedure answers.
INT_PTR OnTrayMessage(HWND mainDialog, WPARAM wParam, LPARAM lParam);
