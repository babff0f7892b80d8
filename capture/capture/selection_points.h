// The point list of a drawn selection, bounded to its fixed buffer. Pure logic, no
// windows.h: it works on any point type with x and y members (POINT in the program).
#pragma once

enum { kSelectionCapacity = 10000 };

// State of a free-hand trail beyond the plain count: a trace longer than the buffer keeps
// its whole outline at a coarser step instead of writing past the end or losing its tail.
struct TrailState {
    int step = 1; // one point kept for every `step` moves
    int seen = 0; // moves since the first point
};

// Appends a polygon corner; past the buffer further corners are refused (false).
template <typename P>
bool AppendCorner(P *points, int *count, int capacity, P p)
{
    if (*count >= capacity)
        return false;
    points[(*count)++] = p;
    return true;
}

// Appends a point of a free-hand trail. When the buffer is full every other point is
// dropped and from then on only every other move is kept, and so on.
template <typename P>
void AppendTrailPoint(P *points, int *count, int capacity, TrailState *state, P p)
{
    if (++state->seen % state->step != 0)
        return;
    if (*count >= capacity) {
        int kept = 0;
        for (int i = 0; i < *count; i += 2)
            points[kept++] = points[i];
        *count = kept;
        state->step *= 2;
        if (state->seen % state->step != 0)
            return;
    }
    points[(*count)++] = p;
}

// Ends a trail at the point where the button went up, so the outline reaches it even when
// the step had passed it over.
template <typename P>
void EndTrail(P *points, int *count, int capacity, TrailState *state, P p)
{
    if (*count > 0 && points[*count - 1].x == p.x && points[*count - 1].y == p.y)
        return;
    if (*count >= capacity) {
        state->seen = 0;
        state->step = 1;
        points[*count - 1] = p;
        return;
    }
    points[(*count)++] = p;
}
