#include "orientation/rotation_commands.h"

#include "orientation/decimal.h"
#include "orientation/display_requests.h"
#include "orientation/orientation_menu.h"
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

bool IsOrientationCode(Int32 value) {
    if (value < 0) {
        return false;
    }
    const Uint32 code = static_cast<Uint32>(value);
    return code == CE_DMDO_0 || code == CE_DMDO_90 || code == CE_DMDO_180 || code == CE_DMDO_270;
}

// 0 -> 270 -> 180 -> 90 -> 0: each turned code is one bit, so a right shift
// steps to the next.
Uint32 NextInCycle(Uint32 current) {
    return current == CE_DMDO_0 ? CE_DMDO_270 : current >> 1;
}

void Cycle(CE_DEVMODEW* record) {
    Uint32 current = 0;
    if (!QueryCurrentOrientation(record, &current)) {
        ShowRotationMessage(kUnsupportedRotationMessage);
        return;
    }
    ApplyOrientation(record, NextInCycle(current));
}

void Toggle(CE_DEVMODEW* record) {
    Uint32 current = 0;
    // Without an answer the record still holds the supported set, which is
    // no orientation: refuse as the cycle does rather than apply it.
    if (!QueryCurrentOrientation(record, &current)) {
        ShowRotationMessage(kUnsupportedRotationMessage);
        return;
    }
    ApplyOrientation(record, current != CE_DMDO_0 ? CE_DMDO_0 : CE_DMDO_270);
}

void Set(CE_DEVMODEW* record, const WideChar* value) {
    const Int32 code = DecimalToInt32(value);
    if (!IsOrientationCode(code)) {
        ShowRotationMessage(kInvalidModeMessage);
        return;
    }
    ApplyOrientation(record, static_cast<Uint32>(code));
}

} // namespace

void ShowRotationMessage(const WideChar* text) {
    PlatformMessageBox(PlatformGetMessageBoxOwner(), text, kMessageCaption,
                       CE_MB_OK | CE_MB_ICONEXCLAMATION);
}

Int32 RunRotationCommand(Int32 argc, const WideChar* const* argv) {
    CE_DEVMODEW record;
    ReadDisplaySettings(&record);
    Uint32 supported = 0;
    if (!QuerySupportedOrientations(&record, &supported) || supported == 0) {
        ShowRotationMessage(kUnsupportedRotationMessage);
        return 0;
    }
    EnterOrientationMode(&record);

    if (argc >= 2 && IsOption(argv[1], kMenuOption)) {
        ShowOrientationMenu(&record);
    } else if (argc >= 2 && IsOption(argv[1], kToggleOption)) {
        Toggle(&record);
    } else if (argc >= 3 && IsOption(argv[1], kSetOption)) {
        Set(&record, argv[2]);
    } else {
        Cycle(&record);
    }
    return 0;
}
