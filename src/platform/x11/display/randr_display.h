// The display the program turns, through RandR: the primary output's CRTC,
// else the first active CRTC; the whole screen where RandR is older than 1.2.
#ifndef TARVELIN_PLATFORM_X11_DISPLAY_RANDR_DISPLAY_H
#define TARVELIN_PLATFORM_X11_DISPLAY_RANDR_DISPLAY_H

#include "orientation/orientation_table.h"
#include "platform/x11/display/turn_plan.h"

#include <X11/Xlib.h>

// The RandR rotations the display offers and the one it shows now. False
// without RandR or without an active CRTC.
bool QueryRotations(Display* display, Uint16* offered, Uint16* current);

// Where the CRTC that turns shows on the screen. False, area untouched,
// where RandR is older than 1.2 or no CRTC is active: the whole screen
// turns, if anything.
bool TurningArea(Display* display, CrtcArea* area);

// Turns the display to target, keeping its reflections. On failure the
// previous configuration is put back; true once the server shows the turn.
bool TurnDisplay(Display* display, const OrientationEntry& target);

#endif
