#include "screenshot.h"

#include <math.h>

namespace {

void Fill(std::vector<uint32_t> &px, int width, int x0, int y0, int x1, int y1, uint32_t c)
{
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            px[size_t(y) * width + x] = c;
}

uint32_t Blend(uint32_t a, uint32_t b, int t) // t of 255 towards b
{
    auto ch = [&](int s) {
        int x = (a >> s) & 0xFF, y = (b >> s) & 0xFF;
        return uint32_t((x * (255 - t) + y * t) / 255) << s;
    };
    return ch(16) | ch(8) | ch(0);
}

} // namespace

std::vector<uint32_t> MakeScreenshot(int width, int height)
{
    std::vector<uint32_t> px(size_t(width) * height, 0x3A6EA5); // desktop
    uint32_t seed = 12345;
    auto rnd = [&] {
        seed = seed * 1103515245u + 12345u;
        return seed >> 8;
    };
    // Three windows: frame, title bar, menu, client area with text lines and controls.
    for (int w = 0; w < 3; ++w) {
        int x0 = width / 20 + w * width / 4, y0 = height / 12 + w * height / 10;
        int x1 = x0 + width / 2, y1 = y0 + height / 2;
        Fill(px, width, x0, y0, x1, y1, 0xC0C0C0);
        Fill(px, width, x0 + 3, y0 + 3, x1 - 3, y0 + 22, w == 2 ? 0x000080 : 0x808080);
        Fill(px, width, x0 + 3, y0 + 44, x1 - 3, y1 - 3, 0xFFFFFF);
        // Text: glyph-like strokes with anti-aliased edges in a few greys and one colour.
        for (int line = y0 + 50; line + 12 < y1 - 10; line += 16) {
            for (int x = x0 + 8; x < x1 - 12; x += 7) {
                if (rnd() % 9 == 0) {
                    x += 5;
                    continue;
                }
                uint32_t ink = (line / 16) % 7 == 0 ? 0x0000FF : 0x000000;
                int shape = rnd();
                for (int gy = 0; gy < 11; ++gy)
                    for (int gx = 0; gx < 6; ++gx) {
                        int bit = (shape >> ((gy * 3 + gx) % 24)) & 1;
                        if (bit)
                            px[size_t(line + gy) * width + x + gx] =
                                Blend(0xFFFFFF, ink, (gx == 0 || gx == 5) ? 110 : 255);
                    }
            }
        }
    }
    // A photo-like area: smooth gradients with fine noise, every pixel its own colour.
    int px0 = width * 3 / 5, py0 = height * 3 / 5, px1 = width - width / 20,
        py1 = height - height / 20;
    for (int y = py0; y < py1; ++y)
        for (int x = px0; x < px1; ++x) {
            double u = double(x - px0) / (px1 - px0), v = double(y - py0) / (py1 - py0);
            int r = int(128 + 100 * sin(6 * u + 2 * v)) + int(rnd() % 9) - 4;
            int g = int(128 + 90 * cos(5 * v - 3 * u)) + int(rnd() % 9) - 4;
            int b = int(128 + 110 * sin(4 * u * v + 1)) + int(rnd() % 9) - 4;
            auto clamp = [](int c) { return uint32_t(c < 0 ? 0 : c > 255 ? 255 : c); };
            px[size_t(y) * width + x] = clamp(r) << 16 | clamp(g) << 8 | clamp(b);
        }
    return px;
}
