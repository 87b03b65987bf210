#include "platform/wayland/output_layout.h"

#include "platform/linux/standard_error.h"

#include <string.h>

namespace {

const int kMaxLayout = 64;

bool Overlap(int start, int length, int otherStart, int otherLength) {
    return start < otherStart + otherLength && otherStart < start + length;
}

} // namespace

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
    WaylandOutput before[kMaxLayout];
    count = count < kMaxLayout ? count : kMaxLayout;
    memcpy(before, outputs, sizeof(WaylandOutput) * static_cast<size_t>(count));
    WaylandOutput& output = outputs[turned];
    if ((output.transform ^ transform) & 1) {
        output.width = before[turned].height;
        output.height = before[turned].width;
    }
    output.transform = (output.transform & 4) | (transform & 3);
    const int dx = output.width - before[turned].width;
    const int dy = output.height - before[turned].height;
    // What touched the turned output's far edges moves with them, and so
    // does what touched those, in a row or a column.
    bool across[kMaxLayout] = {};
    bool down[kMaxLayout] = {};
    across[turned] = down[turned] = true;
    for (bool more = true; more;) {
        more = false;
        for (int i = 0; i < count; ++i) {
            const WaylandOutput& was = before[i];
            for (int j = 0; was.enabled && i != turned && j < count; ++j) {
                const WaylandOutput& edge = before[j];
                if (across[j] && !across[i] && was.x == edge.x + edge.width &&
                    Overlap(was.y, was.height, edge.y, edge.height)) {
                    outputs[i].x = was.x + dx;
                    across[i] = more = true;
                }
                if (down[j] && !down[i] && was.y == edge.y + edge.height &&
                    Overlap(was.x, was.width, edge.x, edge.width)) {
                    outputs[i].y = was.y + dy;
                    down[i] = more = true;
                }
            }
        }
    }
}
