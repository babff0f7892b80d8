// The transparent topmost window in which the user draws a region; its previews are drawn
// straight onto the screen with inverting operations.
#pragma once

#include <windows.h>

#include "selection_points.h"

extern const char kOverlayClass[]; // "KAPTO_class"

// The selection the overlay leaves behind.
extern RECT SelectionRect;
extern POINT SelectionPoints[kSelectionCapacity];
extern int SelectionPointCount;
// TRUE when the overlay ended with a completed selection, FALSE after Escape.
extern BOOL SelectionCompleted;

LRESULT CALLBACK SelectionOverlayProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

// Preview figures: drawing one twice leaves the screen as it was.
void FrameInvert(HDC dc, const RECT &rect);
void EllipseInvert(HDC dc, const RECT &rect);
void RoundRectInvert(HDC dc, const RECT &rect);
void NormalizeRect(RECT *rect);
