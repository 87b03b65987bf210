// The arithmetic of a turn, apart from any server, so that it can be checked
// without one: orientation sets and the screen size a turn needs.
#ifndef TARVELIN_PLATFORM_X11_DISPLAY_TURN_PLAN_H
#define TARVELIN_PLATFORM_X11_DISPLAY_TURN_PLAN_H

#include "orientation/orientation_table.h"
#include "platform/linux/output_areas.h"

// Enough CRTCs for any graphics card; a layout holds at most this many.
const int kMaxCrtcs = 16;

struct ScreenSize {
    int width, height;     // pixels
    int mmWidth, mmHeight; // millimetres
};

struct SizeRange {
    int minWidth, minHeight, maxWidth, maxHeight;
};

// Where an active CRTC shows on the screen, as it stands now.
using CrtcArea = OutputArea;

// The orientation codes a CRTC's RandR rotation mask offers, as a set.
Uint32 OrientationSetOf(Uint16 rotations);

// The orientation of a RandR rotation, reflections aside; null for none.
const OrientationEntry* OrientationOf(Uint16 rotation);

// What to ask RandR for: the target rotation, reflections kept.
Uint16 TurnedRotation(Uint16 current, const OrientationEntry& target);

// The screen that holds every CRTC of areas, from screen. Millimetres swap
// with the size; a size that changes otherwise keeps its pixels per
// millimetre; unknown millimetres are taken at 96 pixels per inch.
ScreenSize ScreenHolding(const ScreenSize& screen, const CrtcArea* areas, int count);

bool Inside(const CrtcArea& area, const ScreenSize& screen);

bool FitsSizeRange(const ScreenSize& size, const SizeRange& range);

#endif
