// Colour reduction of any small picture: every index names a palette entry, and a picture of
// at most 256 colours comes back exactly.
#include <stdint.h>
#include <string.h>

#include <set>
#include <vector>

#include "kernels/kernels.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    int width = 1 + data[0] % 40, height = 1 + data[1] % 40;
    data += 2;
    size -= 2;
    std::vector<uint32_t> px(size_t(width) * height, 0);
    // Three bytes a pixel, repeated over the picture so short inputs still fill it.
    for (size_t i = 0; i < px.size() && size >= 3; ++i) {
        const uint8_t *p = data + (i * 3) % (size - size % 3);
        px[i] = uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2] | (i % 7 ? 0xAB000000u : 0);
    }
    kpdib::Image32 image{px.data(), width, height, width};
    std::set<uint32_t> distinct;
    for (uint32_t c : px)
        distinct.insert(c & 0xFFFFFF);

    kpdib::Indexed out;
    kpdib::Reduce256(image, &out);
    for (size_t i = 0; i < px.size(); ++i) {
        if (out.indices[i] >= out.colours)
            __builtin_trap();
        const kpdib::PaletteEntry &e = out.palette[out.indices[i]];
        uint32_t c = uint32_t(e.red) << 16 | uint32_t(e.green) << 8 | e.blue;
        if (distinct.size() <= 256 && c != (px[i] & 0xFFFFFF))
            __builtin_trap();
    }
    kpdib::Reduce16(image, &out);
    for (uint8_t i : out.indices)
        if (i >= 16)
            __builtin_trap();
    kpdib::ReduceMono(image, &out);
    std::vector<uint8_t> packed(kpdib::DibStride(width, 1) * height);
    kpdib::PackIndices(out, 1, packed.data());
    return 0;
}
