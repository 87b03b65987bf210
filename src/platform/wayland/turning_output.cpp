#include "platform/wayland/turning_output.h"

#include "orientation/orientation_table.h"
#include "platform/linux/standard_error.h"

#include <stdio.h>
#include <stdlib.h>

namespace {

// In the order of OutputReason and LayoutAnswer.
const char* const kChosenBecause[] = {"named", "the compositor's choice", "at 0,0",
                                      "first by name"};
const char* const kAnswerNames[] = {"applied", "refused", "outdated"};

TurningOutput& Of(void* state) {
    return *static_cast<TurningOutput*>(state);
}

bool Ready(TurningOutput& output) {
    if (!output.asked) {
        output.asked = true;
        ReadAndChoose(&output);
    }
    return output.turned >= 0;
}

// The compositors offer every turn of an output.
bool SupportedOrientations(void* state, Uint32* set) {
    if (!Ready(Of(state))) {
        return false;
    }
    *set = kOrientation90 | kOrientation180 | kOrientation270;
    return true;
}

// A flipped transform (4-7) keeps its flip: its orientation is its rotation.
bool CurrentOrientation(void* state, Uint32* code) {
    TurningOutput& output = Of(state);
    const OrientationEntry* orientation =
        Ready(output)
            ? FindOrientationByWaylandTransform(output.layout[output.turned].transform & 3)
            : nullptr;
    if (orientation == nullptr) {
        return false;
    }
    *code = orientation->code;
    return true;
}

// Each output's name, transform and place, on one line.
void DebugSent(const WaylandOutput* layout, int count) {
    if (!DebugWanted()) {
        return;
    }
    char text[480] = "";
    for (int i = 0, used = 0; i < count && used < static_cast<int>(sizeof text); ++i) {
        const WaylandOutput& output = layout[i];
        used += output.enabled
                    ? snprintf(text + used, sizeof text - used, "%s%s transform %d at %d,%d",
                               i > 0 ? "; " : "", output.name, output.transform, output.x, output.y)
                    : snprintf(text + used, sizeof text - used, "%s%s off", i > 0 ? "; " : "",
                               output.name);
    }
    ReportDebug("sent: %s", text);
}

bool SendTurnedLayout(TurningOutput* output, int transform) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        WaylandOutput layout[kMaxOutputs];
        memcpy(layout, output->layout, sizeof layout);
        TurnInLayout(layout, *output->count, output->turned, transform);
        DebugSent(layout, *output->count);
        const LayoutAnswer answer = output->send(output->backend, layout);
        ReportDebug("answer: %s", kAnswerNames[answer]);
        if (answer == kLayoutApplied) {
            memcpy(output->layout, layout, sizeof layout);
        }
        if (answer != kLayoutOutdated) {
            return answer == kLayoutApplied;
        }
        if (!output->reread(output->backend)) {
            return false;
        }
    }
    return false;
}

bool ApplyOrientation(void* state, Uint32 code) {
    TurningOutput& output = Of(state);
    const OrientationEntry* target = FindOrientationByCode(code);
    return Ready(output) && target != nullptr &&
           SendTurnedLayout(&output, static_cast<int>(target->waylandTransform));
}

bool FailureReported(void* state) {
    return Of(state).reported;
}

// Off every screen when no output turns: the boxes then centre themselves.
Point DialogAnchor(void* state) {
    TurningOutput& output = Of(state);
    if (!Ready(output)) {
        return Point{-1, -1};
    }
    const WaylandOutput& turned = output.layout[output.turned];
    return Point{turned.x + turned.width / 2, turned.y + turned.height / 2};
}

// The layout's sizes are logical: scaling keeps the shape, and a flip does
// not change it.
DisplayShape DefaultShape(void* state) {
    TurningOutput& output = Of(state);
    if (!Ready(output)) {
        return kShapeUnknown;
    }
    const WaylandOutput& turned = output.layout[output.turned];
    return DefaultShapeOf(turned.width, turned.height,
                          FindOrientationByWaylandTransform(turned.transform & 3));
}

} // namespace

bool ReadAndChoose(TurningOutput* output) {
    output->turned = -1;
    if (!output->read(output->backend)) {
        ReportError("the compositor did not describe its outputs");
        output->reported = true;
        return false;
    }
    const char* wanted = getenv("TARVELIN_OUTPUT");
    // Empty is unset, as on X11.
    if (wanted != nullptr && wanted[0] == 0) {
        wanted = nullptr;
    }
    const OutputChoice choice =
        ChooseOutput(output->layout, *output->count, wanted, output->preferred(output->backend));
    output->turned = choice.index;
    // No enabled output is left to the box; a name not there is said here.
    output->reported = choice.reason == kOutputNoneNamed;
    if (output->reported) {
        ReportError("no enabled output named \"%s\" (TARVELIN_OUTPUT)", wanted);
    } else if (choice.index < 0) {
        ReportDebug("no output chosen: none is enabled");
    } else {
        ReportDebug("output %s (index %d) chosen: %s", output->layout[choice.index].name,
                    choice.index, kChosenBecause[choice.reason]);
    }
    return output->turned >= 0;
}

const WaylandMode* FindMode(const WaylandModes* modes, const void* proxy) {
    for (int i = 0; i < modes->count; ++i) {
        if (modes->list[i].proxy == proxy) {
            return &modes->list[i];
        }
    }
    return nullptr;
}

DisplayOperations TurningOutputOperations(TurningOutput* output) {
    return DisplayOperations{output,           SupportedOrientations, CurrentOrientation,
                             ApplyOrientation, DialogAnchor,          DefaultShape,
                             FailureReported};
}
