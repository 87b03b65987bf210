// How desktop Windows' display modes answer the port's orientation requests.
// No <windows.h> here, so the rules are tested on any host.
#ifndef TARVELIN_PLATFORM_WIN32_DESKTOP_MODES_H
#define TARVELIN_PLATFORM_WIN32_DESKTOP_MODES_H

#include "platform/port.h"

// The fields of a desktop DEVMODEW that orientation depends on.
struct DesktopMode {
    Uint32 width;
    Uint32 height;
    Uint32 orientation; // desktop DMDO_ value
};

// The orientation code that a mode the driver lists (with EDS_ROTATEDMODE)
// offers at current's resolution, or 0 when it offers none: rotated modes
// are listed with width and height swapped. Code 0 is no bit of a set, so
// OR-ing the answers over every listed mode gives the supported set.
Uint32 OfferedOrientation(const DesktopMode& current, const DesktopMode& listed);

// The mode that shows current's picture turned to code: width and height
// swap whenever the turn crosses between portrait and landscape, or the
// driver refuses it. False when code or current's orientation names none.
bool PlanTurn(const DesktopMode& current, Uint32 code, DesktopMode* target);

#endif
