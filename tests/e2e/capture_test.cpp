// Print Screen, Alt+Print Screen and Shift+Print Screen, from the key to the clipboard.
#include "kapto_test.h"

#include <string>

using kp::Picture;
using kp::Process;

namespace {

struct ExportCase {
    const char *what;
    DWORD colours; // couleursExport
    DWORD type;    // typeExport
    int pattern;   // what the screen shows
    WORD bits;     // of the DIB on the clipboard (0: a bitmap)
    DWORD compression;
};

// What the reduced picture must look like, computed here independently of the library.
uint32_t Nearest16(uint32_t c)
{
    static const uint32_t standard[16] = {
        0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
        0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    uint32_t best = 0;
    int bestD = 1 << 30;
    for (uint32_t s : standard) {
        int dr = int(c >> 16 & 0xFF) - int(s >> 16 & 0xFF),
            dg = int(c >> 8 & 0xFF) - int(s >> 8 & 0xFF), db = int(c & 0xFF) - int(s & 0xFF);
        int d = dr * dr + dg * dg + db * db;
        if (d < bestD) {
            bestD = d;
            best = s;
        }
    }
    return best;
}

uint32_t BlackOrWhite(uint32_t c)
{
    int y = 299 * int(c >> 16 & 0xFF) + 587 * int(c >> 8 & 0xFF) + 114 * int(c & 0xFF);
    return y >= 127500 ? 0xFFFFFF : 0;
}

Picture Expected(const Picture &screen, DWORD colours)
{
    Picture p = screen;
    for (uint32_t &c : p.pixels)
        c = colours == 0 ? BlackOrWhite(c) : colours == 1 ? Nearest16(c) : c;
    return p;
}

class CaptureTest : public KaptoTest {
  protected:
    Process kapto;

    void SetUpKapto(DWORD colours, DWORD type, DWORD snapWithCaption = 0)
    {
        Install();
        kp::SetKaptoDword("couleursExport", colours);
        kp::SetKaptoDword("typeExport", type);
        kp::SetKaptoDword("snapwithcaption", snapWithCaption);
        kp::SetKaptoDword("save", 0);
        kapto = StartRunning();
    }

    // Presses the keys and waits until the clipboard has changed; false when it did not.
    static bool PressAndWait(const char *keys, DWORD ms = 10000)
    {
        DWORD before = kp::ClipboardSequence();
        kp::SendKeys(keys);
        return kp::WaitFor(
            [&] { return kp::ClipboardSequence() != before && kp::FirstClipboardFormat() != 0; },
            ms);
    }

    // The clipboard's picture as the export left it: the DIB's header checked, then decoded.
    static void ReadExport(const ExportCase &c, Picture *got)
    {
        if (c.type == 0) {
            EXPECT_EQ(UINT(CF_BITMAP), kp::FirstClipboardFormat());
            ASSERT_TRUE(kp::ReadClipboardBitmap(got));
            return;
        }
        EXPECT_EQ(UINT(CF_DIB), kp::FirstClipboardFormat());
        kp::ClipboardDib dib;
        ASSERT_TRUE(kp::ReadClipboardDib(&dib));
        EXPECT_EQ(c.bits, dib.header.biBitCount);
        EXPECT_EQ(c.compression, dib.header.biCompression);
        if (c.bits <= 8) {
            EXPECT_LE(dib.colours.size(), size_t(1) << c.bits);
        }
        ASSERT_TRUE(kp::DecodeDib(dib, got));
    }
};

void ExpectSame(const Picture &expected, const Picture &got, const char *what)
{
    std::string difference;
    EXPECT_EQ(-1, kp::FirstDifference(expected, got, &difference)) << what << ": " << difference;
}

} // namespace

TEST_F(CaptureTest, PrintScreenPutsTheScreenOnTheClipboardInEveryDepthAndFormat)
{
    const ExportCase cases[] = {
        {"16 millions, DIB", 3, 1, 1, 32, BI_RGB}, {"16 millions, bitmap", 3, 0, 1, 0, 0},
        {"256 colours, DIB", 2, 1, 0, 8, BI_RLE8}, {"256 colours, bitmap", 2, 0, 0, 0, 0},
        {"16 colours, DIB", 1, 1, 1, 4, BI_RGB},   {"16 colours, bitmap", 1, 0, 1, 0, 0},
        {"2 colours, DIB", 0, 1, 1, 1, BI_RGB},    {"2 colours, bitmap", 0, 0, 1, 0, 0},
    };
    int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    for (const ExportCase &c : cases) {
        SCOPED_TRACE(c.what);
        kp::DeleteKaptoKey();
        kp::ShowPattern(c.pattern);
        SetUpKapto(c.colours, c.type);
        Picture screen = kp::GrabScreen(RECT{0, 0, w, h});
        ASSERT_TRUE(PressAndWait("PrtScr")) << "nothing reached the clipboard";
        Picture got;
        ReadExport(c, &got);
        ExpectSame(Expected(screen, c.colours), got, c.what);
        kp::EndAllStarted();
    }
}

TEST_F(CaptureTest, ActiveWindowWithOrWithoutItsFrame)
{
    kp::ShowPattern(0);
    for (DWORD caption : {1u, 0u}) {
        SCOPED_TRACE(caption ? "with its frame" : "client area");
        SetUpKapto(3, 1, caption);
        HWND window = kp::ShowTestWindow("plain", 130, 90, 420, 300);
        ASSERT_NE(nullptr, window);
        RECT r;
        if (caption) {
            GetWindowRect(window, &r);
        } else {
            GetClientRect(window, &r);
            MapWindowPoints(window, NULL, reinterpret_cast<POINT *>(&r), 2);
        }
        Picture screen = kp::GrabScreen(r);
        ASSERT_TRUE(PressAndWait("Alt+PrtScr"));
        Picture got;
        ReadExport({"", 3, 1, 0, 32, BI_RGB}, &got);
        EXPECT_EQ(r.right - r.left, got.width);
        EXPECT_EQ(r.bottom - r.top, got.height);
        ExpectSame(screen, got, "active window");
        kp::EndAllStarted();
        kp::DeleteKaptoKey();
        kp::ShowPattern(0);
    }
}

TEST_F(CaptureTest, ShiftPrintScreenTakesTheFocusedEditBoxAlone)
{
    kp::ShowPattern(0);
    SetUpKapto(3, 1);
    HWND window = kp::ShowTestWindow("edit", 200, 150, 400, 260);
    ASSERT_NE(nullptr, window);
    HWND edit = FindWindowExA(window, NULL, "Edit", NULL);
    ASSERT_NE(nullptr, edit);
    RECT r;
    GetClientRect(edit, &r);
    MapWindowPoints(edit, NULL, reinterpret_cast<POINT *>(&r), 2);
    Picture screen = kp::GrabScreen(r);
    ASSERT_TRUE(PressAndWait("Shift+PrtScr"));
    Picture got;
    ReadExport({"", 3, 1, 0, 32, BI_RGB}, &got);
    EXPECT_EQ(r.right - r.left, got.width);
    EXPECT_EQ(r.bottom - r.top, got.height);
    ExpectSame(screen, got, "edit box");
}

TEST_F(CaptureTest, NoFocusedControlShowsTheErrorAndKeepsTheClipboard)
{
    SetUpKapto(3, 1);
    kp::SetClipboardText("kept");
    DWORD before = kp::ClipboardSequence();
    HWND window = kp::ShowTestWindow("nofocus", 200, 150, 400, 260);
    ASSERT_NE(nullptr, window);
    kp::SendKeys("Shift+PrtScr");
    HWND box = kp::WaitForDialog(kapto.pid, "Kapto", 10000);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("Kapto cannot find a focused window...", kp::MessageBoxText(box));
    kp::ClickButton(box, IDOK);
    ASSERT_TRUE(kp::WaitFor([&] { return !IsWindow(box); }, 5000));
    kp::PumpFor(300);
    EXPECT_EQ(before, kp::ClipboardSequence());
    EXPECT_EQ("kept", kp::ClipboardText());
}

TEST_F(CaptureTest, OutOfRangeSettingsLeaveTheClipboardAlone)
{
    struct Case {
        const char *what;
        DWORD colours, type;
    } cases[] = {{"typeExport 2", 3, 2}, {"couleursExport 4", 4, 1}, {"both", 7, 9}};
    kp::ShowPattern(0);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        kp::DeleteKaptoKey();
        SetUpKapto(c.colours, c.type);
        kp::SetClipboardText("kept");
        DWORD before = kp::ClipboardSequence();
        kp::SendKeys("PrtScr");
        // Nothing is to happen, so there is no event to wait for: give Kapto ample time.
        kp::PumpFor(1500);
        EXPECT_EQ(before, kp::ClipboardSequence());
        EXPECT_EQ("kept", kp::ClipboardText());
        kp::EndAllStarted();
        kp::ShowPattern(0);
    }
}
