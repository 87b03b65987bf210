#include "platform/x11/dialogs/xft_library.h"

#include <dlfcn.h>

namespace {

template <typename Function> bool Resolve(void* library, const char* name, Function* function) {
    void* symbol = dlsym(library, name);
    *function = reinterpret_cast<Function>(symbol);
    return symbol != nullptr;
}

// Each member is the function of its name with Xft's prefix.
#define RESOLVE(member) Resolve(library, "Xft" #member, &xft->member)

bool Load(XftLibrary* xft) {
    void* library = dlopen("libXft.so.2", RTLD_NOW | RTLD_LOCAL);
    return library != nullptr && RESOLVE(FontOpenName) && RESOLVE(FontClose) &&
           RESOLVE(ColorAllocValue) && RESOLVE(ColorFree) && RESOLVE(TextExtentsUtf8) &&
           RESOLVE(DrawCreate) && RESOLVE(DrawDestroy) && RESOLVE(DrawRect) &&
           RESOLVE(DrawStringUtf8);
}

#undef RESOLVE

bool gTried = false;
bool gLoaded = false;
XftLibrary gXft;

} // namespace

const XftLibrary* LoadXft() {
    if (!gTried) {
        gTried = true;
        gLoaded = Load(&gXft);
    }
    return gLoaded ? &gXft : nullptr;
}
