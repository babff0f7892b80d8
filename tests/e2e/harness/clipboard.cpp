#include "harness.h"

#include <string.h>

namespace kp {

bool OpenClipboardRetry(HWND owner, DWORD ms)
{
    return WaitFor([&] { return OpenClipboard(owner) != FALSE; }, ms);
}

void SetClipboardText(const std::string &text)
{
    if (!OpenClipboardRetry(NULL))
        return;
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(GlobalLock(mem), text.c_str(), text.size() + 1);
    GlobalUnlock(mem);
    SetClipboardData(CF_TEXT, mem);
    CloseClipboard();
}

std::string ClipboardText()
{
    std::string text;
    if (!OpenClipboardRetry(NULL))
        return text;
    HANDLE mem = GetClipboardData(CF_TEXT);
    if (mem) {
        const char *p = static_cast<const char *>(GlobalLock(mem));
        if (p)
            text = p;
        GlobalUnlock(mem);
    }
    CloseClipboard();
    return text;
}

DWORD ClipboardSequence()
{
    return GetClipboardSequenceNumber();
}

UINT FirstClipboardFormat()
{
    if (!OpenClipboardRetry(NULL))
        return 0;
    UINT format = EnumClipboardFormats(0);
    CloseClipboard();
    return format;
}

bool ReadClipboardBitmap(Picture *picture)
{
    if (!OpenClipboardRetry(NULL))
        return false;
    bool ok = false;
    HBITMAP bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    BITMAP bm;
    if (bitmap && GetObject(bitmap, sizeof bm, &bm)) {
        BITMAPINFO info = kp::Info32(bm.bmWidth, bm.bmHeight);
        picture->width = bm.bmWidth;
        picture->height = bm.bmHeight;
        picture->pixels.assign(size_t(bm.bmWidth) * bm.bmHeight, 0);
        HDC dc = GetDC(NULL);
        ok = GetDIBits(dc, bitmap, 0, bm.bmHeight, picture->pixels.data(), &info, DIB_RGB_COLORS) ==
             bm.bmHeight;
        ReleaseDC(NULL, dc);
        for (uint32_t &v : picture->pixels)
            v &= 0x00FFFFFF;
    }
    CloseClipboard();
    return ok;
}

bool ReadClipboardDib(ClipboardDib *dib)
{
    if (!OpenClipboardRetry(NULL))
        return false;
    bool ok = false;
    HANDLE mem = GetClipboardData(CF_DIB);
    const BYTE *p = mem ? static_cast<const BYTE *>(GlobalLock(mem)) : nullptr;
    if (p) {
        SIZE_T size = GlobalSize(mem);
        memcpy(&dib->header, p, sizeof dib->header);
        const BITMAPINFOHEADER &h = dib->header;
        DWORD colours = h.biClrUsed;
        if (colours == 0 && h.biBitCount <= 8)
            colours = 1u << h.biBitCount;
        // BI_BITFIELDS keeps its three masks where the colour table would be.
        if (h.biCompression == BI_BITFIELDS)
            colours = 3;
        size_t offset = h.biSize + colours * sizeof(RGBQUAD);
        if (offset <= size) {
            dib->colours.assign(reinterpret_cast<const RGBQUAD *>(p + h.biSize),
                                reinterpret_cast<const RGBQUAD *>(p + h.biSize) + colours);
            dib->bits.assign(p + offset, p + size);
            ok = true;
        }
        GlobalUnlock(mem);
    }
    CloseClipboard();
    return ok;
}

bool DecodeDib(const ClipboardDib &dib, Picture *picture)
{
    const BITMAPINFOHEADER &h = dib.header;
    int height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    std::vector<BYTE> info(h.biSize + dib.colours.size() * sizeof(RGBQUAD));
    memcpy(info.data(), &h, h.biSize);
    if (!dib.colours.empty())
        memcpy(info.data() + h.biSize, dib.colours.data(), dib.colours.size() * sizeof(RGBQUAD));

    BITMAPINFO target = kp::Info32(h.biWidth, height);
    void *bits = nullptr;
    HDC dc = CreateCompatibleDC(NULL);
    HBITMAP section = CreateDIBSection(dc, &target, DIB_RGB_COLORS, &bits, NULL, 0);
    if (!section) {
        DeleteDC(dc);
        return false;
    }
    HGDIOBJ old = SelectObject(dc, section);
    int lines = StretchDIBits(dc, 0, 0, h.biWidth, height, 0, 0, h.biWidth, height, dib.bits.data(),
                              reinterpret_cast<BITMAPINFO *>(info.data()), DIB_RGB_COLORS, SRCCOPY);
    GdiFlush();
    picture->width = h.biWidth;
    picture->height = height;
    const uint32_t *px = static_cast<const uint32_t *>(bits);
    picture->pixels.assign(px, px + size_t(h.biWidth) * height);
    for (uint32_t &v : picture->pixels)
        v &= 0x00FFFFFF;
    SelectObject(dc, old);
    DeleteObject(section);
    DeleteDC(dc);
    return lines > 0;
}

bool WaitForClipboardPicture(DWORD before, Picture *picture, DWORD ms)
{
    if (!WaitFor([&] { return ClipboardSequence() != before; }, ms))
        return false;
    // The writer may still hold the clipboard open; the reader retries.
    PumpFor(100);
    ClipboardDib dib;
    return ReadClipboardDib(&dib) && DecodeDib(dib, picture);
}

} // namespace kp
