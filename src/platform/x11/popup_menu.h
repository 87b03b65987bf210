// A popup menu of its own: a window that bypasses the window manager and
// holds keyboard and pointer while it is up.
#ifndef TARVELIN_PLATFORM_X11_POPUP_MENU_H
#define TARVELIN_PLATFORM_X11_POPUP_MENU_H

#include <X11/Xlib.h>

struct PopupItem {
    unsigned identifier;
    char* label; // UTF-8
};

// The alignment of the menu on its anchor point.
enum PopupAlign { kAlignStart, kAlignCentre };

// Shows the items with the anchor at x, y and returns once the menu closes:
// the identifier of the item picked (Up/Down and Return, or a click), or 0
// when it was closed without a choice (Escape, a click outside) or could not
// be shown or take the keyboard and pointer.
unsigned TrackPopup(Display* display, const PopupItem* items, int count, int x, int y,
                    PopupAlign horizontal, PopupAlign vertical);

#endif
