#include "kernels.h"

#include <string.h>

namespace kpdib {

size_t DibStride(int width, int bits)
{
    return ((size_t(width) * bits + 31) / 32) * 4;
}

void PackIndices(const Indexed &in, int bits, uint8_t *out)
{
    size_t stride = DibStride(in.width, bits);
    for (int y = 0; y < in.height; ++y) {
        const uint8_t *src = in.indices.data() + size_t(y) * in.width;
        uint8_t *row = out + size_t(y) * stride;
        memset(row, 0, stride);
        switch (bits) {
        case 8:
            memcpy(row, src, in.width);
            break;
        case 4:
            for (int x = 0; x < in.width; ++x)
                row[x >> 1] |= static_cast<uint8_t>((src[x] & 0x0F) << (x & 1 ? 0 : 4));
            break;
        case 1:
            for (int x = 0; x < in.width; ++x)
                row[x >> 3] |= static_cast<uint8_t>((src[x] & 1) << (7 - (x & 7)));
            break;
        }
    }
}

} // namespace kpdib
