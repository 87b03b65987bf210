#include "platform/x11/dialogs/message_box.h"

#include "platform/x11/dialogs/dialog_window.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <stdio.h>
#include <string.h>

namespace {

// "确定": OK.
const char kOkLabel[] = "\xE7\xA1\xAE\xE5\xAE\x9A";

struct Box {
    DialogWindow dialog;
    const char* text;
    const char* caption;
    int width;
    int height;
    // Drawn by the box itself when there is no window manager to do it.
    int captionHeight;
    int iconX, iconY, iconSize;
    int textX, textY;
    XRectangle button;
    bool buttonDown;
};

bool HasWindowManager(const XlibLibrary* xlib, Display* display, int screen) {
    char name[32];
    snprintf(name, sizeof name, "WM_S%d", screen);
    return xlib->XGetSelectionOwner(display, xlib->XInternAtom(display, name, False)) != None;
}

void Layout(Box* box, bool drawCaption) {
    const UiStyle* style = &box->dialog.style;
    const int unit = style->unit;
    const int pad = unit;
    box->captionHeight = drawCaption ? unit + unit / 2 : 0;
    box->iconSize = 2 * unit;
    const int textWidth = TextWidth(style, style->font, box->text);
    const int buttonWidth = TextWidth(style, style->font, kOkLabel) + 2 * unit;
    box->button.width =
        static_cast<unsigned short>(buttonWidth > 5 * unit ? buttonWidth : 5 * unit);
    box->button.height = static_cast<unsigned short>(unit + unit / 2 + 2);

    const int contentWidth = box->iconSize + unit + textWidth;
    const int innerWidth = contentWidth > box->button.width ? contentWidth : box->button.width;
    box->width = innerWidth + 2 * pad;
    box->iconX = pad;
    box->iconY = box->captionHeight + pad;
    box->textX = pad + box->iconSize + unit;
    box->textY = box->iconY + (box->iconSize - unit) / 2;
    box->button.x = static_cast<short>((box->width - box->button.width) / 2);
    box->button.y = static_cast<short>(box->iconY + box->iconSize + pad);
    box->height = box->button.y + box->button.height + pad;
}

void DrawIcon(const Box* box) {
    const UiStyle* style = &box->dialog.style;
    const XlibLibrary* xlib = style->xlib;
    Display* display = style->display;
    const int x = box->iconX;
    const int y = box->iconY;
    const int size = box->iconSize;
    XPoint triangle[] = {{static_cast<short>(x + size / 2), static_cast<short>(y)},
                         {static_cast<short>(x + size - 1), static_cast<short>(y + size - 2)},
                         {static_cast<short>(x), static_cast<short>(y + size - 2)},
                         {static_cast<short>(x + size / 2), static_cast<short>(y)}};
    xlib->XSetForeground(display, box->dialog.gc, style->warning.pixel);
    xlib->XFillPolygon(display, box->dialog.window, box->dialog.gc, triangle, 3, Convex,
                       CoordModeOrigin);
    xlib->XSetForeground(display, box->dialog.gc, style->text.pixel);
    xlib->XDrawLines(display, box->dialog.window, box->dialog.gc, triangle, 4, CoordModeOrigin);
    // The mark: a bar and a dot, sized with the triangle.
    const int stroke = size / 10 > 2 ? size / 10 : 2;
    const int markX = x + (size - stroke) / 2;
    xlib->XFillRectangle(display, box->dialog.window, box->dialog.gc, markX, y + size * 3 / 10,
                         stroke, size * 4 / 10);
    xlib->XFillRectangle(display, box->dialog.window, box->dialog.gc, markX, y + size * 3 / 4,
                         stroke, stroke);
}

void DrawButton(const Box* box) {
    const UiStyle* style = &box->dialog.style;
    const XlibLibrary* xlib = style->xlib;
    Display* display = style->display;
    const XRectangle& b = box->button;
    style->xft->DrawRect(box->dialog.draw, &style->face, b.x, b.y, b.width, b.height);
    xlib->XSetForeground(display, box->dialog.gc, style->text.pixel);
    // The default button wears a heavier frame; pressed, it shifts by a pixel.
    xlib->XDrawRectangle(display, box->dialog.window, box->dialog.gc, b.x, b.y, b.width - 1,
                         b.height - 1);
    xlib->XSetForeground(display, box->dialog.gc, style->shadow.pixel);
    xlib->XDrawRectangle(display, box->dialog.window, box->dialog.gc, b.x + 1, b.y + 1, b.width - 3,
                         b.height - 3);
    const int shift = box->buttonDown ? 1 : 0;
    const int labelWidth = TextWidth(style, style->font, kOkLabel);
    DrawText(box->dialog.draw, style, style->font, &style->text,
             b.x + (b.width - labelWidth) / 2 + shift, b.y + (b.height - style->unit) / 2 + shift,
             kOkLabel);
}

void Paint(const Box* box) {
    const UiStyle* style = &box->dialog.style;
    if (box->captionHeight > 0) {
        style->xft->DrawRect(box->dialog.draw, &style->caption, 0, 0, box->width,
                             box->captionHeight);
        DrawText(box->dialog.draw, style, style->boldFont, &style->highlightText, style->unit / 2,
                 (box->captionHeight - style->unit) / 2, box->caption);
        style->xlib->XSetForeground(style->display, box->dialog.gc, style->caption.pixel);
        style->xlib->XDrawRectangle(style->display, box->dialog.window, box->dialog.gc, 0, 0,
                                    box->width - 1, box->height - 1);
    }
    DrawIcon(box);
    DrawText(box->dialog.draw, style, style->font, &style->text, box->textX, box->textY, box->text);
    DrawButton(box);
}

bool InButton(const Box* box, int x, int y) {
    const XRectangle& b = box->button;
    return x >= b.x && x < b.x + b.width && y >= b.y && y < b.y + b.height;
}

bool IsCopyKey(const XlibLibrary* xlib, const XKeyEvent& key) {
    const KeySym symbol = xlib->XLookupKeysym(const_cast<XKeyEvent*>(&key), 0);
    return (key.state & ControlMask) != 0 && (symbol == XK_c || symbol == XK_Insert);
}

// Ctrl+C puts the text on the clipboard, as message boxes on Windows do, so
// that a message can be pasted into a report. The box serves it while up.
void OfferText(const Box* box, Time time) {
    const XlibLibrary* xlib = box->dialog.style.xlib;
    Display* display = box->dialog.style.display;
    xlib->XSetSelectionOwner(display, xlib->XInternAtom(display, "CLIPBOARD", False),
                             box->dialog.window, time);
}

void AnswerSelectionRequest(const Box* box, const XSelectionRequestEvent& request) {
    const XlibLibrary* xlib = box->dialog.style.xlib;
    Display* display = box->dialog.style.display;
    const Atom utf8 = xlib->XInternAtom(display, "UTF8_STRING", False);
    const Atom targets = xlib->XInternAtom(display, "TARGETS", False);
    // An obsolete requestor names no property: the target serves as one.
    const Atom property = request.property != None ? request.property : request.target;
    XSelectionEvent reply = XSelectionEvent();
    reply.type = SelectionNotify;
    reply.requestor = request.requestor;
    reply.selection = request.selection;
    reply.target = request.target;
    reply.time = request.time;
    reply.property = property;
    if (request.target == targets) {
        const Atom offered[] = {targets, utf8};
        xlib->XChangeProperty(display, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                              reinterpret_cast<const unsigned char*>(offered), 2);
    } else if (request.target == utf8) {
        xlib->XChangeProperty(display, request.requestor, property, utf8, 8, PropModeReplace,
                              reinterpret_cast<const unsigned char*>(box->text),
                              static_cast<int>(strlen(box->text)));
    } else {
        reply.property = None;
    }
    xlib->XSendEvent(display, request.requestor, False, NoEventMask,
                     reinterpret_cast<XEvent*>(&reply));
}

bool IsDismissKey(KeySym key) {
    return key == XK_Return || key == XK_KP_Enter || key == XK_Escape || key == XK_space;
}

// Runs until the box is dismissed, or destroyed from outside.
void RunEvents(Box* box, bool setFocus) {
    const XlibLibrary* xlib = box->dialog.style.xlib;
    Display* display = box->dialog.style.display;
    xlib->XMapRaised(display, box->dialog.window);
    for (;;) {
        XEvent event;
        xlib->XNextEvent(display, &event);
        switch (event.type) {
        case MapNotify:
            // With no window manager nobody else gives the box the keyboard.
            if (setFocus) {
                xlib->XSetInputFocus(display, box->dialog.window, RevertToPointerRoot, CurrentTime);
            }
            break;
        case Expose:
            if (event.xexpose.count == 0) {
                Paint(box);
            }
            break;
        case KeyPress:
            if (IsCopyKey(xlib, event.xkey)) {
                OfferText(box, event.xkey.time);
            } else if (IsDismissKey(xlib->XLookupKeysym(&event.xkey, 0))) {
                return;
            }
            break;
        case SelectionRequest:
            AnswerSelectionRequest(box, event.xselectionrequest);
            break;
        case ButtonPress:
            if (event.xbutton.button == Button1 &&
                InButton(box, event.xbutton.x, event.xbutton.y)) {
                box->buttonDown = true;
                DrawButton(box);
            }
            break;
        case ButtonRelease:
            if (event.xbutton.button == Button1 && box->buttonDown) {
                if (InButton(box, event.xbutton.x, event.xbutton.y)) {
                    return;
                }
                box->buttonDown = false;
                DrawButton(box);
            }
            break;
        case ClientMessage:
            if (IsCloseRequest(&box->dialog, event)) {
                return;
            }
            break;
        case DestroyNotify:
            box->dialog.window = None;
            return;
        default:
            break;
        }
    }
}

} // namespace

bool ShowMessageBox(const XlibLibrary* xlib, Display* display, const char* text,
                    const char* caption, Point anchor) {
    const bool managed = HasWindowManager(xlib, display, DefaultScreen(display));
    Box box = Box();
    UiStyle* style = &box.dialog.style;
    if (!OpenUiStyle(xlib, display, !managed, style)) {
        return false;
    }
    box.text = text;
    box.caption = caption;
    Layout(&box, !managed);
    const int x = CentreOn(anchor.x, box.width, ScreenWidth(style));
    const int y = CentreOn(anchor.y, box.height, ScreenHeight(style));
    CreateDialogWindow(&box.dialog, x, y, box.width, box.height, false,
                       ExposureMask | KeyPressMask | ButtonPressMask | ButtonReleaseMask |
                           StructureNotifyMask,
                       caption, "tarvelin");
    SetDialogHints(&box.dialog, x, y, box.width, box.height);
    SetAtomProperty(&box.dialog, "_NET_WM_STATE", "_NET_WM_STATE_MODAL");

    RunEvents(&box, !managed);

    DestroyDialogWindow(&box.dialog);
    return true;
}
