// The Linux program with the first RandR request of one step made to fail
// on the server: TARVELIN_FAILING_STEP=size asks for too large a screen,
// =crtc for a mode that does not exist. Putting things back goes through.
#include <xcb/randr.h>

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

xcb_randr_set_crtc_config_cookie_t
__real_xcb_randr_set_crtc_config(xcb_connection_t*, xcb_randr_crtc_t, xcb_timestamp_t,
                                 xcb_timestamp_t, int16_t, int16_t, xcb_randr_mode_t, uint16_t,
                                 uint32_t, const xcb_randr_output_t*);
xcb_void_cookie_t __real_xcb_randr_set_screen_size_checked(xcb_connection_t*, xcb_window_t,
                                                           uint16_t, uint16_t, uint32_t, uint32_t);

xcb_randr_set_crtc_config_cookie_t
__wrap_xcb_randr_set_crtc_config(xcb_connection_t* connection, xcb_randr_crtc_t crtc,
                                 xcb_timestamp_t timestamp, xcb_timestamp_t configTimestamp,
                                 int16_t x, int16_t y, xcb_randr_mode_t mode, uint16_t rotation,
                                 uint32_t outputCount, const xcb_randr_output_t* outputs) {
    const bool fails = mode != XCB_NONE && FailsOnce("crtc");
    return __real_xcb_randr_set_crtc_config(connection, crtc, timestamp, configTimestamp, x, y,
                                            fails ? 0x1FFFFFFF : mode, rotation, outputCount,
                                            outputs);
}

xcb_void_cookie_t __wrap_xcb_randr_set_screen_size_checked(xcb_connection_t* connection,
                                                           xcb_window_t window, uint16_t width,
                                                           uint16_t height, uint32_t mmWidth,
                                                           uint32_t mmHeight) {
    return __real_xcb_randr_set_screen_size_checked(
        connection, window, FailsOnce("size") ? 32767 : width, height, mmWidth, mmHeight);
}

} // extern "C"
