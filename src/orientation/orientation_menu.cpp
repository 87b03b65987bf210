#include "orientation/orientation_menu.h"

#include "orientation/outcomes.h"
#include "orientation/texts.h"

Int32 ShowOrientationMenu(const Port& port) {
    const Point anchor = port.display.dialogAnchor(port.display.state);
    // Anything but a wide display keeps the labels written for a handheld.
    const MenuItem* items =
        port.display.defaultShape(port.display.state) == kShapeWide ? kWideMenuItems : kMenuItems;
    Uint32 picked = 0;
    const MenuAnswer answer =
        port.dialogs.chooseFromMenu(port.dialogs.state, items, kMenuItemCount, anchor, &picked);
    switch (answer) {
    case kMenuPicked:
        return TurnTo(port, picked);
    case kMenuClosed:
        return kStatusDone;
    case kMenuNotShown:
        break;
    }
    return kStatusNotTurned;
}
