#include "platform/x11/xft_library.h"

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

} // namespace

const XftLibrary* LoadXft() {
    static bool tried = false;
    static bool loaded = false;
    static XftLibrary xft;
    if (!tried) {
        tried = true;
        loaded = Load(&xft);
    }
    return loaded ? &xft : nullptr;
}
