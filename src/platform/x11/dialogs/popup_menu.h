// A popup menu of its own: a window that bypasses the window manager and
// holds keyboard and pointer while it is up, or, managed, a dialog window
// that takes focus as the window manager gives it (where grabs reach no
// further than the program's own windows, as under XWayland).
#ifndef TARVELIN_PLATFORM_X11_DIALOGS_POPUP_MENU_H
#define TARVELIN_PLATFORM_X11_DIALOGS_POPUP_MENU_H

#include "platform/port.h"
#include "platform/x11/dialogs/xlib_library.h"

// Shows the labels (UTF-8) centred on anchor, kept on the screen, and
// returns once the menu closes: kMenuPicked with *picked the index of the
// item picked (Up/Down and Return, or a click), kMenuClosed without a
// choice (Escape, a click outside). kMenuNotShown (no usable font, or no
// keyboard and pointer to hold) has been said on standard error.
MenuAnswer TrackPopup(const XlibLibrary* xlib, Display* display, const char* const* labels,
                      int count, Point anchor, bool managed, int* picked);

#endif
