#include "platform/wayland/output_layout.h"

#include <gtest/gtest.h>

#include <stdio.h>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using Outputs = std::vector<WaylandOutput>;

WaylandOutput On(const char* name, int x, int y, int width = 4, int height = 3, int transform = 0,
                 bool enabled = true) {
    WaylandOutput output{{}, enabled, x, y, width, height, transform};
    snprintf(output.name, sizeof output.name, "%s", name);
    return output;
}

std::vector<int> Fields(const Outputs& outputs) {
    std::vector<int> fields;
    for (const WaylandOutput& o : outputs) {
        fields.insert(fields.end(), {o.enabled, o.x, o.y, o.width, o.height, o.transform});
    }
    return fields;
}

TEST(OutputLayout, ChoiceIsNamedThenTheCompositorsThenAtOriginThenFirstByName) {
    const Outputs row = {On("DP-2", 0, 3), On("HDMI-A-1", 4, 0), On("DP-1", 0, 0),
                         On("HDMI-A-2", 8, 0, 4, 3, 0, false)};
    const Outputs apart = {On("eDP-1", 4, 0), On("DP-3", 8, 0)};
    const Outputs off = {On("DP-1", 0, 0, 4, 3, 0, false)};
    // The preferred index: wlroots gives none, KDE its first in order, GNOME its primary.
    const std::tuple<const Outputs&, const char*, int, int, OutputReason> rows[] = {
        {row, "HDMI-A-1", 2, 1, kOutputNamed},       {row, "HDMI-A-2", -1, -1, kOutputNoneNamed},
        {row, nullptr, -1, 2, kOutputAtOrigin},      {row, nullptr, 0, 0, kOutputPreferred},
        {row, nullptr, 1, 1, kOutputPreferred},      {row, nullptr, 3, 2, kOutputAtOrigin},
        {apart, nullptr, -1, 1, kOutputFirstByName}, {off, nullptr, 0, -1, kOutputNoneEnabled}};
    for (const auto& [outputs, wanted, preferred, index, reason] : rows) {
        const OutputChoice choice =
            ChooseOutput(outputs.data(), static_cast<int>(outputs.size()), wanted, preferred);
        EXPECT_EQ(std::make_pair(index, reason), std::make_pair(choice.index, choice.reason))
            << (wanted != nullptr ? wanted : "none named") << ", preferred " << preferred;
    }
}

// The neighbour on the right follows the turned edge (TurnedLayout), an
// output that is off stays; a flip stays.
TEST(OutputLayout, TurnLaysOutTheEnabledOutputsAndKeepsTheFlip) {
    const WaylandOutput off = On("C", 8, 0, 4, 3, 0, false);
    const std::tuple<int, int, Outputs, Outputs> rows[] = {
        {0, 1, {On("A", 0, 0), On("B", 4, 0), off}, {On("A", 0, 0, 3, 4, 1), On("B", 3, 0), off}},
        {1, 1, {On("L", 0, 0), On("T", 4, 0, 4, 3, 2)}, {On("L", 0, 0), On("T", 4, 0, 3, 4, 1)}},
        {0, 0, {On("A", 0, 0, 3, 4, 5), On("B", 3, 0)}, {On("A", 0, 0, 4, 3, 4), On("B", 4, 0)}}};
    for (auto [turned, transform, layout, after] : rows) {
        TurnInLayout(layout.data(), static_cast<int>(layout.size()), turned, transform);
        EXPECT_EQ(Fields(after), Fields(layout)) << layout[turned].name;
    }
}

// Then a quarter turn swaps it, and the neighbour on the right follows.
TEST(OutputLayout, LogicalSizeIsTurnedScaledAndRounded) {
    // The mode's width and height, the transform and scale, the logical size.
    const std::tuple<int, int, int, double, int, int> rows[] = {
        {3840, 2160, 0, 1, 3840, 2160},       {3840, 2160, 0, 1.5, 2560, 1440},
        {3840, 2160, 0, 2, 1920, 1080},       {3840, 2160, 5, 2, 1080, 1920},
        {2560, 1600, 0, 4.0 / 3, 1920, 1200}, {1366, 768, 2, 1.5, 911, 512},
        {1920, 1080, 0, 0, 1920, 1080}};
    for (const auto& [width, height, transform, scale, logicalWidth, logicalHeight] : rows) {
        Outputs layout = {On("A", 0, 0, 0, 0, transform), On("B", 0, 0)};
        SetLogicalSize(&layout[0], width, height, scale);
        layout[1].x = layout[0].width;
        TurnInLayout(layout.data(), 2, 0, (transform + 1) & 3);
        EXPECT_EQ((std::vector<int>{logicalHeight, logicalWidth, logicalHeight}),
                  (std::vector<int>{layout[0].width, layout[0].height, layout[1].x}))
            << scale;
    }
}

} // namespace
