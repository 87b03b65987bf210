#include "platform/linux/dialogs/dialog_model.h"

#include <xkbcommon/xkbcommon-keysyms.h>

namespace {

bool Inside(const DialogRect& rect, int x, int y) {
    return x >= rect.x && x < rect.x + rect.width && y >= rect.y && y < rect.y + rect.height;
}

bool InDialog(const DialogLayout& layout, int x, int y) {
    const DialogRect whole = {0, 0, layout.width, layout.height};
    return Inside(whole, x, y);
}

int ItemAt(const DialogState& menu, int x, int y) {
    const DialogLayout& layout = menu.layout;
    if (x < layout.frameWidth || x >= layout.width - layout.frameWidth || y < layout.itemsTop ||
        layout.itemHeight <= 0) {
        return kNoItem;
    }
    const int index = (y - layout.itemsTop) / layout.itemHeight;
    return index < menu.count ? index : kNoItem;
}

DialogAnswer Select(DialogState* menu, int index) {
    if (index == menu->selected) {
        return kDialogUnchanged;
    }
    menu->selected = index;
    return kDialogRedraw;
}

DialogAnswer SetButtonDown(DialogState* box, bool down) {
    if (box->buttonDown == down) {
        return kDialogUnchanged;
    }
    box->buttonDown = down;
    return kDialogRedraw;
}

bool IsOneOf(Uint32 keysym, Uint32 first, Uint32 second) {
    return keysym == first || keysym == second;
}

DialogAnswer BoxKey(DialogState* box, const DialogEvent& event) {
    // Ctrl+C copies the text, as message boxes on Windows do, so that a
    // message can be pasted into a report.
    if (event.control && IsOneOf(event.keysym, XKB_KEY_c, XKB_KEY_Insert)) {
        return kDialogCopyText;
    }
    if (IsOneOf(event.keysym, XKB_KEY_Return, XKB_KEY_KP_Enter) ||
        IsOneOf(event.keysym, XKB_KEY_Escape, XKB_KEY_space)) {
        box->buttonDown = false;
        return kDialogClosed;
    }
    return kDialogUnchanged;
}

DialogAnswer BoxPress(DialogState* box, bool primary, int x, int y) {
    return primary && Inside(box->layout.button, x, y) ? SetButtonDown(box, true)
                                                       : kDialogUnchanged;
}

DialogAnswer BoxRelease(DialogState* box, bool primary, int x, int y) {
    if (!primary || !box->buttonDown) {
        return kDialogUnchanged;
    }
    if (Inside(box->layout.button, x, y)) {
        box->buttonDown = false;
        return kDialogClosed;
    }
    return SetButtonDown(box, false);
}

DialogAnswer MenuKey(DialogState* menu, Uint32 keysym) {
    const int count = menu->count;
    switch (keysym) {
    case XKB_KEY_Escape:
        return kDialogClosed;
    case XKB_KEY_Return:
    case XKB_KEY_KP_Enter:
        return menu->selected != kNoItem ? kDialogPicked : kDialogUnchanged;
    case XKB_KEY_Down:
    case XKB_KEY_KP_Down:
        return count > 0 ? Select(menu, (menu->selected + 1) % count) : kDialogUnchanged;
    case XKB_KEY_Up:
    case XKB_KEY_KP_Up:
        return count > 0
                   ? Select(menu,
                            ((menu->selected == kNoItem ? 0 : menu->selected) + count - 1) % count)
                   : kDialogUnchanged;
    default:
        return kDialogUnchanged;
    }
}

DialogAnswer MenuPress(DialogState* menu, int x, int y) {
    if (!InDialog(menu->layout, x, y)) {
        return kDialogClosed;
    }
    return Select(menu, ItemAt(*menu, x, y));
}

DialogAnswer MenuRelease(DialogState* menu, int x, int y) {
    const int index = ItemAt(*menu, x, y);
    if (index == kNoItem) {
        return kDialogUnchanged;
    }
    menu->selected = index;
    return kDialogPicked;
}

DialogAnswer Press(DialogState* state, bool primary, int x, int y) {
    return state->kind == kMessageBox ? BoxPress(state, primary, x, y) : MenuPress(state, x, y);
}

DialogAnswer Release(DialogState* state, bool primary, int x, int y) {
    return state->kind == kMessageBox ? BoxRelease(state, primary, x, y) : MenuRelease(state, x, y);
}

DialogAnswer Motion(DialogState* state, int x, int y) {
    return state->kind == kPopupMenu ? Select(state, ItemAt(*state, x, y)) : kDialogUnchanged;
}

// A tap is a click of the first button where the finger was last seen.
DialogAnswer Touch(DialogState* state, const DialogEvent& event) {
    switch (event.kind) {
    case kTouchDown: {
        state->touching = true;
        state->touchX = event.x;
        state->touchY = event.y;
        const DialogAnswer moved = Motion(state, event.x, event.y);
        const DialogAnswer pressed = Press(state, true, event.x, event.y);
        return pressed != kDialogUnchanged ? pressed : moved;
    }
    case kTouchMotion:
        if (!state->touching) {
            return kDialogUnchanged;
        }
        state->touchX = event.x;
        state->touchY = event.y;
        return Motion(state, event.x, event.y);
    default:
        if (!state->touching) {
            return kDialogUnchanged;
        }
        state->touching = false;
        return Release(state, true, state->touchX, state->touchY);
    }
}

} // namespace

DialogState MessageBoxState(const DialogLayout& layout, const char* text, const char* caption) {
    DialogState state = DialogState();
    state.kind = kMessageBox;
    state.layout = layout;
    state.text = text;
    state.caption = caption;
    state.selected = kNoItem;
    return state;
}

DialogState PopupMenuState(const DialogLayout& layout, const char* const* labels, int count) {
    DialogState state = DialogState();
    state.kind = kPopupMenu;
    state.layout = layout;
    state.labels = labels;
    state.count = count;
    state.selected = kNoItem;
    return state;
}

DialogAnswer HandleDialogEvent(DialogState* state, const DialogEvent& event) {
    switch (event.kind) {
    case kKeyPress:
        return state->kind == kMessageBox ? BoxKey(state, event) : MenuKey(state, event.keysym);
    case kPointerMotion:
        return Motion(state, event.x, event.y);
    case kPointerPress:
        return Press(state, event.primary, event.x, event.y);
    case kPointerRelease:
        return Release(state, event.primary, event.x, event.y);
    case kTouchDown:
    case kTouchMotion:
    case kTouchUp:
        return Touch(state, event);
    case kCloseRequest:
        return kDialogClosed;
    case kFocusIn:
        state->focused = true;
        return kDialogUnchanged;
    case kFocusOut:
        // A managed menu closes as a grabbing one does on a click
        // elsewhere: when the user turns to another window.
        return state->kind == kPopupMenu && state->focused ? kDialogClosed : kDialogUnchanged;
    }
    return kDialogUnchanged;
}

int CentreOn(int anchor, int size, int screen) {
    if (anchor < 0 || anchor >= screen) {
        anchor = screen / 2;
    }
    const int start = anchor - size / 2;
    if (start + size > screen) {
        return screen - size > 0 ? screen - size : 0;
    }
    return start < 0 ? 0 : start;
}
