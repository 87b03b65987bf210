// The look the message box and the menu share: the font and the colours.
#ifndef TARVELIN_PLATFORM_X11_DIALOGS_STYLE_H
#define TARVELIN_PLATFORM_X11_DIALOGS_STYLE_H

#include "platform/x11/dialogs/xft_library.h"
#include "platform/x11/dialogs/xlib_library.h"

struct UiStyle {
    const XlibLibrary* xlib;
    XftLibrary loaded;
    const XftLibrary* xft; // &loaded
    Display* display;
    int screen;
    Visual* visual;
    Colormap colormap;
    XftFont* font;
    // For a caption drawn by the program itself; else the plain font, which
    // spares a second font lookup.
    XftFont* boldFont;
    XftColor face;
    XftColor text;
    XftColor shadow;
    XftColor highlight;
    XftColor highlightText;
    XftColor caption;
    XftColor warning;
    // One line of text high: every other size is a multiple of it, so the
    // windows grow with the user's font size and DPI.
    int unit;
};

// False when Xft or no font can be had: nothing could be drawn.
bool OpenUiStyle(const XlibLibrary* xlib, Display* display, bool withBold, UiStyle* style);
void CloseUiStyle(UiStyle* style);

// The advance of a UTF-8 string, trailing spaces included.
int TextWidth(const UiStyle* style, XftFont* font, const char* text);

// Draws text whose line box starts at top, so callers need not think in
// baselines.
void DrawText(XftDraw* draw, const UiStyle* style, XftFont* font, const XftColor* color, int x,
              int top, const char* text);

#endif
