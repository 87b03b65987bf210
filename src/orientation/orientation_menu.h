#ifndef TARVELIN_ORIENTATION_ORIENTATION_MENU_H
#define TARVELIN_ORIENTATION_ORIENTATION_MENU_H

#include "platform/port.h"

// Pops up the four orientations in the middle of the turning output, named
// landscape or portrait for the display's shape, and applies the one
// picked. Returns the exit status.
Int32 ShowOrientationMenu(const Port& port);

#endif
