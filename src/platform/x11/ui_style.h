// What the message box and the menu share: the font, the colours, and how
// their windows are made and named.
#ifndef TARVELIN_PLATFORM_X11_UI_STYLE_H
#define TARVELIN_PLATFORM_X11_UI_STYLE_H

#include "platform/x11/xft_library.h"

#include <X11/Xlib.h>

struct UiStyle {
    const XftLibrary* xft;
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
bool OpenUiStyle(Display* display, bool withBold, UiStyle* style);
void CloseUiStyle(UiStyle* style);

// The advance of a UTF-8 string, trailing spaces included.
int TextWidth(const UiStyle* style, XftFont* font, const char* text);

// Draws text whose line box starts at top, so callers need not think in
// baselines.
void DrawText(XftDraw* draw, const UiStyle* style, XftFont* font, const XftColor* color, int x,
              int top, const char* text);

// A window at x, y of the given size, filled with the face colour. A popup
// bypasses the window manager. Named title (WM_NAME, _NET_WM_NAME) with the
// WM_CLASS instance given and class "Tarvelin".
Window CreateUiWindow(const UiStyle* style, int x, int y, int width, int height, bool popup,
                      long events, const char* title, const char* instance);

// Frees what a dialog drew with, destroys its window unless the server has
// already (None), closes the style and waits until the server has done it.
void DestroyUiWindow(UiStyle* style, Window window, XftDraw* draw, GC gc);

// Sets one atom-list property (window type, state) in EWMH's format.
void SetAtomProperty(Display* display, Window window, const char* property, const char* value);

// Screen size in pixels, as the server reports it now.
int ScreenWidth(const UiStyle* style);
int ScreenHeight(const UiStyle* style);

#endif
