// The Windows CE path: the exact calls, records and flags each command line
// makes through the CE adapter.
#include "platform/win32/ce/ce_adapter.h"
#include "run_helpers.h"
#include "startup/startup.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace expect;

namespace {

struct Ran {
    Int32 status;
    std::vector<std::string> calls; // after the module path and the block
};

Ran RunLine(const std::u16string& line, const recording::Script& script = recording::Script()) {
    recording::Reset(script);
    CeSession session;
    session.instance = nullptr;
    const Int32 status = StartFromArgumentLine(CePort(&session), recording::ToWide(line).data());
    std::vector<std::string> calls = recording::CallTexts();
    calls.erase(calls.begin(), calls.begin() + 2);
    return {status, calls};
}

std::vector<std::string> Menu(int x, int y) {
    return {"GetSystemMetrics(1)",
            "GetSystemMetrics(0)",
            "CreatePopupMenu()",
            "AppendMenu(menu, flags=0x0, id=100, \"默认     \")",
            "AppendMenu(menu, flags=0x0, id=101, \"横屏 90 度     \")",
            "AppendMenu(menu, flags=0x0, id=102, \"竖屏 180 度    \")",
            "AppendMenu(menu, flags=0x0, id=104, \"横屏 270 度     \")",
            "GetMenuOwner()",
            "TrackPopupMenuEx(menu, flags=0x114, x=" + std::to_string(x) +
                ", y=" + std::to_string(y) + ", menuOwner, null)",
            "DestroyMenu(menu)"};
}

TEST(CeAdapter, MakesTheExactCallsOfEachCommandLine) {
    recording::Script at1;
    at1.currentOrientation = 1;
    recording::Script queryFails;
    queryFails.orientationResult = -1;
    recording::Script applyRefused;
    applyRefused.applyResult = -2;
    recording::Script supportFails;
    supportFails.supportResult = -1;
    recording::Script noneOffered;
    noneOffered.supportedSet = 0;
    const auto menuPicking = [](int pick, int width, int height) {
        recording::Script script;
        script.menuPick = pick;
        script.screenWidth = width;
        script.screenHeight = height;
        return script;
    };
    recording::Script noMenu;
    noMenu.menuFails = true;

    const std::vector<std::string> start = {Read(), SupportQuery()};
    const std::vector<std::string> query = {OrientationQuery(0x7)};
    const struct {
        const char* name;
        std::u16string line;
        recording::Script script;
        Int32 status;
        std::vector<std::string> calls;
    } cases[] = {
        {"cycle", u"", {}, 0, Join({start, query, {Apply(4)}})},
        {"toggle", u"/toggle", at1, 0, Join({start, query, {Apply(0)}})},
        {"set valid", u"/set 2", {}, 0, Join({start, {Apply(2)}})},
        {"set invalid", u"/set 3", {}, 2, Join({start, Box(kInvalid)})},
        {"menu pick", u"/menu", menuPicking(104, 240, 320), 0,
         Join({start, Menu(120, 160), {Apply(4)}})},
        {"menu dismissed", u"/menu", menuPicking(0, 480, 640), 0, Join({start, Menu(240, 320)})},
        {"menu answers no item", u"/menu", menuPicking(103, 480, 640), 0,
         Join({start, Menu(240, 320)})},
        {"menu cannot be made", u"/menu", noMenu, 1,
         Join({start, {"GetSystemMetrics(1)", "GetSystemMetrics(0)", "CreatePopupMenu()"}})},
        {"support query fails", u"/set 2", supportFails, 1, Join({start, Box(kUnsupported)})},
        {"no orientation offered", u"/menu", noneOffered, 1, Join({start, Box(kUnsupported)})},
        {"orientation query fails", u"/toggle", queryFails, 1,
         Join({start, query, Box(kUnsupported)})},
        {"apply refused", u"/set 1", applyRefused, 1, Join({start, {Apply(1)}, Box(kUnsupported)})},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        const Ran ran = RunLine(test.line, test.script);
        EXPECT_EQ(test.status, ran.status);
        EXPECT_EQ(test.calls, ran.calls);
    }
}

TEST(CeAdapter, UsesOneRecordAndPassesTheDriversFieldsBack) {
    RunLine(u"");
    const auto& calls = recording::Calls();
    ASSERT_EQ(6u, calls.size());
    const CE_DEVMODEW filled = recording::DriverFilledRecord();
    for (size_t i = 3; i < calls.size(); ++i) {
        EXPECT_EQ(calls[2].recordAddress, calls[i].recordAddress);
        CE_DEVMODEW passed = calls[i].record;
        passed.dmFields = filled.dmFields;
        passed.dmDisplayOrientation = filled.dmDisplayOrientation;
        EXPECT_EQ(0, std::memcmp(&filled, &passed, sizeof passed)) << "call " << i;
    }
}

TEST(CeAdapter, FailedReadLeavesAClearedRecord) {
    recording::Script script;
    script.fillOnRead = false;
    RunLine(u"/set 1", script);
    const auto& calls = recording::Calls();
    ASSERT_EQ(5u, calls.size());
    CE_DEVMODEW expected{};
    expected.dmSize = 192;
    EXPECT_EQ(0, std::memcmp(&expected, &calls[2].record, sizeof expected));
    expected.dmFields = CE_DM_DISPLAYORIENTATION;
    expected.dmDisplayOrientation = 1;
    EXPECT_EQ(0, std::memcmp(&expected, &calls[4].record, sizeof expected));
}

} // namespace
