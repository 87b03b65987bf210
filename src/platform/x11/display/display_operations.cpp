// The display the port turns: the supported set, the current orientation
// and the turn on RandR, followed by touch input.
#include "platform/x11/display/randr_display.h"
#include "platform/x11/input/touch_input.h"
#include "platform/x11/x11_port.h"

namespace {

Display* DisplayOf(void* state) {
    return ConnectedDisplay(static_cast<X11Connection*>(state));
}

bool SupportedOrientations(void* state, Uint32* set) {
    Display* display = DisplayOf(state);
    if (display == nullptr) {
        return false;
    }
    // A turn is asked about first: the answer comes with those queries.
    AskForXInput(display);
    Uint16 offered = 0;
    Uint16 current = 0;
    if (!QueryRotations(display, &offered, &current)) {
        return false;
    }
    *set = OrientationSetOf(offered);
    return true;
}

bool CurrentOrientation(void* state, Uint32* code) {
    Display* display = DisplayOf(state);
    Uint16 offered = 0;
    Uint16 current = 0;
    const OrientationEntry* orientation =
        display != nullptr && QueryRotations(display, &offered, &current) ? OrientationOf(current)
                                                                          : nullptr;
    if (orientation == nullptr) {
        return false;
    }
    *code = orientation->code;
    return true;
}

bool ApplyOrientation(void* state, Uint32 code) {
    Display* display = DisplayOf(state);
    const OrientationEntry* target = FindOrientationByCode(code);
    if (display == nullptr || target == nullptr) {
        return false;
    }
    const TouchDevices touch = FindTouchDevices(display);
    if (!TurnDisplay(display, *target)) {
        return false;
    }
    TurnTouchDevices(display, touch, *target);
    return true;
}

Point MenuAnchor(void* state) {
    Display* display = DisplayOf(state);
    if (display == nullptr) {
        return Point{0, 0};
    }
    const int screen = DefaultScreen(display);
    CrtcArea area{0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen)};
    TurningArea(display, &area);
    return Point{area.x + area.width / 2, area.y + area.height / 2};
}

} // namespace

DisplayOperations X11DisplayOperations(X11Connection* connection) {
    return DisplayOperations{connection, SupportedOrientations, CurrentOrientation,
                             ApplyOrientation, MenuAnchor};
}
