// Where outputs show side by side, and where they go when one of them turns:
// what every Linux backend decides alike, X11's CRTCs and Wayland's outputs.
#ifndef TARVELIN_PLATFORM_LINUX_OUTPUT_AREAS_H
#define TARVELIN_PLATFORM_LINUX_OUTPUT_AREAS_H

// At most this many outputs in a layout.
const int kMaxOutputAreas = 64;

struct OutputArea {
    int x, y;
    int width, height;
};

// Where each of count outputs shows once areas[turned] has turned (its width
// and height swap when swap is set), into placed. An output that touched its
// right or bottom edge, or one that touched such an output, moves with that
// edge: side-by-side outputs stay side by side. An output that shared an
// edge with it and would share none after the turn slides along that edge
// the least that keeps one, and those touching its far edge follow.
void TurnedLayout(const OutputArea* areas, int count, int turned, bool swap, OutputArea* placed);

#endif
