#include "platform/linux/output_areas.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using Areas = std::vector<OutputArea>;

std::vector<int> Fields(const Areas& areas) {
    std::vector<int> fields;
    for (const OutputArea& a : areas) {
        fields.insert(fields.end(), {a.x, a.y, a.width, a.height});
    }
    return fields;
}

// The first area turns. Neighbours beside a side that shrinks slide back along it to a pixel of
// shared edge, taking along what touches their far edge; at a corner only, nothing moves.
TEST(OutputAreas, NeighboursOnEverySideKeepAnEdgeWithTheTurnedOutput) {
    const std::pair<Areas, Areas> rows[] = {
        // Narrower: a chain of three on the right closes up, the one below goes down.
        {{{0, 0, 8, 6}, {8, 0, 8, 6}, {16, 0, 8, 6}, {0, 6, 8, 6}, {8, 6, 4, 4}},
         {{0, 0, 6, 8}, {6, 0, 8, 6}, {14, 0, 8, 6}, {0, 8, 8, 6}, {8, 6, 4, 4}}},
        // Narrower: those above and below at its right end slide left to keep an edge.
        {{{4, 4, 8, 6}, {0, 4, 4, 6}, {10, 0, 4, 4}, {12, 4, 4, 6}, {11, 10, 4, 4}},
         {{4, 4, 6, 8}, {0, 4, 4, 6}, {9, 0, 4, 4}, {10, 4, 4, 6}, {9, 12, 4, 4}}},
        // Shorter: those beside it low down slide up, the one under the right one with it.
        {{{4, 4, 6, 8}, {0, 11, 4, 4}, {10, 10, 4, 4}, {10, 14, 4, 4}, {10, 0, 4, 4}},
         {{4, 4, 8, 6}, {0, 9, 4, 4}, {12, 9, 4, 4}, {10, 13, 4, 4}, {10, 0, 4, 4}}}};
    for (const auto& [areas, after] : rows) {
        Areas placed(areas.size());
        TurnedLayout(areas.data(), static_cast<int>(areas.size()), 0, true, placed.data());
        EXPECT_EQ(Fields(after), Fields(placed)) << areas.size() << " outputs";
        // A half turn moves nothing.
        TurnedLayout(areas.data(), static_cast<int>(areas.size()), 0, false, placed.data());
        EXPECT_EQ(Fields(areas), Fields(placed));
    }
}

} // namespace
