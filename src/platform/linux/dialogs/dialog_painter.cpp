#include "platform/linux/dialogs/dialog_painter.h"

#include "text/utf.h"

#include <math.h>
#include <stdio.h>
#include <string.h>

namespace {

// A CJK font is asked for by language, so that the Chinese texts are
// whole in it; it covers Latin too.
const char kFont[] = "sans-serif:lang=zh-cn:size=11";
const char kBoldFont[] = "sans-serif:lang=zh-cn:size=11:weight=bold";
// "确定": OK.
const char kOkLabel[] = "\xE7\xA1\xAE\xE5\xAE\x9A";

const uint32_t kFace = 0xF0F0F0;
const uint32_t kText = 0x000000;
const uint32_t kShadow = 0x808080;
const uint32_t kHighlight = 0x0A246A;
const uint32_t kHighlightText = 0xFFFFFF;
const uint32_t kCaption = 0x0A246A;
const uint32_t kWarning = 0xFFCC00;

const int kMenuBorder = 1;
const int kMenuPadding = 2;

fcft_font* OpenFont(const FcftLibrary& fcft, const char* name, int dpi) {
    char attributes[32];
    snprintf(attributes, sizeof attributes, "dpi=%d", dpi);
    const char* names[] = {name};
    return fcft.from_name(1, names, attributes);
}

int CeilDiv(int value, int by) {
    return (value + by - 1) / by;
}

// In buffer pixels.
int Advance(const DialogPainter* painter, fcft_font* font, const char* text) {
    int width = 0;
    while (*text != 0) {
        const fcft_glyph* glyph =
            painter->fcft.rasterize_char_utf32(font, NextUtf8CodePoint(&text), FCFT_SUBPIXEL_NONE);
        width += glyph != nullptr ? glyph->advance.x : 0;
    }
    return width;
}

int TextWidth(const DialogPainter* painter, fcft_font* font, const char* text) {
    return CeilDiv(Advance(painter, font, text), painter->scale);
}

pixman_color_t ColourOf(uint32_t rgb) {
    pixman_color_t colour;
    colour.red = static_cast<uint16_t>(((rgb >> 16) & 0xFF) * 0x101);
    colour.green = static_cast<uint16_t>(((rgb >> 8) & 0xFF) * 0x101);
    colour.blue = static_cast<uint16_t>((rgb & 0xFF) * 0x101);
    colour.alpha = 0xFFFF;
    return colour;
}

struct Canvas {
    const DialogPainter* painter;
    pixman_image_t* image;
    int scale;
};

void Fill(const Canvas& canvas, uint32_t rgb, int x, int y, int width, int height) {
    const int s = canvas.scale;
    const pixman_box32_t box = {x * s, y * s, (x + width) * s, (y + height) * s};
    const pixman_color_t colour = ColourOf(rgb);
    canvas.painter->pixman.image_fill_boxes(PIXMAN_OP_SRC, canvas.image, &colour, 1, &box);
}

// A frame one logical pixel wide inside the rectangle.
void Frame(const Canvas& canvas, uint32_t rgb, int x, int y, int width, int height) {
    Fill(canvas, rgb, x, y, width, 1);
    Fill(canvas, rgb, x, y + height - 1, width, 1);
    Fill(canvas, rgb, x, y, 1, height);
    Fill(canvas, rgb, x + width - 1, y, 1, height);
}

// Text whose line box starts at top, so callers need not think in baselines.
void Text(const Canvas& canvas, fcft_font* font, uint32_t rgb, int x, int top, const char* text) {
    const DialogPainter* painter = canvas.painter;
    const PixmanLibrary& pixman = painter->pixman;
    const int s = canvas.scale;
    const int baseline =
        top * s + (painter->unit * s - (font->ascent + font->descent)) / 2 + font->ascent;
    const pixman_color_t colour = ColourOf(rgb);
    pixman_image_t* ink = pixman.image_create_solid_fill(&colour);
    if (ink == nullptr) {
        return;
    }
    int pen = x * s;
    while (*text != 0) {
        const fcft_glyph* glyph =
            painter->fcft.rasterize_char_utf32(font, NextUtf8CodePoint(&text), FCFT_SUBPIXEL_NONE);
        if (glyph == nullptr || glyph->pix == nullptr) {
            pen += glyph != nullptr ? glyph->advance.x : 0;
            continue;
        }
        const int left = pen + glyph->x;
        const int up = baseline - glyph->y;
        if (pixman.image_get_format(glyph->pix) == PIXMAN_a8r8g8b8) {
            // A colour glyph (an emoji) brings its own colours.
            pixman.image_composite32(PIXMAN_OP_OVER, glyph->pix, nullptr, canvas.image, 0, 0, 0, 0,
                                     left, up, glyph->width, glyph->height);
        } else {
            pixman.image_composite32(PIXMAN_OP_OVER, ink, glyph->pix, canvas.image, 0, 0, 0, 0,
                                     left, up, glyph->width, glyph->height);
        }
        pen += glyph->advance.x;
    }
    pixman.image_unref(ink);
}

struct Spot {
    double x;
    double y;
};

// The triangle grown by offset on every side (shrunk when negative): scaled
// about its incentre, whose distance to each side is the inradius.
void Triangle(const Canvas& canvas, uint32_t rgb, const Spot (&corners)[3], double offset) {
    const PixmanLibrary& pixman = canvas.painter->pixman;
    double sides[3];
    double perimeter = 0;
    Spot centre = {0, 0};
    for (int i = 0; i < 3; ++i) {
        const Spot& from = corners[(i + 1) % 3];
        const Spot& to = corners[(i + 2) % 3];
        sides[i] = sqrt((to.x - from.x) * (to.x - from.x) + (to.y - from.y) * (to.y - from.y));
        perimeter += sides[i];
        centre.x += sides[i] * corners[i].x;
        centre.y += sides[i] * corners[i].y;
    }
    centre.x /= perimeter;
    centre.y /= perimeter;
    const double area = fabs((corners[1].x - corners[0].x) * (corners[2].y - corners[0].y) -
                             (corners[2].x - corners[0].x) * (corners[1].y - corners[0].y)) /
                        2;
    const double inradius = 2 * area / perimeter;
    if (inradius <= 0 || inradius + offset <= 0) {
        return;
    }
    const double factor = (inradius + offset) / inradius;
    pixman_point_fixed_t points[3];
    for (int i = 0; i < 3; ++i) {
        points[i].x =
            pixman_double_to_fixed(canvas.scale * (centre.x + (corners[i].x - centre.x) * factor));
        points[i].y =
            pixman_double_to_fixed(canvas.scale * (centre.y + (corners[i].y - centre.y) * factor));
    }
    const pixman_triangle_t triangle = {points[0], points[1], points[2]};
    const pixman_color_t colour = ColourOf(rgb);
    pixman_image_t* ink = pixman.image_create_solid_fill(&colour);
    if (ink != nullptr) {
        pixman.composite_triangles(PIXMAN_OP_OVER, ink, canvas.image, PIXMAN_a8, 0, 0, 0, 0, 1,
                                   &triangle);
        pixman.image_unref(ink);
    }
}

// The warning sign: a yellow triangle outlined in the text colour, with a
// bar and a dot sized with it.
void Icon(const Canvas& canvas, const DialogRect& icon) {
    const int x = icon.x;
    const int y = icon.y;
    const int size = icon.width;
    // Through the middles of the edge pixels, where a one-pixel outline runs.
    const Spot corners[3] = {{x + size / 2 + 0.5, y + 0.5},
                             {x + size - 1 + 0.5, y + size - 2 + 0.5},
                             {x + 0.5, y + size - 2 + 0.5}};
    Triangle(canvas, kText, corners, 0.5);
    Triangle(canvas, kWarning, corners, -0.5);
    const int stroke = size / 10 > 2 ? size / 10 : 2;
    const int markX = x + (size - stroke) / 2;
    Fill(canvas, kText, markX, y + size * 3 / 10, stroke, size * 4 / 10);
    Fill(canvas, kText, markX, y + size * 3 / 4, stroke, stroke);
}

void PaintBox(const Canvas& canvas, const DialogState& box) {
    const DialogPainter* painter = canvas.painter;
    const DialogLayout& layout = box.layout;
    const int unit = painter->unit;
    if (layout.captionHeight > 0) {
        Fill(canvas, kCaption, 0, 0, layout.width, layout.captionHeight);
        Text(canvas, painter->boldFont, kHighlightText, unit / 2, (layout.captionHeight - unit) / 2,
             box.caption);
        Frame(canvas, kCaption, 0, 0, layout.width, layout.height);
    }
    Icon(canvas, layout.icon);
    Text(canvas, painter->font, kText, layout.textX, layout.textY, box.text);
    // The default button wears a heavier frame; pressed, its label shifts
    // by a pixel.
    const DialogRect& b = layout.button;
    Fill(canvas, kFace, b.x, b.y, b.width, b.height);
    Frame(canvas, kText, b.x, b.y, b.width, b.height);
    Frame(canvas, kShadow, b.x + 1, b.y + 1, b.width - 2, b.height - 2);
    const int shift = box.buttonDown ? 1 : 0;
    Text(canvas, painter->font, kText,
         b.x + (b.width - TextWidth(painter, painter->font, kOkLabel)) / 2 + shift,
         b.y + (b.height - unit) / 2 + shift, kOkLabel);
}

void PaintMenu(const Canvas& canvas, const DialogState& menu) {
    const DialogPainter* painter = canvas.painter;
    const DialogLayout& layout = menu.layout;
    Frame(canvas, kShadow, 0, 0, layout.width, layout.height);
    const int inset = kMenuBorder + kMenuPadding;
    for (int i = 0; i < menu.count; ++i) {
        const bool selected = i == menu.selected;
        const int top = layout.itemsTop + i * layout.itemHeight;
        Fill(canvas, selected ? kHighlight : kFace, inset, top, layout.width - 2 * inset,
             layout.itemHeight);
        Text(canvas, painter->font, selected ? kHighlightText : kText, layout.labelX,
             top + (layout.itemHeight - painter->unit) / 2, menu.labels[i]);
    }
}

} // namespace

bool OpenDialogPainter(DialogPainter* painter, int scale, int dpi, bool withBold) {
    memset(painter, 0, sizeof *painter);
    if (scale < 1 || !LoadPixman(&painter->pixman) || !LoadFcft(&painter->fcft) ||
        !painter->fcft.init(FCFT_LOG_COLORIZE_NEVER, false, FCFT_LOG_CLASS_NONE)) {
        return false;
    }
    painter->scale = scale;
    painter->font = OpenFont(painter->fcft, kFont, dpi * scale);
    if (painter->font == nullptr) {
        painter->fcft.fini();
        return false;
    }
    painter->boldFont = withBold ? OpenFont(painter->fcft, kBoldFont, dpi * scale) : nullptr;
    if (painter->boldFont == nullptr) {
        painter->boldFont = painter->font;
    }
    painter->unit = CeilDiv(painter->font->ascent + painter->font->descent, scale);
    return true;
}

void CloseDialogPainter(DialogPainter* painter) {
    if (painter->boldFont != painter->font) {
        painter->fcft.destroy(painter->boldFont);
    }
    painter->fcft.destroy(painter->font);
    painter->fcft.fini();
}

DialogLayout LayoutMessageBox(const DialogPainter* painter, const char* text, bool drawCaption) {
    const int unit = painter->unit;
    const int pad = unit;
    DialogLayout box = DialogLayout();
    box.captionHeight = drawCaption ? unit + unit / 2 : 0;
    const int iconSize = 2 * unit;
    const int buttonWidth = TextWidth(painter, painter->font, kOkLabel) + 2 * unit;
    box.button.width = buttonWidth > 5 * unit ? buttonWidth : 5 * unit;
    box.button.height = unit + unit / 2 + 2;
    const int contentWidth = iconSize + unit + TextWidth(painter, painter->font, text);
    box.width = (contentWidth > box.button.width ? contentWidth : box.button.width) + 2 * pad;
    box.icon = DialogRect{pad, box.captionHeight + pad, iconSize, iconSize};
    box.textX = pad + iconSize + unit;
    box.textY = box.icon.y + (iconSize - unit) / 2;
    box.button.x = (box.width - box.button.width) / 2;
    box.button.y = box.icon.y + iconSize + pad;
    box.height = box.button.y + box.button.height + pad;
    return box;
}

DialogLayout LayoutPopupMenu(const DialogPainter* painter, const char* const* labels, int count) {
    const int unit = painter->unit;
    DialogLayout menu = DialogLayout();
    menu.frameWidth = kMenuBorder;
    menu.itemsTop = kMenuBorder + kMenuPadding;
    menu.itemHeight = unit + unit / 2;
    // Room on the left where a check mark would go, as menus keep it.
    menu.labelX = kMenuBorder + kMenuPadding + unit + unit / 2;
    int widest = 0;
    for (int i = 0; i < count; ++i) {
        const int width = TextWidth(painter, painter->font, labels[i]);
        widest = width > widest ? width : widest;
    }
    menu.width = menu.labelX + widest + 2 * unit + kMenuPadding + kMenuBorder;
    menu.height = 2 * menu.itemsTop + count * menu.itemHeight;
    return menu;
}

void PaintDialog(const DialogPainter* painter, const DialogState& state, uint32_t* pixels,
                 int stride) {
    const int scale = painter->scale;
    pixman_image_t* image = painter->pixman.image_create_bits(
        PIXMAN_a8r8g8b8, state.layout.width * scale, state.layout.height * scale, pixels, stride);
    if (image == nullptr) {
        return;
    }
    const Canvas canvas = {painter, image, scale};
    Fill(canvas, kFace, 0, 0, state.layout.width, state.layout.height);
    if (state.kind == kMessageBox) {
        PaintBox(canvas, state);
    } else {
        PaintMenu(canvas, state);
    }
    painter->pixman.image_unref(image);
}
