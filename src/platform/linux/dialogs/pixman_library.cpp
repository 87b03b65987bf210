#include "platform/linux/dialogs/pixman_library.h"

#include "platform/linux/loaded_library.h"

#define RESOLVE(member) Resolve(library, "pixman_" #member, &pixman->member)

bool LoadPixman(PixmanLibrary* pixman) {
    void* library = OpenLibrary("libpixman-1.so.0");
    return library != nullptr && RESOLVE(image_create_bits) && RESOLVE(image_create_solid_fill) &&
           RESOLVE(image_unref) && RESOLVE(image_get_format) && RESOLVE(image_fill_boxes) &&
           RESOLVE(image_composite32) && RESOLVE(composite_triangles);
}

#undef RESOLVE
