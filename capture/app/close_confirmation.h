#pragma once

#include <windows.h>

// Asks before closing, and saves the settings as it opens, whatever the answer.
// Returns 1 for OK (close), 0 for Cancel.
INT_PTR RunCloseConfirmation(HWND owner);
