// The Linux program with one step made to fail: TARVELIN_FAILING_STEP=size asks the
// server for too large a screen, =crtc for a mode that does not exist (the first request
// of each), =allocate refuses every block of a mebibyte or more.
#include <xcb/randr.h>

#include <cstdlib>
#include <cstring>

namespace {

bool Fails(const char* step, bool once = true) {
    static const char* chosen = std::getenv("TARVELIN_FAILING_STEP");
    const bool fails = chosen != nullptr && std::strcmp(chosen, step) == 0;
    chosen = fails && once ? nullptr : chosen;
    return fails;
}

} // namespace

extern "C" {

decltype(malloc) __real_malloc;
decltype(xcb_randr_set_crtc_config) __real_xcb_randr_set_crtc_config;
decltype(xcb_randr_set_screen_size_checked) __real_xcb_randr_set_screen_size_checked;

void* __wrap_malloc(size_t bytes) {
    return bytes >= (1 << 20) && Fails("allocate", false) ? nullptr : __real_malloc(bytes);
}

xcb_randr_set_crtc_config_cookie_t
__wrap_xcb_randr_set_crtc_config(xcb_connection_t* c, xcb_randr_crtc_t crtc, xcb_timestamp_t t,
                                 xcb_timestamp_t config, int16_t x, int16_t y,
                                 xcb_randr_mode_t mode, uint16_t rotation, uint32_t count,
                                 const xcb_randr_output_t* outputs) {
    const bool fails = mode != XCB_NONE && Fails("crtc");
    return __real_xcb_randr_set_crtc_config(c, crtc, t, config, x, y, fails ? 0x1FFFFFFF : mode,
                                            rotation, count, outputs);
}

xcb_void_cookie_t __wrap_xcb_randr_set_screen_size_checked(xcb_connection_t* c, xcb_window_t root,
                                                           uint16_t width, uint16_t height,
                                                           uint32_t mmWidth, uint32_t mmHeight) {
    return __real_xcb_randr_set_screen_size_checked(c, root, Fails("size") ? 32767 : width, height,
                                                    mmWidth, mmHeight);
}

} // extern "C"
