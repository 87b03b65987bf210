#include "platform/linux/dialogs/fcft_library.h"

#include "platform/linux/loaded_library.h"

#define RESOLVE(member) Resolve(library, "fcft_" #member, &fcft->member)

bool LoadFcft(FcftLibrary* fcft) {
    void* library = OpenLibrary("libfcft.so.4");
    return library != nullptr && RESOLVE(init) && RESOLVE(fini) && RESOLVE(from_name) &&
           RESOLVE(destroy) && RESOLVE(rasterize_char_utf32);
}

#undef RESOLVE
