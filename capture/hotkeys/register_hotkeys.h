#pragma once

#include <windows.h>

// Registers the ten capture hotkeys for the main dialog in table order, warning once per
// combination that cannot be had. Always returns TRUE.
BOOL RegisterAllHotkeys(HWND mainDialog);
// Releases the ten capture hotkeys; the Escape hotkey of the magnifier is left alone.
void UnregisterAllHotkeys(HWND mainDialog);
