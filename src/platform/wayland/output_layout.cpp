#include "platform/wayland/output_layout.h"

#include "platform/linux/output_areas.h"

#include <string.h>

static_assert(kMaxOutputs <= kMaxOutputAreas, "TurnedLayout must take every output kept");

void SetLogicalSize(WaylandOutput* output, int width, int height, double scale) {
    const bool turned = output->transform & 1;
    scale = scale > 0 ? scale : 1;
    // Rounded by hand: lround would load libm into every run for two sizes.
    output->width = static_cast<int>((turned ? height : width) / scale + 0.5);
    output->height = static_cast<int>((turned ? width : height) / scale + 0.5);
}

OutputChoice ChooseOutput(const WaylandOutput* outputs, int count, const char* wanted,
                          int preferred) {
    if (wanted == nullptr && preferred >= 0 && preferred < count && outputs[preferred].enabled) {
        return OutputChoice{preferred, kOutputPreferred};
    }
    int chosen = -1;
    for (int i = 0; i < count; ++i) {
        const WaylandOutput& output = outputs[i];
        if (wanted != nullptr) {
            if (strcmp(output.name, wanted) == 0 && output.enabled) {
                return OutputChoice{i, kOutputNamed};
            }
        } else if (output.enabled) {
            if (output.x == 0 && output.y == 0) {
                return OutputChoice{i, kOutputAtOrigin};
            }
            if (chosen < 0 || strcmp(output.name, outputs[chosen].name) < 0) {
                chosen = i;
            }
        }
    }
    if (wanted != nullptr) {
        return OutputChoice{-1, kOutputNoneNamed};
    }
    return OutputChoice{chosen, chosen < 0 ? kOutputNoneEnabled : kOutputFirstByName};
}

void TurnInLayout(WaylandOutput* outputs, int count, int turned, int transform) {
    // The enabled outputs, and the turned one, as areas of the layout.
    OutputArea areas[kMaxOutputs] = {};
    OutputArea placed[kMaxOutputs] = {};
    int index[kMaxOutputs] = {};
    int n = 0;
    int turnedAt = 0;
    for (int i = 0; i < count && n < kMaxOutputs; ++i) {
        const WaylandOutput& output = outputs[i];
        if (output.enabled || i == turned) {
            turnedAt = i == turned ? n : turnedAt;
            index[n] = i;
            areas[n++] = OutputArea{output.x, output.y, output.width, output.height};
        }
    }
    WaylandOutput& output = outputs[turned];
    TurnedLayout(areas, n, turnedAt, ((output.transform ^ transform) & 1) != 0, placed);
    for (int k = 0; k < n; ++k) {
        WaylandOutput& moved = outputs[index[k]];
        moved.x = placed[k].x;
        moved.y = placed[k].y;
        moved.width = placed[k].width;
        moved.height = placed[k].height;
    }
    output.transform = (output.transform & 4) | (transform & 3);
}
