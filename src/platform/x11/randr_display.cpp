#include "platform/x11/randr_display.h"

#include "platform/x11/connection.h"
#include "platform/x11/turn_plan.h"

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
struct ReleaseOutputInfo {
    void operator()(XRROutputInfo* info) const { XRRFreeOutputInfo(info); }
};
struct ReleaseScreenConfig {
    void operator()(XRRScreenConfiguration* config) const { XRRFreeScreenConfigInfo(config); }
};
using Resources = std::unique_ptr<XRRScreenResources, ReleaseResources>;
using CrtcInfo = std::unique_ptr<XRRCrtcInfo, ReleaseCrtcInfo>;
using OutputInfo = std::unique_ptr<XRROutputInfo, ReleaseOutputInfo>;
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

RRCrtc PrimaryCrtc(Display* display, const RandrScreen& screen, RandrLevel level) {
    if (level != RandrLevel::kCrtcsAndPrimary) {
        return None;
    }
    const RROutput primary = XRRGetOutputPrimary(display, screen.root);
    if (primary == None) {
        return None;
    }
    OutputInfo output(XRRGetOutputInfo(display, screen.resources.get(), primary));
    return output != nullptr ? output->crtc : None;
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
    const RRCrtc primary = PrimaryCrtc(display, *screen, level);
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
        if (crtc == primary || screen->turned < 0) {
            screen->turned = n;
        }
    }
    return screen->turned >= 0;
}

bool SetCrtc(Display* display, const RandrScreen& screen, int x, int y, RRMode mode,
             Rotation rotation, RROutput* outputs, int outputCount) {
    BeginXErrorTrap();
    const Status status = XRRSetCrtcConfig(display, screen.resources.get(), screen.crtc(),
                                           CurrentTime, x, y, mode, rotation, outputs, outputCount);
    return EndXErrorTrap(display) == 0 && status == RRSetConfigSuccess;
}

bool SwitchCrtcOff(Display* display, const RandrScreen& screen) {
    return SetCrtc(display, screen, 0, 0, None, RR_Rotate_0, nullptr, 0);
}

bool SetScreenSize(Display* display, const RandrScreen& screen, const ScreenSize& size) {
    BeginXErrorTrap();
    XRRSetScreenSize(display, screen.root, size.width, size.height, size.mmWidth, size.mmHeight);
    return EndXErrorTrap(display) == 0;
}

bool SetCrtcRotation(Display* display, const RandrScreen& screen, Rotation rotation) {
    const XRRCrtcInfo& info = screen.info();
    return SetCrtc(display, screen, info.x, info.y, info.mode, rotation, info.outputs,
                   info.noutput);
}

bool CrtcShows(Display* display, const RandrScreen& screen, Rotation rotation) {
    CrtcInfo now(XRRGetCrtcInfo(display, screen.resources.get(), screen.crtc()));
    return now != nullptr && now->mode == screen.info().mode && now->rotation == rotation;
}

// The CRTC is off or at the new size when a step fails: the old size needs
// it off, and only then can it take its old configuration again.
void PutBack(Display* display, const RandrScreen& screen) {
    SwitchCrtcOff(display, screen);
    SetScreenSize(display, screen, screen.size);
    SetCrtcRotation(display, screen, screen.info().rotation);
}

// RandR 1.0's one request: turns the whole screen, which the server
// resizes itself. It may probe outputs, so only where 1.2 cannot serve.
bool TurnScreen(Display* display, Window root, const OrientationEntry& target) {
    ScreenConfig config(XRRGetScreenInfo(display, root));
    if (config == nullptr) {
        return false;
    }
    Rotation current = 0;
    const SizeID size = XRRConfigCurrentConfiguration(config.get(), &current);
    BeginXErrorTrap();
    const Status status = XRRSetScreenConfig(display, config.get(), root, size,
                                             TurnedRotation(current, target), CurrentTime);
    return EndXErrorTrap(display) == 0 && status == RRSetConfigSuccess;
}

bool TurnCrtc(Display* display, RandrLevel level, const OrientationEntry& target) {
    RandrScreen screen;
    if (!ReadScreen(display, level, &screen) || !(screen.info().rotations & target.randrRotation)) {
        return false;
    }
    const Rotation rotation = TurnedRotation(screen.info().rotation, target);
    const OrientationEntry* current = OrientationOf(screen.info().rotation);
    const bool swap = current != nullptr && current->quarterTurn != target.quarterTurn;
    const ScreenSize size =
        TurnedScreenSize(screen.size, screen.areas, screen.count, screen.turned, swap);
    if (!FitsSizeRange(size, screen.range)) {
        return TurnScreen(display, screen.root, target);
    }
    if (!SwitchCrtcOff(display, screen)) {
        return false;
    }
    if (SetScreenSize(display, screen, size) && SetCrtcRotation(display, screen, rotation) &&
        CrtcShows(display, screen, rotation)) {
        return true;
    }
    PutBack(display, screen);
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
    RandrScreen screen;
    if (!ReadScreen(display, level, &screen)) {
        return false;
    }
    *offered = screen.info().rotations;
    *current = screen.info().rotation;
    return true;
}

bool TurnDisplay(Display* display, const OrientationEntry& target) {
    const RandrLevel level = QueryRandrLevel(display);
    if (level == RandrLevel::kNone) {
        return false;
    }
    // Nothing else may change the screen between reading it and turning it,
    // nor see it half turned.
    XGrabServer(display);
    const bool turned = level == RandrLevel::kScreenOnly
                            ? TurnScreen(display, DefaultRootWindow(display), target)
                            : TurnCrtc(display, level, target);
    XUngrabServer(display);
    XFlush(display);
    return turned;
}
