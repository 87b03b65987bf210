#ifndef TARVELIN_ORIENTATION_ORIENTATION_MENU_H
#define TARVELIN_ORIENTATION_ORIENTATION_MENU_H

#include "platform/platform.h"

// Pops up the four orientations in the middle of the screen and applies the
// one picked. record must be in orientation mode.
void ShowOrientationMenu(CE_DEVMODEW* record);

#endif
