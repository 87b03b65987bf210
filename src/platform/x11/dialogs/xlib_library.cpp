#include "platform/x11/dialogs/xlib_library.h"

#include <dlfcn.h>

namespace {

template <typename Function> bool Resolve(void* library, const char* name, Function* function) {
    void* symbol = dlsym(library, name);
    *function = reinterpret_cast<Function>(symbol);
    return symbol != nullptr;
}

#define RESOLVE(member) Resolve(library, #member, &xlib->member)

bool Load(XlibLibrary* xlib) {
    void* library = dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
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

bool gTried = false;
bool gLoaded = false;
XlibLibrary gXlib;

} // namespace

const XlibLibrary* LoadXlib() {
    if (!gTried) {
        gTried = true;
        gLoaded = Load(&gXlib);
    }
    return gLoaded ? &gXlib : nullptr;
}
