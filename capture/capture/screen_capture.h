#pragma once

#include <windows.h>

// Runs the invisible screen-capture dialog for one kind of capture (ScreenCaptureKind): it
// captures, exports and saves, then ends itself.
void RunScreenCapture(HWND mainDialog, int kind);
