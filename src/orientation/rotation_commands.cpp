#include "orientation/rotation_commands.h"

#include "orientation/decimal.h"
#include "orientation/orientation_menu.h"
#include "orientation/orientation_table.h"
#include "orientation/outcomes.h"
#include "orientation/texts.h"

namespace {

const WideChar kMenuOption[] = {'/', 'm', 'e', 'n', 'u', 0};
const WideChar kToggleOption[] = {'/', 't', 'o', 'g', 'g', 'l', 'e', 0};
const WideChar kSetOption[] = {'/', 's', 'e', 't', 0};

bool IsOption(const WideChar* argument, const WideChar* option) {
    while (*argument != 0 && *argument == *option) {
        ++argument;
        ++option;
    }
    return *argument == *option;
}

// 0 -> 270 -> 180 -> 90 -> 0: each turned code is one bit, so a right shift
// steps to the next.
Uint32 NextInCycle(Uint32 current) {
    return current == kOrientation0 ? kOrientation270 : current >> 1;
}

Uint32 Toggled(Uint32 current) {
    return current != kOrientation0 ? kOrientation0 : kOrientation270;
}

// The cycle and the toggle turn from where the display stands; without an
// answer there is nothing to turn from.
Int32 TurnFromCurrent(const Port& port, Uint32 (*next)(Uint32 current)) {
    Uint32 current = 0;
    if (!port.display.currentOrientation(port.display.state, &current)) {
        return RefuseTurn(port);
    }
    return TurnTo(port, next(current));
}

Int32 Set(const Port& port, const WideChar* value) {
    const Int32 code = DecimalToInt32(value, port.process.isWhiteSpace);
    // A negative value turns into no code: the table answers for it too.
    if (FindOrientationByCode(static_cast<Uint32>(code)) == NULL) {
        return Refuse(port, kInvalidModeMessage, kStatusInvalidMode);
    }
    return TurnTo(port, static_cast<Uint32>(code));
}

} // namespace

Int32 RunRotationCommand(const Port& port, Int32 argc, const WideChar* const* argv) {
    Uint32 supported = 0;
    if (!port.display.supportedOrientations(port.display.state, &supported) || supported == 0) {
        return RefuseTurn(port);
    }
    if (argc >= 2 && IsOption(argv[1], kMenuOption)) {
        return ShowOrientationMenu(port);
    }
    if (argc >= 2 && IsOption(argv[1], kToggleOption)) {
        return TurnFromCurrent(port, Toggled);
    }
    if (argc >= 3 && IsOption(argv[1], kSetOption)) {
        return Set(port, argv[2]);
    }
    return TurnFromCurrent(port, NextInCycle);
}
