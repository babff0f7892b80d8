#pragma once

#include <windows.h>

// Command the magnifier library sends the main dialog when its window closes.
enum { kMagnifierClosedCommand = 402 };

// Opens the floating magnifier (or the fixed area in ModeFixedArea); NULL when it cannot.
HWND OpenMagnifier(HWND mainDialog);
// Takes the picture of what the open magnifier covers.
HBITMAP CaptureMagnifier(HWND magnifier);
void CloseMagnifier(HWND magnifier);
