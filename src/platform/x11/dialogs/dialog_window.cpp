#include "platform/x11/dialogs/dialog_window.h"

#include "platform/linux/standard_error.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <string>
#include <time.h>
#include <unistd.h>

namespace {

const char* const kAtomNames[] = {"UTF8_STRING",
                                  "_NET_WM_NAME",
                                  "_NET_WM_PID",
                                  "_NET_WM_WINDOW_TYPE",
                                  "_NET_WM_WINDOW_TYPE_DIALOG",
                                  "_NET_WM_WINDOW_TYPE_POPUP_MENU",
                                  "_NET_WM_STATE",
                                  "_NET_WM_STATE_MODAL",
                                  "WM_PROTOCOLS",
                                  "WM_DELETE_WINDOW",
                                  "CLIPBOARD",
                                  "TARGETS",
                                  "_NET_FRAME_EXTENTS"};
static_assert(sizeof kAtomNames / sizeof kAtomNames[0] == kDialogAtomCount, "one name an atom");

const uint32_t kFaceRgb = 0xF0F0F0;
const int kDefaultDpi = 96;

// ICCCM's WM_SIZE_HINTS and WM_HINTS, as 32-bit fields.
const uint32_t kUserPosition = 1, kProgramPosition = 4, kMinSize = 16, kMaxSize = 32;
const uint32_t kInputHint = 1, kStateHint = 2, kNormalState = 1;

// All asked before any answer is read: one round trip.
void InternAtoms(DialogWindow* dialog) {
    const XcbLibrary& xcb = dialog->connection->xcb;
    xcb_connection_t* server = dialog->connection->connection;
    xcb_intern_atom_cookie_t cookies[kDialogAtomCount];
    for (int i = 0; i < kDialogAtomCount; ++i) {
        cookies[i] =
            xcb.intern_atom(server, 0, static_cast<uint16_t>(strlen(kAtomNames[i])), kAtomNames[i]);
    }
    for (int i = 0; i < kDialogAtomCount; ++i) {
        xcb_intern_atom_reply_t* reply = xcb.intern_atom_reply(server, cookies[i], nullptr);
        dialog->atoms[i] = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
        free(reply);
    }
}

// Xft.dpi from the server's resources when the user set it: virtual and
// remote servers often report a made-up screen size, so no resolution is
// worked out from it.
int ResourceDpi(const X11Connection* connection) {
    const XcbLibrary& xcb = connection->xcb;
    xcb_get_property_reply_t* reply = xcb.get_property_reply(
        connection->connection,
        xcb.get_property(connection->connection, 0, connection->screen->root,
                         XCB_ATOM_RESOURCE_MANAGER, XCB_ATOM_STRING, 0, 1 << 16),
        nullptr);
    int dpi = kDefaultDpi;
    if (reply != nullptr) {
        const std::string resources(static_cast<const char*>(xcb.get_property_value(reply)),
                                    static_cast<size_t>(xcb.get_property_value_length(reply)));
        const std::string key = "Xft.dpi:";
        for (size_t at = resources.find(key); at != std::string::npos;
             at = resources.find(key, at + 1)) {
            if (at == 0 || resources[at - 1] == '\n') {
                const int read = atoi(resources.c_str() + at + key.size());
                dpi = read > 0 && read < 10000 ? read : dpi;
            }
        }
        free(reply);
    }
    return dpi;
}

// The painter's buffers go out unchanged: 32 bits a pixel, 24 of colour.
bool TakesOurPixels(const X11Connection* connection) {
    const XcbLibrary& xcb = connection->xcb;
    const xcb_setup_t* setup = xcb.get_setup(connection->connection);
    const uint8_t depth = connection->screen->root_depth;
    const xcb_format_t* formats = xcb.setup_pixmap_formats(setup);
    for (int i = 0; i < xcb.setup_pixmap_formats_length(setup); ++i) {
        if (formats[i].depth == depth) {
            return (depth == 24 || depth == 32) && formats[i].bits_per_pixel == 32 &&
                   setup->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST;
        }
    }
    return false;
}

void SetProperty(const DialogWindow* dialog, xcb_atom_t property, xcb_atom_t type, uint8_t format,
                 uint32_t count, const void* data) {
    dialog->connection->xcb.change_property(dialog->connection->connection, XCB_PROP_MODE_REPLACE,
                                            dialog->window, property, type, format, count, data);
}

void SetAtom(const DialogWindow* dialog, DialogAtom property, DialogAtom value) {
    SetProperty(dialog, dialog->atoms[property], XCB_ATOM_ATOM, 32, 1, &dialog->atoms[value]);
}

void Name(const DialogWindow* dialog, const char* title, const char* instance) {
    const uint32_t length = static_cast<uint32_t>(strlen(title));
    SetProperty(dialog, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, length, title);
    SetProperty(dialog, dialog->atoms[kNetWmName], dialog->atoms[kUtf8String], 8, length, title);
    char classHint[64];
    const int written = snprintf(classHint, sizeof classHint, "%s%cTarvelin", instance, 0);
    SetProperty(dialog, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8, static_cast<uint32_t>(written + 1),
                classHint);
    const uint32_t pid = static_cast<uint32_t>(getpid());
    SetProperty(dialog, dialog->atoms[kNetWmPid], XCB_ATOM_CARDINAL, 32, 1, &pid);
}

// A fixed-size dialog where asked, for the window manager, which takes
// focus and may ask to close it.
void SetDialogHints(const DialogWindow* dialog, int x, int y) {
    const DialogLayout& layout = dialog->state.layout;
    const uint32_t width = static_cast<uint32_t>(layout.width);
    const uint32_t height = static_cast<uint32_t>(layout.height);
    // flags, x, y, two unused, then the least and the largest size.
    uint32_t size[18] = {kUserPosition | kProgramPosition | kMinSize | kMaxSize,
                         static_cast<uint32_t>(x), static_cast<uint32_t>(y)};
    size[5] = size[7] = width;
    size[6] = size[8] = height;
    SetProperty(dialog, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, 32, 18, size);
    const uint32_t hints[9] = {kInputHint | kStateHint, 1, kNormalState};
    SetProperty(dialog, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 32, 9, hints);
    SetAtom(dialog, kNetWmWindowType, kNetWmWindowTypeDialog);
    SetAtom(dialog, kWmProtocols, kWmDeleteWindow);
}

// Some window managers (Mutter) put the frame where the window asked to be,
// which pushes the window off centre by the frame's top and left: once the
// frame is there, move the window back to its place.
void KeepOffFrame(const DialogWindow* dialog) {
    const XcbLibrary& xcb = dialog->connection->xcb;
    xcb_connection_t* server = dialog->connection->connection;
    xcb_get_property_reply_t* reply = xcb.get_property_reply(
        server,
        xcb.get_property(server, 0, dialog->window, dialog->atoms[kNetFrameExtents],
                         XCB_ATOM_CARDINAL, 0, 4),
        nullptr);
    if (reply != nullptr && reply->format == 32 && xcb.get_property_value_length(reply) == 16) {
        // left, right, top, bottom
        const uint32_t* extents = static_cast<const uint32_t*>(xcb.get_property_value(reply));
        if ((extents[0] > 0 || extents[2] > 0)) {
            const int32_t place[] = {dialog->x - static_cast<int32_t>(extents[0]),
                                     dialog->y - static_cast<int32_t>(extents[2])};
            xcb.configure_window(server, dialog->window, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y,
                                 place);
            xcb.flush(server);
        }
    }
    free(reply);
}

// Sends the picture in requests the server takes.
void Present(const DialogWindow* dialog) {
    const XcbLibrary& xcb = dialog->connection->xcb;
    xcb_connection_t* server = dialog->connection->connection;
    const int width = dialog->state.layout.width;
    const int height = dialog->state.layout.height;
    const uint32_t rowBytes = static_cast<uint32_t>(width) * 4;
    const uint32_t room = xcb.get_maximum_request_length(server) * 4 - 24;
    const int rows = room / rowBytes > 0 ? static_cast<int>(room / rowBytes) : 1;
    for (int y = 0; y < height; y += rows) {
        const int count = height - y < rows ? height - y : rows;
        xcb.put_image(
            server, XCB_IMAGE_FORMAT_Z_PIXMAP, dialog->window, dialog->gc,
            static_cast<uint16_t>(width), static_cast<uint16_t>(count), 0, static_cast<int16_t>(y),
            0, dialog->connection->screen->root_depth, rowBytes * count,
            reinterpret_cast<const uint8_t*>(&dialog->pixels[static_cast<size_t>(y) * width]));
    }
    xcb.flush(server);
}

void Repaint(DialogWindow* dialog) {
    PaintDialog(&dialog->painter, dialog->state, dialog->pixels.data(),
                dialog->state.layout.width * 4);
    Present(dialog);
}

void AnswerSelectionRequest(const DialogWindow* dialog,
                            const xcb_selection_request_event_t& request) {
    const XcbLibrary& xcb = dialog->connection->xcb;
    xcb_connection_t* server = dialog->connection->connection;
    const xcb_atom_t utf8 = dialog->atoms[kUtf8String];
    const xcb_atom_t targets = dialog->atoms[kTargets];
    // An obsolete requestor names no property: the target serves as one.
    const xcb_atom_t property =
        request.property != XCB_ATOM_NONE ? request.property : request.target;
    // Events are sent as 32 bytes.
    union {
        xcb_selection_notify_event_t event;
        char bytes[32];
    } reply = {};
    reply.event.response_type = XCB_SELECTION_NOTIFY;
    reply.event.time = request.time;
    reply.event.requestor = request.requestor;
    reply.event.selection = request.selection;
    reply.event.target = request.target;
    reply.event.property = property;
    if (request.target == targets) {
        const xcb_atom_t offered[] = {targets, utf8};
        xcb.change_property(server, XCB_PROP_MODE_REPLACE, request.requestor, property,
                            XCB_ATOM_ATOM, 32, 2, offered);
    } else if (request.target == utf8) {
        xcb.change_property(server, XCB_PROP_MODE_REPLACE, request.requestor, property, utf8, 8,
                            static_cast<uint32_t>(strlen(dialog->state.text)), dialog->state.text);
    } else {
        reply.event.property = XCB_ATOM_NONE;
    }
    xcb.send_event(server, 0, request.requestor, XCB_EVENT_MASK_NO_EVENT, reply.bytes);
    xcb.flush(server);
}

DialogEvent Event(DialogEventKind kind) {
    DialogEvent event = DialogEvent();
    event.kind = kind;
    return event;
}

DialogEvent Pointer(DialogEventKind kind, const xcb_button_press_event_t& button) {
    DialogEvent event = Event(kind);
    event.primary = button.detail == XCB_BUTTON_INDEX_1;
    event.x = button.event_x;
    event.y = button.event_y;
    return event;
}

// The model's event for an X event; false for one it has no use for.
bool ModelEvent(const DialogWindow* dialog, const xcb_generic_event_t* generic,
                DialogEvent* event) {
    switch (generic->response_type & 0x7F) {
    case XCB_KEY_PRESS: {
        const auto* key = reinterpret_cast<const xcb_key_press_event_t*>(generic);
        *event = Event(kKeyPress);
        event->keysym = BaseKeysym(&dialog->connection->xkb, dialog->connection->keys, key->detail);
        event->control = (key->state & XCB_MOD_MASK_CONTROL) != 0;
        return true;
    }
    case XCB_BUTTON_PRESS:
        *event =
            Pointer(kPointerPress, *reinterpret_cast<const xcb_button_press_event_t*>(generic));
        return true;
    case XCB_BUTTON_RELEASE:
        *event =
            Pointer(kPointerRelease, *reinterpret_cast<const xcb_button_press_event_t*>(generic));
        return true;
    case XCB_MOTION_NOTIFY: {
        const auto* motion = reinterpret_cast<const xcb_motion_notify_event_t*>(generic);
        *event = Event(kPointerMotion);
        event->x = motion->event_x;
        event->y = motion->event_y;
        return true;
    }
    case XCB_FOCUS_IN:
        *event = Event(kFocusIn);
        return true;
    case XCB_FOCUS_OUT: {
        const auto* focus = reinterpret_cast<const xcb_focus_out_event_t*>(generic);
        *event = Event(kFocusOut);
        return focus->mode == XCB_NOTIFY_MODE_NORMAL && focus->detail != XCB_NOTIFY_DETAIL_INFERIOR;
    }
    case XCB_CLIENT_MESSAGE: {
        // An unmanaged popup has no such atoms: nothing closes it this way.
        const auto* message = reinterpret_cast<const xcb_client_message_event_t*>(generic);
        *event = Event(kCloseRequest);
        return dialog->managed && message->type == dialog->atoms[kWmProtocols] &&
               message->data.data32[0] == dialog->atoms[kWmDeleteWindow];
    }
    default:
        return false;
    }
}

xcb_timestamp_t KeyTime(const xcb_generic_event_t* event) {
    return (event->response_type & 0x7F) == XCB_KEY_PRESS
               ? reinterpret_cast<const xcb_key_press_event_t*>(event)->time
               : XCB_CURRENT_TIME;
}

// What the model makes of event; kDialogUnchanged until the dialog ends.
DialogAnswer Handle(DialogWindow* dialog, const xcb_generic_event_t* event, bool setFocus) {
    const XcbLibrary& xcb = dialog->connection->xcb;
    xcb_connection_t* server = dialog->connection->connection;
    switch (event->response_type & 0x7F) {
    case XCB_MAP_NOTIFY:
        if (dialog->managed) {
            KeepOffFrame(dialog);
        }
        if (setFocus) {
            xcb.set_input_focus(server, XCB_INPUT_FOCUS_POINTER_ROOT, dialog->window,
                                XCB_CURRENT_TIME);
            xcb.flush(server);
        }
        return kDialogUnchanged;
    case XCB_EXPOSE:
        if (reinterpret_cast<const xcb_expose_event_t*>(event)->count == 0) {
            Present(dialog);
        }
        return kDialogUnchanged;
    case XCB_SELECTION_REQUEST:
        AnswerSelectionRequest(dialog,
                               *reinterpret_cast<const xcb_selection_request_event_t*>(event));
        return kDialogUnchanged;
    case XCB_DESTROY_NOTIFY:
        dialog->window = XCB_WINDOW_NONE;
        return kDialogClosed;
    default:
        break;
    }
    FollowKeyboard(dialog->connection, event);
    DialogEvent happened;
    if (!ModelEvent(dialog, event, &happened)) {
        return kDialogUnchanged;
    }
    const DialogAnswer answer = HandleDialogEvent(&dialog->state, happened);
    if (answer == kDialogRedraw) {
        Repaint(dialog);
    } else if (answer == kDialogCopyText) {
        xcb.set_selection_owner(server, dialog->window, dialog->atoms[kClipboard], KeyTime(event));
        xcb.flush(server);
    }
    return answer == kDialogClosed || answer == kDialogPicked ? answer : kDialogUnchanged;
}

} // namespace

bool OpenDialog(DialogWindow* dialog, X11Connection* connection, bool withBold) {
    dialog->connection = connection;
    dialog->window = XCB_WINDOW_NONE;
    dialog->gc = 0;
    dialog->managed = false;
    if (!TakesOurPixels(connection) || KeyboardState(connection) == nullptr ||
        !OpenDialogPainter(&dialog->painter, 1, ResourceDpi(connection), withBold)) {
        return false;
    }
    InternAtoms(dialog);
    return true;
}

bool HasWindowManager(const X11Connection* connection) {
    const XcbLibrary& xcb = connection->xcb;
    xcb_connection_t* server = connection->connection;
    char name[32];
    snprintf(name, sizeof name, "WM_S%d", connection->screenNumber);
    xcb_intern_atom_reply_t* atom = xcb.intern_atom_reply(
        server, xcb.intern_atom(server, 0, static_cast<uint16_t>(strlen(name)), name), nullptr);
    if (atom == nullptr) {
        return false;
    }
    xcb_get_selection_owner_reply_t* reply =
        xcb.get_selection_owner_reply(server, xcb.get_selection_owner(server, atom->atom), nullptr);
    free(atom);
    const bool owned = reply != nullptr && reply->owner != XCB_WINDOW_NONE;
    free(reply);
    return owned;
}

void ShowDialogWindow(DialogWindow* dialog, Point anchor, bool popup, uint32_t events,
                      const char* title, const char* instance, int stateAtom) {
    const XcbLibrary& xcb = dialog->connection->xcb;
    xcb_connection_t* server = dialog->connection->connection;
    const xcb_screen_t* screen = dialog->connection->screen;
    const DialogLayout& layout = dialog->state.layout;
    const int x = CentreOn(anchor.x, layout.width, screen->width_in_pixels);
    const int y = CentreOn(anchor.y, layout.height, screen->height_in_pixels);
    dialog->managed = !popup;
    dialog->x = x;
    dialog->y = y;
    ReportDebug("dialog: %s of %dx%d at %d,%d, centred on %d,%d", instance, layout.width,
                layout.height, x, y, anchor.x, anchor.y);
    dialog->window = xcb.generate_id(server);
    const uint32_t values[] = {kFaceRgb, 0, popup ? 1u : 0u, popup ? 1u : 0u, events};
    xcb.create_window(server, XCB_COPY_FROM_PARENT, dialog->window, screen->root,
                      static_cast<int16_t>(x), static_cast<int16_t>(y),
                      static_cast<uint16_t>(layout.width), static_cast<uint16_t>(layout.height), 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_BORDER_PIXEL | XCB_CW_OVERRIDE_REDIRECT |
                          XCB_CW_SAVE_UNDER | XCB_CW_EVENT_MASK,
                      values);
    dialog->gc = xcb.generate_id(server);
    xcb.create_gc(server, dialog->gc, dialog->window, 0, nullptr);
    Name(dialog, title, instance);
    if (popup) {
        SetAtom(dialog, kNetWmWindowType, kNetWmWindowTypePopupMenu);
    } else {
        SetDialogHints(dialog, x, y);
    }
    if (stateAtom >= 0) {
        SetAtom(dialog, kNetWmState, static_cast<DialogAtom>(stateAtom));
    }
    dialog->pixels.assign(static_cast<size_t>(layout.width) * layout.height, 0);
    PaintDialog(&dialog->painter, dialog->state, dialog->pixels.data(), layout.width * 4);
    xcb.map_window(server, dialog->window);
    xcb.flush(server);
}

bool GrabInput(const DialogWindow* dialog) {
    const XcbLibrary& xcb = dialog->connection->xcb;
    xcb_connection_t* server = dialog->connection->connection;
    const timespec pause = {0, 5 * 1000 * 1000};
    for (int attempt = 0; attempt < 100; ++attempt) {
        xcb_grab_pointer_reply_t* pointer = xcb.grab_pointer_reply(
            server,
            xcb.grab_pointer(server, 1, dialog->window,
                             XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE |
                                 XCB_EVENT_MASK_POINTER_MOTION,
                             XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC, XCB_WINDOW_NONE,
                             XCB_CURSOR_NONE, XCB_CURRENT_TIME),
            nullptr);
        const bool held = pointer != nullptr && pointer->status == XCB_GRAB_STATUS_SUCCESS;
        free(pointer);
        if (held) {
            xcb_grab_keyboard_reply_t* keyboard = xcb.grab_keyboard_reply(
                server,
                xcb.grab_keyboard(server, 1, dialog->window, XCB_CURRENT_TIME, XCB_GRAB_MODE_ASYNC,
                                  XCB_GRAB_MODE_ASYNC),
                nullptr);
            const bool both = keyboard != nullptr && keyboard->status == XCB_GRAB_STATUS_SUCCESS;
            free(keyboard);
            if (both) {
                return true;
            }
            xcb.ungrab_pointer(server, XCB_CURRENT_TIME);
        }
        nanosleep(&pause, nullptr);
    }
    return false;
}

DialogAnswer RunDialog(DialogWindow* dialog, bool setFocus) {
    const XcbLibrary& xcb = dialog->connection->xcb;
    for (;;) {
        xcb_generic_event_t* event = xcb.wait_for_event(dialog->connection->connection);
        if (event == nullptr) {
            return kDialogClosed; // the connection is lost
        }
        const DialogAnswer answer = Handle(dialog, event, setFocus);
        free(event);
        if (answer != kDialogUnchanged) {
            return answer;
        }
    }
}

void CloseDialog(DialogWindow* dialog) {
    const XcbLibrary& xcb = dialog->connection->xcb;
    xcb_connection_t* server = dialog->connection->connection;
    xcb.ungrab_keyboard(server, XCB_CURRENT_TIME);
    xcb.ungrab_pointer(server, XCB_CURRENT_TIME);
    if (dialog->gc != 0) {
        xcb.free_gc(server, dialog->gc);
    }
    if (dialog->window != XCB_WINDOW_NONE) {
        xcb.destroy_window(server, dialog->window);
    }
    free(xcb.get_input_focus_reply(server, xcb.get_input_focus(server), nullptr));
    CloseDialogPainter(&dialog->painter);
}
