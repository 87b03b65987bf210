#include "platform/x11/x11_port.h"

namespace {

X11Backend* BackendOf(void* state) {
    return static_cast<X11Backend*>(state);
}

// The dialogs' connection is served only once the turn's grab is released.
DialogOperations ReleasedForTheDialogs(X11Backend* backend) {
    ReleaseServer(&backend->display);
    return X11DialogOperations(&backend->dialogs);
}

bool ShowMessage(void* state, const Message* message, Point anchor) {
    const DialogOperations dialogs = ReleasedForTheDialogs(BackendOf(state));
    return dialogs.showMessage(dialogs.state, message, anchor);
}

MenuAnswer ChooseFromMenu(void* state, const MenuItem* items, int count, Point anchor,
                          Uint32* picked) {
    const DialogOperations dialogs = ReleasedForTheDialogs(BackendOf(state));
    return dialogs.chooseFromMenu(dialogs.state, items, count, anchor, picked);
}

} // namespace

Port X11Port(X11Backend* backend, ProcessServices process) {
    return Port{X11DisplayOperations(&backend->display),
                DialogOperations{backend, ShowMessage, ChooseFromMenu}, process};
}

void CloseX11Backend(X11Backend* backend) {
    CloseX11Dialogs(&backend->dialogs);
    CloseTurnConnection(&backend->display.xcb);
}
