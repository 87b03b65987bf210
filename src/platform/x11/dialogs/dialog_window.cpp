#include "platform/x11/dialogs/dialog_window.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <string.h>
#include <unistd.h>

void CreateDialogWindow(DialogWindow* dialog, int x, int y, int width, int height, bool popup,
                        long events, const char* title, const char* instance) {
    const UiStyle* style = &dialog->style;
    Display* display = style->display;
    XSetWindowAttributes attributes;
    attributes.background_pixel = style->face.pixel;
    attributes.border_pixel = style->text.pixel;
    attributes.event_mask = events;
    attributes.override_redirect = popup ? True : False;
    attributes.save_under = popup ? True : False;
    const Window window = XCreateWindow(
        display, RootWindow(display, style->screen), x, y, static_cast<unsigned>(width),
        static_cast<unsigned>(height), 0, CopyFromParent, InputOutput, style->visual,
        CWBackPixel | CWBorderPixel | CWEventMask | CWOverrideRedirect | CWSaveUnder, &attributes);

    XStoreName(display, window, title);
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False),
                    XInternAtom(display, "UTF8_STRING", False), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(title), static_cast<int>(strlen(title)));
    char className[] = "Tarvelin";
    XClassHint classHint;
    classHint.res_name = const_cast<char*>(instance);
    classHint.res_class = className;
    XSetClassHint(display, window, &classHint);
    const long pid = getpid();
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
    dialog->window = window;
    dialog->draw = style->xft->DrawCreate(display, window, style->visual, style->colormap);
    dialog->gc = XCreateGC(display, window, 0, nullptr);
}

void DestroyDialogWindow(DialogWindow* dialog) {
    UiStyle* style = &dialog->style;
    Display* display = style->display;
    XFreeGC(display, dialog->gc);
    style->xft->DrawDestroy(dialog->draw);
    if (dialog->window != None) {
        XDestroyWindow(display, dialog->window);
    }
    CloseUiStyle(style);
    XSync(display, False);
}

void SetAtomProperty(Display* display, Window window, const char* property, const char* value) {
    const Atom atom = XInternAtom(display, value, False);
    XChangeProperty(display, window, XInternAtom(display, property, False), XA_ATOM, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&atom), 1);
}

int ScreenWidth(const UiStyle* style) {
    return DisplayWidth(style->display, style->screen);
}

int ScreenHeight(const UiStyle* style) {
    return DisplayHeight(style->display, style->screen);
}
