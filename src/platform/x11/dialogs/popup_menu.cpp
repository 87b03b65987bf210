#include "platform/x11/dialogs/popup_menu.h"

#include "platform/linux/standard_error.h"
#include "platform/x11/dialogs/dialog_window.h"

#include <X11/keysym.h>
#include <time.h>

namespace {

const int kNone = -1;

struct Menu {
    DialogWindow dialog;
    const char* const* labels;
    int count;
    int width;
    int height;
    int itemHeight;
    int labelX;
    int selected;
    bool focused;
};

const int kBorder = 1;
const int kPadding = 2;

void Layout(Menu* menu) {
    const UiStyle* style = &menu->dialog.style;
    const int unit = style->unit;
    menu->itemHeight = unit + unit / 2;
    // Room on the left where a check mark would go, as menus keep it.
    menu->labelX = kBorder + kPadding + unit + unit / 2;
    int widest = 0;
    for (int i = 0; i < menu->count; ++i) {
        const int width = TextWidth(style, style->font, menu->labels[i]);
        widest = width > widest ? width : widest;
    }
    menu->width = menu->labelX + widest + 2 * unit + kPadding + kBorder;
    menu->height = 2 * (kBorder + kPadding) + menu->count * menu->itemHeight;
}

int ItemTop(const Menu* menu, int index) {
    return kBorder + kPadding + index * menu->itemHeight;
}

int ItemAt(const Menu* menu, int x, int y) {
    if (x < kBorder || x >= menu->width - kBorder || y < ItemTop(menu, 0)) {
        return kNone;
    }
    const int index = (y - ItemTop(menu, 0)) / menu->itemHeight;
    return index < menu->count ? index : kNone;
}

void PaintItem(const Menu* menu, int index) {
    const UiStyle* style = &menu->dialog.style;
    const bool selected = index == menu->selected;
    const int top = ItemTop(menu, index);
    style->xft->DrawRect(menu->dialog.draw, selected ? &style->highlight : &style->face,
                         kBorder + kPadding, top, menu->width - 2 * (kBorder + kPadding),
                         menu->itemHeight);
    DrawText(menu->dialog.draw, style, style->font, selected ? &style->highlightText : &style->text,
             menu->labelX, top + (menu->itemHeight - style->unit) / 2, menu->labels[index]);
}

void Paint(const Menu* menu) {
    const XlibLibrary* xlib = menu->dialog.style.xlib;
    xlib->XSetForeground(menu->dialog.style.display, menu->dialog.gc,
                         menu->dialog.style.shadow.pixel);
    xlib->XDrawRectangle(menu->dialog.style.display, menu->dialog.window, menu->dialog.gc, 0, 0,
                         menu->width - 1, menu->height - 1);
    for (int i = 0; i < menu->count; ++i) {
        PaintItem(menu, i);
    }
}

void Select(Menu* menu, int index) {
    if (index == menu->selected) {
        return;
    }
    const int previous = menu->selected;
    menu->selected = index;
    if (previous != kNone) {
        PaintItem(menu, previous);
    }
    if (index != kNone) {
        PaintItem(menu, index);
    }
}

// Another client (a hotkey daemon, a launcher) may hold a grab for a moment
// after starting the program: try for half a second.
bool GrabInput(const DialogWindow* dialog) {
    const XlibLibrary* xlib = dialog->style.xlib;
    Display* display = dialog->style.display;
    const Window window = dialog->window;
    const timespec pause = {0, 5 * 1000 * 1000};
    for (int attempt = 0; attempt < 100; ++attempt) {
        const int pointer = xlib->XGrabPointer(
            display, window, True, ButtonPressMask | ButtonReleaseMask | PointerMotionMask,
            GrabModeAsync, GrabModeAsync, None, None, CurrentTime);
        if (pointer == GrabSuccess) {
            if (xlib->XGrabKeyboard(display, window, True, GrabModeAsync, GrabModeAsync,
                                    CurrentTime) == GrabSuccess) {
                return true;
            }
            xlib->XUngrabPointer(display, CurrentTime);
        }
        nanosleep(&pause, nullptr);
    }
    return false;
}

// The picked item's index, or kNone when the menu closed without a choice.
int RunEvents(Menu* menu) {
    const XlibLibrary* xlib = menu->dialog.style.xlib;
    Display* display = menu->dialog.style.display;
    for (;;) {
        XEvent event;
        xlib->XNextEvent(display, &event);
        switch (event.type) {
        case Expose:
            if (event.xexpose.count == 0) {
                Paint(menu);
            }
            break;
        case KeyPress:
            switch (xlib->XLookupKeysym(&event.xkey, 0)) {
            case XK_Escape:
                return kNone;
            case XK_Return:
            case XK_KP_Enter:
                if (menu->selected != kNone) {
                    return menu->selected;
                }
                break;
            case XK_Down:
            case XK_KP_Down:
                Select(menu, (menu->selected + 1) % menu->count);
                break;
            case XK_Up:
            case XK_KP_Up:
                Select(menu, ((menu->selected == kNone ? 0 : menu->selected) + menu->count - 1) %
                                 menu->count);
                break;
            default:
                break;
            }
            break;
        case MotionNotify:
            Select(menu, ItemAt(menu, event.xmotion.x, event.xmotion.y));
            break;
        case ButtonPress:
            if (event.xbutton.x < 0 || event.xbutton.y < 0 || event.xbutton.x >= menu->width ||
                event.xbutton.y >= menu->height) {
                return kNone;
            }
            Select(menu, ItemAt(menu, event.xbutton.x, event.xbutton.y));
            break;
        case ButtonRelease: {
            const int index = ItemAt(menu, event.xbutton.x, event.xbutton.y);
            if (index != kNone) {
                return index;
            }
            break;
        }
        case FocusIn:
            menu->focused = true;
            break;
        case FocusOut:
            // A managed menu closes as a grabbing one does on a click
            // elsewhere: when the user turns to another window.
            if (menu->focused && event.xfocus.mode == NotifyNormal &&
                event.xfocus.detail != NotifyInferior) {
                return kNone;
            }
            break;
        case ClientMessage:
            if (IsCloseRequest(&menu->dialog, event)) {
                return kNone;
            }
            break;
        case DestroyNotify:
            menu->dialog.window = None;
            return kNone;
        default:
            break;
        }
    }
}

} // namespace

MenuAnswer TrackPopup(const XlibLibrary* xlib, Display* display, const char* const* labels,
                      int count, Point anchor, bool managed, int* picked) {
    Menu menu = Menu();
    UiStyle* style = &menu.dialog.style;
    if (!OpenUiStyle(xlib, display, false, style)) {
        ReportError("cannot show the menu: no usable font");
        return kMenuNotShown;
    }
    menu.labels = labels;
    menu.count = count;
    menu.selected = kNone;
    Layout(&menu);
    const int x = CentreOn(anchor.x, menu.width, ScreenWidth(style));
    const int y = CentreOn(anchor.y, menu.height, ScreenHeight(style));
    CreateDialogWindow(&menu.dialog, x, y, menu.width, menu.height, !managed,
                       ExposureMask | KeyPressMask | ButtonPressMask | ButtonReleaseMask |
                           PointerMotionMask | StructureNotifyMask | FocusChangeMask,
                       "Tarvelin", "tarvelin-menu");
    if (managed) {
        SetDialogHints(&menu.dialog, x, y, menu.width, menu.height);
    } else {
        SetAtomProperty(&menu.dialog, "_NET_WM_WINDOW_TYPE", "_NET_WM_WINDOW_TYPE_POPUP_MENU");
    }
    xlib->XMapRaised(display, menu.dialog.window);

    const bool grabbed = managed || GrabInput(&menu.dialog);
    const int index = grabbed ? RunEvents(&menu) : kNone;

    xlib->XUngrabKeyboard(display, CurrentTime);
    xlib->XUngrabPointer(display, CurrentTime);
    DestroyDialogWindow(&menu.dialog);
    if (!grabbed) {
        ReportError("cannot show the menu: another client holds the keyboard or pointer");
        return kMenuNotShown;
    }
    *picked = index;
    return index == kNone ? kMenuClosed : kMenuPicked;
}
