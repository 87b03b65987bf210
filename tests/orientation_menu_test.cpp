#include "orientation/rotation_commands.h"
#include "run_helpers.h"

#include <gtest/gtest.h>

using namespace expect;

namespace {

std::vector<std::string> MenuCalls(int x, int y) {
    return {"CreatePopupMenu()",
            "AppendMenu(menu, flags=0x0, id=100, \"默认     \")",
            "AppendMenu(menu, flags=0x0, id=101, \"横屏 90 度     \")",
            "AppendMenu(menu, flags=0x0, id=102, \"竖屏 180 度    \")",
            "AppendMenu(menu, flags=0x0, id=104, \"横屏 270 度     \")",
            "GetMenuOwner()",
            "GetSystemMetrics(1)",
            "GetSystemMetrics(0)",
            "TrackPopupMenuEx(menu, flags=0x114, x=" + std::to_string(x) +
                ", y=" + std::to_string(y) + ", menuOwner, null)",
            "DestroyMenu(menu)"};
}

std::vector<std::string> RunMenu(const recording::Script& script) {
    recording::Reset(script);
    const ArgumentVector args({u"/menu"});
    EXPECT_EQ(0, RunRotationCommand(args.argc(), args.argv()));
    return recording::CallTexts();
}

TEST(ShowOrientationMenu, AppliesThePickedItemAndNothingElse) {
    struct Case {
        int pick;
        std::vector<std::string> after;
    };
    const Case cases[] = {
        {100, {Apply(0)}},
        {101, {Apply(1)}},
        {102, {Apply(2)}},
        {104, {Apply(4)}},
        // Closed without a choice, or answered with no item of the menu.
        {0, {}},
        {103, {}},
        {99, {}},
        {105, {}},
        {-1, {}},
        {200, {}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.pick);
        recording::Script script;
        script.menuPick = test.pick;
        EXPECT_EQ(Join({{Read(), SupportQuery()}, MenuCalls(120, 160), test.after}),
                  RunMenu(script));
    }
}

TEST(ShowOrientationMenu, AnchorsOnTheMiddleOfTheScreen) {
    struct Case {
        int width, height, x, y;
    };
    const Case cases[] = {
        {240, 320, 120, 160}, {480, 640, 240, 320}, {241, 320, 120, 160},
        {320, 241, 160, 120}, {1, 1, 0, 0},         {800, 480, 400, 240},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(std::to_string(test.width) + "x" + std::to_string(test.height));
        recording::Script script;
        script.screenWidth = test.width;
        script.screenHeight = test.height;
        script.menuPick = 101;
        EXPECT_EQ(Join({{Read(), SupportQuery()}, MenuCalls(test.x, test.y), {Apply(1)}}),
                  RunMenu(script));
    }
}

TEST(ShowOrientationMenu, OffersAllFourWhateverTheDisplaySupportsOrShows) {
    const Uint32 sets[] = {0x1, 0x2, 0x4, 0x7};
    for (const Uint32 set : sets) {
        for (const Uint32 current : {0u, 1u, 2u, 4u}) {
            recording::Script script;
            script.supportedSet = set;
            script.currentOrientation = current;
            script.menuPick = 104;
            EXPECT_EQ(Join({{Read(), SupportQuery()}, MenuCalls(120, 160), {Apply(4)}}),
                      RunMenu(script));
        }
    }
}

} // namespace
