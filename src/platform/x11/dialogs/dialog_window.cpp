#include "platform/x11/dialogs/dialog_window.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <string.h>
#include <unistd.h>

void CreateDialogWindow(DialogWindow* dialog, int x, int y, int width, int height, bool popup,
                        long events, const char* title, const char* instance) {
    const UiStyle* style = &dialog->style;
    const XlibLibrary* xlib = style->xlib;
    Display* display = style->display;
    XSetWindowAttributes attributes;
    attributes.background_pixel = style->face.pixel;
    attributes.border_pixel = style->text.pixel;
    attributes.event_mask = events;
    attributes.override_redirect = popup ? True : False;
    attributes.save_under = popup ? True : False;
    const Window window = xlib->XCreateWindow(
        display, RootWindow(display, style->screen), x, y, static_cast<unsigned>(width),
        static_cast<unsigned>(height), 0, CopyFromParent, InputOutput, style->visual,
        CWBackPixel | CWBorderPixel | CWEventMask | CWOverrideRedirect | CWSaveUnder, &attributes);

    xlib->XStoreName(display, window, title);
    xlib->XChangeProperty(display, window, xlib->XInternAtom(display, "_NET_WM_NAME", False),
                          xlib->XInternAtom(display, "UTF8_STRING", False), 8, PropModeReplace,
                          reinterpret_cast<const unsigned char*>(title),
                          static_cast<int>(strlen(title)));
    char className[] = "Tarvelin";
    XClassHint classHint;
    classHint.res_name = const_cast<char*>(instance);
    classHint.res_class = className;
    xlib->XSetClassHint(display, window, &classHint);
    const long pid = getpid();
    xlib->XChangeProperty(display, window, xlib->XInternAtom(display, "_NET_WM_PID", False),
                          XA_CARDINAL, 32, PropModeReplace,
                          reinterpret_cast<const unsigned char*>(&pid), 1);
    dialog->window = window;
    dialog->draw = style->xft->DrawCreate(display, window, style->visual, style->colormap);
    dialog->gc = xlib->XCreateGC(display, window, 0, nullptr);
}

void DestroyDialogWindow(DialogWindow* dialog) {
    UiStyle* style = &dialog->style;
    const XlibLibrary* xlib = style->xlib;
    Display* display = style->display;
    xlib->XFreeGC(display, dialog->gc);
    style->xft->DrawDestroy(dialog->draw);
    if (dialog->window != None) {
        xlib->XDestroyWindow(display, dialog->window);
    }
    CloseUiStyle(style);
    xlib->XSync(display, False);
}

void SetAtomProperty(const DialogWindow* dialog, const char* property, const char* value) {
    const XlibLibrary* xlib = dialog->style.xlib;
    Display* display = dialog->style.display;
    const Atom atom = xlib->XInternAtom(display, value, False);
    xlib->XChangeProperty(display, dialog->window, xlib->XInternAtom(display, property, False),
                          XA_ATOM, 32, PropModeReplace,
                          reinterpret_cast<const unsigned char*>(&atom), 1);
}

int ScreenWidth(const UiStyle* style) {
    return DisplayWidth(style->display, style->screen);
}

int ScreenHeight(const UiStyle* style) {
    return DisplayHeight(style->display, style->screen);
}

void SetDialogHints(DialogWindow* dialog, int x, int y, int width, int height) {
    const XlibLibrary* xlib = dialog->style.xlib;
    Display* display = dialog->style.display;
    XSizeHints* size = xlib->XAllocSizeHints();
    if (size != nullptr) {
        // Fixed size, and the place chosen here, as a message box has.
        size->flags = PPosition | USPosition | PMinSize | PMaxSize;
        size->x = x;
        size->y = y;
        size->min_width = size->max_width = width;
        size->min_height = size->max_height = height;
        xlib->XSetWMNormalHints(display, dialog->window, size);
        xlib->XFree(size);
    }
    XWMHints* hints = xlib->XAllocWMHints();
    if (hints != nullptr) {
        hints->flags = InputHint | StateHint;
        hints->input = True;
        hints->initial_state = NormalState;
        xlib->XSetWMHints(display, dialog->window, hints);
        xlib->XFree(hints);
    }
    SetAtomProperty(dialog, "_NET_WM_WINDOW_TYPE", "_NET_WM_WINDOW_TYPE_DIALOG");
    dialog->protocols = xlib->XInternAtom(display, "WM_PROTOCOLS", False);
    dialog->deleteWindow = xlib->XInternAtom(display, "WM_DELETE_WINDOW", False);
    xlib->XSetWMProtocols(display, dialog->window, &dialog->deleteWindow, 1);
}

bool IsCloseRequest(const DialogWindow* dialog, const XEvent& event) {
    // An unmanaged popup has no such atoms: nothing closes it this way.
    return event.type == ClientMessage && dialog->deleteWindow != None &&
           event.xclient.message_type == dialog->protocols &&
           static_cast<Atom>(event.xclient.data.l[0]) == dialog->deleteWindow;
}
