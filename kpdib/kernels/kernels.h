// Pixel kernels of the bitmap library: colour reduction, packing and RLE8. No windows.h, so
// they build natively for unit tests, sanitizers, fuzzing and the benchmark.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <vector>

namespace kpdib {

// A 32-bit pixel as a DIB stores it: blue in the low byte, then green, red, and one unused
// byte, which the kernels ignore.
inline uint32_t Rgb(uint32_t pixel)
{
    return pixel & 0x00FFFFFFu;
}

// A colour-table entry, laid out as RGBQUAD.
struct PaletteEntry {
    uint8_t blue, green, red, reserved;
};

// Pixels of width x height, `stride` pixels from one row to the next, rows in any order
// (the kernels keep it).
struct Image32 {
    const uint32_t *pixels;
    int width, height;
    ptrdiff_t stride;
};

// One palette index per pixel, rows in the image's order, `width` bytes a row.
struct Indexed {
    int width = 0, height = 0;
    std::vector<uint8_t> indices;
    PaletteEntry palette[256] = {};
    int colours = 0;
};

// At most 256 colours: a picture that has no more keeps every colour exactly, in a palette
// of its own; one with more gets an adaptive palette (its most frequent flat colours kept
// exactly, the rest by median cut) and nearest-colour mapping without dithering, so text
// stays crisp.
void Reduce256(const Image32 &image, Indexed *out);

// The standard 16-colour palette, each pixel mapped to its nearest entry.
void Reduce16(const Image32 &image, Indexed *out);
extern const PaletteEntry kStandard16[16];

// Black and white: white where the luminance (0.299 R + 0.587 G + 0.114 B) is at least half.
void ReduceMono(const Image32 &image, Indexed *out);

// Bytes of one DIB row of `width` pixels at `bits` per pixel, aligned to four bytes.
size_t DibStride(int width, int bits);

// Packs indices into DIB rows of 1, 4 or 8 bits per pixel (`DibStride` bytes each, padding
// zero). `out` must hold DibStride(width, bits) * height bytes.
void PackIndices(const Indexed &in, int bits, uint8_t *out);

// BI_RLE8 encoding of width x height indices, rows in DIB order (bottom-up as stored):
// encoded runs of up to 255, absolute runs of 3 to 255 padded to a word, an end of line
// after every row but the last and an end of bitmap after it.
void EncodeRle8(const uint8_t *indices, int width, int height, std::vector<uint8_t> *out);

// Decodes BI_RLE8 data into width x height indices (pixels not written stay 0), following
// every rule a reader must, deltas included. Returns false for data that runs out, writes
// outside the picture or lacks its end of bitmap.
bool DecodeRle8(const uint8_t *data, size_t size, int width, int height, uint8_t *out);

} // namespace kpdib
