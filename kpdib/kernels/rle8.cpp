#include "kernels.h"

#include <string.h>

namespace kpdib {

namespace {

// Length of the run of equal indices starting at `at`, at most 255.
int RunLength(const uint8_t *row, int at, int width)
{
    int end = at + 1;
    int limit = at + 255 < width ? at + 255 : width;
    // Eight indices a step: most of a screenshot is long runs.
    uint64_t key = 0x0101010101010101ull * row[at];
    while (end + 8 <= limit) {
        uint64_t v;
        memcpy(&v, row + end, 8);
        uint64_t diff = v ^ key;
        if (diff)
            return end + (__builtin_ctzll(diff) >> 3) - at;
        end += 8;
    }
    while (end < limit && row[end] == row[at])
        ++end;
    return end - at;
}

} // namespace

void EncodeRle8(const uint8_t *indices, int width, int height, std::vector<uint8_t> *out)
{
    out->clear();
    out->reserve(size_t(width) * height / 8 + 2 * size_t(height) + 2);
    for (int y = 0; y < height; ++y) {
        const uint8_t *row = indices + size_t(y) * width;
        int x = 0;
        while (x < width) {
            int run = RunLength(row, x, width);
            if (run >= 3) {
                out->push_back(static_cast<uint8_t>(run));
                out->push_back(row[x]);
                x += run;
                continue;
            }
            // Gather pixels that are not worth a run of their own, up to the next run of
            // three: absolute mode takes 3 to 255 of them, fewer go out as short runs.
            int end = x;
            while (end < width && end - x < 255) {
                int r = RunLength(row, end, width);
                if (r >= 3)
                    break;
                end += r;
            }
            if (end - x > 255)
                end = x + 255;
            int literal = end - x;
            if (literal >= 3) {
                out->push_back(0);
                out->push_back(static_cast<uint8_t>(literal));
                out->insert(out->end(), row + x, row + end);
                if (literal & 1)
                    out->push_back(0); // absolute runs end on a word boundary
            } else {
                for (int i = x; i < end;) {
                    int r = RunLength(row, i, end);
                    out->push_back(static_cast<uint8_t>(r));
                    out->push_back(row[i]);
                    i += r;
                }
            }
            x = end;
        }
        out->push_back(0);
        out->push_back(y + 1 < height ? 0 : 1);
    }
    if (height <= 0) {
        out->push_back(0);
        out->push_back(1);
    }
}

bool DecodeRle8(const uint8_t *data, size_t size, int width, int height, uint8_t *out)
{
    size_t at = 0;
    int x = 0, y = 0;
    while (at + 2 <= size) {
        uint8_t count = data[at], value = data[at + 1];
        at += 2;
        if (count) {
            if (y >= height || x + count > width)
                return false;
            for (int i = 0; i < count; ++i)
                out[size_t(y) * width + x++] = value;
            continue;
        }
        switch (value) {
        case 0: // end of line
            x = 0;
            ++y;
            break;
        case 1: // end of bitmap
            return true;
        case 2: // delta
            if (at + 2 > size)
                return false;
            x += data[at];
            y += data[at + 1];
            at += 2;
            if (x > width || y > height)
                return false;
            break;
        default: // absolute run, padded to a word
            if (at + value > size || y >= height || x + value > width)
                return false;
            for (int i = 0; i < value; ++i)
                out[size_t(y) * width + x++] = data[at + i];
            at += value + (value & 1);
            break;
        }
    }
    return false;
}

} // namespace kpdib
