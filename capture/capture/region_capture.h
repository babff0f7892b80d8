#pragma once

#include <windows.h>

// Lets the user draw the region of the current CaptureMode and returns its picture, or NULL
// when nothing was captured.
HBITMAP RunRegionCapture(HWND mainDialog);
