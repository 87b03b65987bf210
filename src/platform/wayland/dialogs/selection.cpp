#include "platform/wayland/dialogs/selection.h"

#include <wayland-client-protocol.h>

#include <errno.h>
#include <string.h>
#include <unistd.h>

namespace {

// X11's names too: XWayland's clients ask for them.
const char* const kTextTypes[] = {"text/plain;charset=utf-8", "text/plain", "UTF8_STRING", "STRING",
                                  "TEXT"};

WaylandSelection& Of(void* data) {
    return *static_cast<WaylandSelection*>(data);
}

void OnTarget(void*, wl_data_source*, const char*) {}
// Small enough for one pipe's buffer; a reader gone away only ends it.
void OnSend(void* data, wl_data_source*, const char*, int32_t fd) {
    const char* text = Of(data).text;
    for (size_t left = strlen(text); left > 0;) {
        const ssize_t written = write(fd, text, left);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            break;
        }
        text += written;
        left -= static_cast<size_t>(written);
    }
    close(fd);
}
// Another client's selection replaced it.
void OnCancelled(void* data, wl_data_source*) {
    WaylandSelection& selection = Of(data);
    DestroyProxy(selection.session, &selection.source, WL_DATA_SOURCE_DESTROY);
}
void OnDndDropPerformed(void*, wl_data_source*) {}
void OnDndFinished(void*, wl_data_source*) {}
void OnAction(void*, wl_data_source*, uint32_t) {}
const wl_data_source_listener kSourceListener = {OnTarget,           OnSend,        OnCancelled,
                                                 OnDndDropPerformed, OnDndFinished, OnAction};

// Other clients' offers reach the focused client: each is kept until the
// next comes, its own events read by then.
void OnDataOffer(void* data, wl_data_device*, wl_data_offer* offer) {
    WaylandSelection& selection = Of(data);
    DestroyProxy(selection.session, &selection.offer, WL_DATA_OFFER_DESTROY);
    selection.offer = reinterpret_cast<wl_proxy*>(offer);
}
void OnEnter(void*, wl_data_device*, uint32_t, wl_surface*, wl_fixed_t, wl_fixed_t,
             wl_data_offer*) {}
void OnLeave(void*, wl_data_device*) {}
void OnMotion(void*, wl_data_device*, uint32_t, wl_fixed_t, wl_fixed_t) {}
void OnDrop(void*, wl_data_device*) {}
void OnSelection(void*, wl_data_device*, wl_data_offer*) {}
const wl_data_device_listener kDeviceListener = {OnDataOffer, OnEnter, OnLeave,
                                                 OnMotion,    OnDrop,  OnSelection};

} // namespace

void OpenSelection(WaylandSession* session, wl_proxy* seat, WaylandSelection* selection) {
    *selection = WaylandSelection();
    selection->session = session;
    const WaylandGlobal* global = FindGlobal(session, "wl_data_device_manager");
    if (global == nullptr || seat == nullptr) {
        return;
    }
    selection->manager = BindGlobal(session, global, &wl_data_device_manager_interface, 3);
    union wl_argument device[2] = {};
    device[1].o = reinterpret_cast<wl_object*>(seat);
    selection->device =
        SendRequest(session, selection->manager, WL_DATA_DEVICE_MANAGER_GET_DATA_DEVICE, device,
                    &wl_data_device_interface);
    AddListener(session, selection->device, &kDeviceListener, selection);
}

void OfferText(WaylandSelection* selection, const char* text, uint32_t serial) {
    if (selection->device == nullptr) {
        return;
    }
    WaylandSession* session = selection->session;
    DestroyProxy(session, &selection->source, WL_DATA_SOURCE_DESTROY);
    selection->text = text;
    union wl_argument none[1] = {};
    selection->source =
        SendRequest(session, selection->manager, WL_DATA_DEVICE_MANAGER_CREATE_DATA_SOURCE, none,
                    &wl_data_source_interface);
    AddListener(session, selection->source, &kSourceListener, selection);
    for (const char* type : kTextTypes) {
        union wl_argument offered[1] = {};
        offered[0].s = type;
        SendRequest(session, selection->source, WL_DATA_SOURCE_OFFER, offered);
    }
    union wl_argument set[2] = {};
    set[0].o = reinterpret_cast<wl_object*>(selection->source);
    set[1].u = serial;
    SendRequest(session, selection->device, WL_DATA_DEVICE_SET_SELECTION, set);
}

// The manager has no destructor: it is only let go.
void CloseSelection(WaylandSelection* selection) {
    WaylandSession* session = selection->session;
    DestroyProxy(session, &selection->source, WL_DATA_SOURCE_DESTROY);
    DestroyProxy(session, &selection->offer, WL_DATA_OFFER_DESTROY);
    DestroyProxy(session, &selection->device, WL_DATA_DEVICE_RELEASE);
    if (selection->manager != nullptr) {
        session->wl->proxy_destroy(selection->manager);
    }
    *selection = WaylandSelection();
}
