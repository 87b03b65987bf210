// fcft, the font library the dialogs draw their text with (over fontconfig,
// FreeType and HarfBuzz), loaded only when one is shown: a turn starts
// without it and the libraries under it.
#ifndef TARVELIN_PLATFORM_LINUX_DIALOGS_FCFT_LIBRARY_H
#define TARVELIN_PLATFORM_LINUX_DIALOGS_FCFT_LIBRARY_H

#include <pixman.h>
#include <stddef.h>
#include <stdint.h>

// fcft's own header is C only (array parameters declared static), so the
// public types used are declared here as libfcft.so.4 (fcft 3) has them.
enum fcft_log_colorize { FCFT_LOG_COLORIZE_NEVER };
enum fcft_log_class { FCFT_LOG_CLASS_NONE };
enum fcft_subpixel { FCFT_SUBPIXEL_DEFAULT, FCFT_SUBPIXEL_NONE };

struct fcft_font {
    const char* name;
    int height;
    int descent;
    int ascent;
    struct {
        int x;
        int y;
    } max_advance;
    struct {
        int position;
        int thickness;
    } underline;
    struct {
        int position;
        int thickness;
    } strikeout;
    bool antialias;
    fcft_subpixel subpixel;
};

struct fcft_glyph {
    uint32_t cp;
    int cols;
    const char* font_name;
    pixman_image_t* pix;
    int x;
    int y;
    int width;
    int height;
    struct {
        int x;
        int y;
    } advance;
};

// The functions used, under their names less the "fcft_" prefix.
struct FcftLibrary {
    bool (*init)(fcft_log_colorize colorize, bool doSyslog, fcft_log_class level);
    void (*fini)();
    fcft_font* (*from_name)(size_t count, const char* names[], const char* attributes);
    void (*destroy)(fcft_font* font);
    const fcft_glyph* (*rasterize_char_utf32)(fcft_font* font, uint32_t cp, fcft_subpixel subpixel);
};

// Fills fcft; false when libfcft cannot be loaded.
bool LoadFcft(FcftLibrary* fcft);

#endif
