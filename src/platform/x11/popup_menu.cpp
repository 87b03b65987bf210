#include "platform/x11/popup_menu.h"

#include "platform/x11/ui_style.h"

#include <X11/keysym.h>
#include <time.h>

namespace {

const int kNone = -1;

struct Menu {
    const UiStyle* style;
    const PopupItem* items;
    int count;
    Window window;
    XftDraw* draw;
    GC gc;
    int width;
    int height;
    int itemHeight;
    int labelX;
    int selected;
};

const int kBorder = 1;
const int kPadding = 2;

void Layout(Menu* menu) {
    const UiStyle* style = menu->style;
    const int unit = style->unit;
    menu->itemHeight = unit + unit / 2;
    // Room on the left where a check mark would go, as menus keep it.
    menu->labelX = kBorder + kPadding + unit + unit / 2;
    int widest = 0;
    for (int i = 0; i < menu->count; ++i) {
        const int width = TextWidth(style, style->font, menu->items[i].label);
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
    const UiStyle* style = menu->style;
    const bool selected = index == menu->selected;
    const int top = ItemTop(menu, index);
    style->xft->DrawRect(menu->draw, selected ? &style->highlight : &style->face,
                         kBorder + kPadding, top, menu->width - 2 * (kBorder + kPadding),
                         menu->itemHeight);
    DrawText(menu->draw, style, style->font, selected ? &style->highlightText : &style->text,
             menu->labelX, top + (menu->itemHeight - style->unit) / 2, menu->items[index].label);
}

void Paint(const Menu* menu) {
    XSetForeground(menu->style->display, menu->gc, menu->style->shadow.pixel);
    XDrawRectangle(menu->style->display, menu->window, menu->gc, 0, 0, menu->width - 1,
                   menu->height - 1);
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

int Place(int anchor, int size, PopupAlign align, int screen) {
    const int start = align == kAlignCentre ? anchor - size / 2 : anchor;
    // Keep the whole menu on the screen where it fits.
    if (start + size > screen) {
        return screen - size > 0 ? screen - size : 0;
    }
    return start < 0 ? 0 : start;
}

// Another client (a hotkey daemon, a launcher) may hold a grab for a moment
// after starting the program: try for half a second.
bool GrabInput(Display* display, Window window) {
    const timespec pause = {0, 5 * 1000 * 1000};
    for (int attempt = 0; attempt < 100; ++attempt) {
        const int pointer = XGrabPointer(display, window, True,
                                         ButtonPressMask | ButtonReleaseMask | PointerMotionMask,
                                         GrabModeAsync, GrabModeAsync, None, None, CurrentTime);
        if (pointer == GrabSuccess) {
            if (XGrabKeyboard(display, window, True, GrabModeAsync, GrabModeAsync, CurrentTime) ==
                GrabSuccess) {
                return true;
            }
            XUngrabPointer(display, CurrentTime);
        }
        nanosleep(&pause, NULL);
    }
    return false;
}

// The picked item's index, or kNone when the menu closed without a choice.
int RunEvents(Menu* menu) {
    Display* display = menu->style->display;
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        switch (event.type) {
        case Expose:
            if (event.xexpose.count == 0) {
                Paint(menu);
            }
            break;
        case KeyPress:
            switch (XLookupKeysym(&event.xkey, 0)) {
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
        case DestroyNotify:
            menu->window = None;
            return kNone;
        default:
            break;
        }
    }
}

} // namespace

unsigned TrackPopup(Display* display, const PopupItem* items, int count, int x, int y,
                    PopupAlign horizontal, PopupAlign vertical) {
    UiStyle style;
    if (count <= 0 || !OpenUiStyle(display, false, &style)) {
        return 0;
    }
    Menu menu = Menu();
    menu.style = &style;
    menu.items = items;
    menu.count = count;
    menu.selected = kNone;
    Layout(&menu);
    const int left = Place(x, menu.width, horizontal, ScreenWidth(&style));
    const int top = Place(y, menu.height, vertical, ScreenHeight(&style));
    menu.window = CreateUiWindow(&style, left, top, menu.width, menu.height, true,
                                 ExposureMask | KeyPressMask | ButtonPressMask | ButtonReleaseMask |
                                     PointerMotionMask | StructureNotifyMask,
                                 "Tarvelin", "tarvelin-menu");
    SetAtomProperty(display, menu.window, "_NET_WM_WINDOW_TYPE", "_NET_WM_WINDOW_TYPE_POPUP_MENU");
    menu.draw = style.xft->DrawCreate(display, menu.window, style.visual, style.colormap);
    menu.gc = XCreateGC(display, menu.window, 0, NULL);
    XMapRaised(display, menu.window);

    const int picked = GrabInput(display, menu.window) ? RunEvents(&menu) : kNone;

    XUngrabKeyboard(display, CurrentTime);
    XUngrabPointer(display, CurrentTime);
    DestroyUiWindow(&style, menu.window, menu.draw, menu.gc);
    return picked == kNone ? 0 : items[picked].identifier;
}
