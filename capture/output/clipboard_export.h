#pragma once

#include <windows.h>

// Puts the picture on the clipboard in the depth and format the settings name. The picture
// stays the caller's. Always returns 0.
int ExportToClipboard(HWND owner, HBITMAP picture);
