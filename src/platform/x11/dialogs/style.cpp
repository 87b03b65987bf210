#include "platform/x11/dialogs/style.h"

#include <stdio.h>
#include <string.h>

namespace {

// Xft does not fall back to a CJK font by itself: ask for one that covers
// Simplified Chinese; it covers Latin too.
const char kFontPattern[] = "sans-serif:lang=zh-cn:size=11";
const char kBoldFontPattern[] = "sans-serif:lang=zh-cn:size=11:weight=bold";
// Virtual and remote servers often report a made-up screen size in
// millimetres, from which Xft would work out a resolution; unless the user
// set Xft.dpi, take the common 96.
const char kDefaultDpi[] = ":dpi=96";

XftFont* OpenFont(const UiStyle* style, const char* pattern) {
    if (style->xlib->XGetDefault(style->display, "Xft", "dpi") != nullptr) {
        return style->xft->FontOpenName(style->display, style->screen, pattern);
    }
    char withDpi[sizeof kBoldFontPattern + sizeof kDefaultDpi];
    snprintf(withDpi, sizeof withDpi, "%s%s", pattern, kDefaultDpi);
    return style->xft->FontOpenName(style->display, style->screen, withDpi);
}

bool AllocColor(UiStyle* style, unsigned long rgb, XftColor* color) {
    XRenderColor value;
    value.red = static_cast<unsigned short>(((rgb >> 16) & 0xFF) * 0x101);
    value.green = static_cast<unsigned short>(((rgb >> 8) & 0xFF) * 0x101);
    value.blue = static_cast<unsigned short>((rgb & 0xFF) * 0x101);
    value.alpha = 0xFFFF;
    return style->xft->ColorAllocValue(style->display, style->visual, style->colormap, &value,
                                       color);
}

} // namespace

bool OpenUiStyle(const XlibLibrary* xlib, Display* display, bool withBold, UiStyle* style) {
    memset(style, 0, sizeof *style);
    style->xlib = xlib;
    if (!LoadXft(&style->loaded)) {
        return false;
    }
    style->xft = &style->loaded;
    style->display = display;
    style->screen = DefaultScreen(display);
    style->visual = DefaultVisual(display, style->screen);
    style->colormap = DefaultColormap(display, style->screen);
    style->font = OpenFont(style, kFontPattern);
    if (style->font == nullptr) {
        return false;
    }
    style->boldFont = withBold ? OpenFont(style, kBoldFontPattern) : nullptr;
    if (style->boldFont == nullptr) {
        style->boldFont = style->font;
    }
    style->unit = style->font->ascent + style->font->descent;
    // A colour that cannot be had (a full colormap) leaves black: still legible.
    AllocColor(style, 0xF0F0F0, &style->face);
    AllocColor(style, 0x000000, &style->text);
    AllocColor(style, 0x808080, &style->shadow);
    AllocColor(style, 0x0A246A, &style->highlight);
    AllocColor(style, 0xFFFFFF, &style->highlightText);
    AllocColor(style, 0x0A246A, &style->caption);
    AllocColor(style, 0xFFCC00, &style->warning);
    return true;
}

void CloseUiStyle(UiStyle* style) {
    XftColor* colors[] = {&style->face,          &style->text,    &style->shadow, &style->highlight,
                          &style->highlightText, &style->caption, &style->warning};
    for (size_t i = 0; i < sizeof colors / sizeof colors[0]; ++i) {
        style->xft->ColorFree(style->display, style->visual, style->colormap, colors[i]);
    }
    if (style->boldFont != style->font) {
        style->xft->FontClose(style->display, style->boldFont);
    }
    style->xft->FontClose(style->display, style->font);
}

int TextWidth(const UiStyle* style, XftFont* font, const char* text) {
    XGlyphInfo extents;
    style->xft->TextExtentsUtf8(style->display, font, reinterpret_cast<const FcChar8*>(text),
                                static_cast<int>(strlen(text)), &extents);
    return extents.xOff;
}

void DrawText(XftDraw* draw, const UiStyle* style, XftFont* font, const XftColor* color, int x,
              int top, const char* text) {
    const int baseline = top + (style->unit - (font->ascent + font->descent)) / 2 + font->ascent;
    style->xft->DrawStringUtf8(draw, color, font, x, baseline,
                               reinterpret_cast<const FcChar8*>(text),
                               static_cast<int>(strlen(text)));
}
