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
// from areas[turned] on.
void Follow(const OutputArea* areas, int count, int turned, bool horizontal, int shift,
            OutputArea* placed) {
    bool moving[kMaxOutputAreas] = {};
    moving[turned] = true;
    for (bool again = shift != 0; again;) {
        again = false;
        for (int i = 0; i < count; ++i) {
            for (int m = 0; m < count && !moving[i]; ++m) {
                if (moving[m] && Touches(areas[m], areas[i], horizontal)) {
                    moving[i] = again = true;
                    (horizontal ? placed[i].x : placed[i].y) += shift;
                }
            }
        }
    }
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
    Follow(areas, count, turned, true, placed[turned].width - areas[turned].width, placed);
    Follow(areas, count, turned, false, placed[turned].height - areas[turned].height, placed);
}
