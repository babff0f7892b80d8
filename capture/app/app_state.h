// Process-wide state of the application shell.
#pragma once

#include <windows.h>

// Kind of the capture being started; keeps its last value between captures.
enum CaptureModes {
    ModeEllipse = 1,
    ModeRectangle = 2,
    ModeRoundRect = 3,
    ModePolygon = 4,
    ModeHandMade = 5,
    ModeFixedArea = 6,
    ModeFullScreen = 7,
    ModeActiveWindow = 8,
    ModeActiveObject = 9,
    ModeZoom = 11,
};

// Parameters of the screen-capture dialog.
enum ScreenCaptureKind {
    kScreenCaptureActiveWindow = 1,
    kScreenCaptureFullScreen = 2,
    kScreenCaptureActiveObject = 3,
};

extern HINSTANCE AppInstance;
extern HWND MainDialogWindow;
extern LONG CaptureMode;
extern LONG MagnifierOpen;
extern HWND MagnifierWindow;

INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
