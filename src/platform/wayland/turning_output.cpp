#include "platform/wayland/turning_output.h"

#include "orientation/orientation_table.h"
#include "platform/linux/standard_error.h"

#include <stdlib.h>

namespace {

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

bool SendTurnedLayout(TurningOutput* output, int transform) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        WaylandOutput layout[kMaxOutputs];
        memcpy(layout, output->layout, sizeof layout);
        TurnInLayout(layout, *output->count, output->turned, transform);
        const LayoutAnswer answer = output->send(output->backend, layout);
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
Point MenuAnchor(void* state) {
    TurningOutput& output = Of(state);
    if (!Ready(output)) {
        return Point{-1, -1};
    }
    const WaylandOutput& turned = output.layout[output.turned];
    return Point{turned.x + turned.width / 2, turned.y + turned.height / 2};
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
    return DisplayOperations{
        output,     SupportedOrientations, CurrentOrientation, ApplyOrientation,
        MenuAnchor, FailureReported};
}
