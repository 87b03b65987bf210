#include "orientation/outcomes.h"

#include "orientation/texts.h"

Int32 Refuse(const Port& port, const Message& message, Int32 status) {
    // A box that cannot be shown has been reported by the backend; the
    // status is the same either way.
    port.dialogs.showMessage(port.dialogs.state, &message,
                             port.display.dialogAnchor(port.display.state));
    return status;
}

Int32 RefuseTurn(const Port& port) {
    if (port.display.failureReported(port.display.state)) {
        return kStatusNotTurned;
    }
    return Refuse(port, kUnsupportedRotationMessage, kStatusNotTurned);
}

Int32 TurnTo(const Port& port, Uint32 code) {
    return port.display.applyOrientation(port.display.state, code) ? kStatusDone : RefuseTurn(port);
}
