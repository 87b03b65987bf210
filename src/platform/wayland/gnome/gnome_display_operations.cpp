#include "platform/wayland/gnome/gnome_display_operations.h"

#include "platform/wayland/gnome/sd_bus_library.h"
#include "platform/wayland/turning_output.h"

#include <string.h>

namespace {

const char kService[] = "org.gnome.Mutter.DisplayConfig";
const char kPath[] = "/org/gnome/Mutter/DisplayConfig";
// ApplyMonitorsConfig's method: lasts until the session ends, with no
// keep-or-revert dialog.
const uint32_t kTemporary = 1;
const uint32_t kLogicalLayoutMode = 1;

GnomeBackend& Of(void* state) {
    return *static_cast<GnomeBackend*>(state);
}

sd_bus_message* NewCall(const GnomeBackend& gnome, const char* destination, const char* path,
                        const char* interface, const char* member) {
    sd_bus_message* call = nullptr;
    return gnome.sd->message_new_method_call(gnome.bus, &call, destination, path, interface,
                                             member) < 0
               ? nullptr
               : call;
}

// Sends call (and unrefs it): the reply, or null with error set.
sd_bus_message* Send(const GnomeBackend& gnome, sd_bus_message* call, sd_bus_error* error) {
    sd_bus_message* reply = nullptr;
    const int sent = gnome.sd->call(gnome.bus, call, kAnswerWait * 1000ULL, error, &reply);
    gnome.sd->message_unref(call);
    return sent < 0 ? nullptr : reply;
}

struct Property {
    const char* key;
    char type[2];
    void* value;
};

// Reads an a{sv}, keeping the values of the keys asked for that have the
// type expected.
bool ReadProperties(const GnomeBackend& gnome, sd_bus_message* m, const Property* wanted,
                    int count) {
    const SdBusLibrary* sd = gnome.sd;
    if (sd->message_enter_container(m, 'a', "{sv}") < 0) {
        return false;
    }
    int entered;
    while ((entered = sd->message_enter_container(m, 'e', "sv")) > 0) {
        const char* key = nullptr;
        const char* held = nullptr;
        if (sd->message_read_basic(m, 's', &key) < 0 ||
            sd->message_peek_type(m, nullptr, &held) < 0) {
            return false;
        }
        const Property* property = nullptr;
        for (int i = 0; i < count; ++i) {
            if (strcmp(wanted[i].key, key) == 0 && strcmp(wanted[i].type, held) == 0) {
                property = &wanted[i];
            }
        }
        if ((property != nullptr ? sd->message_read(m, "v", property->type, property->value)
                                 : sd->message_skip(m, "v")) < 0 ||
            sd->message_exit_container(m) < 0) {
            return false;
        }
    }
    return entered == 0 && sd->message_exit_container(m) >= 0;
}

// Each monitor's connector and current mode; one that is off has none.
bool ReadMonitors(GnomeBackend& gnome, sd_bus_message* m) {
    const SdBusLibrary* sd = gnome.sd;
    if (sd->message_enter_container(m, 'a', "((ssss)a(siiddada{sv})a{sv})") < 0) {
        return false;
    }
    int entered;
    while ((entered = sd->message_enter_container(m, 'r', "(ssss)a(siiddada{sv})a{sv}")) > 0) {
        const char* connector = nullptr;
        if (sd->message_read(m, "(ssss)", &connector, nullptr, nullptr, nullptr) < 0 ||
            sd->message_enter_container(m, 'a', "(siiddada{sv})") < 0) {
            return false;
        }
        int mode;
        while ((mode = sd->message_enter_container(m, 'r', "siiddada{sv}")) > 0) {
            const char* id = nullptr;
            GnomeMonitor found{};
            int current = 0;
            const Property isCurrent = {"is-current", "b", &current};
            if (sd->message_read(m, "siidd", &id, &found.width, &found.height, nullptr, nullptr) <
                    0 ||
                sd->message_skip(m, "ad") < 0 || !ReadProperties(gnome, m, &isCurrent, 1) ||
                sd->message_exit_container(m) < 0) {
                return false;
            }
            if (current && gnome.monitorCount < kMaxOutputs) {
                CopyName(found.connector, connector);
                CopyName(found.mode, id);
                gnome.monitors[gnome.monitorCount++] = found;
            }
        }
        if (mode < 0 || sd->message_exit_container(m) < 0 || sd->message_skip(m, "a{sv}") < 0 ||
            sd->message_exit_container(m) < 0) {
            return false;
        }
    }
    return entered == 0 && sd->message_exit_container(m) >= 0;
}

int MonitorNamed(const GnomeBackend& gnome, const char* connector) {
    for (int i = 0; i < gnome.monitorCount; ++i) {
        if (strcmp(gnome.monitors[i].connector, connector) == 0) {
            return i;
        }
    }
    return -1;
}

void Place(GnomeBackend& gnome, int index, int x, int y, uint32_t transform) {
    WaylandOutput& output = gnome.layout[index];
    output = WaylandOutput();
    memcpy(output.name, gnome.monitors[gnome.logical[index].monitors[0]].connector,
           sizeof output.name);
    output.enabled = true;
    output.x = x;
    output.y = y;
    output.transform = static_cast<int>(transform);
}

// A logical monitor's size is its first monitor's mode, scaled down in the
// logical layout mode only: measured once the whole state is read, since
// Mutter gives the layout mode after the logical monitors.
void Measure(GnomeBackend& gnome) {
    for (int i = 0; i < gnome.count; ++i) {
        const GnomeLogical& logical = gnome.logical[i];
        const GnomeMonitor& monitor = gnome.monitors[logical.monitors[0]];
        SetLogicalSize(&gnome.layout[i], monitor.width, monitor.height,
                       gnome.layoutMode == kLogicalLayoutMode ? logical.scale : 1);
    }
}

bool ReadLogicalMonitors(GnomeBackend& gnome, sd_bus_message* m) {
    const SdBusLibrary* sd = gnome.sd;
    if (sd->message_enter_container(m, 'a', "(iiduba(ssss)a{sv})") < 0) {
        return false;
    }
    int entered;
    while ((entered = sd->message_enter_container(m, 'r', "iiduba(ssss)a{sv}")) > 0) {
        if (gnome.count == kMaxOutputs) {
            return false;
        }
        GnomeLogical& logical = gnome.logical[gnome.count];
        logical = GnomeLogical();
        int x = 0;
        int y = 0;
        uint32_t transform = 0;
        if (sd->message_read(m, "iidub", &x, &y, &logical.scale, &transform, &logical.primary) <
                0 ||
            sd->message_enter_container(m, 'a', "(ssss)") < 0) {
            return false;
        }
        const char* connector = nullptr;
        int more;
        while ((more = sd->message_read(m, "(ssss)", &connector, nullptr, nullptr, nullptr)) > 0) {
            const int monitor = MonitorNamed(gnome, connector);
            if (monitor < 0 || logical.monitorCount == kMaxMirrored) {
                return false;
            }
            logical.monitors[logical.monitorCount++] = monitor;
        }
        if (more < 0 || logical.monitorCount == 0 || sd->message_exit_container(m) < 0 ||
            sd->message_skip(m, "a{sv}") < 0 || sd->message_exit_container(m) < 0) {
            return false;
        }
        Place(gnome, gnome.count++, x, y, transform);
    }
    return entered == 0 && sd->message_exit_container(m) >= 0;
}

bool ReadState(void* backend) {
    GnomeBackend& gnome = Of(backend);
    gnome.monitorCount = gnome.count = 0;
    sd_bus_message* state = gnome.probed;
    gnome.probed = nullptr;
    if (state == nullptr) {
        sd_bus_error error = SD_BUS_ERROR_NULL;
        sd_bus_message* call = NewCall(gnome, kService, kPath, kService, "GetCurrentState");
        state = call != nullptr ? Send(gnome, call, &error) : nullptr;
        gnome.sd->error_free(&error);
    }
    if (state == nullptr) {
        return false;
    }
    const Property properties[] = {
        {"layout-mode", "u", &gnome.layoutMode},
        {"supports-changing-layout-mode", "b", &gnome.layoutModeChangeable}};
    const bool read = gnome.sd->message_read(state, "u", &gnome.serial) >= 0 &&
                      ReadMonitors(gnome, state) && ReadLogicalMonitors(gnome, state) &&
                      ReadProperties(gnome, state, properties, 2);
    gnome.sd->message_unref(state);
    if (read) {
        Measure(gnome);
    }
    return read;
}

int PrimaryLogical(void* state) {
    const GnomeBackend& gnome = Of(state);
    for (int i = 0; i < gnome.count; ++i) {
        if (gnome.logical[i].primary) {
            return i;
        }
    }
    return -1;
}

bool AppendLogical(const GnomeBackend& gnome, sd_bus_message* m, const GnomeLogical& logical,
                   const WaylandOutput& output) {
    const SdBusLibrary* sd = gnome.sd;
    // Mutter aborts the whole session on a transform past 7: a bad read
    // must not reach it.
    bool appended =
        output.transform >= 0 && output.transform <= 7 &&
        sd->message_open_container(m, 'r', "iiduba(ssa{sv})") >= 0 &&
        sd->message_append(m, "iidub", output.x, output.y, logical.scale,
                           static_cast<uint32_t>(output.transform), logical.primary) >= 0 &&
        sd->message_open_container(m, 'a', "(ssa{sv})") >= 0;
    for (int i = 0; appended && i < logical.monitorCount; ++i) {
        const GnomeMonitor& monitor = gnome.monitors[logical.monitors[i]];
        appended = sd->message_append(m, "(ssa{sv})", monitor.connector, monitor.mode, 0) >= 0;
    }
    return appended && sd->message_close_container(m) >= 0 && sd->message_close_container(m) >= 0;
}

// Every logical monitor where layout puts it, each monitor in its mode.
LayoutAnswer Apply(void* state, const WaylandOutput* layout) {
    const GnomeBackend& gnome = Of(state);
    const SdBusLibrary* sd = gnome.sd;
    sd_bus_message* call = NewCall(gnome, kService, kPath, kService, "ApplyMonitorsConfig");
    bool built = call != nullptr && sd->message_append(call, "uu", gnome.serial, kTemporary) >= 0 &&
                 sd->message_open_container(call, 'a', "(iiduba(ssa{sv}))") >= 0;
    for (int i = 0; built && i < gnome.count; ++i) {
        built = AppendLogical(gnome, call, gnome.logical[i], layout[i]);
    }
    // The layout mode stays as it is; it may be given only where it can change.
    built = built && sd->message_close_container(call) >= 0 &&
            (gnome.layoutModeChangeable
                 ? sd->message_append(call, "a{sv}", 1, "layout-mode", "u", gnome.layoutMode)
                 : sd->message_append(call, "a{sv}", 0)) >= 0;
    if (!built) {
        sd->message_unref(call);
        return kLayoutRefused;
    }
    sd_bus_error error = SD_BUS_ERROR_NULL;
    sd_bus_message* reply = Send(gnome, call, &error);
    // A serial that is no longer current is refused as access denied.
    const LayoutAnswer answer = reply != nullptr ? kLayoutApplied
                                : sd->error_has_name(&error, SD_BUS_ERROR_ACCESS_DENIED)
                                    ? kLayoutOutdated
                                    : kLayoutRefused;
    sd->message_unref(reply);
    sd->error_free(&error);
    return answer;
}

// A layout made on a stale serial is made again from the state read anew,
// where the output may have another index.
bool ReadAgain(void* state) {
    return ReadAndChoose(&Of(state).output);
}

int OnProbed(sd_bus_message* reply, void* state, sd_bus_error*) {
    GnomeBackend& gnome = Of(state);
    gnome.probed = gnome.sd->message_ref(reply);
    gnome.answered = true;
    return 0;
}

// The probe is the first read of the state. Sent on its own it goes out
// right behind the bus's Hello, where sd_bus_call would first wait for
// Hello's answer. Only a name with no owner means another desktop: any
// other error is kept for the read to fail on.
bool DisplayConfigAnswers(GnomeBackend& gnome) {
    const SdBusLibrary* sd = gnome.sd;
    sd_bus_message* call = NewCall(gnome, kService, kPath, kService, "GetCurrentState");
    const bool sent =
        call != nullptr && sd->message_set_auto_start(call, 0) >= 0 &&
        sd->call_async(gnome.bus, nullptr, call, OnProbed, &gnome, kAnswerWait * 1000ULL) >= 0;
    sd->message_unref(call);
    // The call's own timeout ends the wait with an error answer.
    while (sent && !gnome.answered) {
        const int processed = sd->process(gnome.bus, nullptr);
        if (processed < 0 || (processed == 0 && sd->wait(gnome.bus, UINT64_MAX) < 0)) {
            return false;
        }
    }
    const sd_bus_error* error = sent ? sd->message_get_error(gnome.probed) : nullptr;
    return sent &&
           (error == nullptr || (!sd->error_has_name(error, SD_BUS_ERROR_SERVICE_UNKNOWN) &&
                                 !sd->error_has_name(error, SD_BUS_ERROR_NAME_HAS_NO_OWNER)));
}

} // namespace

bool GnomeOffered(GnomeBackend* backend, const WaylandSession*) {
    *backend = GnomeBackend();
    backend->sd = &backend->loaded;
    if (!LoadSdBus(&backend->loaded) || backend->sd->open_user(&backend->bus) < 0 ||
        !DisplayConfigAnswers(*backend)) {
        CloseGnome(backend);
        return false;
    }
    return true;
}

DisplayOperations GnomeDisplayOperations(GnomeBackend* backend, WaylandSession*) {
    backend->output = TurningOutput{backend,        backend->layout, &backend->count, ReadState,
                                    PrimaryLogical, Apply,           ReadAgain};
    return TurningOutputOperations(&backend->output);
}

void CloseGnome(GnomeBackend* backend) {
    if (backend->probed != nullptr) {
        backend->sd->message_unref(backend->probed);
        backend->probed = nullptr;
    }
    if (backend->bus != nullptr) {
        backend->sd->flush_close_unref(backend->bus);
        backend->bus = nullptr;
    }
}
