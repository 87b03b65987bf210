// How the message box and the menu answer the user, apart from any window
// system: a state, and what each key, click, touch or close makes of it.
// Presenters turn their events into DialogEvents and act on the answers;
// everything here is in the dialog's logical pixels, origin at its top left.
#ifndef TARVELIN_PLATFORM_LINUX_DIALOGS_DIALOG_MODEL_H
#define TARVELIN_PLATFORM_LINUX_DIALOGS_DIALOG_MODEL_H

#include "platform/port.h"

struct DialogRect {
    int x;
    int y;
    int width;
    int height;
};

// Where things are, as the painter lays them out for its font.
struct DialogLayout {
    int width;
    int height;
    // The box: a caption bar of its own (0 when a window manager draws one),
    // the warning sign, the text's line box and the OK button.
    int captionHeight;
    DialogRect icon;
    int textX;
    int textY;
    DialogRect button;
    // The menu: count items from itemsTop, itemHeight each, within the frame
    // of frameWidth pixels; labels start at labelX.
    int itemsTop;
    int itemHeight;
    int frameWidth;
    int labelX;
};

enum DialogKind { kMessageBox, kPopupMenu };

const int kNoItem = -1;

struct DialogState {
    DialogKind kind;
    DialogLayout layout;
    // UTF-8, owned by the caller: the box's text and caption, or the menu's
    // count labels.
    const char* text;
    const char* caption;
    const char* const* labels;
    int count;
    int selected; // the highlighted item, or kNoItem
    bool buttonDown;
    // Set once the dialog has had the keyboard, so that losing it means the
    // user turned elsewhere.
    bool focused;
    // Where the touch point now down was last seen (touch up has no place).
    bool touching;
    int touchX;
    int touchY;
};

enum DialogEventKind {
    // keysym: the key's symbol at its first shift level (xkbcommon's
    // keysyms: see BaseKeysym); control: Ctrl held.
    kKeyPress,
    kPointerMotion,
    // primary: the first (left) button.
    kPointerPress,
    kPointerRelease,
    kTouchDown,
    kTouchMotion,
    kTouchUp,
    // The window manager's or compositor's close.
    kCloseRequest,
    kFocusIn,
    kFocusOut,
};

struct DialogEvent {
    DialogEventKind kind;
    Uint32 keysym;
    bool control;
    bool primary;
    int x;
    int y;
};

enum DialogAnswer {
    kDialogUnchanged,
    kDialogRedraw,
    // The box's text goes on the clipboard (Ctrl+C, Ctrl+Insert).
    kDialogCopyText,
    // Closed without a choice: every way a box closes, Escape or a click
    // elsewhere for the menu.
    kDialogClosed,
    // The menu's item state->selected was chosen.
    kDialogPicked,
};

// A box (text, caption) or a menu (labels, count) laid out as given, with
// nothing selected or pressed.
DialogState MessageBoxState(const DialogLayout& layout, const char* text, const char* caption);
DialogState PopupMenuState(const DialogLayout& layout, const char* const* labels, int count);

// Applies event to state and says what the presenter must do.
DialogAnswer HandleDialogEvent(DialogState* state, const DialogEvent& event);

// Where a window of size starts to be centred on anchor and whole on a
// screen that long where it fits; an anchor off the screen centres it.
int CentreOn(int anchor, int size, int screen);

#endif
