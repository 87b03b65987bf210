// The port's dialogs under Wayland as layer surfaces, where the compositor
// offers the layer shell: centred on the output that turns, at its scale,
// holding the keyboard while up. No XWayland is needed.
#ifndef TARVELIN_PLATFORM_WAYLAND_DIALOGS_WAYLAND_DIALOG_OPERATIONS_H
#define TARVELIN_PLATFORM_WAYLAND_DIALOGS_WAYLAND_DIALOG_OPERATIONS_H

#include "platform/port.h"
#include "platform/wayland/session.h"
#include "platform/wayland/turning_output.h"

struct WaylandDialogs {
    WaylandSession* session;
    const TurningOutput* output; // the display backend's
};

// True when session's compositor offers zwlr_layer_shell_v1.
bool LayerShellOffered(const WaylandSession* session);

// Operations on dialogs, session and output, which must outlive the run.
DialogOperations WaylandDialogOperations(WaylandDialogs* dialogs, WaylandSession* session,
                                         const TurningOutput* output);

#endif
