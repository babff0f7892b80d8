#include "kernels.h"

#include <algorithm>
#include <string.h>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace kpdib {

const PaletteEntry kStandard16[16] = {
    {0x00, 0x00, 0x00, 0}, {0x00, 0x00, 0x80, 0}, {0x00, 0x80, 0x00, 0}, {0x00, 0x80, 0x80, 0},
    {0x80, 0x00, 0x00, 0}, {0x80, 0x00, 0x80, 0}, {0x80, 0x80, 0x00, 0}, {0xC0, 0xC0, 0xC0, 0},
    {0x80, 0x80, 0x80, 0}, {0x00, 0x00, 0xFF, 0}, {0x00, 0xFF, 0x00, 0}, {0x00, 0xFF, 0xFF, 0},
    {0xFF, 0x00, 0x00, 0}, {0xFF, 0x00, 0xFF, 0}, {0xFF, 0xFF, 0x00, 0}, {0xFF, 0xFF, 0xFF, 0},
};

namespace {

inline int Red(uint32_t c)
{
    return (c >> 16) & 0xFF;
}
inline int Green(uint32_t c)
{
    return (c >> 8) & 0xFF;
}
inline int Blue(uint32_t c)
{
    return c & 0xFF;
}

PaletteEntry Entry(uint32_t c)
{
    return PaletteEntry{static_cast<uint8_t>(Blue(c)), static_cast<uint8_t>(Green(c)),
                        static_cast<uint8_t>(Red(c)), 0};
}

int Distance(uint32_t c, const PaletteEntry &p)
{
    int dr = Red(c) - p.red, dg = Green(c) - p.green, db = Blue(c) - p.blue;
    return dr * dr + dg * dg + db * db;
}

int Nearest(uint32_t c, const PaletteEntry *palette, int count)
{
    int best = 0, bestDistance = Distance(c, palette[0]);
    for (int i = 1; i < count && bestDistance; ++i) {
        int d = Distance(c, palette[i]);
        if (d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

void Prepare(const Image32 &image, Indexed *out)
{
    out->width = image.width;
    out->height = image.height;
    out->indices.resize(size_t(image.width) * image.height);
    out->colours = 0;
    memset(out->palette, 0, sizeof out->palette);
}

// End of the run of colour c that starts at x.
inline int RunEnd(const uint32_t *row, int x, int width, uint32_t c)
{
    int end = x + 1;
#ifdef __SSE2__
    // Four pixels a step: interface pictures are mostly long runs.
    const __m128i key = _mm_set1_epi32(static_cast<int>(c));
    const __m128i mask = _mm_set1_epi32(0x00FFFFFF);
    while (end + 4 <= width) {
        __m128i v =
            _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i *>(row + end)), mask);
        int same = _mm_movemask_epi8(_mm_cmpeq_epi32(v, key));
        if (same != 0xFFFF)
            return end + (__builtin_ctz(~same) >> 2);
        end += 4;
    }
#endif
    while (end < width && Rgb(row[end]) == c)
        ++end;
    return end;
}

// Calls run(colour, first, count) for every run of equal colours of every row; flat
// interface colours come in long runs, so most of the work is done once per run.
template <typename Run>
void ForEachRun(const Image32 &image, Run run)
{
    for (int y = 0; y < image.height; ++y) {
        const uint32_t *row = image.pixels + y * image.stride;
        size_t base = size_t(y) * image.width;
        int x = 0;
        while (x < image.width) {
            uint32_t c = Rgb(row[x]);
            int end = RunEnd(row, x, image.width, c);
            run(c, base + x, end - x);
            x = end;
        }
    }
}

// Open-addressing table from colour to a slot number, with a count per colour.
class ColourTable {
  public:
    explicit ColourTable(int capacity) : capacity_(capacity)
    {
        int size = 1;
        while (size < capacity * 2)
            size <<= 1;
        mask_ = size - 1;
        keys_.assign(size, kEmpty);
        values_.assign(size, 0);
        counts_.assign(size, 0);
    }

    // Adds `count` pixels of colour c; false when c is new and the table is full.
    bool Add(uint32_t c, uint32_t count)
    {
        uint32_t i = Probe(c);
        if (keys_[i] == kEmpty) {
            if (size_ == capacity_)
                return false;
            keys_[i] = c;
            ++size_;
        }
        counts_[i] += count;
        return true;
    }

    // The value stored for c, or -1 when c is absent.
    int Find(uint32_t c) const
    {
        uint32_t i = Probe(c);
        return keys_[i] == kEmpty ? -1 : values_[i];
    }

    void Set(uint32_t c, int value)
    {
        uint32_t i = Probe(c);
        if (keys_[i] == kEmpty) {
            keys_[i] = c;
            ++size_;
        }
        values_[i] = value;
    }

    // Counts more pixels of c when c is already in the table.
    void AddExisting(uint32_t c, uint32_t count)
    {
        uint32_t i = Probe(c);
        if (keys_[i] != kEmpty)
            counts_[i] += count;
    }

    int size() const
    {
        return size_;
    }

    template <typename F>
    void ForEach(F f) const
    {
        for (size_t i = 0; i < keys_.size(); ++i)
            if (keys_[i] != kEmpty)
                f(keys_[i], counts_[i]);
    }

  private:
    static constexpr uint32_t kEmpty = 0xFFFFFFFFu; // never a 24-bit colour

    uint32_t Probe(uint32_t c) const
    {
        uint32_t i = (c * 0x9E3779B1u) >> 7 & mask_;
        while (keys_[i] != kEmpty && keys_[i] != c)
            i = (i + 1) & mask_;
        return i;
    }

    int capacity_, size_ = 0;
    uint32_t mask_;
    std::vector<uint32_t> keys_;
    std::vector<int> values_;
    std::vector<uint32_t> counts_;
};

// Histogram cell of the adaptive palette when the picture has too many colours to count
// one by one: 5 bits of red, 6 of green, 5 of blue.
inline uint32_t Cell(uint32_t c)
{
    return (c >> 8 & 0xF800) | (c >> 5 & 0x07E0) | (c >> 3 & 0x001F);
}

// One input of the median cut: an exact colour, or a histogram cell with its sums.
struct CellStats {
    uint32_t key; // the colour, or the cell number
    uint64_t count, red, green, blue;
    uint8_t mean[3]; // red, green, blue averages, set by Finish

    void Finish()
    {
        mean[0] = static_cast<uint8_t>(red / count);
        mean[1] = static_cast<uint8_t>(green / count);
        mean[2] = static_cast<uint8_t>(blue / count);
    }
    uint32_t colour() const
    {
        return uint32_t(mean[0]) << 16 | uint32_t(mean[1]) << 8 | mean[2];
    }
};

struct Box {
    size_t begin, end; // range of cells
    uint64_t count;
    int axis, range;
};

Box MakeBox(std::vector<CellStats> &cells, size_t begin, size_t end)
{
    Box b{begin, end, 0, 0, 0};
    int lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0};
    for (size_t i = begin; i < end; ++i) {
        b.count += cells[i].count;
        for (int a = 0; a < 3; ++a) {
            int v = cells[i].mean[a];
            lo[a] = std::min(lo[a], v);
            hi[a] = std::max(hi[a], v);
        }
    }
    for (int a = 0; a < 3; ++a)
        if (hi[a] - lo[a] > b.range) {
            b.range = hi[a] - lo[a];
            b.axis = a;
        }
    return b;
}

// Median cut over the histogram cells: split the box with the most pixels times extent at
// the weighted median of its longest axis until `wanted` boxes exist. Returns the boxes.
std::vector<Box> MedianCut(std::vector<CellStats> &cells, int wanted)
{
    std::vector<Box> boxes;
    if (cells.empty() || wanted <= 0)
        return boxes;
    boxes.push_back(MakeBox(cells, 0, cells.size()));
    while (static_cast<int>(boxes.size()) < wanted) {
        int pick = -1;
        double best = 0;
        for (size_t i = 0; i < boxes.size(); ++i) {
            const Box &b = boxes[i];
            double score = double(b.count) * b.range;
            if (b.end - b.begin > 1 && b.range > 0 && score > best) {
                best = score;
                pick = static_cast<int>(i);
            }
        }
        if (pick < 0)
            break;
        // Weighted median along the longest axis, found through a histogram of that axis
        // and a partition: linear in the cells, where sorting them would not be.
        Box b = boxes[pick];
        int axis = b.axis;
        uint64_t weight[256] = {};
        int lo = 255, hi = 0;
        for (size_t i = b.begin; i < b.end; ++i) {
            int v = cells[i].mean[axis];
            weight[v] += cells[i].count;
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
        uint64_t half = b.count / 2, seen = 0;
        int median = lo;
        for (int v = lo; v <= hi; ++v) {
            seen += weight[v];
            median = v;
            if (seen >= half)
                break;
        }
        if (median >= hi)
            median = hi - 1; // both halves keep at least one cell
        size_t split = static_cast<size_t>(
            std::partition(cells.begin() + b.begin, cells.begin() + b.end,
                           [&](const CellStats &c) { return c.mean[axis] <= median; }) -
            cells.begin());
        boxes[pick] = MakeBox(cells, b.begin, split);
        boxes.push_back(MakeBox(cells, split, b.end));
    }
    return boxes;
}

template <typename Lookup>
void MapRuns(const Image32 &image, Indexed *out, Lookup lookup)
{
    uint8_t *indices = out->indices.data();
    ForEachRun(image, [&](uint32_t c, size_t first, int count) {
        memset(indices + first, lookup(c), count);
    });
}

} // namespace

void Reduce256(const Image32 &image, Indexed *out)
{
    Prepare(image, out);
    if (image.width <= 0 || image.height <= 0)
        return;

    // Count the exact colours, up to a bound: enough to keep every colour of a picture
    // with few, and to find the flat colours of one with many.
    const int kTracked = 16384;
    ColourTable exact(kTracked);
    uint64_t total = 0;
    bool overflow = false;
    // The 5-6-5 histogram serves only pictures with too many colours to count one by one;
    // it is filled from the moment the count overflows, with what was counted until then.
    std::vector<CellStats> histogram;
    auto addToCell = [](CellStats &s, uint32_t c, uint64_t n) {
        s.count += n;
        s.red += uint64_t(Red(c)) * n;
        s.green += uint64_t(Green(c)) * n;
        s.blue += uint64_t(Blue(c)) * n;
    };
    ForEachRun(image, [&](uint32_t c, size_t, int count) {
        total += count;
        if (!overflow) {
            if (exact.Add(c, count))
                return;
            overflow = true;
            histogram.assign(65536, CellStats{});
            exact.ForEach([&](uint32_t k, uint32_t n) { addToCell(histogram[Cell(k)], k, n); });
        }
        addToCell(histogram[Cell(c)], c, count);
        // Past the bound only runs are counted exactly: flat colours come in runs, the
        // single pixels of a photograph are not worth a look-up each.
        if (count > 1)
            exact.AddExisting(c, count);
    });

    if (!overflow && exact.size() <= 256) {
        std::vector<std::pair<uint32_t, uint32_t>> colours;
        exact.ForEach([&](uint32_t c, uint32_t n) { colours.push_back({n, c}); });
        // Most frequent first, then by colour: the same picture always gives one palette.
        std::sort(colours.begin(), colours.end(), [](const auto &a, const auto &b) {
            return a.first != b.first ? a.first > b.first : a.second < b.second;
        });
        for (size_t i = 0; i < colours.size(); ++i) {
            out->palette[i] = Entry(colours[i].second);
            exact.Set(colours[i].second, static_cast<int>(i));
        }
        out->colours = static_cast<int>(colours.size());
        MapRuns(image, out, [&](uint32_t c) { return static_cast<uint8_t>(exact.Find(c)); });
        return;
    }

    // Flat colours that cover a noticeable part of the picture keep their exact value.
    std::vector<std::pair<uint32_t, uint32_t>> frequent;
    exact.ForEach([&](uint32_t c, uint32_t n) {
        if (n >= 16 && uint64_t(n) * 512 >= total)
            frequent.push_back({n, c});
    });
    std::sort(frequent.begin(), frequent.end(), [](const auto &a, const auto &b) {
        return a.first != b.first ? a.first > b.first : a.second < b.second;
    });
    const size_t kMaxReserved = 32;
    if (frequent.size() > kMaxReserved)
        frequent.resize(kMaxReserved);
    ColourTable reserved(static_cast<int>(kMaxReserved));
    int colours = 0;
    for (const auto &f : frequent) {
        out->palette[colours] = Entry(f.second);
        reserved.Set(f.second, colours++);
    }
    const int flat = colours;

    // The median cut divides the other colours: one by one when they could all be counted,
    // else through the histogram, less the pixels of the kept flat colours.
    bool counted = !overflow;
    std::vector<CellStats> cells;
    if (counted) {
        exact.ForEach([&](uint32_t c, uint32_t n) {
            if (reserved.Find(c) < 0) {
                CellStats s{c, 0, 0, 0, 0, {}};
                addToCell(s, c, n);
                s.Finish();
                cells.push_back(s);
            }
        });
    } else {
        for (const auto &f : frequent) {
            CellStats &s = histogram[Cell(f.second)];
            uint64_t n = std::min<uint64_t>(f.first, s.count);
            s.count -= n;
            s.red -= std::min(s.red, uint64_t(Red(f.second)) * n);
            s.green -= std::min(s.green, uint64_t(Green(f.second)) * n);
            s.blue -= std::min(s.blue, uint64_t(Blue(f.second)) * n);
        }
        for (uint32_t i = 0; i < histogram.size(); ++i)
            if (histogram[i].count) {
                histogram[i].key = i;
                histogram[i].Finish();
                cells.push_back(histogram[i]);
            }
    }
    // Sorted by key first, so the result does not depend on the hash table's order.
    std::sort(cells.begin(), cells.end(),
              [](const CellStats &a, const CellStats &b) { return a.key < b.key; });
    std::vector<Box> boxes = MedianCut(cells, 256 - colours);

    std::vector<uint8_t> entryOf(cells.size());
    for (const Box &b : boxes) {
        uint64_t r = 0, g = 0, bl = 0;
        for (size_t i = b.begin; i < b.end; ++i) {
            r += cells[i].red;
            g += cells[i].green;
            bl += cells[i].blue;
            entryOf[i] = static_cast<uint8_t>(colours);
        }
        uint32_t mean = uint32_t((r + b.count / 2) / b.count) << 16 |
                        uint32_t((g + b.count / 2) / b.count) << 8 |
                        uint32_t((bl + b.count / 2) / b.count);
        out->palette[colours++] = Entry(mean);
    }
    out->colours = colours;

    // A cell may lie nearer to a kept flat colour than to its box's mean.
    std::vector<uint8_t> lut(counted ? 0 : 65536, 0);
    for (size_t i = 0; i < cells.size(); ++i) {
        uint32_t mean = cells[i].colour();
        int index = entryOf[i];
        if (flat) {
            int nearFlat = Nearest(mean, out->palette, flat);
            if (Distance(mean, out->palette[nearFlat]) < Distance(mean, out->palette[index]))
                index = nearFlat;
        }
        if (counted)
            exact.Set(cells[i].key, index);
        else
            lut[cells[i].key] = static_cast<uint8_t>(index);
    }

    if (counted) {
        for (const auto &f : frequent)
            exact.Set(f.second, reserved.Find(f.second));
        MapRuns(image, out, [&](uint32_t c) { return static_cast<uint8_t>(exact.Find(c)); });
    } else {
        MapRuns(image, out, [&](uint32_t c) {
            int index = reserved.Find(c);
            return static_cast<uint8_t>(index >= 0 ? index : lut[Cell(c)]);
        });
    }
}

void Reduce16(const Image32 &image, Indexed *out)
{
    Prepare(image, out);
    memcpy(out->palette, kStandard16, sizeof kStandard16);
    out->colours = 16;
    // Direct-mapped cache of nearest entries: interface pictures reuse few colours.
    const uint32_t kCache = 4096;
    std::vector<uint32_t> keys(kCache, 0xFFFFFFFFu);
    std::vector<uint8_t> values(kCache);
    MapRuns(image, out, [&](uint32_t c) {
        uint32_t slot = (c * 0x9E3779B1u) >> 20;
        if (keys[slot] != c) {
            keys[slot] = c;
            values[slot] = static_cast<uint8_t>(Nearest(c, kStandard16, 16));
        }
        return values[slot];
    });
}

void ReduceMono(const Image32 &image, Indexed *out)
{
    Prepare(image, out);
    out->palette[0] = PaletteEntry{0, 0, 0, 0};
    out->palette[1] = PaletteEntry{0xFF, 0xFF, 0xFF, 0};
    out->colours = 2;
    MapRuns(image, out, [](uint32_t c) {
        return static_cast<uint8_t>(299 * Red(c) + 587 * Green(c) + 114 * Blue(c) >= 127500);
    });
}

} // namespace kpdib
