// Drawn regions, from the hotkey through the overlay to the clipboard, with real mouse drags
// over a known pattern.
#include "kapto_test.h"

#include <math.h>

#include <functional>
#include <string>
#include <vector>

using kp::Picture;
using kp::Process;

namespace {

const double kPi = 3.14159265358979323846;
const COLORREF kFill = RGB(255, 0, 255); // not in the pattern
const uint32_t kFillPixel = 0xFF00FF;    // the same as 0x00RRGGBB

class RegionTest : public KaptoTest {
  protected:
    Process kapto;

    void Start(DWORD invert = 0)
    {
        kp::ShowPattern(0);
        Install();
        kp::SetKaptoDword("couleursExport", 3);
        kp::SetKaptoDword("typeExport", 1);
        kp::SetKaptoDword("save", 0);
        kp::SetKaptoDword("fillColor", kFill);
        kp::SetKaptoDword("snapinvertcolor", invert);
        kapto = StartRunning();
    }

    // Presses the hotkey and waits for the overlay.
    HWND Open(const char *keys)
    {
        kp::SendKeys(keys);
        HWND overlay = kp::WaitForWindowOfClass(kapto.pid, "KAPTO_class", 10000);
        EXPECT_NE(nullptr, overlay) << "no overlay after " << keys;
        kp::PumpFor(100);
        return overlay;
    }

    static bool Result(DWORD before, Picture *got)
    {
        return kp::WaitForClipboardPicture(before, got);
    }

    // Waits until the overlay is gone and the program has had time to act on the end.
    void Closed(HWND overlay)
    {
        EXPECT_TRUE(kp::WaitFor([&] { return !IsWindow(overlay); }, 5000));
        kp::PumpFor(600);
    }
};

// Compares the picture with the pattern inside the region and the fill colour outside it.
// With a border, pixels closer than that to the shape's edge are not judged: the outline
// drawn by the overlay lies there.
void ExpectMasked(const Picture &got, const RECT &r, HRGN shape, int border, const char *what)
{
    ASSERT_EQ(r.right - r.left, got.width) << what;
    ASSERT_EQ(r.bottom - r.top, got.height) << what;
    auto inside = [&](int x, int y) { return shape == nullptr || PtInRegion(shape, x, y); };
    int checked = 0;
    for (int y = 0; y < got.height; ++y)
        for (int x = 0; x < got.width; ++x) {
            int sx = r.left + x, sy = r.top + y;
            bool in = inside(sx, sy), mixed = false;
            for (int dy = -border; dy <= border && !mixed; ++dy)
                for (int dx = -border; dx <= border && !mixed; ++dx)
                    mixed = inside(sx + dx, sy + dy) != in;
            if (mixed)
                continue;
            uint32_t want = in ? kp::PatternPixel(0, sx, sy) : kFillPixel;
            ASSERT_EQ(want, got.at(x, y))
                << what << ": pixel (" << x << ", " << y << ") " << (in ? "inside" : "outside");
            ++checked;
        }
    EXPECT_GT(checked, got.width * got.height / 2) << what;
}

RECT Bounds(const std::vector<POINT> &pts)
{
    RECT r = {pts[0].x, pts[0].y, pts[0].x, pts[0].y};
    for (const POINT &p : pts) {
        r.left = std::min(r.left, p.x);
        r.top = std::min(r.top, p.y);
        r.right = std::max(r.right, p.x);
        r.bottom = std::max(r.bottom, p.y);
    }
    return r;
}

int CountFill(const Picture &p)
{
    int n = 0;
    for (uint32_t c : p.pixels)
        n += c == kFillPixel;
    return n;
}

} // namespace

TEST_F(RegionTest, DraggedShapesHaveTheirSizeThePixelsInsideAndTheFillOutside)
{
    struct Case {
        const char *what, *keys;
        int x0, y0, x1, y1;
        int shape; // 1 ellipse, 2 rectangle, 3 cut corners
    } cases[] = {
        {"rectangle down-right", "Ctrl+Alt+R", 100, 100, 300, 220, 2},
        {"rectangle up-left", "Ctrl+Alt+R", 410, 330, 150, 140, 2},
        {"ellipse", "Ctrl+Alt+E", 120, 90, 360, 260, 1},
        {"ellipse up-left", "Ctrl+Alt+E", 500, 400, 260, 150, 1},
        {"cut corners", "Ctrl+Alt+C", 200, 120, 520, 330, 3},
    };
    Start();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        DWORD before = kp::ClipboardSequence();
        HWND overlay = Open(c.keys);
        ASSERT_NE(nullptr, overlay);
        kp::MouseDrag(c.x0, c.y0, c.x1, c.y1);
        Picture got;
        ASSERT_TRUE(Result(before, &got)) << "nothing reached the clipboard";
        RECT r = {std::min(c.x0, c.x1), std::min(c.y0, c.y1), std::max(c.x0, c.x1),
                  std::max(c.y0, c.y1)};
        HRGN shape = c.shape == 1   ? CreateEllipticRgnIndirect(&r)
                     : c.shape == 3 ? CreateRoundRectRgn(r.left, r.top, r.right, r.bottom,
                                                         r.bottom / 4, r.bottom / 4)
                                    : nullptr;
        ExpectMasked(got, r, shape, 0, c.what);
        if (shape)
            DeleteObject(shape);
        // The fill stays on the screen until the windows under it repaint.
        kp::ShowPattern(0);
    }
}

TEST_F(RegionTest, InvertedPreviewNeverReachesThePicture)
{
    for (DWORD invert : {1u, 0u}) {
        SCOPED_TRACE(invert ? "snapinvertcolor" : "frame only");
        kp::DeleteKaptoKey();
        Start(invert);
        DWORD before = kp::ClipboardSequence();
        ASSERT_NE(nullptr, Open("Ctrl+Alt+R"));
        kp::MouseDrag(80, 60, 400, 300, 20);
        Picture got;
        ASSERT_TRUE(Result(before, &got));
        ExpectMasked(got, RECT{80, 60, 400, 300}, nullptr, 0, "rectangle");
        kp::EndAllStarted();
    }
}

TEST_F(RegionTest, CutCornersGrowTowardsTheBottomOfTheScreen)
{
    Start();
    int fill[2];
    const int tops[2] = {20, 440};
    for (int i = 0; i < 2; ++i) {
        DWORD before = kp::ClipboardSequence();
        ASSERT_NE(nullptr, Open("Ctrl+Alt+C"));
        kp::MouseDrag(300, tops[i], 600, tops[i] + 200);
        Picture got;
        ASSERT_TRUE(Result(before, &got));
        fill[i] = CountFill(got);
        kp::ShowPattern(0);
    }
    EXPECT_GT(fill[0], 0) << "the corners near the top are cut too";
    EXPECT_GT(fill[1], 4 * fill[0]) << "corners near the bottom are larger";
}

TEST_F(RegionTest, PolygonCornersAreTheClicksAndAltClickEndsWithoutAPoint)
{
    Start();
    struct Case {
        const char *what;
        std::vector<POINT> corners;
        POINT end;          // the Alt+click, not a corner
        POINT filledInside; // a point inside the bounds that must be filled, or {-1, -1}
    } cases[] = {
        {"quadrilateral", {{150, 120}, {420, 100}, {460, 330}, {180, 300}}, {700, 600}, {-1, -1}},
        // A five-pointed star drawn in one stroke crosses itself: its centre is enclosed
        // twice and so lies outside.
        {"self-crossing star", {}, {20, 20}, {400, 300}},
    };
    for (int k = 0; k < 5; ++k) {
        double a = -kPi / 2 + k * 4 * kPi / 5;
        cases[1].corners.push_back(
            POINT{LONG(400 + lround(200 * cos(a))), LONG(300 + lround(200 * sin(a)))});
    }
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        DWORD before = kp::ClipboardSequence();
        HWND overlay = Open("Ctrl+Alt+P");
        ASSERT_NE(nullptr, overlay);
        for (const POINT &p : c.corners) {
            kp::MouseClick(p.x, p.y);
            kp::PumpFor(40);
            kp::MouseMove(p.x + 5, p.y + 7); // rubber band
            kp::PumpFor(40);
        }
        kp::KeyDown(VK_MENU);
        kp::PumpFor(50);
        kp::MouseClick(c.end.x, c.end.y);
        kp::PumpFor(50);
        kp::KeyUp(VK_MENU);
        Picture got;
        ASSERT_TRUE(Result(before, &got));
        RECT r = Bounds(c.corners);
        HRGN shape = CreatePolygonRgn(c.corners.data(), int(c.corners.size()), ALTERNATE);
        ExpectMasked(got, r, shape, 2, c.what);
        if (c.filledInside.x >= 0) {
            EXPECT_EQ(kFillPixel, got.at(c.filledInside.x - r.left, c.filledInside.y - r.top));
        }
        DeleteObject(shape);
        kp::ShowPattern(0);
    }
}

TEST_F(RegionTest, FreeHandTraceLongerThanTheBufferEndsWell)
{
    Start();
    struct Case {
        const char *what;
        int moves;
    } cases[] = {{"short trace", 120}, {"more moves than the buffer holds", 12000}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        DWORD before = kp::ClipboardSequence();
        ASSERT_NE(nullptr, Open("Ctrl+Alt+M"));
        // Once round a wavy circle: with many waves, every move lands on a new pixel.
        std::vector<POINT> trace;
        int waves = c.moves / 200;
        for (int i = 0; i <= c.moves; ++i) {
            double a = 2 * kPi * i / c.moves, radius = 150 + 25 * sin(waves * a);
            trace.push_back(
                POINT{LONG(400 + lround(radius * cos(a))), LONG(300 + lround(radius * sin(a)))});
        }
        kp::MouseDown(trace[0].x, trace[0].y);
        kp::PumpFor(30);
        for (size_t i = 1; i < trace.size(); ++i) {
            kp::MouseMove(trace[i].x, trace[i].y);
            if (i % 8 == 0)
                kp::PumpFor(1);
        }
        kp::PumpFor(200);
        kp::MouseUp(trace.back().x, trace.back().y);
        Picture got;
        ASSERT_TRUE(Result(before, &got)) << "the capture did not end";
        RECT r = Bounds(trace);
        EXPECT_NEAR(r.right - r.left, got.width, 2);
        EXPECT_NEAR(r.bottom - r.top, got.height, 2);
        // Well inside the circle the screen; in the corners of the bounds the fill.
        EXPECT_EQ(kp::PatternPixel(0, 400, 300), got.at(400 - r.left, 300 - r.top));
        EXPECT_EQ(kp::PatternPixel(0, 430, 280), got.at(430 - r.left, 280 - r.top));
        EXPECT_EQ(kFillPixel, got.at(3, 3));
        EXPECT_EQ(kFillPixel, got.at(got.width - 4, got.height - 4));
        EXPECT_TRUE(kp::Running(kapto));
        kp::ShowPattern(0);
    }
}

TEST_F(RegionTest, EscapeAtAnyStageCapturesNothingAndTheNextHotkeyWorks)
{
    struct Case {
        const char *what, *keys;
        std::function<void()> before; // what the user did before Escape
    } cases[] = {
        {"rectangle, nothing drawn", "Ctrl+Alt+R", [] {}},
        {"rectangle, while dragging", "Ctrl+Alt+R",
         [] {
             kp::MouseDown(100, 100);
             kp::PumpFor(30);
             kp::MouseMove(250, 200);
             kp::PumpFor(30);
         }},
        {"ellipse, while dragging", "Ctrl+Alt+E",
         [] {
             kp::MouseDown(300, 200);
             kp::MouseMove(400, 300);
             kp::PumpFor(50);
         }},
        {"polygon with two corners", "Ctrl+Alt+P",
         [] {
             kp::MouseClick(100, 100);
             kp::PumpFor(30);
             kp::MouseClick(300, 120);
             kp::MouseMove(320, 300);
             kp::PumpFor(50);
         }},
        {"free hand, while tracing", "Ctrl+Alt+M",
         [] {
             kp::MouseDown(200, 200);
             for (int i = 0; i < 40; ++i)
                 kp::MouseMove(200 + i * 4, 200 + i * 2);
             kp::PumpFor(50);
         }},
    };
    Start();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        kp::SetClipboardText("kept");
        DWORD before = kp::ClipboardSequence();
        HWND overlay = Open(c.keys);
        ASSERT_NE(nullptr, overlay);
        c.before();
        kp::SendKeys("Escape");
        Closed(overlay);
        kp::MouseUp(10, 10);
        kp::PumpFor(200);
        EXPECT_EQ(before, kp::ClipboardSequence());
        EXPECT_EQ("kept", kp::ClipboardText());
        kp::ShowPattern(0);

        // Ready for the next capture.
        before = kp::ClipboardSequence();
        kp::SendKeys("PrtScr");
        EXPECT_TRUE(kp::WaitFor([&] { return kp::ClipboardSequence() != before; }, 10000))
            << "the next hotkey did nothing";
        kp::PumpFor(200);
    }
}

TEST_F(RegionTest, AClickWithoutADragGivesNoPicture)
{
    Start();
    for (const char *keys : {"Ctrl+Alt+R", "Ctrl+Alt+E", "Ctrl+Alt+C"}) {
        SCOPED_TRACE(keys);
        kp::SetClipboardText("kept");
        DWORD before = kp::ClipboardSequence();
        HWND overlay = Open(keys);
        ASSERT_NE(nullptr, overlay);
        kp::MouseClick(222, 111);
        Closed(overlay);
        EXPECT_EQ(before, kp::ClipboardSequence());
        EXPECT_EQ("kept", kp::ClipboardText());
    }
}

TEST_F(RegionTest, HotkeysWhileDrawingAreIgnored)
{
    Start();
    DWORD before = kp::ClipboardSequence();
    HWND overlay = Open("Ctrl+Alt+R");
    ASSERT_NE(nullptr, overlay);
    kp::MouseDown(150, 120);
    kp::PumpFor(30);
    kp::MouseMove(250, 200);
    kp::PumpFor(30);
    kp::SendKeys("PrtScr");
    kp::SendKeys("Ctrl+Alt+E");
    kp::PumpFor(300);
    EXPECT_EQ(before, kp::ClipboardSequence()) << "a capture ran inside the drawing";
    kp::MouseMove(350, 260);
    kp::PumpFor(30);
    kp::MouseUp(350, 260);
    Picture got;
    ASSERT_TRUE(Result(before, &got));
    ExpectMasked(got, RECT{150, 120, 350, 260}, nullptr, 0, "rectangle");
    kp::PumpFor(500);
    EXPECT_EQ(nullptr, kp::WaitForWindowOfClass(kapto.pid, "KAPTO_class", 0))
        << "a second overlay was opened afterwards";
}
