// Xlib, loaded only when a message box or the menu is shown: the turn is on
// XCB, and libX11 linked in would slow every turn by loading it.
#ifndef TARVELIN_PLATFORM_X11_DIALOGS_XLIB_LIBRARY_H
#define TARVELIN_PLATFORM_X11_DIALOGS_XLIB_LIBRARY_H

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

// The functions the dialogs call, under their Xlib names.
struct XlibLibrary {
    decltype(&::XOpenDisplay) XOpenDisplay;
    decltype(&::XkbIgnoreExtension) XkbIgnoreExtension;
    decltype(&::XSync) XSync;
    decltype(&::XFree) XFree;
    decltype(&::XGetDefault) XGetDefault;
    decltype(&::XInternAtom) XInternAtom;
    decltype(&::XCreateWindow) XCreateWindow;
    decltype(&::XDestroyWindow) XDestroyWindow;
    decltype(&::XMapRaised) XMapRaised;
    decltype(&::XStoreName) XStoreName;
    decltype(&::XChangeProperty) XChangeProperty;
    decltype(&::XSetClassHint) XSetClassHint;
    decltype(&::XAllocSizeHints) XAllocSizeHints;
    decltype(&::XSetWMNormalHints) XSetWMNormalHints;
    decltype(&::XAllocWMHints) XAllocWMHints;
    decltype(&::XSetWMHints) XSetWMHints;
    decltype(&::XSetWMProtocols) XSetWMProtocols;
    decltype(&::XCreateGC) XCreateGC;
    decltype(&::XFreeGC) XFreeGC;
    decltype(&::XSetForeground) XSetForeground;
    decltype(&::XDrawLines) XDrawLines;
    decltype(&::XDrawRectangle) XDrawRectangle;
    decltype(&::XFillPolygon) XFillPolygon;
    decltype(&::XFillRectangle) XFillRectangle;
    decltype(&::XNextEvent) XNextEvent;
    decltype(&::XSendEvent) XSendEvent;
    decltype(&::XLookupKeysym) XLookupKeysym;
    decltype(&::XSetInputFocus) XSetInputFocus;
    decltype(&::XGrabPointer) XGrabPointer;
    decltype(&::XUngrabPointer) XUngrabPointer;
    decltype(&::XGrabKeyboard) XGrabKeyboard;
    decltype(&::XUngrabKeyboard) XUngrabKeyboard;
    decltype(&::XGetSelectionOwner) XGetSelectionOwner;
    decltype(&::XSetSelectionOwner) XSetSelectionOwner;
};

// Fills xlib; false when libX11 cannot be loaded.
bool LoadXlib(XlibLibrary* xlib);

#endif
