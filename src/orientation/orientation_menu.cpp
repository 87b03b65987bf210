#include "orientation/orientation_menu.h"

#include "orientation/outcomes.h"
#include "orientation/texts.h"

Int32 ShowOrientationMenu(const Port& port) {
    const Point anchor = port.display.dialogAnchor(port.display.state);
    Uint32 picked = 0;
    switch (port.dialogs.chooseFromMenu(port.dialogs.state, kMenuItems, kMenuItemCount, anchor,
                                        &picked)) {
    case kMenuPicked:
        return TurnTo(port, picked);
    case kMenuClosed:
        return kStatusDone;
    case kMenuNotShown:
        break;
    }
    return kStatusNotTurned;
}
