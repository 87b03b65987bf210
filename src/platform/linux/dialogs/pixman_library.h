// pixman, which fills and composites the dialogs' buffers, loaded with the
// font library (which needs it too) only when a dialog is shown.
#ifndef TARVELIN_PLATFORM_LINUX_DIALOGS_PIXMAN_LIBRARY_H
#define TARVELIN_PLATFORM_LINUX_DIALOGS_PIXMAN_LIBRARY_H

#include <pixman.h>

// The functions used, under their names less the "pixman_" prefix.
struct PixmanLibrary {
    decltype(&::pixman_image_create_bits) image_create_bits;
    decltype(&::pixman_image_create_solid_fill) image_create_solid_fill;
    decltype(&::pixman_image_unref) image_unref;
    decltype(&::pixman_image_get_format) image_get_format;
    decltype(&::pixman_image_fill_boxes) image_fill_boxes;
    decltype(&::pixman_image_composite32) image_composite32;
    decltype(&::pixman_composite_triangles) composite_triangles;
};

// Fills pixman; false when libpixman-1 cannot be loaded.
bool LoadPixman(PixmanLibrary* pixman);

#endif
