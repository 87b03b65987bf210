// The window the message box and the menu each stand in: made, named and
// taken down alike, and drawn with the shared style.
#ifndef TARVELIN_PLATFORM_X11_DIALOGS_DIALOG_WINDOW_H
#define TARVELIN_PLATFORM_X11_DIALOGS_DIALOG_WINDOW_H

#include "platform/linux/dialogs/dialog_model.h" // CentreOn
#include "platform/x11/dialogs/style.h"

struct DialogWindow {
    UiStyle style;
    Window window;
    XftDraw* draw;
    GC gc;
    // WM_PROTOCOLS and WM_DELETE_WINDOW once the window manager may close
    // it; None for a popup.
    Atom protocols = None;
    Atom deleteWindow = None;
};

// The window at x, y of the given size on dialog->style, which is open,
// filled with the face colour. A popup bypasses the window manager. Named
// title (WM_NAME, _NET_WM_NAME) with the WM_CLASS instance given and class
// "Tarvelin".
void CreateDialogWindow(DialogWindow* dialog, int x, int y, int width, int height, bool popup,
                        long events, const char* title, const char* instance);

// Frees what the dialog drew with, destroys its window unless the server
// has already (None), closes the style and waits until the server has done
// it.
void DestroyDialogWindow(DialogWindow* dialog);

// Sets one atom-list property (window type, state) in EWMH's format.
void SetAtomProperty(const DialogWindow* dialog, const char* property, const char* value);

// A fixed-size dialog at x, y for the window manager, which takes focus and
// may ask to close it.
void SetDialogHints(DialogWindow* dialog, int x, int y, int width, int height);

// True for the window manager's request to close the dialog.
bool IsCloseRequest(const DialogWindow* dialog, const XEvent& event);

// Screen size in pixels, as the server reports it now.
int ScreenWidth(const UiStyle* style);
int ScreenHeight(const UiStyle* style);

#endif
