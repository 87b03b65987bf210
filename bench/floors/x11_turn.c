/* The least a quarter turn of one output costs through RandR 1.2, as the
   bench's floor: the first active CRTC read, switched off with the screen
   resized for the turn, then set turned. No grab, no checks beyond the
   answers. Usage: x11_turn ROTATION (a RandR rotation bit: 1, 2, 4, 8). */
#include <stdio.h>
#include <stdlib.h>
#include <xcb/randr.h>

int main(int argc, char** argv) {
    const uint16_t rotation = argc > 1 ? (uint16_t)atoi(argv[1]) : XCB_RANDR_ROTATION_ROTATE_90;
    const uint16_t quarter = XCB_RANDR_ROTATION_ROTATE_90 | XCB_RANDR_ROTATION_ROTATE_270;
    xcb_connection_t* c = xcb_connect(NULL, NULL);
    if (xcb_connection_has_error(c)) {
        return 1;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    xcb_randr_query_version_cookie_t version = xcb_randr_query_version(c, 1, 3);
    xcb_randr_get_screen_resources_current_reply_t* resources =
        xcb_randr_get_screen_resources_current_reply(
            c, xcb_randr_get_screen_resources_current(c, screen->root), NULL);
    free(xcb_randr_query_version_reply(c, version, NULL));
    if (resources == NULL) {
        return 1;
    }
    const xcb_randr_crtc_t* crtcs = xcb_randr_get_screen_resources_current_crtcs(resources);
    const int count = xcb_randr_get_screen_resources_current_crtcs_length(resources);
    xcb_randr_get_crtc_info_cookie_t cookies[16];
    for (int i = 0; i < count && i < 16; ++i) {
        cookies[i] = xcb_randr_get_crtc_info(c, crtcs[i], resources->config_timestamp);
    }
    xcb_randr_get_crtc_info_reply_t* info = NULL;
    xcb_randr_crtc_t crtc = 0;
    for (int i = 0; i < count && i < 16; ++i) {
        xcb_randr_get_crtc_info_reply_t* reply = xcb_randr_get_crtc_info_reply(c, cookies[i], NULL);
        if (info == NULL && reply != NULL && reply->mode != XCB_NONE) {
            info = reply;
            crtc = crtcs[i];
        } else {
            free(reply);
        }
    }
    if (info == NULL) {
        return 1;
    }
    const xcb_timestamp_t config = resources->config_timestamp;
    if ((info->rotation & quarter) != (rotation & quarter)) {
        xcb_randr_set_crtc_config_cookie_t off =
            xcb_randr_set_crtc_config(c, crtc, XCB_CURRENT_TIME, config, info->x, info->y, XCB_NONE,
                                      XCB_RANDR_ROTATION_ROTATE_0, 0, NULL);
        xcb_randr_set_screen_size(c, screen->root, info->height, info->width,
                                  screen->height_in_millimeters, screen->width_in_millimeters);
        free(xcb_randr_set_crtc_config_reply(c, off, NULL));
    }
    xcb_randr_set_crtc_config_reply_t* set = xcb_randr_set_crtc_config_reply(
        c,
        xcb_randr_set_crtc_config(c, crtc, XCB_CURRENT_TIME, config, info->x, info->y, info->mode,
                                  rotation, xcb_randr_get_crtc_info_outputs_length(info),
                                  xcb_randr_get_crtc_info_outputs(info)),
        NULL);
    const int status = set != NULL && set->status == XCB_RANDR_SET_CONFIG_SUCCESS ? 0 : 1;
    free(set);
    free(info);
    free(resources);
    xcb_disconnect(c);
    return status;
}
