// The CE port on recorded calls: the exact calls, records and flags of each command line.
#include "platform/win32/ce/ce_calls.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(CePort, MakesTheExactCallsOfEachCommandLine) {
    const std::string start = "EnumDisplaySettings(null, 0xffffffff, dmSize=192, dmFields=0x0, "
                              "dmDisplayOrientation=0x0)\n" +
                              Change(CE_DM_DISPLAYQUERYORIENTATION, 0, CE_CDS_TEST);
    const std::string query = Change(CE_DM_DISPLAYORIENTATION, 7, CE_CDS_TEST);
    const auto apply = [](Uint32 code) { return Change(CE_DM_DISPLAYORIENTATION, code, 0); };
    const auto box = [](const std::string& text) {
        return "GetMessageBoxOwner()\nMessageBox(boxOwner, \"" + text + "\", \"Tarvelin\", 0x30)\n";
    };
    const std::string unsupported = box("你的设备不支持屏幕旋转!" + std::string(33, ' '));
    const std::string newMenu = "CreatePopupMenu()\n";
    const std::string menu = newMenu + "AppendMenu(menu, 0x0, 100, \"默认     \")\n"
                                       "AppendMenu(menu, 0x0, 101, \"横屏 90 度     \")\n"
                                       "AppendMenu(menu, 0x0, 102, \"竖屏 180 度    \")\n"
                                       "AppendMenu(menu, 0x0, 104, \"横屏 270 度     \")\n"
                                       "GetMenuOwner()\nGetSystemMetrics(1)\nGetSystemMetrics(0)\n"
                                       "TrackPopupMenuEx(menu, 0x114, 120, 160, menuOwner, null)\n"
                                       "DestroyMenu(menu)\n";
    // Scripts: {failing call, offered, shown, menu answer}; the run's calls 0
    // and 1 are start-up's. The calls are those from the read on.
    const struct {
        const char* line;
        Script script;
        Int32 status;
        std::string calls;
    } runs[] = {
        {"", {}, 0, start + query + apply(4)},
        {"/toggle", {-1, 7, 1}, 0, start + query + apply(0)},
        {"/set 2", {}, 0, start + apply(2)},
        {"/set 3", {}, 2, start + box("无效的旋转模式!" + std::string(17, ' '))},
        {"/menu", {-1, 7, 0, 104}, 0, start + menu + apply(4)},
        {"/menu", {}, 0, start + menu},                   // dismissed
        {"/menu", {-1, 7, 0, 103}, 0, start + menu},      // an id of no item
        {"/menu", {4}, 1, start + newMenu},               // no menu to be had
        {"/set 2", {3}, 1, start + unsupported},          // support query fails
        {"/menu", {-1, 0}, 1, start + unsupported},       // none offered
        {"/toggle", {4}, 1, start + query + unsupported}, // current query fails
        {"/set 1", {4}, 1, start + apply(1) + unsupported},
    };
    for (const auto& run : runs) {
        SCOPED_TRACE("run " + std::to_string(&run - runs));
        EXPECT_EQ(run.status, RunLine(run.line, run.script));
        EXPECT_EQ(run.calls, gRun.log.substr(gRun.log.find("EnumDisplaySettings")));
    }
}

TEST(CePort, PassesOneRecordThatCarriesTheDriversFieldsBack) {
    RunLine("");
    ASSERT_EQ(4u, gRun.records.size());
    for (size_t i = 1; i < gRun.records.size(); ++i) {
        CE_DEVMODEW expected = DriverRecord();
        expected.dmFields = gRun.records[i].dmFields;
        expected.dmDisplayOrientation = gRun.records[i].dmDisplayOrientation;
        EXPECT_EQ(0, std::memcmp(&expected, &gRun.records[i], sizeof expected)) << i;
    }
    // A failed read leaves the cleared record, not garbage, to the driver.
    RunLine("/set 1", {2});
    ASSERT_EQ(3u, gRun.records.size());
    CE_DEVMODEW expected{};
    expected.dmSize = 192;
    EXPECT_EQ(0, std::memcmp(&expected, &gRun.records[0], sizeof expected));
    expected.dmFields = CE_DM_DISPLAYORIENTATION;
    expected.dmDisplayOrientation = 1;
    EXPECT_EQ(0, std::memcmp(&expected, &gRun.records[2], sizeof expected));
}

} // namespace
