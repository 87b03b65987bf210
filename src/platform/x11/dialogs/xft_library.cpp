#include "platform/x11/dialogs/xft_library.h"

#include "platform/linux/loaded_library.h"

// Each member is the function of its name with Xft's prefix.
#define RESOLVE(member) Resolve(library, "Xft" #member, &xft->member)

bool LoadXft(XftLibrary* xft) {
    void* library = OpenLibrary("libXft.so.2");
    return library != nullptr && RESOLVE(FontOpenName) && RESOLVE(FontClose) &&
           RESOLVE(ColorAllocValue) && RESOLVE(ColorFree) && RESOLVE(TextExtentsUtf8) &&
           RESOLVE(DrawCreate) && RESOLVE(DrawDestroy) && RESOLVE(DrawRect) &&
           RESOLVE(DrawStringUtf8);
}

#undef RESOLVE
