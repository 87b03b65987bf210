// The display the port turns: one server grab from the first question to
// the end of the turn, so that runs started together take turns, each from
// what the one before left. Termination signals wait until it is released:
// the turn then completes or is put back.
#include "platform/x11/display/randr_display.h"
#include "platform/x11/display/xcb_connection.h"
#include "platform/x11/x11_port.h"

#include <signal.h>
#include <stdlib.h>

namespace {

struct Session {
    xcb_connection_t* connection = nullptr;
    const xcb_screen_t* setup = nullptr;
    bool grabbed = false;
    sigset_t unblocked;
    bool read = false; // under the grab held now
    // Kept once the grab is released: the dialogs are centred on it.
    ReadOutcome outcome = ReadOutcome::kUnreadable;
    RandrScreen screen;
    // Said on standard error already: no box is to follow.
    bool reported = false;
};

Session gSession;

// With sync, waits until the server has taken every request: one whose
// client is gone is dropped if not yet read.
void Release(Session* session, bool sync = false) {
    if (!session->grabbed) {
        return;
    }
    xcb_connection_t* connection = session->connection;
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
const RandrScreen* Screen(Session* session) {
    if (session->read) {
        return session->outcome == ReadOutcome::kRead ? &session->screen : nullptr;
    }
    session->connection = TurnConnection(&session->setup);
    if (session->connection == nullptr) {
        return nullptr;
    }
    sigset_t deferred;
    sigemptyset(&deferred);
    sigaddset(&deferred, SIGTERM);
    sigaddset(&deferred, SIGINT);
    sigaddset(&deferred, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &deferred, &session->unblocked);
    xcb_grab_server(session->connection);
    session->grabbed = true;
    session->read = true;
    session->outcome = ReadScreen(session->connection, *session->setup, &session->screen);
    session->reported = session->reported || session->outcome == ReadOutcome::kNoOutput ||
                        ConnectionLost(session->connection);
    return session->outcome == ReadOutcome::kRead ? &session->screen : nullptr;
}

Session* SessionOf(void* state) {
    return static_cast<Session*>(state);
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
    Session* session = SessionOf(state);
    const RandrScreen* screen = Screen(session);
    const OrientationEntry* target = FindOrientationByCode(code);
    if (screen == nullptr || target == nullptr) {
        Release(session);
        return false;
    }
    const bool turned = TurnDisplay(session->connection, *screen, *target);
    if (turned) {
        SendTouchMatrices(session->connection, screen->touch, *target);
    }
    Release(session, turned && screen->touch.count > 0);
    // Once the server shows the turn, a server gone since changes nothing.
    session->reported = session->reported || (!turned && ConnectionLost(session->connection));
    return turned;
}

// From the last read, never a new one: a dialog asks, and it must not wait
// on a grab. The core has asked for the supported set first.
Point MenuAnchor(void* state) {
    const Session* session = SessionOf(state);
    // Off every screen when nothing was read: the boxes then centre
    // themselves.
    if (session->outcome != ReadOutcome::kRead) {
        return Point{-1, -1};
    }
    const CrtcArea& area = session->screen.crtcs[session->screen.turned].area;
    return Point{area.x + area.width / 2, area.y + area.height / 2};
}

bool FailureReported(void* state) {
    return static_cast<const Session*>(state)->reported;
}

// The dialogs' own connection is served only once the grab is released.
DialogOperations gDialogs;

bool ShowMessage(void* state, const Message* message) {
    Release(&gSession);
    return gDialogs.showMessage(state, message);
}

MenuAnswer ChooseFromMenu(void* state, const MenuItem* items, int count, Point anchor,
                          Uint32* picked) {
    Release(&gSession);
    return gDialogs.chooseFromMenu(state, items, count, anchor, picked);
}

} // namespace

DisplayOperations X11DisplayOperations() {
    return DisplayOperations{&gSession,          SupportedOrientations,
                             CurrentOrientation, ApplyOrientation,
                             MenuAnchor,         FailureReported};
}

DialogOperations X11DialogsBesideTheTurn(DialogOperations dialogs) {
    gDialogs = dialogs;
    return DialogOperations{dialogs.state, ShowMessage, ChooseFromMenu};
}
