#include "platform/linux/output_areas.h"

namespace {

// Whether b touches a's right edge (horizontal) or its bottom edge, along
// some length: a corner alone is no neighbour.
bool Touches(const OutputArea& a, const OutputArea& b, bool horizontal) {
    if (horizontal) {
        return b.x == a.x + a.width && b.y < a.y + a.height && a.y < b.y + b.height;
    }
    return b.y == a.y + a.height && b.x < a.x + a.width && a.x < b.x + b.width;
}

// Moves by shift each output that touches the far edge of one that moves,
// from areas[start] on; areas[fixed], unless it is the start, neither moves
// nor carries others.
void Follow(const OutputArea* areas, int count, int start, int fixed, bool horizontal, int shift,
            OutputArea* placed) {
    bool moving[kMaxOutputAreas] = {};
    moving[start] = true;
    for (bool again = shift != 0; again;) {
        again = false;
        for (int i = 0; i < count; ++i) {
            for (int m = 0; m < count && !moving[i] && i != fixed; ++m) {
                if (moving[m] && Touches(areas[m], areas[i], horizontal)) {
                    moving[i] = again = true;
                    (horizontal ? placed[i].x : placed[i].y) += shift;
                }
            }
        }
    }
}

// The least shift that brings [from, from + length) to overlap [at, at + span)
// by a pixel; 0 when they overlap already.
int Rejoin(int at, int span, int from, int length) {
    if (from >= at + span) {
        return at + span - 1 - from;
    }
    return from + length <= at ? at - (from + length) + 1 : 0;
}

} // namespace

void TurnedLayout(const OutputArea* areas, int count, int turned, bool swap, OutputArea* placed) {
    count = count < kMaxOutputAreas ? count : kMaxOutputAreas;
    for (int i = 0; i < count; ++i) {
        placed[i] = areas[i];
    }
    if (swap) {
        placed[turned].width = areas[turned].height;
        placed[turned].height = areas[turned].width;
    }
    const OutputArea& was = areas[turned];
    const OutputArea& now = placed[turned];
    Follow(areas, count, turned, turned, true, now.width - was.width, placed);
    Follow(areas, count, turned, turned, false, now.height - was.height, placed);
    // A side that got shorter can leave a neighbour beside it with no edge in
    // common: it slides along that side until it has one again.
    for (int i = 0; i < count; ++i) {
        const bool beside = Touches(was, areas[i], true) || Touches(areas[i], was, true);
        const bool above = Touches(was, areas[i], false) || Touches(areas[i], was, false);
        OutputArea& moved = placed[i];
        const int shift = beside  ? Rejoin(now.y, now.height, moved.y, moved.height)
                          : above ? Rejoin(now.x, now.width, moved.x, moved.width)
                                  : 0;
        (beside ? moved.y : moved.x) += shift;
        Follow(areas, count, i, turned, !beside, shift, placed);
    }
}
