// The Linux program with the first RandR request of one step made to fail
// on the server: TARVELIN_FAILING_STEP=size asks for too large a screen,
// =crtc for a mode that does not exist. Putting things back goes through.
#include <X11/extensions/Xrandr.h>

#include <stdlib.h>
#include <string.h>

namespace {

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

extern "C" {

Status __real_XRRSetCrtcConfig(Display*, XRRScreenResources*, RRCrtc, Time, int, int, RRMode,
                               Rotation, RROutput*, int);
void __real_XRRSetScreenSize(Display*, Window, int, int, int, int);

Status __wrap_XRRSetCrtcConfig(Display* display, XRRScreenResources* resources, RRCrtc crtc,
                               Time timestamp, int x, int y, RRMode mode, Rotation rotation,
                               RROutput* outputs, int outputCount) {
    const bool fails = mode != None && FailsOnce("crtc");
    return __real_XRRSetCrtcConfig(display, resources, crtc, timestamp, x, y,
                                   fails ? 0x1FFFFFFF : mode, rotation, outputs, outputCount);
}

void __wrap_XRRSetScreenSize(Display* display, Window window, int width, int height, int mmWidth,
                             int mmHeight) {
    __real_XRRSetScreenSize(display, window, FailsOnce("size") ? 32767 : width, height, mmWidth,
                            mmHeight);
}

} // extern "C"
