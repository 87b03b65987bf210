#include "platform/x11/display/randr_display.h"

#include "platform/linux/standard_error.h"

#include <stdlib.h>
#include <string.h>

#include <memory>

namespace {

struct Free {
    void operator()(void* reply) const { free(reply); }
};
template <typename T> using Reply = std::unique_ptr<T, Free>;

// Beyond these the rest would not change what turns.
const int kMaxAskedCrtcs = 32;
const int kMaxAskedOutputs = 32;

// The CRTCs and outputs a resources reply lists, probed or not.
struct Listed {
    xcb_timestamp_t configTime;
    const xcb_randr_crtc_t* crtcs;
    int crtcCount;
    const xcb_randr_output_t* outputs;
    int outputCount;
};

// Outputs are not probed: that takes seconds on real hardware. Only a
// server that has never been asked lists no CRTC until it probes.
bool ListResources(xcb_connection_t* connection, xcb_window_t root,
                   Reply<xcb_randr_get_screen_resources_current_reply_t>* current,
                   Reply<xcb_randr_get_screen_resources_reply_t>* probed, Listed* listed) {
    if (*current != nullptr && (*current)->num_crtcs > 0) {
        const auto* reply = current->get();
        *listed = Listed{reply->config_timestamp,
                         xcb_randr_get_screen_resources_current_crtcs(reply), reply->num_crtcs,
                         xcb_randr_get_screen_resources_current_outputs(reply), reply->num_outputs};
        return true;
    }
    probed->reset(xcb_randr_get_screen_resources_reply(
        connection, xcb_randr_get_screen_resources(connection, root), nullptr));
    const auto* reply = probed->get();
    if (reply == nullptr) {
        return false;
    }
    *listed =
        Listed{reply->config_timestamp, xcb_randr_get_screen_resources_crtcs(reply),
               reply->num_crtcs, xcb_randr_get_screen_resources_outputs(reply), reply->num_outputs};
    return true;
}

bool Shows(const Crtc& crtc, xcb_randr_output_t output) {
    for (int i = 0; i < crtc.outputCount; ++i) {
        if (crtc.outputs[i] == output) {
            return true;
        }
    }
    return false;
}

int IndexShowing(const RandrScreen& screen, xcb_randr_output_t output) {
    for (int n = 0; n < screen.count && output != XCB_NONE; ++n) {
        if (Shows(screen.crtcs[n], output)) {
            return n;
        }
    }
    return -1;
}

// The CRTC of the output named wanted; said on standard error when there is
// none, or when it shows nothing.
bool ChooseNamed(const RandrScreen& screen, const char* wanted, xcb_connection_t* connection,
                 const xcb_randr_get_output_info_cookie_t* cookies, int count, int* turned) {
    bool known = false;
    for (int i = 0; i < count; ++i) {
        Reply<xcb_randr_get_output_info_reply_t> info(
            xcb_randr_get_output_info_reply(connection, cookies[i], nullptr));
        const int length = info != nullptr ? xcb_randr_get_output_info_name_length(info.get()) : 0;
        if (!known && length == static_cast<int>(strlen(wanted)) &&
            memcmp(xcb_randr_get_output_info_name(info.get()), wanted, length) == 0) {
            known = true;
            for (int n = 0; n < screen.count; ++n) {
                *turned = screen.crtcs[n].id == info->crtc ? n : *turned;
            }
        }
    }
    if (!known || *turned < 0) {
        ReportError(known ? "output \"%s\" is off" : "no output named \"%s\"", wanted);
        return false;
    }
    return true;
}

// RandR 1.0 and 1.1 know only the screen. Their one question may probe
// outputs, so it is asked only where 1.2 cannot serve.
ReadOutcome ReadWholeScreen(xcb_connection_t* connection, RandrScreen* screen) {
    Reply<xcb_randr_get_screen_info_reply_t> info(xcb_randr_get_screen_info_reply(
        connection, xcb_randr_get_screen_info(connection, screen->root), nullptr));
    if (info == nullptr) {
        return ReadOutcome::kUnreadable;
    }
    screen->wholeScreen = true;
    screen->rotation = info->rotation;
    screen->rotations = info->rotations;
    screen->crtcs[0].area = CrtcArea{0, 0, screen->size.width, screen->size.height};
    return ReadOutcome::kRead;
}

xcb_randr_set_crtc_config_cookie_t SetCrtc(xcb_connection_t* connection, const RandrScreen& screen,
                                           const Crtc& crtc, const CrtcArea& at, Uint16 rotation,
                                           bool on) {
    return xcb_randr_set_crtc_config(
        connection, crtc.id, XCB_CURRENT_TIME, screen.configTime, static_cast<int16_t>(at.x),
        static_cast<int16_t>(at.y), on ? crtc.mode : XCB_NONE,
        on ? rotation : static_cast<Uint16>(XCB_RANDR_ROTATION_ROTATE_0), on ? crtc.outputCount : 0,
        crtc.outputs);
}

bool Took(xcb_connection_t* connection, xcb_randr_set_crtc_config_cookie_t cookie) {
    Reply<xcb_randr_set_crtc_config_reply_t> reply(
        xcb_randr_set_crtc_config_reply(connection, cookie, nullptr));
    return reply != nullptr && reply->status == XCB_RANDR_SET_CONFIG_SUCCESS;
}

// The size goes in the same flight as the CRTCs switched off for it; a
// question after it brings its error, if any, without a round trip more.
xcb_void_cookie_t SetSize(xcb_connection_t* connection, xcb_window_t root, const ScreenSize& size,
                          xcb_get_input_focus_cookie_t* after) {
    const xcb_void_cookie_t cookie = xcb_randr_set_screen_size_checked(
        connection, root, static_cast<uint16_t>(size.width), static_cast<uint16_t>(size.height),
        static_cast<uint32_t>(size.mmWidth), static_cast<uint32_t>(size.mmHeight));
    *after = xcb_get_input_focus(connection);
    return cookie;
}

bool SizeTook(xcb_connection_t* connection, xcb_void_cookie_t cookie,
              xcb_get_input_focus_cookie_t after) {
    free(xcb_get_input_focus_reply(connection, after, nullptr));
    xcb_generic_error_t* error = xcb_request_check(connection, cookie);
    const bool took = error == nullptr;
    free(error);
    return took && !xcb_connection_has_error(connection);
}

bool SameSize(const ScreenSize& a, const ScreenSize& b) {
    return a.width == b.width && a.height == b.height && a.mmWidth == b.mmWidth &&
           a.mmHeight == b.mmHeight;
}

bool SamePlace(const CrtcArea& a, const CrtcArea& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

// Whether the CRTC shows the rotation since the request of that sequence.
// The server reports each change of a CRTC with an event sent ahead of its
// reply to the change, so the report is read without a round trip; asking
// for the CRTC instead would wait until the server has redrawn the screen.
bool CrtcShows(xcb_connection_t* connection, const RandrScreen& screen, unsigned int sequence,
               Uint16 rotation) {
    const Crtc& crtc = screen.crtcs[screen.turned];
    bool reported = false;
    bool shows = false;
    while (xcb_generic_event_t* event = xcb_poll_for_queued_event(connection)) {
        const auto* notify = reinterpret_cast<const xcb_randr_notify_event_t*>(event);
        if ((event->response_type & 0x7F) == screen.firstEvent + XCB_RANDR_NOTIFY &&
            notify->subCode == XCB_RANDR_NOTIFY_CRTC_CHANGE && notify->u.cc.crtc == crtc.id &&
            notify->sequence == static_cast<uint16_t>(sequence)) {
            reported = true;
            shows = notify->u.cc.mode == crtc.mode && notify->u.cc.rotation == rotation;
        }
        free(event);
    }
    if (reported) {
        return shows;
    }
    Reply<xcb_randr_get_crtc_info_reply_t> now(xcb_randr_get_crtc_info_reply(
        connection, xcb_randr_get_crtc_info(connection, crtc.id, screen.configTime), nullptr));
    return now != nullptr && now->mode == crtc.mode && now->rotation == rotation;
}

// Every CRTC that changed is switched off, the screen takes its old size,
// and only then can they take their old configuration again.
void PutBack(xcb_connection_t* connection, const RandrScreen& screen, const bool* changed,
             bool resized) {
    xcb_randr_set_crtc_config_cookie_t cookies[kMaxCrtcs];
    for (int i = 0; i < screen.count; ++i) {
        if (changed[i]) {
            cookies[i] =
                SetCrtc(connection, screen, screen.crtcs[i], screen.crtcs[i].area, 0, false);
        }
    }
    for (int i = 0; i < screen.count; ++i) {
        if (changed[i]) {
            Took(connection, cookies[i]);
        }
    }
    if (resized) {
        xcb_get_input_focus_cookie_t after;
        const xcb_void_cookie_t size = SetSize(connection, screen.root, screen.size, &after);
        if (!SizeTook(connection, size, after)) {
            return;
        }
    }
    for (int i = 0; i < screen.count; ++i) {
        if (changed[i]) {
            const Crtc& crtc = screen.crtcs[i];
            cookies[i] = SetCrtc(connection, screen, crtc, crtc.area, crtc.rotation, true);
        }
    }
    for (int i = 0; i < screen.count; ++i) {
        if (changed[i]) {
            Took(connection, cookies[i]);
        }
    }
}

// A rotation without one of the four turns is taken for none.
const OrientationEntry* Shown(Uint16 rotation) {
    const OrientationEntry* orientation = OrientationOf(rotation);
    return orientation != nullptr ? orientation : FindOrientationByCode(kOrientation0);
}

// A server may take a new size without an error and keep its old one
// (Xephyr can): matrices are in fractions of the
// root as it stands.
ScreenSize RootSize(xcb_connection_t* connection, xcb_window_t root, const ScreenSize& asked) {
    Reply<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, root), nullptr));
    if (geometry == nullptr) {
        return asked;
    }
    return ScreenSize{geometry->width, geometry->height, asked.mmWidth, asked.mmHeight};
}

RootLayout LayoutOf(const ScreenSize& size, const CrtcArea* areas, int count) {
    RootLayout layout{size.width, size.height, count, {}, {}};
    for (int i = 0; i < count; ++i) {
        layout.areas[i] = areas[i];
    }
    return layout;
}

// RandR 1.0's one request: turns the whole screen, which the server
// resizes itself.
bool TurnWholeScreen(xcb_connection_t* connection, const RandrScreen& screen,
                     const OrientationEntry& target, TurnLayouts* layouts) {
    Reply<xcb_randr_get_screen_info_reply_t> info(xcb_randr_get_screen_info_reply(
        connection, xcb_randr_get_screen_info(connection, screen.root), nullptr));
    if (info == nullptr) {
        return false;
    }
    const int width = screen.size.width, height = screen.size.height;
    const bool swap = Shown(info->rotation)->quarterTurn != target.quarterTurn;
    const CrtcArea turned{0, 0, swap ? height : width, swap ? width : height};
    layouts->before =
        RootLayout{width, height, 1, {CrtcArea{0, 0, width, height}}, {Shown(info->rotation)}};
    layouts->after = RootLayout{turned.width, turned.height, 1, {turned}, {&target}};
    const xcb_window_t root = screen.root;
    const Uint16 rotation = TurnedRotation(info->rotation, target);
    ReportDebug("sent: the whole screen at rotation %u (RandR 1.0)", rotation);
    Reply<xcb_randr_set_screen_config_reply_t> set(xcb_randr_set_screen_config_reply(
        connection,
        xcb_randr_set_screen_config(connection, root, XCB_CURRENT_TIME, info->config_timestamp,
                                    info->sizeID, rotation, 0),
        nullptr));
    ReportDebug("answer: status %d", set != nullptr ? set->status : -1);
    return set != nullptr && set->status == XCB_RANDR_SET_CONFIG_SUCCESS;
}

// Two flights at most. The first switches off each CRTC that fits neither
// the old screen at its new place nor the new screen at its old one, moves
// those whose new place fits the old screen, and resizes. The second, once
// the size has taken, sets the rest: a CRTC set on a screen that did not
// take its size can bring a server down, so the two never share a flight.
bool TurnCrtc(xcb_connection_t* connection, const RandrScreen& screen,
              const OrientationEntry& target, TurnLayouts* layouts) {
    const int turned = screen.turned;
    const Uint16 rotation = TurnedRotation(screen.rotation, target);
    const OrientationEntry* current = OrientationOf(screen.rotation);
    const bool swap = current != nullptr && current->quarterTurn != target.quarterTurn;
    CrtcArea areas[kMaxCrtcs];
    CrtcArea placed[kMaxCrtcs];
    for (int i = 0; i < screen.count; ++i) {
        areas[i] = screen.crtcs[i].area;
    }
    TurnedLayout(areas, screen.count, turned, swap, placed);
    const ScreenSize size = ScreenHolding(screen.size, placed, screen.count);
    if (!FitsSizeRange(size, screen.range)) {
        return TurnWholeScreen(connection, screen, target, layouts);
    }
    const bool resize = !SameSize(size, screen.size);
    bool changed[kMaxCrtcs] = {};
    bool early[kMaxCrtcs] = {};
    bool off[kMaxCrtcs] = {};
    xcb_randr_set_crtc_config_cookie_t cookies[kMaxCrtcs];
    ReportDebug("sent: screen %dx%d", size.width, size.height);
    for (int i = 0; i < screen.count; ++i) {
        changed[i] = i == turned || !SamePlace(areas[i], placed[i]);
        if (changed[i]) {
            ReportDebug("sent: CRTC %u at %d,%d rotation %u", screen.crtcs[i].id, placed[i].x,
                        placed[i].y, i == turned ? rotation : screen.crtcs[i].rotation);
        }
        early[i] = changed[i] && Inside(placed[i], screen.size);
        off[i] = changed[i] && !early[i] && !Inside(areas[i], size);
        const Crtc& crtc = screen.crtcs[i];
        if (early[i] || off[i]) {
            cookies[i] = SetCrtc(connection, screen, crtc, placed[i],
                                 i == turned ? rotation : crtc.rotation, early[i]);
        }
    }
    xcb_void_cookie_t sizeCookie{};
    xcb_get_input_focus_cookie_t afterSize{};
    if (resize) {
        sizeCookie = SetSize(connection, screen.root, size, &afterSize);
    }
    bool took = true;
    for (int i = 0; i < screen.count; ++i) {
        if (early[i] || off[i]) {
            took = Took(connection, cookies[i]) && took;
        }
    }
    took = (!resize || SizeTook(connection, sizeCookie, afterSize)) && took;
    for (int i = 0; i < screen.count && took; ++i) {
        if (changed[i] && !early[i]) {
            cookies[i] = SetCrtc(connection, screen, screen.crtcs[i], placed[i],
                                 i == turned ? rotation : screen.crtcs[i].rotation, true);
        }
    }
    for (int i = 0; i < screen.count && took; ++i) {
        if (changed[i] && !early[i]) {
            took = Took(connection, cookies[i]) && took;
        }
    }
    if (took && CrtcShows(connection, screen, cookies[turned].sequence, rotation)) {
        ReportDebug("answer: the CRTC shows the turn");
        layouts->before = LayoutOf(screen.size, areas, screen.count);
        // Only touch input needs the size the server chose, and asking
        // waits until it has redrawn the turned screen.
        const bool readBack = resize && screen.touch.count > 0;
        layouts->after = LayoutOf(readBack ? RootSize(connection, screen.root, size) : size, placed,
                                  screen.count);
        for (int i = 0; i < screen.count; ++i) {
            layouts->before.orientations[i] = Shown(screen.crtcs[i].rotation);
            layouts->after.orientations[i] =
                i == turned ? &target : Shown(screen.crtcs[i].rotation);
        }
        return true;
    }
    ReportDebug("answer: %s; the layout before is put back",
                took ? "the CRTC does not show the turn" : "a request was refused");
    PutBack(connection, screen, changed, resize);
    return false;
}

} // namespace

ReadOutcome ReadScreen(xcb_connection_t* connection, const xcb_screen_t& setup,
                       xcb_extension_t* xinput, RandrScreen* screen) {
    *screen = RandrScreen();
    screen->root = setup.root;
    xcb_prefetch_extension_data(connection, &xcb_randr_id);
    PrefetchXInput(connection, xinput);
    const xcb_query_extension_reply_t* randr = xcb_get_extension_data(connection, &xcb_randr_id);
    if (randr == nullptr || !randr->present) {
        return ReadOutcome::kUnreadable;
    }
    screen->firstEvent = randr->first_event;
    TouchSearch search;
    AskForDevices(connection, xinput, &search);
    const xcb_window_t root = setup.root;
    const auto versionCookie = xcb_randr_query_version(connection, 1, 3);
    xcb_randr_select_input(connection, root, XCB_RANDR_NOTIFY_MASK_CRTC_CHANGE);
    // A freshly started server builds its CRTC list only on this request.
    const auto rangeCookie = xcb_randr_get_screen_size_range(connection, root);
    const auto resourcesCookie = xcb_randr_get_screen_resources_current(connection, root);
    const auto primaryCookie = xcb_randr_get_output_primary(connection, root);
    // Another client may have resized the screen since this one connected.
    const auto geometryCookie = xcb_get_geometry(connection, root);
    Reply<xcb_randr_query_version_reply_t> version(
        xcb_randr_query_version_reply(connection, versionCookie, nullptr));
    Reply<xcb_randr_get_screen_size_range_reply_t> range(
        xcb_randr_get_screen_size_range_reply(connection, rangeCookie, nullptr));
    Reply<xcb_randr_get_screen_resources_current_reply_t> current(
        xcb_randr_get_screen_resources_current_reply(connection, resourcesCookie, nullptr));
    Reply<xcb_randr_get_output_primary_reply_t> primary(
        xcb_randr_get_output_primary_reply(connection, primaryCookie, nullptr));
    Reply<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(connection, geometryCookie, nullptr));
    if (version == nullptr || geometry == nullptr) {
        return ReadOutcome::kUnreadable;
    }
    const ScreenSize atConnection{setup.width_in_pixels, setup.height_in_pixels,
                                  setup.width_in_millimeters, setup.height_in_millimeters};
    const CrtcArea now{0, 0, geometry->width, geometry->height};
    screen->size = ScreenHolding(atConnection, &now, 1);
    const char* wanted = getenv("TARVELIN_OUTPUT");
    wanted = wanted != nullptr && *wanted != 0 ? wanted : nullptr;
    Reply<xcb_randr_get_screen_resources_reply_t> probed;
    Listed listed{};
    if (version->major_version == 1 && version->minor_version < 2) {
        AskForMatrices(connection, xinput, &search);
        screen->touch = TakeTouchDevices(connection, &search);
        const ReadOutcome outcome = ReadWholeScreen(connection, screen);
        if (wanted != nullptr && outcome == ReadOutcome::kRead) {
            ReportError("no output named \"%s\"", wanted);
            return ReadOutcome::kNoOutput;
        }
        return outcome;
    }
    if (range == nullptr || !ListResources(connection, root, &current, &probed, &listed)) {
        return ReadOutcome::kUnreadable;
    }
    screen->range =
        SizeRange{range->min_width, range->min_height, range->max_width, range->max_height};
    screen->configTime = listed.configTime;
    const int asked = listed.crtcCount < kMaxAskedCrtcs ? listed.crtcCount : kMaxAskedCrtcs;
    xcb_randr_get_crtc_info_cookie_t infoCookies[kMaxAskedCrtcs];
    for (int i = 0; i < asked; ++i) {
        infoCookies[i] = xcb_randr_get_crtc_info(connection, listed.crtcs[i], listed.configTime);
    }
    const int named = wanted == nullptr                       ? 0
                      : listed.outputCount < kMaxAskedOutputs ? listed.outputCount
                                                              : kMaxAskedOutputs;
    xcb_randr_get_output_info_cookie_t outputCookies[kMaxAskedOutputs];
    for (int i = 0; i < named; ++i) {
        outputCookies[i] =
            xcb_randr_get_output_info(connection, listed.outputs[i], listed.configTime);
    }
    AskForMatrices(connection, xinput, &search);
    for (int i = 0; i < asked; ++i) {
        Reply<xcb_randr_get_crtc_info_reply_t> info(
            xcb_randr_get_crtc_info_reply(connection, infoCookies[i], nullptr));
        const int outputs =
            info != nullptr ? xcb_randr_get_crtc_info_outputs_length(info.get()) : 0;
        if (info == nullptr || info->mode == XCB_NONE || screen->count == kMaxCrtcs ||
            outputs > kMaxCrtcOutputs) {
            continue;
        }
        Crtc& crtc = screen->crtcs[screen->count++];
        crtc = Crtc{listed.crtcs[i], CrtcArea{info->x, info->y, info->width, info->height},
                    info->mode,      info->rotation,
                    info->rotations, {},
                    outputs};
        memcpy(crtc.outputs, xcb_randr_get_crtc_info_outputs(info.get()),
               sizeof crtc.outputs[0] * outputs);
    }
    screen->touch = TakeTouchDevices(connection, &search);
    int turned = -1;
    if (wanted != nullptr &&
        !ChooseNamed(*screen, wanted, connection, outputCookies, named, &turned)) {
        return ReadOutcome::kNoOutput;
    }
    if (screen->count == 0) {
        return ReadOutcome::kUnreadable;
    }
    const char* why = "named by TARVELIN_OUTPUT";
    if (turned < 0) {
        turned = IndexShowing(*screen, primary != nullptr ? primary->output : XCB_NONE);
        why = turned < 0 ? "the first active" : "the primary output's";
    }
    screen->turned = turned < 0 ? 0 : turned;
    const Crtc& chosen = screen->crtcs[screen->turned];
    ReportDebug("output: CRTC %u at %d,%d %dx%d rotation %u, %s", chosen.id, chosen.area.x,
                chosen.area.y, chosen.area.width, chosen.area.height, chosen.rotation, why);
    screen->rotation = screen->crtcs[screen->turned].rotation;
    screen->rotations = screen->crtcs[screen->turned].rotations;
    return ReadOutcome::kRead;
}

bool TurnDisplay(xcb_connection_t* connection, const RandrScreen& screen,
                 const OrientationEntry& target, TurnLayouts* layouts) {
    if (!(screen.rotations & target.randrRotation)) {
        return false;
    }
    return screen.wholeScreen ? TurnWholeScreen(connection, screen, target, layouts)
                              : TurnCrtc(connection, screen, target, layouts);
}
