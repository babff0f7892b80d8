// Operations of the bitmap library KpDIB.dll, imported by name, caller-cleans convention.
// A DibHandle is global memory holding a packed DIB: header, colour table, pixel rows.
#pragma once

#include <windows.h>

#ifdef KPDIB_BUILD
#define KPDIB_API extern "C"
#else
#define KPDIB_API extern "C" __declspec(dllimport)
#endif

typedef HGLOBAL DibHandle;

// The pixels now on the screen inside the rectangle, at screen depth.
KPDIB_API HBITMAP __cdecl CopyScreenToBitmap(LPRECT rect);
KPDIB_API DibHandle __cdecl CopyScreenToDIB(LPRECT rect);
// The window's client area as the screen shows it; the three numbers are reserved, 0.
KPDIB_API HBITMAP __cdecl CopyClientWindowToBitmap(HWND window, int reserved1, int reserved2,
                                                   int reserved3);
// A DIB of the bitmap's own depth.
KPDIB_API DibHandle __cdecl BitmapToDIB(HBITMAP bitmap, HPALETTE palette);
KPDIB_API HBITMAP __cdecl DIBToBitmap(DibHandle dib, HPALETTE palette);
// A DIB of 1, 4 or 8 bits per pixel, BI_RGB (0) or, for 8 bits, BI_RLE8 (1). The palette
// argument names the caller's palette; the library builds the colour table itself.
KPDIB_API DibHandle __cdecl ChangeBitmapFormat(HBITMAP bitmap, UINT bits, DWORD compression,
                                               HPALETTE palette);
// A black-and-white DIB: `style` 3 is the luminance threshold, `bits` must be 1.
KPDIB_API DibHandle __cdecl PMDibFromBitmap(HBITMAP bitmap, DWORD style, WORD bits,
                                            HPALETTE palette);
// Writes the DIB as a .bmp file; FALSE when it cannot.
KPDIB_API BOOL __cdecl SaveDIB(DibHandle dib, LPCSTR path);
