#include "clipboard_export.h"

#include "../capture/kpdib.h"
#include "../settings/settings.h"

namespace {

enum { kClipboardBitmap = 0, kClipboardDib = 1 };
enum { kTwoColours = 0, kSixteenColours = 1, k256Colours = 2, kTrueColour = 3 };

// Another program may hold the clipboard open for a moment, as is ordinary on Windows: try
// again for about half a second in all, never longer.
BOOL OpenClipboardRetry(HWND owner)
{
    for (int attempt = 0; attempt < 25; ++attempt) {
        if (OpenClipboard(owner))
            return TRUE;
        Sleep(20);
    }
    return FALSE;
}

// The picture as captured, in a bitmap of its own, so the capture keeps its bitmap.
HBITMAP CopyBitmap(HBITMAP picture)
{
    BITMAP bm;
    if (!GetObject(picture, sizeof bm, &bm))
        return NULL;
    HDC screen = GetDC(NULL);
    HDC from = CreateCompatibleDC(screen), to = CreateCompatibleDC(screen);
    HBITMAP copy = CreateCompatibleBitmap(screen, bm.bmWidth, bm.bmHeight);
    if (copy) {
        HGDIOBJ oldFrom = SelectObject(from, picture), oldTo = SelectObject(to, copy);
        BitBlt(to, 0, 0, bm.bmWidth, bm.bmHeight, from, 0, 0, SRCCOPY);
        SelectObject(from, oldFrom);
        SelectObject(to, oldTo);
    }
    DeleteDC(from);
    DeleteDC(to);
    ReleaseDC(NULL, screen);
    return copy;
}

DibHandle ReducedDib(HBITMAP picture, uint32_t colours)
{
    HPALETTE palette = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    switch (colours) {
    case kTwoColours:
        return PMDibFromBitmap(picture, 3, 1, NULL);
    case kSixteenColours:
        return ChangeBitmapFormat(picture, 4, BI_RGB, palette);
    default:
        return ChangeBitmapFormat(picture, 8, BI_RLE8, palette);
    }
}

} // namespace

int ExportToClipboard(HWND owner, HBITMAP picture)
{
    uint32_t type = Settings.typeExport, colours = Settings.couleursExport;
    if (type != kClipboardBitmap && type != kClipboardDib)
        return 0;
    if (colours > kTrueColour)
        return 0;

    HANDLE data;
    if (colours == kTrueColour) {
        data = type == kClipboardDib ? static_cast<HANDLE>(BitmapToDIB(picture, NULL))
                                     : static_cast<HANDLE>(CopyBitmap(picture));
    } else {
        DibHandle dib = ReducedDib(picture, colours);
        if (type == kClipboardDib) {
            data = dib;
        } else {
            data = dib ? DIBToBitmap(dib, NULL) : NULL;
            if (dib)
                GlobalFree(dib);
        }
    }
    // A failed conversion leaves the clipboard as it was rather than emptying it.
    if (!data)
        return 0;

    UINT format = type == kClipboardDib ? CF_DIB : CF_BITMAP;
    BOOL handedOver = FALSE;
    if (OpenClipboardRetry(owner)) {
        EmptyClipboard();
        handedOver = SetClipboardData(format, data) != NULL;
        CloseClipboard();
    }
    if (!handedOver) {
        if (format == CF_DIB)
            GlobalFree(data);
        else
            DeleteObject(data);
    }
    return 0;
}
