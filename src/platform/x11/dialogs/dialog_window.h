// The window the message box and the menu each stand in: made, named,
// drawn by the shared painter and answered through the shared model, and
// taken down alike.
#ifndef TARVELIN_PLATFORM_X11_DIALOGS_DIALOG_WINDOW_H
#define TARVELIN_PLATFORM_X11_DIALOGS_DIALOG_WINDOW_H

#include "platform/linux/dialogs/dialog_painter.h"
#include "platform/port.h"
#include "platform/x11/dialogs/connection.h"

#include <vector>

enum DialogAtom {
    kUtf8String,
    kNetWmName,
    kNetWmPid,
    kNetWmWindowType,
    kNetWmWindowTypeDialog,
    kNetWmWindowTypePopupMenu,
    kNetWmState,
    kNetWmStateModal,
    kWmProtocols,
    kWmDeleteWindow,
    kClipboard,
    kTargets,
    kNetFrameExtents,
    kDialogAtomCount
};

struct DialogWindow {
    X11Connection* connection;
    DialogPainter painter;
    DialogState state;
    std::vector<uint32_t> pixels;
    xcb_atom_t atoms[kDialogAtomCount];
    xcb_window_t window;
    xcb_gcontext_t gc;
    bool managed; // a window manager's, rather than the program's own
    // Where the window was placed.
    int x;
    int y;
};

// Readies a dialog on connection, which is open: the painter (withBold for
// a caption of its own) and the atoms. False when nothing can be drawn (no
// font, or a screen whose pixels are not 32 bits of RGB); nothing is then
// left to close.
bool OpenDialog(DialogWindow* dialog, X11Connection* connection, bool withBold);

// True when a window manager holds the screen's selection.
bool HasWindowManager(const X11Connection* connection);

// Maps the window for dialog->state, which has been laid out, centred on
// anchor and kept on the screen. A popup bypasses the window manager; a
// managed window is a fixed-size dialog placed where asked, its frame
// around it. Named title
// (WM_NAME, _NET_WM_NAME) with the WM_CLASS instance given and class
// "Tarvelin"; a managed window of type dialog, of stateAtom (or none).
void ShowDialogWindow(DialogWindow* dialog, Point anchor, bool popup, uint32_t events,
                      const char* title, const char* instance, int stateAtom);

// Takes the pointer and keyboard for a popup, trying for half a second:
// another client (a hotkey daemon, a launcher) may hold them for a moment
// after starting the program.
bool GrabInput(const DialogWindow* dialog);

// Runs until the dialog is closed (kDialogClosed) or its item picked
// (kDialogPicked), or its window destroyed from outside; setFocus: the
// dialog takes the keyboard itself once mapped, with no window manager to
// give it. Ctrl+C in the box puts its text on the clipboard, served while
// the box is up.
DialogAnswer RunDialog(DialogWindow* dialog, bool setFocus);

// Lets go of the grabs, destroys the window unless the server has already,
// closes the painter and waits until the server has done it all.
void CloseDialog(DialogWindow* dialog);

#endif
