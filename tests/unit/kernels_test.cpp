#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <random>
#include <set>
#include <string>
#include <vector>

#include "kernels/kernels.h"

using kpdib::Indexed;

namespace {

struct Fixture {
    const char *name;
    int width, height;
    std::vector<uint32_t> pixels;
};

uint32_t Colour(const kpdib::PaletteEntry &p)
{
    return uint32_t(p.red) << 16 | uint32_t(p.green) << 8 | p.blue;
}

// Small pictures that reach the edges of the encoders.
std::vector<Fixture> Fixtures()
{
    std::vector<Fixture> f;
    f.push_back({"one pixel", 1, 1, {0x123456}});
    f.push_back({"two pixels", 2, 1, {0x000000, 0xFFFFFF}});
    f.push_back({"odd width", 7, 3, {}});
    for (int i = 0; i < 21; ++i)
        f.back().pixels.push_back(i % 3 == 0 ? 0xFF0000 : (i % 5 ? 0x00FF00 : 0x0000FF));
    Fixture longRun{"runs past 255", 600, 2, std::vector<uint32_t>(1200, 0xC0C0C0)};
    longRun.pixels[0] = 0x000080;
    longRun.pixels[899] = 0xFFFFFF;
    f.push_back(longRun);
    Fixture endsInRun{
        "rows ending in a run", 9, 2, {1, 2, 3, 4, 5, 6, 7, 7, 7, 9, 8, 7, 6, 5, 4, 4, 4, 4}};
    f.push_back(endsInRun);
    Fixture pairs{"pairs and singles", 11, 1, {5, 5, 6, 7, 7, 8, 9, 9, 9, 9, 1}};
    f.push_back(pairs);
    Fixture exact{"exactly 256 colours", 16, 16, {}};
    for (int i = 0; i < 256; ++i)
        exact.pixels.push_back(uint32_t(i) * 0x010203 & 0xFFFFFF);
    f.push_back(exact);
    Fixture literal{"300 changing in a row", 300, 1, {}};
    for (int i = 0; i < 300; ++i)
        literal.pixels.push_back(uint32_t(i % 251) << 8);
    f.push_back(literal);
    // The 32-bit pixels carry an unused high byte that must not count as colour.
    Fixture alpha{"unused byte set", 3, 1, {0xFF102030, 0x00102030, 0x7F405060}};
    f.push_back(alpha);
    return f;
}

kpdib::Image32 ImageOf(const Fixture &f)
{
    return kpdib::Image32{f.pixels.data(), f.width, f.height, f.width};
}

// Writes an 8-bit BI_RLE8 BMP of the indices, rows in the order given (bottom-up).
void WriteRleBmp(const char *path, const Indexed &in, const std::vector<uint8_t> &rle)
{
    uint32_t colours = 256, offset = 14 + 40 + colours * 4;
    std::vector<uint8_t> file(offset + rle.size(), 0);
    auto put32 = [&](size_t at, uint32_t v) { memcpy(&file[at], &v, 4); };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<uint32_t>(file.size()));
    put32(10, offset);
    put32(14, 40);
    put32(18, in.width);
    put32(22, in.height);
    file[26] = 1;
    file[28] = 8;
    put32(30, 1); // BI_RLE8
    put32(34, static_cast<uint32_t>(rle.size()));
    put32(46, colours);
    memcpy(&file[54], in.palette, sizeof in.palette);
    memcpy(&file[offset], rle.data(), rle.size());
    FILE *out = fopen(path, "wb");
    ASSERT_NE(nullptr, out);
    fwrite(file.data(), 1, file.size(), out);
    fclose(out);
}

} // namespace

TEST(Reduce256, PicturesOfAtMost256ColoursStayExact)
{
    for (const Fixture &f : Fixtures()) {
        Indexed out;
        kpdib::Reduce256(ImageOf(f), &out);
        std::set<uint32_t> distinct;
        for (uint32_t p : f.pixels)
            distinct.insert(p & 0xFFFFFF);
        EXPECT_EQ(int(distinct.size()), out.colours) << f.name;
        for (size_t i = 0; i < f.pixels.size(); ++i)
            ASSERT_EQ(f.pixels[i] & 0xFFFFFF, Colour(out.palette[out.indices[i]]))
                << f.name << ", pixel " << i;
    }
}

TEST(Reduce256, MoreColoursKeepTheFlatOnesAndStayClose)
{
    // 257 colours: a white page and a grey frame, and 255 shades of a gradient.
    const int w = 64, h = 64;
    std::vector<uint32_t> px(w * h, 0xFFFFFF);
    for (int x = 0; x < w; ++x)
        px[x] = px[(h - 1) * w + x] = 0x808080;
    for (int i = 0; i < 255; ++i)
        px[w * 10 + i] = uint32_t(i) << 16 | uint32_t(255 - i) << 8 | 0x40;
    Indexed out;
    kpdib::Reduce256({px.data(), w, h, w}, &out);
    EXPECT_LE(out.colours, 256);
    int worst = 0;
    for (size_t i = 0; i < px.size(); ++i) {
        uint32_t got = Colour(out.palette[out.indices[i]]);
        if (px[i] == 0xFFFFFF || px[i] == 0x808080) {
            ASSERT_EQ(px[i], got) << "flat colour changed at " << i;
            continue;
        }
        for (int s = 0; s <= 16; s += 8)
            worst = std::max(worst, abs(int(px[i] >> s & 0xFF) - int(got >> s & 0xFF)));
    }
    EXPECT_LE(worst, 4) << "a gradient of 255 shades fits 254 entries closely";
}

TEST(Reduce256, SmoothGradientOfFewHundredColoursGetsTheWholePalette)
{
    // 300 shades of green: a palette of 256 leaves at most two shades in an entry.
    std::vector<uint32_t> px;
    for (int i = 0; i < 300; ++i)
        px.push_back(uint32_t(i * 255 / 299) << 8 | uint32_t(i & 1));
    Indexed out;
    kpdib::Reduce256({px.data(), int(px.size()), 1, int(px.size())}, &out);
    EXPECT_EQ(256, out.colours);
    for (size_t i = 0; i < px.size(); ++i) {
        uint32_t got = Colour(out.palette[out.indices[i]]);
        ASSERT_LE(abs(int(px[i] >> 8 & 0xFF) - int(got >> 8 & 0xFF)), 1) << i;
    }
}

TEST(Reduce256, PhotoLikePictureUsesTheWholePalette)
{
    std::mt19937 rng(7);
    const int w = 120, h = 90;
    std::vector<uint32_t> px(w * h);
    for (uint32_t &p : px)
        p = rng() & 0xFFFFFF;
    Indexed out;
    kpdib::Reduce256({px.data(), w, h, w}, &out);
    EXPECT_EQ(256, out.colours);
    // Random colours spread over the cube: every pixel within a coarse cell of its entry.
    for (size_t i = 0; i < px.size(); ++i) {
        uint32_t got = Colour(out.palette[out.indices[i]]);
        for (int s = 0; s <= 16; s += 8)
            ASSERT_LE(abs(int(px[i] >> s & 0xFF) - int(got >> s & 0xFF)), 96) << i;
    }
}

TEST(Reduce16, StandardPaletteNearestColour)
{
    std::vector<uint32_t> px = {0x000000, 0xFFFFFF, 0xC0C0C0, 0x808080, 0xFF0000,
                                0x000080, 0xF0F0F0, 0x7F0000, 0x102030, 0x00FFFE};
    Indexed out;
    kpdib::Reduce16({px.data(), int(px.size()), 1, int(px.size())}, &out);
    ASSERT_EQ(16, out.colours);
    EXPECT_EQ(0, memcmp(out.palette, kpdib::kStandard16, sizeof kpdib::kStandard16));
    for (size_t i = 0; i < px.size(); ++i) {
        int best = 0, bestD = 1 << 30;
        for (int k = 0; k < 16; ++k) {
            int dr = int(px[i] >> 16 & 0xFF) - kpdib::kStandard16[k].red;
            int dg = int(px[i] >> 8 & 0xFF) - kpdib::kStandard16[k].green;
            int db = int(px[i] & 0xFF) - kpdib::kStandard16[k].blue;
            int d = dr * dr + dg * dg + db * db;
            if (d < bestD) {
                bestD = d;
                best = k;
            }
        }
        EXPECT_EQ(best, out.indices[i]) << std::hex << px[i];
    }
    EXPECT_EQ(0x000080u, Colour(out.palette[out.indices[5]])) << "an entry maps to itself";
}

TEST(ReduceMono, LuminanceThreshold)
{
    std::vector<uint32_t> px = {0x000000, 0xFFFFFF, 0x808080, 0x7F7F7F,
                                0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00};
    const uint8_t expected[] = {0, 1, 1, 0, 0, 1, 0, 1};
    Indexed out;
    kpdib::ReduceMono({px.data(), int(px.size()), 1, int(px.size())}, &out);
    ASSERT_EQ(2, out.colours);
    EXPECT_EQ(0u, Colour(out.palette[0]));
    EXPECT_EQ(0xFFFFFFu, Colour(out.palette[1]));
    for (size_t i = 0; i < px.size(); ++i)
        EXPECT_EQ(expected[i], out.indices[i]) << std::hex << px[i];
}

TEST(PackIndices, NibblesAndBitsHighFirstRowsPadded)
{
    Indexed in;
    in.width = 5;
    in.height = 2;
    in.indices = {1, 2, 3, 4, 5, 15, 0, 15, 0, 15};
    std::vector<uint8_t> four(kpdib::DibStride(5, 4) * 2, 0xEE);
    ASSERT_EQ(4u, kpdib::DibStride(5, 4));
    kpdib::PackIndices(in, 4, four.data());
    EXPECT_EQ((std::vector<uint8_t>{0x12, 0x34, 0x50, 0, 0xF0, 0xF0, 0xF0, 0}), four);

    in.indices = {1, 0, 1, 1, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0};
    in.width = 10;
    std::vector<uint8_t> one(kpdib::DibStride(10, 1) * 2, 0xEE);
    kpdib::PackIndices(in, 1, one.data());
    EXPECT_EQ((std::vector<uint8_t>{0xB0, 0xC0, 0, 0, 0x00, 0x80, 0, 0}), one);
}

TEST(Rle8, EncodingFollowsTheRules)
{
    for (const Fixture &f : Fixtures()) {
        Indexed in;
        kpdib::Reduce256(ImageOf(f), &in);
        std::vector<uint8_t> rle;
        kpdib::EncodeRle8(in.indices.data(), f.width, f.height, &rle);
        // Walk the stream: absolute runs of 3 or more, word-aligned; an end of line after
        // every row but the last; the end of bitmap last of all.
        size_t at = 0;
        int rows = 0, x = 0;
        bool ended = false;
        while (at + 2 <= rle.size() && !ended) {
            uint8_t n = rle[at], v = rle[at + 1];
            at += 2;
            if (n) {
                x += n;
            } else if (v == 0) {
                EXPECT_EQ(f.width, x) << f.name << ": row " << rows << " ends early";
                x = 0;
                ++rows;
            } else if (v == 1) {
                EXPECT_EQ(f.width, x) << f.name;
                ended = true;
                ++rows;
            } else {
                ASSERT_GE(v, 3) << f.name;
                ASSERT_NE(2, v) << f.name << ": no deltas are written";
                x += v;
                at += v + (v & 1);
                EXPECT_EQ(0u, at % 2) << f.name;
            }
        }
        EXPECT_TRUE(ended) << f.name;
        EXPECT_EQ(rle.size(), at) << f.name << ": bytes after the end of bitmap";
        EXPECT_EQ(f.height, rows) << f.name;

        std::vector<uint8_t> decoded(in.indices.size(), 0xEE);
        ASSERT_TRUE(kpdib::DecodeRle8(rle.data(), rle.size(), f.width, f.height, decoded.data()))
            << f.name;
        EXPECT_EQ(in.indices, decoded) << f.name;
    }
}

TEST(Rle8, ImageMagickReadsEveryPixel)
{
    const char *convert = "/usr/bin/convert";
    if (access(convert, X_OK) != 0)
        GTEST_SKIP() << "no ImageMagick";
    char dir[] = "/tmp/kapto-rle-XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(dir));
    for (const Fixture &f : Fixtures()) {
        Indexed in;
        kpdib::Reduce256(ImageOf(f), &in);
        std::vector<uint8_t> rle;
        kpdib::EncodeRle8(in.indices.data(), f.width, f.height, &rle);
        std::string bmp = std::string(dir) + "/in.bmp", raw = std::string(dir) + "/out.rgb";
        WriteRleBmp(bmp.c_str(), in, rle);
        std::string cmd = std::string(convert) + " " + bmp + " -depth 8 rgb:" + raw;
        ASSERT_EQ(0, system(cmd.c_str())) << f.name;
        FILE *r = fopen(raw.c_str(), "rb");
        ASSERT_NE(nullptr, r);
        std::vector<uint8_t> rgb(size_t(f.width) * f.height * 3);
        size_t got = fread(rgb.data(), 1, rgb.size(), r);
        fclose(r);
        ASSERT_EQ(rgb.size(), got) << f.name;
        // ImageMagick gives rows top-down; the BMP holds them bottom-up.
        for (int y = 0; y < f.height; ++y)
            for (int x = 0; x < f.width; ++x) {
                const uint8_t *p = &rgb[(size_t(f.height - 1 - y) * f.width + x) * 3];
                uint32_t c = uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
                ASSERT_EQ(f.pixels[size_t(y) * f.width + x] & 0xFFFFFF, c)
                    << f.name << " at (" << x << ", " << y << ")";
            }
        remove(bmp.c_str());
        remove(raw.c_str());
    }
    rmdir(dir);
}

TEST(Rle8, RandomPicturesRoundTrip)
{
    std::mt19937 rng(11);
    for (int round = 0; round < 300; ++round) {
        int w = 1 + rng() % 700, h = 1 + rng() % 4;
        std::vector<uint8_t> idx(size_t(w) * h);
        // Few values and long stretches, so runs, pairs and literals all occur.
        uint8_t v = 0;
        for (uint8_t &i : idx) {
            if (rng() % 4 == 0)
                v = static_cast<uint8_t>(rng() % 5);
            i = v;
        }
        std::vector<uint8_t> rle, back(idx.size(), 0xEE);
        kpdib::EncodeRle8(idx.data(), w, h, &rle);
        ASSERT_TRUE(kpdib::DecodeRle8(rle.data(), rle.size(), w, h, back.data())) << round;
        ASSERT_EQ(idx, back) << round;
    }
}

TEST(Rle8, DecoderRefusesBrokenData)
{
    uint8_t out[4];
    const std::vector<std::vector<uint8_t>> broken = {
        {},                             // nothing
        {2, 7},                         // no end of bitmap
        {5, 7, 0, 1},                   // run past the row
        {0, 3, 1, 2},                   // absolute run cut short
        {0, 0, 0, 0, 0, 0, 2, 7, 0, 1}, // rows past the picture
    };
    for (const auto &b : broken)
        EXPECT_FALSE(kpdib::DecodeRle8(b.data(), b.size(), 4, 1, out));
}
