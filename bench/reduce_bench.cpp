// Colour reduction of screenshot-like pictures: our kernels against Debian's ImageMagick
// doing the same job, and against copying the same bytes with memcpy.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

#include "kernels/kernels.h"
#include "screenshot.h"

namespace {

using Clock = std::chrono::steady_clock;

template <typename F>
double BestMs(int rounds, F f)
{
    double best = 1e30;
    for (int i = 0; i < rounds; ++i) {
        auto t = Clock::now();
        f();
        double ms = std::chrono::duration<double, std::milli>(Clock::now() - t).count();
        if (ms < best)
            best = ms;
    }
    return best;
}

void WriteBmp24(const char *path, const std::vector<uint32_t> &px, int w, int h)
{
    size_t stride = (size_t(w) * 3 + 3) & ~size_t(3);
    std::vector<uint8_t> file(54 + stride * h, 0);
    auto put32 = [&](size_t at, uint32_t v) { memcpy(&file[at], &v, 4); };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<uint32_t>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, w);
    put32(22, h);
    file[26] = 1;
    file[28] = 24;
    for (int y = 0; y < h; ++y) // bottom-up
        for (int x = 0; x < w; ++x) {
            uint32_t c = px[size_t(h - 1 - y) * w + x];
            uint8_t *d = &file[54 + y * stride + x * 3];
            d[0] = c & 0xFF;
            d[1] = (c >> 8) & 0xFF;
            d[2] = (c >> 16) & 0xFF;
        }
    FILE *f = fopen(path, "wb");
    fwrite(file.data(), 1, file.size(), f);
    fclose(f);
}

double ConvertMs(const std::string &args)
{
    double best = 1e30;
    for (int i = 0; i < 3; ++i) {
        auto t = Clock::now();
        if (system(args.c_str()) != 0)
            return -1;
        double ms = std::chrono::duration<double, std::milli>(Clock::now() - t).count();
        if (ms < best)
            best = ms;
    }
    return best;
}

} // namespace

int main()
{
    const char *convert = "/usr/bin/convert";
    bool haveConvert = access(convert, X_OK) == 0;
    printf("%-10s %-12s %8s %11s %8s %10s %9s %10s %9s\n", "picture", "job", "ours ms",
           "convert ms", "speedup", "memcpy ms", "x memcpy", "fresh ms", "x fresh");
    const int sizes[2][2] = {{1920, 1080}, {3840, 2160}};
    for (const auto &size : sizes) {
        int w = size[0], h = size[1];
        std::vector<uint32_t> px = MakeScreenshot(w, h);
        kpdib::Image32 image{px.data(), w, h, w};
        std::vector<uint32_t> copy(px.size());
        // memcpy into a buffer already touched, so the figure is the copy and not page faults.
        double memcpyMs = BestMs(10, [&] {
            memcpy(copy.data(), px.data(), px.size() * 4);
            __asm__ volatile("" ::"r"(copy.data()) : "memory");
        });
        // The same copy into new memory each time, as a conversion that returns new data
        // pays for it.
        double freshMs = BestMs(10, [&] {
            std::vector<uint32_t> fresh(px.size());
            memcpy(fresh.data(), px.data(), px.size() * 4);
            __asm__ volatile("" ::"r"(fresh.data()) : "memory");
        });

        std::string bmp = "/tmp/kapto-bench-" + std::to_string(w) + ".bmp";
        WriteBmp24(bmp.c_str(), px, w, h);

        kpdib::Indexed indexed;
        std::vector<uint8_t> rle;
        double ms256 = BestMs(5, [&] {
            kpdib::Reduce256(image, &indexed);
            kpdib::EncodeRle8(indexed.indices.data(), w, h, &rle);
        });
        int colours256 = indexed.colours;
        std::vector<uint8_t> packed;
        double ms16 = BestMs(5, [&] {
            kpdib::Reduce16(image, &indexed);
            packed.resize(kpdib::DibStride(w, 4) * h);
            kpdib::PackIndices(indexed, 4, packed.data());
        });

        struct Row {
            const char *job;
            double ours;
            std::string convertArgs;
        } rows[] = {
            {"256 RLE8", ms256,
             std::string(convert) + " " + bmp +
                 " +dither -colors 256 -compress RLE BMP3:/tmp/kapto-bench-out.bmp"},
            {"16 colours", ms16,
             std::string(convert) + " " + bmp +
                 " +dither -colors 16 BMP3:/tmp/kapto-bench-out.bmp"},
        };
        char name[32];
        snprintf(name, sizeof name, "%dx%d", w, h);
        for (const Row &r : rows) {
            double conv = haveConvert ? ConvertMs(r.convertArgs) : -1;
            printf("%-10s %-12s %8.2f %11.1f %7.1fx %10.3f %8.1fx %10.3f %8.1fx\n", name, r.job,
                   r.ours, conv, conv > 0 ? conv / r.ours : 0.0, memcpyMs, r.ours / memcpyMs,
                   freshMs, r.ours / freshMs);
        }
        printf("%-10s 256 colours: %d in the palette, RLE8 %zu bytes (%.1f%% of 8-bit)\n", name,
               colours256, rle.size(), 100.0 * rle.size() / (double(w) * h));
        remove(bmp.c_str());
    }
    remove("/tmp/kapto-bench-out.bmp");
    printf("memcpy: into a buffer already in use; fresh: into new memory, page faults "
           "included.\nTargets: at least 10 x faster than convert, within 4 x memcpy.\n");
    if (!haveConvert)
        printf("(no %s: install the imagemagick package for the comparison)\n", convert);
    return 0;
}
