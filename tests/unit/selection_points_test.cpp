#include <gtest/gtest.h>

#include <vector>

#include "capture/selection_points.h"

namespace {

struct Pt {
    int x, y;
};

} // namespace

TEST(SelectionPoints, TrailWithinTheBufferKeepsEveryMove)
{
    std::vector<Pt> points(kSelectionCapacity);
    int count = 1;
    points[0] = {0, 0};
    TrailState state;
    for (int i = 1; i < 500; ++i)
        AppendTrailPoint(points.data(), &count, kSelectionCapacity, &state, Pt{i, 2 * i});
    EndTrail(points.data(), &count, kSelectionCapacity, &state, Pt{499, 998});
    ASSERT_EQ(500, count) << "one point for the press and one per move, the end not twice";
    for (int i = 0; i < count; ++i)
        EXPECT_EQ(i, points[i].x);
}

TEST(SelectionPoints, LongTrailStaysInsideTheBufferAndKeepsItsOutline)
{
    // A guard zone after the buffer shows any write past its end.
    const int kGuard = 64;
    const int cap = kSelectionCapacity;
    for (int moves : {cap - 1, cap, cap + 1, 3 * cap + 17, 100000}) {
        SCOPED_TRACE(moves);
        std::vector<Pt> points(kSelectionCapacity + kGuard, Pt{-7, -7});
        int count = 1;
        points[0] = {0, 0};
        TrailState state;
        for (int i = 1; i <= moves; ++i) {
            AppendTrailPoint(points.data(), &count, kSelectionCapacity, &state, Pt{i, i % 97});
            ASSERT_LE(count, kSelectionCapacity);
        }
        EndTrail(points.data(), &count, kSelectionCapacity, &state, Pt{moves, moves % 97});
        ASSERT_LE(count, kSelectionCapacity);
        for (int g = 0; g < kGuard; ++g)
            ASSERT_EQ(-7, points[kSelectionCapacity + g].x) << "written past the buffer";
        // The outline still runs from the press to the release, in order, evenly spread.
        EXPECT_EQ(0, points[0].x);
        EXPECT_EQ(moves, points[count - 1].x);
        EXPECT_GE(count, kSelectionCapacity / 2 - 1);
        for (int i = 1; i < count; ++i)
            ASSERT_LT(points[i - 1].x, points[i].x);
    }
}

TEST(SelectionPoints, PolygonRefusesCornersPastTheBuffer)
{
    std::vector<Pt> points(kSelectionCapacity + 1, Pt{-7, -7});
    int count = 0;
    for (int i = 0; i < kSelectionCapacity; ++i)
        ASSERT_TRUE(AppendCorner(points.data(), &count, kSelectionCapacity, Pt{i, i}));
    EXPECT_FALSE(AppendCorner(points.data(), &count, kSelectionCapacity, Pt{1, 1}));
    EXPECT_EQ(kSelectionCapacity, count);
    EXPECT_EQ(-7, points[kSelectionCapacity].x);
}
