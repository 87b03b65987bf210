// Draws the message box and the menu into a pixel buffer, knowing nothing of
// the window system that shows it: glyphs from fcft, everything else with
// pixman, both loaded only when a dialog is shown.
#ifndef TARVELIN_PLATFORM_LINUX_DIALOGS_DIALOG_PAINTER_H
#define TARVELIN_PLATFORM_LINUX_DIALOGS_DIALOG_PAINTER_H

#include "platform/linux/dialogs/dialog_model.h"
#include "platform/linux/dialogs/fcft_library.h"
#include "platform/linux/dialogs/pixman_library.h"

#include <stdint.h>

struct DialogPainter {
    FcftLibrary fcft;
    PixmanLibrary pixman;
    int scale; // buffer pixels per logical pixel
    fcft_font* font;
    // For a caption drawn by the box itself; else the plain font, which
    // spares a second font lookup.
    fcft_font* boldFont;
    // One line of text high, in logical pixels: every other size is a
    // multiple of it, so the dialogs grow with the font size and DPI.
    int unit;
};

// Loads the libraries and opens the fonts for buffers of scale (1, 2, ...)
// at dpi (96 unless the user set another). False when a library or no
// font can be had; the painter then holds nothing to close.
bool OpenDialogPainter(DialogPainter* painter, int scale, int dpi, bool withBold);
void CloseDialogPainter(DialogPainter* painter);

// The box for one line of text with the warning sign and an OK button;
// drawCaption when no window manager puts a title bar on it.
DialogLayout LayoutMessageBox(const DialogPainter* painter, const char* text, bool drawCaption);
DialogLayout LayoutPopupMenu(const DialogPainter* painter, const char* const* labels, int count);

// Paints state over the whole of a buffer of layout.width x layout.height
// logical pixels at the painter's scale: ARGB8888 (pixman's a8r8g8b8, native
// byte order, opaque), stride bytes a row.
void PaintDialog(const DialogPainter* painter, const DialogState& state, uint32_t* pixels,
                 int stride);

#endif
