// KpDIB: screen grabbing and conversions between GDI bitmaps and packed DIBs.
#define KPDIB_BUILD
#include "capture/kpdib.h"

#include <string.h>

#include <vector>

#include "kernels/kernels.h"

namespace {

// Bytes of the colour table of a packed DIB.
size_t ColourTableSize(const BITMAPINFOHEADER &h)
{
    if (h.biCompression == BI_BITFIELDS)
        return 3 * sizeof(DWORD);
    DWORD colours = h.biClrUsed;
    if (colours == 0 && h.biBitCount <= 8)
        colours = 1u << h.biBitCount;
    return colours * sizeof(RGBQUAD);
}

// Bytes of the whole packed DIB. GlobalSize may round up, so it is computed from the header.
size_t PackedSize(const BITMAPINFOHEADER &h)
{
    size_t bits = h.biSizeImage;
    if (bits == 0 || h.biCompression == BI_RGB)
        bits = kpdib::DibStride(h.biWidth, h.biBitCount) *
               size_t(h.biHeight < 0 ? -h.biHeight : h.biHeight);
    return h.biSize + ColourTableSize(h) + bits;
}

DibHandle AllocDib(const BITMAPINFOHEADER &header, const void *colours, size_t colourBytes,
                   const void *bits, size_t bitBytes)
{
    HGLOBAL dib = GlobalAlloc(GMEM_MOVEABLE, sizeof header + colourBytes + bitBytes);
    BYTE *p = dib ? static_cast<BYTE *>(GlobalLock(dib)) : nullptr;
    if (!p) {
        if (dib)
            GlobalFree(dib);
        return NULL;
    }
    memcpy(p, &header, sizeof header);
    if (colourBytes)
        memcpy(p + sizeof header, colours, colourBytes);
    if (bitBytes)
        memcpy(p + sizeof header + colourBytes, bits, bitBytes);
    GlobalUnlock(dib);
    return dib;
}

BITMAPINFOHEADER Header(int width, int height, int bits, DWORD compression)
{
    BITMAPINFOHEADER h{};
    h.biSize = sizeof h;
    h.biWidth = width;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = static_cast<WORD>(bits);
    h.biCompression = compression;
    return h;
}

// The bitmap's pixels as 32-bit rows, bottom-up as a DIB stores them.
bool ReadPixels(HBITMAP bitmap, std::vector<uint32_t> *pixels, int *width, int *height)
{
    BITMAP bm;
    if (!bitmap || !GetObject(bitmap, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return false;
    BITMAPINFO info{};
    info.bmiHeader = Header(bm.bmWidth, bm.bmHeight, 32, BI_RGB);
    pixels->resize(size_t(bm.bmWidth) * bm.bmHeight);
    HDC dc = GetDC(NULL);
    int lines = GetDIBits(dc, bitmap, 0, bm.bmHeight, pixels->data(), &info, DIB_RGB_COLORS);
    ReleaseDC(NULL, dc);
    *width = bm.bmWidth;
    *height = bm.bmHeight;
    return lines == bm.bmHeight;
}

DibHandle IndexedDib(const kpdib::Indexed &indexed, int bits, bool rle)
{
    BITMAPINFOHEADER h = Header(indexed.width, indexed.height, bits, rle ? BI_RLE8 : BI_RGB);
    h.biClrUsed = static_cast<DWORD>(indexed.colours);
    h.biClrImportant = h.biClrUsed;
    std::vector<uint8_t> data;
    if (rle) {
        kpdib::EncodeRle8(indexed.indices.data(), indexed.width, indexed.height, &data);
    } else {
        data.resize(kpdib::DibStride(indexed.width, bits) * indexed.height);
        kpdib::PackIndices(indexed, bits, data.data());
    }
    h.biSizeImage = static_cast<DWORD>(data.size());
    return AllocDib(h, indexed.palette, indexed.colours * sizeof(RGBQUAD), data.data(),
                    data.size());
}

} // namespace

KPDIB_API HBITMAP __cdecl CopyScreenToBitmap(LPRECT rect)
{
    if (!rect)
        return NULL;
    int width = rect->right - rect->left, height = rect->bottom - rect->top;
    if (width <= 0 || height <= 0)
        return NULL;
    HDC screen = GetDC(NULL);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    if (bitmap) {
        HGDIOBJ old = SelectObject(dc, bitmap);
        // CAPTUREBLT brings layered windows in, as the user sees them.
        BitBlt(dc, 0, 0, width, height, screen, rect->left, rect->top, SRCCOPY | CAPTUREBLT);
        SelectObject(dc, old);
    }
    DeleteDC(dc);
    ReleaseDC(NULL, screen);
    return bitmap;
}

KPDIB_API DibHandle __cdecl CopyScreenToDIB(LPRECT rect)
{
    HBITMAP bitmap = CopyScreenToBitmap(rect);
    DibHandle dib = BitmapToDIB(bitmap, NULL);
    if (bitmap)
        DeleteObject(bitmap);
    return dib;
}

KPDIB_API HBITMAP __cdecl CopyClientWindowToBitmap(HWND window, int, int, int)
{
    RECT r;
    if (!IsWindow(window) || !GetClientRect(window, &r))
        return NULL;
    MapWindowPoints(window, NULL, reinterpret_cast<POINT *>(&r), 2);
    return CopyScreenToBitmap(&r);
}

KPDIB_API DibHandle __cdecl BitmapToDIB(HBITMAP bitmap, HPALETTE palette)
{
    BITMAP bm;
    if (!bitmap || !GetObject(bitmap, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return NULL;
    int bits = bm.bmBitsPixel * bm.bmPlanes;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24)
        bits = 32;
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[256];
    } info{};
    info.header = Header(bm.bmWidth, bm.bmHeight, bits, BI_RGB);
    HDC dc = GetDC(NULL);
    HPALETTE old = palette ? SelectPalette(dc, palette, FALSE) : NULL;
    if (palette)
        RealizePalette(dc);
    std::vector<BYTE> data(kpdib::DibStride(bm.bmWidth, bits) * bm.bmHeight);
    int lines = GetDIBits(dc, bitmap, 0, bm.bmHeight, data.data(),
                          reinterpret_cast<BITMAPINFO *>(&info), DIB_RGB_COLORS);
    if (old)
        SelectPalette(dc, old, FALSE);
    ReleaseDC(NULL, dc);
    if (lines != bm.bmHeight)
        return NULL;
    info.header.biSizeImage = static_cast<DWORD>(data.size());
    if (bits <= 8)
        info.header.biClrUsed = 1u << bits;
    return AllocDib(info.header, info.colours, ColourTableSize(info.header), data.data(),
                    data.size());
}

KPDIB_API HBITMAP __cdecl DIBToBitmap(DibHandle dib, HPALETTE palette)
{
    const BYTE *p = dib ? static_cast<const BYTE *>(GlobalLock(dib)) : nullptr;
    if (!p)
        return NULL;
    const BITMAPINFOHEADER *h = reinterpret_cast<const BITMAPINFOHEADER *>(p);
    const BYTE *bits = p + h->biSize + ColourTableSize(*h);
    HDC dc = GetDC(NULL);
    HPALETTE old = palette ? SelectPalette(dc, palette, FALSE) : NULL;
    if (palette)
        RealizePalette(dc);
    HBITMAP bitmap = CreateDIBitmap(dc, h, CBM_INIT, bits, reinterpret_cast<const BITMAPINFO *>(h),
                                    DIB_RGB_COLORS);
    if (old)
        SelectPalette(dc, old, FALSE);
    ReleaseDC(NULL, dc);
    GlobalUnlock(dib);
    return bitmap;
}

namespace {

// The bitmap reduced to `bits` per pixel by the kernel of that depth, as a packed DIB.
DibHandle ReducedDib(HBITMAP bitmap, UINT bits, bool rle)
{
    std::vector<uint32_t> pixels;
    int width, height;
    if (!ReadPixels(bitmap, &pixels, &width, &height))
        return NULL;
    kpdib::Image32 image{pixels.data(), width, height, width};
    kpdib::Indexed indexed;
    if (bits == 8)
        kpdib::Reduce256(image, &indexed);
    else if (bits == 4)
        kpdib::Reduce16(image, &indexed);
    else
        kpdib::ReduceMono(image, &indexed);
    return IndexedDib(indexed, bits, rle);
}

} // namespace

KPDIB_API DibHandle __cdecl ChangeBitmapFormat(HBITMAP bitmap, UINT bits, DWORD compression,
                                               HPALETTE)
{
    bool rle = compression == BI_RLE8;
    if ((bits != 1 && bits != 4 && bits != 8) || (compression != BI_RGB && !rle) ||
        (rle && bits != 8))
        return NULL;
    return ReducedDib(bitmap, bits, rle);
}

KPDIB_API DibHandle __cdecl PMDibFromBitmap(HBITMAP bitmap, DWORD style, WORD bits, HPALETTE)
{
    if (style != 3 || bits != 1)
        return NULL;
    return ReducedDib(bitmap, 1, false);
}

KPDIB_API BOOL __cdecl SaveDIB(DibHandle dib, LPCSTR path)
{
    const BYTE *p = dib && path ? static_cast<const BYTE *>(GlobalLock(dib)) : nullptr;
    if (!p)
        return FALSE;
    const BITMAPINFOHEADER *h = reinterpret_cast<const BITMAPINFOHEADER *>(p);
    DWORD size = static_cast<DWORD>(PackedSize(*h));
    if (size > GlobalSize(dib)) {
        GlobalUnlock(dib);
        return FALSE;
    }
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42; // "BM"
    file.bfSize = sizeof file + size;
    file.bfOffBits = static_cast<DWORD>(sizeof file + h->biSize + ColourTableSize(*h));
    BOOL ok = FALSE;
    HANDLE f =
        CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (f != INVALID_HANDLE_VALUE) {
        DWORD written1 = 0, written2 = 0;
        ok = WriteFile(f, &file, sizeof file, &written1, NULL) &&
             WriteFile(f, p, size, &written2, NULL) && written1 == sizeof file && written2 == size;
        CloseHandle(f);
        if (!ok)
            DeleteFileA(path);
    }
    GlobalUnlock(dib);
    return ok;
}
