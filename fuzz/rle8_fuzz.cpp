// RLE8: the decoder takes any bytes without reading or writing out of bounds, and whatever
// the encoder makes of any indices decodes back to them.
#include <stdint.h>
#include <string.h>

#include <vector>

#include "kernels/kernels.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    int width = 1 + data[0] % 64, height = 1 + data[1] % 8;
    data += 2;
    size -= 2;

    std::vector<uint8_t> out(size_t(width) * height);
    kpdib::DecodeRle8(data, size, width, height, out.data());

    std::vector<uint8_t> indices(size_t(width) * height, 0);
    memcpy(indices.data(), data, size < indices.size() ? size : indices.size());
    std::vector<uint8_t> rle, back(indices.size(), 0xEE);
    kpdib::EncodeRle8(indices.data(), width, height, &rle);
    if (!kpdib::DecodeRle8(rle.data(), rle.size(), width, height, back.data()) || back != indices)
        __builtin_trap();
    return 0;
}
