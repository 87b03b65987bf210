#include "platform/wayland/output_layout.h"

#include "platform/linux/output_areas.h"
#include "platform/linux/standard_error.h"

#include <string.h>

int ChooseOutput(const WaylandOutput* outputs, int count, const char* wanted, int preferred) {
    if (wanted == nullptr && preferred >= 0 && preferred < count && outputs[preferred].enabled) {
        return preferred;
    }
    int chosen = -1;
    for (int i = 0; i < count; ++i) {
        const WaylandOutput& output = outputs[i];
        if (wanted != nullptr) {
            if (strcmp(output.name, wanted) == 0 && output.enabled) {
                return i;
            }
        } else if (output.enabled) {
            if (output.x == 0 && output.y == 0) {
                return i;
            }
            if (chosen < 0 || strcmp(output.name, outputs[chosen].name) < 0) {
                chosen = i;
            }
        }
    }
    if (wanted != nullptr) {
        ReportError("no enabled output named \"%s\" (TARVELIN_OUTPUT)", wanted);
    }
    return chosen;
}

void TurnInLayout(WaylandOutput* outputs, int count, int turned, int transform) {
    // The enabled outputs, and the turned one, as areas of the layout.
    OutputArea areas[kMaxOutputAreas] = {};
    OutputArea placed[kMaxOutputAreas] = {};
    int index[kMaxOutputAreas] = {};
    int n = 0;
    int turnedAt = 0;
    for (int i = 0; i < count && n < kMaxOutputAreas; ++i) {
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
