#include "platform/x11/display/randr_display.h"

#include "platform/x11/display/connection.h"
#include "platform/x11/display/turn_plan.h"

#include <X11/extensions/Xrandr.h>

#include <memory>

namespace {

// RandR answers live in Xlib's allocations: each kind has its own release.
struct ReleaseResources {
    void operator()(XRRScreenResources* resources) const { XRRFreeScreenResources(resources); }
};
struct ReleaseCrtcInfo {
    void operator()(XRRCrtcInfo* info) const { XRRFreeCrtcInfo(info); }
};
struct ReleaseScreenConfig {
    void operator()(XRRScreenConfiguration* config) const { XRRFreeScreenConfigInfo(config); }
};
using Resources = std::unique_ptr<XRRScreenResources, ReleaseResources>;
using CrtcInfo = std::unique_ptr<XRRCrtcInfo, ReleaseCrtcInfo>;
using ScreenConfig = std::unique_ptr<XRRScreenConfiguration, ReleaseScreenConfig>;

// Enough CRTCs for any graphics card; the rest would not change the size.
const int kMaxCrtcs = 16;

enum class RandrLevel { kNone, kScreenOnly, kCrtcs, kCrtcsAndPrimary };

RandrLevel QueryRandrLevel(Display* display) {
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (!XRRQueryExtension(display, &eventBase, &errorBase) ||
        !XRRQueryVersion(display, &major, &minor)) {
        return RandrLevel::kNone;
    }
    if (major == 1 && minor < 2) {
        return RandrLevel::kScreenOnly;
    }
    return major == 1 && minor < 3 ? RandrLevel::kCrtcs : RandrLevel::kCrtcsAndPrimary;
}

// The screen as RandR 1.2 sees it: its active CRTCs, one of them turned.
struct RandrScreen {
    Window root = None;
    SizeRange range{};
    ScreenSize size{};
    Resources resources;
    RRCrtc crtcs[kMaxCrtcs]{};
    CrtcInfo infos[kMaxCrtcs];
    CrtcArea areas[kMaxCrtcs]{};
    int count = 0;
    int turned = -1;

    RRCrtc crtc() const { return crtcs[turned]; }
    const XRRCrtcInfo& info() const { return *infos[turned]; }
};

// Outputs are not probed: that takes seconds on real hardware. Only a
// server that has never been asked lists no CRTC until it probes.
Resources ReadResources(Display* display, Window root) {
    Resources resources(XRRGetScreenResourcesCurrent(display, root));
    if (resources == nullptr || resources->ncrtc == 0) {
        resources.reset(XRRGetScreenResources(display, root));
    }
    return resources;
}

bool Shows(const XRRCrtcInfo& info, RROutput output) {
    for (int i = 0; i < info.noutput; ++i) {
        if (info.outputs[i] == output) {
            return true;
        }
    }
    return false;
}

// The primary output's CRTC, else the first active one. With one active
// CRTC there is nothing to choose: the server is not asked.
int ChooseCrtc(Display* display, RandrLevel level, const RandrScreen& screen) {
    if (screen.count < 2 || level != RandrLevel::kCrtcsAndPrimary) {
        return 0;
    }
    const RROutput primary = XRRGetOutputPrimary(display, screen.root);
    for (int n = 0; n < screen.count && primary != None; ++n) {
        if (Shows(*screen.infos[n], primary)) {
            return n;
        }
    }
    return 0;
}

// Reads the screen and every active CRTC; false when none is active.
bool ReadScreen(Display* display, RandrLevel level, RandrScreen* screen) {
    const int number = DefaultScreen(display);
    screen->root = RootWindow(display, number);
    // A freshly started server builds its CRTC list only on this request.
    SizeRange& range = screen->range;
    if (!XRRGetScreenSizeRange(display, screen->root, &range.minWidth, &range.minHeight,
                               &range.maxWidth, &range.maxHeight)) {
        return false;
    }
    screen->size = ScreenSize{DisplayWidth(display, number), DisplayHeight(display, number),
                              DisplayWidthMM(display, number), DisplayHeightMM(display, number)};
    screen->resources = ReadResources(display, screen->root);
    if (screen->resources == nullptr) {
        return false;
    }
    for (int i = 0; i < screen->resources->ncrtc && screen->count < kMaxCrtcs; ++i) {
        const RRCrtc crtc = screen->resources->crtcs[i];
        CrtcInfo info(XRRGetCrtcInfo(display, screen->resources.get(), crtc));
        if (info == nullptr || info->mode == None) {
            continue;
        }
        const int n = screen->count++;
        screen->areas[n] = CrtcArea{info->x, info->y, static_cast<int>(info->width),
                                    static_cast<int>(info->height)};
        screen->crtcs[n] = crtc;
        screen->infos[n] = std::move(info);
    }
    if (screen->count == 0) {
        return false;
    }
    screen->turned = ChooseCrtc(display, level, *screen);
    return true;
}

// One run asks about the screen two or three times and turns it at most
// once: it is read once. Whoever changes it meanwhile makes the first step
// of a turn fail, through the timestamp of this read.
RandrScreen gScreen;
bool gScreenRead = false;
bool gScreenReadable = false;

const RandrScreen* CurrentScreen(Display* display, RandrLevel level) {
    if (!gScreenRead) {
        gScreenRead = true;
        gScreenReadable = ReadScreen(display, level, &gScreen);
    }
    return gScreenReadable ? &gScreen : nullptr;
}

void ForgetScreen() {
    gScreen = RandrScreen();
    gScreenRead = false;
}

Status SetCrtc(Display* display, const RandrScreen& screen, Time time, RRMode mode,
               Rotation rotation, RROutput* outputs, int outputCount) {
    const XRRCrtcInfo& info = screen.info();
    return XRRSetCrtcConfig(display, screen.resources.get(), screen.crtc(), time, info.x, info.y,
                            mode, rotation, outputs, outputCount);
}

Status SwitchCrtcOff(Display* display, const RandrScreen& screen, Time time) {
    return SetCrtc(display, screen, time, None, RR_Rotate_0, nullptr, 0);
}

Status SetCrtcRotation(Display* display, const RandrScreen& screen, Time time, Rotation rotation) {
    const XRRCrtcInfo& info = screen.info();
    return SetCrtc(display, screen, time, info.mode, rotation, info.outputs, info.noutput);
}

// The request has no reply: waits for the server to have taken it.
bool SetScreenSize(Display* display, const RandrScreen& screen, const ScreenSize& size) {
    XRRSetScreenSize(display, screen.root, size.width, size.height, size.mmWidth, size.mmHeight);
    XSync(display, False);
    return TrappedXError() == 0;
}

bool SameSize(const ScreenSize& a, const ScreenSize& b) {
    return a.width == b.width && a.height == b.height && a.mmWidth == b.mmWidth &&
           a.mmHeight == b.mmHeight;
}

// Whether the CRTC shows the rotation since request number since. The server
// reports each change of a CRTC with an event sent ahead of its reply to the
// change, so the report is read without a round trip; asking for the CRTC
// instead would wait until the server has redrawn the turned screen.
bool CrtcShows(Display* display, const RandrScreen& screen, unsigned long since,
               Rotation rotation) {
    int eventBase = 0;
    int errorBase = 0;
    XRRQueryExtension(display, &eventBase, &errorBase);
    bool reported = false;
    bool shows = false;
    XEvent event;
    while (XCheckTypedEvent(display, eventBase + RRNotify, &event)) {
        const XRRCrtcChangeNotifyEvent& change =
            *reinterpret_cast<const XRRCrtcChangeNotifyEvent*>(&event);
        if (change.subtype == RRNotify_CrtcChange && change.crtc == screen.crtc() &&
            change.serial >= since) {
            reported = true;
            shows = change.mode == screen.info().mode && change.rotation == rotation;
        }
    }
    if (reported) {
        return shows;
    }
    CrtcInfo now(XRRGetCrtcInfo(display, screen.resources.get(), screen.crtc()));
    return now != nullptr && now->mode == screen.info().mode && now->rotation == rotation;
}

// The CRTC is off or at the new size when a step fails: the old size needs
// it off, and only then can it take its old configuration again.
void PutBack(Display* display, const RandrScreen& screen) {
    SwitchCrtcOff(display, screen, CurrentTime);
    SetScreenSize(display, screen, screen.size);
    SetCrtcRotation(display, screen, CurrentTime, screen.info().rotation);
}

// RandR 1.0's one request: turns the whole screen, which the server
// resizes itself. It may probe outputs, so only where 1.2 cannot serve.
bool TurnScreen(Display* display, const OrientationEntry& target) {
    ScreenConfig config(XRRGetScreenInfo(display, DefaultRootWindow(display)));
    if (config == nullptr) {
        return false;
    }
    Rotation current = 0;
    const SizeID size = XRRConfigCurrentConfiguration(config.get(), &current);
    return XRRSetScreenConfig(display, config.get(), DefaultRootWindow(display), size,
                              TurnedRotation(current, target), CurrentTime) == RRSetConfigSuccess;
}

// Off, resize, on turned; each step must have taken before the next: a
// CRTC set on a screen that did not take its size can bring a server down.
// A turn that keeps the screen's size (a half turn) needs only the last.
bool TurnCrtc(Display* display, const RandrScreen& screen, const OrientationEntry& target) {
    const XRRCrtcInfo& info = screen.info();
    if (!(info.rotations & target.randrRotation)) {
        return false;
    }
    const Rotation rotation = TurnedRotation(info.rotation, target);
    const OrientationEntry* current = OrientationOf(info.rotation);
    const bool swap = current != nullptr && current->quarterTurn != target.quarterTurn;
    const ScreenSize size =
        TurnedScreenSize(screen.size, screen.areas, screen.count, screen.turned, swap);
    if (!FitsSizeRange(size, screen.range)) {
        return TurnScreen(display, target);
    }
    // The first step carries the time of the read: a change made by anyone
    // since is refused before anything moves.
    Time time = screen.resources->timestamp;
    const bool resize = !SameSize(size, screen.size);
    if (resize) {
        if (SwitchCrtcOff(display, screen, time) != RRSetConfigSuccess || TrappedXError() != 0) {
            return false;
        }
        time = CurrentTime;
        if (!SetScreenSize(display, screen, size)) {
            PutBack(display, screen);
            return false;
        }
    }
    const unsigned long since = NextRequest(display);
    const Status status = SetCrtcRotation(display, screen, time, rotation);
    if (status == RRSetConfigSuccess && CrtcShows(display, screen, since, rotation) &&
        TrappedXError() == 0) {
        return true;
    }
    // A refused first step changed nothing.
    if (resize || status == RRSetConfigSuccess) {
        PutBack(display, screen);
    }
    return false;
}

} // namespace

bool QueryRotations(Display* display, Uint16* offered, Uint16* current) {
    const RandrLevel level = QueryRandrLevel(display);
    if (level == RandrLevel::kNone) {
        return false;
    }
    if (level == RandrLevel::kScreenOnly) {
        ScreenConfig config(XRRGetScreenInfo(display, DefaultRootWindow(display)));
        if (config == nullptr) {
            return false;
        }
        Rotation now = 0;
        *offered = XRRConfigRotations(config.get(), &now);
        *current = now;
        return true;
    }
    const RandrScreen* screen = CurrentScreen(display, level);
    if (screen == nullptr) {
        return false;
    }
    *offered = screen->info().rotations;
    *current = screen->info().rotation;
    return true;
}

bool TurningArea(Display* display, CrtcArea* area) {
    const RandrLevel level = QueryRandrLevel(display);
    const RandrScreen* screen = level == RandrLevel::kNone || level == RandrLevel::kScreenOnly
                                    ? nullptr
                                    : CurrentScreen(display, level);
    if (screen == nullptr) {
        return false;
    }
    *area = screen->areas[screen->turned];
    return true;
}

bool TurnDisplay(Display* display, const OrientationEntry& target) {
    const RandrLevel level = QueryRandrLevel(display);
    if (level == RandrLevel::kNone) {
        return false;
    }
    // Nothing else may see the screen half turned, nor change it under us.
    XGrabServer(display);
    BeginXErrorTrap();
    bool turned = false;
    if (level == RandrLevel::kScreenOnly) {
        turned = TurnScreen(display, target);
    } else if (const RandrScreen* screen = CurrentScreen(display, level)) {
        XRRSelectInput(display, screen->root, RRCrtcChangeNotifyMask);
        turned = TurnCrtc(display, *screen, target);
        XRRSelectInput(display, screen->root, 0);
        ForgetScreen();
    }
    // Every step above waited for its answer: nothing is left to wait for.
    XUngrabServer(display);
    XFlush(display);
    EndXErrorTrap();
    return turned && TrappedXError() == 0;
}
