// Runs started together take turns, each from what the one before left.
// Termination signals wait until the grab is released: the turn then
// completes or is put back.
#include "platform/x11/display/x11_display_operations.h"

#include <stdlib.h>

namespace {

// With sync, waits until the server has taken every request: one whose
// client is gone is dropped if not yet read.
void Release(X11Display* session, bool sync) {
    if (!session->grabbed) {
        return;
    }
    xcb_connection_t* connection = session->xcb.connection;
    xcb_ungrab_server(connection);
    if (sync) {
        free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    } else {
        xcb_flush(connection);
    }
    session->grabbed = false;
    session->read = false;
    pthread_sigmask(SIG_SETMASK, &session->unblocked, nullptr);
}

// The screen, read under the grab once per turn.
const RandrScreen* Screen(X11Display* session) {
    if (session->read) {
        return session->outcome == ReadOutcome::kRead ? &session->screen : nullptr;
    }
    xcb_connection_t* connection = OpenTurnConnection(&session->xcb);
    if (connection == nullptr) {
        return nullptr;
    }
    sigset_t deferred;
    sigemptyset(&deferred);
    sigaddset(&deferred, SIGTERM);
    sigaddset(&deferred, SIGINT);
    sigaddset(&deferred, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &deferred, &session->unblocked);
    xcb_grab_server(connection);
    session->grabbed = true;
    session->read = true;
    session->outcome =
        ReadScreen(connection, *session->xcb.screen, &session->xcb.xinput, &session->screen);
    session->reported = session->reported || session->outcome == ReadOutcome::kNoOutput ||
                        ConnectionLost(&session->xcb);
    return session->outcome == ReadOutcome::kRead ? &session->screen : nullptr;
}

X11Display* SessionOf(void* state) {
    return static_cast<X11Display*>(state);
}

bool SupportedOrientations(void* state, Uint32* set) {
    const RandrScreen* screen = Screen(SessionOf(state));
    if (screen == nullptr) {
        return false;
    }
    *set = OrientationSetOf(screen->rotations);
    return true;
}

bool CurrentOrientation(void* state, Uint32* code) {
    const RandrScreen* screen = Screen(SessionOf(state));
    const OrientationEntry* orientation =
        screen != nullptr ? OrientationOf(screen->rotation) : nullptr;
    if (orientation == nullptr) {
        return false;
    }
    *code = orientation->code;
    return true;
}

// Touch input follows a turn before the grab is released.
bool ApplyOrientation(void* state, Uint32 code) {
    X11Display* session = SessionOf(state);
    const RandrScreen* screen = Screen(session);
    const OrientationEntry* target = FindOrientationByCode(code);
    if (screen == nullptr || target == nullptr) {
        Release(session, false);
        return false;
    }
    xcb_connection_t* connection = session->xcb.connection;
    // The matrices are written only once the turn shows: a turn put back
    // leaves them as they were, with the layout they were made for.
    TurnLayouts layouts;
    const bool turned = TurnDisplay(connection, *screen, *target, &layouts);
    if (turned) {
        SendTouchMatrices(connection, &session->xcb.xinput, screen->touch, layouts.before,
                          layouts.after);
    }
    Release(session, turned && screen->touch.count > 0);
    // Once the server shows the turn, a server gone since changes nothing.
    session->reported = session->reported || (!turned && ConnectionLost(&session->xcb));
    return turned;
}

// From the last read, never a new one: a dialog asks, and it must not wait
// on a grab. The core has asked for the supported set first.
Point DialogAnchor(void* state) {
    const X11Display* session = SessionOf(state);
    // Off every screen when nothing was read: the boxes then centre
    // themselves.
    if (session->outcome != ReadOutcome::kRead) {
        return Point{-1, -1};
    }
    const CrtcArea& area = session->screen.crtcs[session->screen.turned].area;
    return Point{area.x + area.width / 2, area.y + area.height / 2};
}

// From the last read, as the anchor.
DisplayShape DefaultShape(void* state) {
    const X11Display* session = SessionOf(state);
    if (session->outcome != ReadOutcome::kRead) {
        return kShapeUnknown;
    }
    const CrtcArea& area = session->screen.crtcs[session->screen.turned].area;
    return DefaultShapeOf(area.width, area.height, OrientationOf(session->screen.rotation));
}

bool FailureReported(void* state) {
    return SessionOf(state)->reported;
}

} // namespace

DisplayOperations X11DisplayOperations(X11Display* display) {
    return DisplayOperations{display,          SupportedOrientations, CurrentOrientation,
                             ApplyOrientation, DialogAnchor,          DefaultShape,
                             FailureReported};
}

void ReleaseServer(X11Display* display) {
    Release(display, false);
}
