#include "platform/wayland/dialogs/seat_input.h"

#include <wayland-client-protocol.h>

#include <sys/mman.h>
#include <unistd.h>

namespace {

// The left button, from linux/input-event-codes.h.
const uint32_t kLeftButton = 0x110;

SeatInput& Of(void* data) {
    return *static_cast<SeatInput*>(data);
}

// For the events a dialog does not need.
template <typename... Arguments> void Ignore(void*, Arguments...) {}

// A place off the dialog's surface is outside it, whatever its numbers.
void Deliver(SeatInput& input, DialogEventKind kind, wl_fixed_t x = 0, wl_fixed_t y = 0,
             bool onDialog = true) {
    DialogEvent event = DialogEvent();
    event.kind = kind;
    event.x = onDialog ? wl_fixed_to_int(x) : -1;
    event.y = onDialog ? wl_fixed_to_int(y) : -1;
    event.primary = true;
    input.sink.deliver(input.sink.target, event);
}

// Devices and the seat have their release from a version on; before it
// they are only let go.
void Release(SeatInput& input, wl_proxy** proxy, uint32_t opcode, uint32_t since) {
    if (*proxy == nullptr) {
        return;
    }
    if (input.session->wl->proxy_get_version(*proxy) >= since) {
        union wl_argument none[1] = {};
        SendRequest(input.session, *proxy, opcode, none, nullptr, true);
    } else {
        input.session->wl->proxy_destroy(*proxy);
    }
    *proxy = nullptr;
}

void FreeKeymap(SeatInput& input) {
    if (input.state != nullptr) {
        input.xkb->state_unref(input.state);
    }
    if (input.keymap != nullptr) {
        input.xkb->keymap_unref(input.keymap);
    }
    input.state = nullptr;
    input.keymap = nullptr;
}

// The keymap's text ends with its terminator. One that cannot be read
// leaves the keys unread, never the dialog.
void OnKeymap(void* data, wl_keyboard*, uint32_t format, int32_t fd, uint32_t size) {
    SeatInput& input = Of(data);
    FreeKeymap(input);
    void* mapped =
        format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1 && size > 0 && input.context != nullptr
            ? mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0)
            : MAP_FAILED;
    close(fd);
    if (mapped == MAP_FAILED) {
        return;
    }
    const char* text = static_cast<const char*>(mapped);
    input.keymap =
        text[size - 1] == 0
            ? input.xkb->keymap_new_from_string(input.context, text, XKB_KEYMAP_FORMAT_TEXT_V1,
                                                XKB_KEYMAP_COMPILE_NO_FLAGS)
            : nullptr;
    munmap(mapped, size);
    input.state = input.keymap != nullptr ? input.xkb->state_new(input.keymap) : nullptr;
}
void OnKeyboardEnter(void* data, wl_keyboard*, uint32_t, wl_surface*, wl_array*) {
    Deliver(Of(data), kFocusIn);
}
void OnKeyboardLeave(void* data, wl_keyboard*, uint32_t, wl_surface*) {
    Deliver(Of(data), kFocusOut);
}
void OnKey(void* data, wl_keyboard*, uint32_t serial, uint32_t, uint32_t key, uint32_t state) {
    SeatInput& input = Of(data);
    if (state != WL_KEYBOARD_KEY_STATE_PRESSED || input.state == nullptr) {
        return;
    }
    input.serial = serial;
    DialogEvent event = DialogEvent();
    event.kind = kKeyPress;
    // Wayland's key codes are evdev's; xkb's are 8 above.
    event.keysym = BaseKeysym(input.xkb, input.state, key + 8);
    event.control = ControlHeld(input.xkb, input.state);
    input.sink.deliver(input.sink.target, event);
}
void OnModifiers(void* data, wl_keyboard*, uint32_t, uint32_t depressed, uint32_t latched,
                 uint32_t locked, uint32_t group) {
    SeatInput& input = Of(data);
    if (input.state != nullptr) {
        input.xkb->state_update_mask(input.state, depressed, latched, locked, 0, 0, group);
    }
}
const wl_keyboard_listener kKeyboardListener = {
    OnKeymap, OnKeyboardEnter, OnKeyboardLeave,
    OnKey,    OnModifiers,     Ignore<wl_keyboard*, int32_t, int32_t>};

void OnPointerMotion(void* data, wl_pointer*, uint32_t, wl_fixed_t x, wl_fixed_t y) {
    SeatInput& input = Of(data);
    Deliver(input, kPointerMotion, x, y, input.onDialog);
    input.x = x;
    input.y = y;
}
void OnPointerEnter(void* data, wl_pointer* pointer, uint32_t, wl_surface* surface, wl_fixed_t x,
                    wl_fixed_t y) {
    Of(data).onDialog = reinterpret_cast<wl_proxy*>(surface) == Of(data).dialog;
    OnPointerMotion(data, pointer, 0, x, y);
}
void OnButton(void* data, wl_pointer*, uint32_t serial, uint32_t, uint32_t button, uint32_t state) {
    SeatInput& input = Of(data);
    input.serial = serial;
    DialogEvent event = DialogEvent();
    event.kind = state == WL_POINTER_BUTTON_STATE_PRESSED ? kPointerPress : kPointerRelease;
    event.primary = button == kLeftButton;
    event.x = input.onDialog ? wl_fixed_to_int(input.x) : -1;
    event.y = input.onDialog ? wl_fixed_to_int(input.y) : -1;
    input.sink.deliver(input.sink.target, event);
}
const wl_pointer_listener kPointerListener = {OnPointerEnter,
                                              Ignore<wl_pointer*, uint32_t, wl_surface*>,
                                              OnPointerMotion,
                                              OnButton,
                                              Ignore<wl_pointer*, uint32_t, uint32_t, wl_fixed_t>,
                                              Ignore<wl_pointer*>,
                                              Ignore<wl_pointer*, uint32_t>,
                                              Ignore<wl_pointer*, uint32_t, uint32_t>,
                                              Ignore<wl_pointer*, uint32_t, int32_t>,
                                              Ignore<wl_pointer*, uint32_t, int32_t>};

// One finger is followed, the first down, as a pointer would be.
void OnTouchDown(void* data, wl_touch*, uint32_t serial, uint32_t, wl_surface* surface, int32_t id,
                 wl_fixed_t x, wl_fixed_t y) {
    SeatInput& input = Of(data);
    if (input.finger < 0) {
        input.finger = id;
        input.serial = serial;
        input.fingerOnDialog = reinterpret_cast<wl_proxy*>(surface) == input.dialog;
        Deliver(input, kTouchDown, x, y, input.fingerOnDialog);
    }
}
void OnTouchMotion(void* data, wl_touch*, uint32_t, int32_t id, wl_fixed_t x, wl_fixed_t y) {
    if (id == Of(data).finger) {
        Deliver(Of(data), kTouchMotion, x, y, Of(data).fingerOnDialog);
    }
}
void OnTouchUp(void* data, wl_touch*, uint32_t, uint32_t, int32_t id) {
    SeatInput& input = Of(data);
    if (id == input.finger) {
        input.finger = -1;
        Deliver(input, kTouchUp);
    }
}
// The compositor took the touch for itself: no tap.
void OnTouchCancel(void* data, wl_touch*) {
    Of(data).finger = -1;
}
const wl_touch_listener kTouchListener = {OnTouchDown,
                                          OnTouchUp,
                                          OnTouchMotion,
                                          Ignore<wl_touch*>,
                                          OnTouchCancel,
                                          Ignore<wl_touch*, int32_t, wl_fixed_t, wl_fixed_t>,
                                          Ignore<wl_touch*, int32_t, wl_fixed_t>};

// A device is taken when it comes and let go when it goes.
template <typename Listener>
void Follow(SeatInput& input, bool present, wl_proxy** device, uint32_t get, uint32_t release,
            const wl_interface* interface, const Listener* listener) {
    if (present && *device == nullptr) {
        union wl_argument made[1] = {};
        *device = SendRequest(input.session, input.seat, get, made, interface);
        AddListener(input.session, *device, listener, &input);
    } else if (!present) {
        Release(input, device, release, WL_KEYBOARD_RELEASE_SINCE_VERSION);
    }
}
void OnCapabilities(void* data, wl_seat*, uint32_t capabilities) {
    SeatInput& input = Of(data);
    Follow(input, capabilities & WL_SEAT_CAPABILITY_KEYBOARD, &input.keyboard, WL_SEAT_GET_KEYBOARD,
           WL_KEYBOARD_RELEASE, &wl_keyboard_interface, &kKeyboardListener);
    Follow(input, capabilities & WL_SEAT_CAPABILITY_POINTER, &input.pointer, WL_SEAT_GET_POINTER,
           WL_POINTER_RELEASE, &wl_pointer_interface, &kPointerListener);
    Follow(input, capabilities & WL_SEAT_CAPABILITY_TOUCH, &input.touch, WL_SEAT_GET_TOUCH,
           WL_TOUCH_RELEASE, &wl_touch_interface, &kTouchListener);
}
const wl_seat_listener kSeatListener = {OnCapabilities, Ignore<wl_seat*, const char*>};

} // namespace

void OpenSeatInput(WaylandSession* session, const XkbcommonLibrary* xkb, SeatSink sink,
                   SeatInput* input) {
    *input = SeatInput();
    input->session = session;
    input->xkb = xkb;
    input->sink = sink;
    input->finger = -1;
    input->context = xkb->context_new(XKB_CONTEXT_NO_FLAGS);
    // Version 5 has every device's release.
    input->seat = BindGlobal(session, FindGlobal(session, "wl_seat"), &wl_seat_interface, 5);
    if (input->seat != nullptr) {
        AddListener(session, input->seat, &kSeatListener, input);
    }
}

void CloseSeatInput(SeatInput* input) {
    const uint32_t since = WL_KEYBOARD_RELEASE_SINCE_VERSION; // the same for all three
    Release(*input, &input->keyboard, WL_KEYBOARD_RELEASE, since);
    Release(*input, &input->pointer, WL_POINTER_RELEASE, since);
    Release(*input, &input->touch, WL_TOUCH_RELEASE, since);
    Release(*input, &input->seat, WL_SEAT_RELEASE, WL_SEAT_RELEASE_SINCE_VERSION);
    FreeKeymap(*input);
    if (input->context != nullptr) {
        input->xkb->context_unref(input->context);
    }
    *input = SeatInput();
}
