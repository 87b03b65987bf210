// A modal message box of its own: exclamation sign, one line of text, one
// OK button, centred on a point. Needs no window manager.
#ifndef TARVELIN_PLATFORM_X11_DIALOGS_MESSAGE_BOX_H
#define TARVELIN_PLATFORM_X11_DIALOGS_MESSAGE_BOX_H

#include "platform/port.h"
#include "platform/x11/dialogs/xlib_library.h"

// Shows the box centred on anchor (see CentreOn) and returns once it is dismissed: Return, Escape,
// space, the OK button, or the window manager's close. Ctrl+C copies the text. False when it could
// not be shown (no usable font).
bool ShowMessageBox(const XlibLibrary* xlib, Display* display, const char* text,
                    const char* caption, Point anchor);

#endif
