#include "platform/x11/dialogs/xlib_library.h"

#include "platform/linux/loaded_library.h"

#define RESOLVE(member) Resolve(library, #member, &xlib->member)

bool LoadXlib(XlibLibrary* xlib) {
    void* library = OpenLibrary("libX11.so.6");
    return library != nullptr && RESOLVE(XOpenDisplay) && RESOLVE(XkbIgnoreExtension) &&
           RESOLVE(XSync) && RESOLVE(XFree) && RESOLVE(XGetDefault) && RESOLVE(XInternAtom) &&
           RESOLVE(XCreateWindow) && RESOLVE(XDestroyWindow) && RESOLVE(XMapRaised) &&
           RESOLVE(XStoreName) && RESOLVE(XChangeProperty) && RESOLVE(XSetClassHint) &&
           RESOLVE(XAllocSizeHints) && RESOLVE(XSetWMNormalHints) && RESOLVE(XAllocWMHints) &&
           RESOLVE(XSetWMHints) && RESOLVE(XSetWMProtocols) && RESOLVE(XCreateGC) &&
           RESOLVE(XFreeGC) && RESOLVE(XSetForeground) && RESOLVE(XDrawLines) &&
           RESOLVE(XDrawRectangle) && RESOLVE(XFillPolygon) && RESOLVE(XFillRectangle) &&
           RESOLVE(XNextEvent) && RESOLVE(XSendEvent) && RESOLVE(XLookupKeysym) &&
           RESOLVE(XSetInputFocus) && RESOLVE(XGrabPointer) && RESOLVE(XUngrabPointer) &&
           RESOLVE(XGrabKeyboard) && RESOLVE(XUngrabKeyboard) && RESOLVE(XGetSelectionOwner) &&
           RESOLVE(XSetSelectionOwner);
}

#undef RESOLVE
