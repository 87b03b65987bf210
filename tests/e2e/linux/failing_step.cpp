// The Linux program with one display step made to fail on the real server,
// so that the tests can watch the previous configuration come back.
// TARVELIN_FAILING_STEP names the step: "size" asks for a screen larger than
// any server allows, "crtc" for a mode that does not exist. Only the first
// such request fails; putting things back goes through untouched.
#include <X11/extensions/Xrandr.h>

#include <stdlib.h>
#include <string.h>

extern "C" {

Status __real_XRRSetCrtcConfig(Display* display, XRRScreenResources* resources, RRCrtc crtc,
                               Time timestamp, int x, int y, RRMode mode, Rotation rotation,
                               RROutput* outputs, int outputCount);
void __real_XRRSetScreenSize(Display* display, Window window, int width, int height, int mmWidth,
                             int mmHeight);

Status __wrap_XRRSetCrtcConfig(Display*, XRRScreenResources*, RRCrtc, Time, int, int, RRMode,
                               Rotation, RROutput*, int);
void __wrap_XRRSetScreenSize(Display*, Window, int, int, int, int);

} // extern "C"

namespace {

// Far beyond what a server hands out as ids or allows as a screen side.
const RRMode kUnknownMode = 0x1FFFFFFF;
const int kTooLarge = 32767;

bool FailsOnce(const char* step) {
    static bool failed = false;
    const char* chosen = getenv("TARVELIN_FAILING_STEP");
    if (failed || chosen == nullptr || strcmp(chosen, step) != 0) {
        return false;
    }
    failed = true;
    return true;
}

} // namespace

Status __wrap_XRRSetCrtcConfig(Display* display, XRRScreenResources* resources, RRCrtc crtc,
                               Time timestamp, int x, int y, RRMode mode, Rotation rotation,
                               RROutput* outputs, int outputCount) {
    if (mode != None && FailsOnce("crtc")) {
        mode = kUnknownMode;
    }
    return __real_XRRSetCrtcConfig(display, resources, crtc, timestamp, x, y, mode, rotation,
                                   outputs, outputCount);
}

void __wrap_XRRSetScreenSize(Display* display, Window window, int width, int height, int mmWidth,
                             int mmHeight) {
    if (FailsOnce("size")) {
        width = kTooLarge;
    }
    __real_XRRSetScreenSize(display, window, width, height, mmWidth, mmHeight);
}
