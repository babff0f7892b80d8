#pragma once

#include <windows.h>

// Size of the fixed area, set by the capture dialog, read by the fixed-area capture.
extern UINT fixedAreaWidth, fixedAreaHeight;

// The capture dialog: the user picks a shape, a fixed size and automatic paste. Returns 1
// for OK, with CaptureMode and the settings set, or 0 for Cancel.
INT_PTR RunCaptureDialog(HWND owner);
