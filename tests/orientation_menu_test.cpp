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

// The list never depends on the supported set or the current orientation,
// and the pick is applied whether or not the set holds it.
TEST(ShowOrientationMenu, AppliesThePickAtTheMiddleOfTheScreen) {
    const struct {
        int pick, width, height;
        Uint32 supported, current;
        int x, y;
        std::vector<std::string> after;
    } cases[] = {
        {100, 240, 320, 0x7, 0, 120, 160, {Apply(0)}},
        {101, 241, 320, 0x7, 1, 120, 160, {Apply(1)}},
        {102, 320, 241, 0x1, 0, 160, 120, {Apply(2)}},
        {104, 480, 640, 0x2, 4, 240, 320, {Apply(4)}},
        // Closed without a choice, or answered with no item of the menu.
        {0, 240, 320, 0x7, 0, 120, 160, {}},
        {103, 240, 320, 0x7, 0, 120, 160, {}},
        {-1, 240, 320, 0x7, 0, 120, 160, {}},
    };
    for (const auto& test : cases) {
        recording::Script script;
        script.menuPick = test.pick;
        script.screenWidth = test.width;
        script.screenHeight = test.height;
        script.supportedSet = test.supported;
        script.currentOrientation = test.current;
        recording::Reset(script);
        const ArgumentVector args({u"/menu"});
        EXPECT_EQ(0, RunRotationCommand(args.argc(), args.argv()));
        EXPECT_EQ(Join({{Read(), SupportQuery()}, MenuCalls(test.x, test.y), test.after}),
                  recording::CallTexts())
            << test.pick;
    }
}

} // namespace
