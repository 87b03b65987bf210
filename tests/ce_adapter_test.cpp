// The Windows CE path on recorded calls: each CE call below answers from a
// script and logs what it was passed, so the tests see the exact calls,
// records and flags of each command line, and start-up's blocks.
#include "platform/win32/ce/ce_adapter.h"
#include "startup/argument_block.h"
#include "startup/pack_arguments.h"
#include "startup/startup.h"
#include "text/utf.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <cwctype>
#include <sstream>

namespace {

// What the calls answer. A display that can be asked offers `offered` and
// shows `shown`; the menu returns `menuAnswer`.
struct Script {
    int failing = -1; // the call, counted from 0 in the run, that fails
    Uint32 offered = 7;
    Uint32 shown = 0;
    int menuAnswer = 0;
    std::u16string modulePath = u"\\Windows\\tarvelin.exe";
};

// What the calls of one run were passed.
struct Recorded {
    Script script;
    int calls = 0;
    std::string log;                  // one line a call
    std::vector<CE_DEVMODEW> records; // as each display call had them
    std::vector<const CE_DEVMODEW*> addresses;
    std::vector<std::vector<unsigned char>> blocks;
} gRun;
CeSession gSession;
char gBoxOwner, gMenuOwner, gMenu;

void Reset(const Script& script = Script()) {
    gRun = Recorded();
    gRun.script = script;
}

std::string Hex(unsigned long value) {
    std::ostringstream text;
    text << "0x" << std::hex << value;
    return text.str();
}

std::string Name(const void* pointer) {
    return pointer == nullptr       ? "null"
           : pointer == &gBoxOwner  ? "boxOwner"
           : pointer == &gMenuOwner ? "menuOwner"
           : pointer == &gMenu      ? "menu"
                                    : "other";
}

std::string Fields(unsigned long size, unsigned long fields, unsigned long code) {
    return "dmSize=" + std::to_string(size) + ", dmFields=" + Hex(fields) +
           ", dmDisplayOrientation=" + Hex(code);
}

std::string Passes(const CE_DEVMODEW* record) {
    gRun.records.push_back(*record);
    gRun.addresses.push_back(record);
    return Fields(record->dmSize, record->dmFields, record->dmDisplayOrientation);
}

std::string Quoted(const WideChar* text) {
    std::string utf8(Utf16ToUtf8(text, nullptr), '\0');
    Utf16ToUtf8(text, utf8.data());
    return '"' + utf8 + '"';
}

std::u16string Utf16(const WideChar* text) {
    std::u16string units;
    for (; *text != 0; ++text) {
        units += static_cast<char16_t>(*text);
    }
    return units;
}

// Logs name(arguments...); true when the script has this call fail.
template <typename... Arguments> bool Call(const char* name, const Arguments&... arguments) {
    std::ostringstream text;
    text << name << '(';
    int written = 0;
    ((text << (written++ ? ", " : "") << arguments), ...);
    gRun.log += text.str() + ")\n";
    return gRun.calls++ == gRun.script.failing;
}

// Every byte set, so that a test sees each one carried back.
CE_DEVMODEW DriverRecord() {
    CE_DEVMODEW record;
    std::memset(&record, 0x5A, sizeof record);
    record.dmSize = CE_DEVMODEW_SIZE;
    record.dmDisplayOrientation = 0;
    return record;
}

} // namespace

int CeEnumDisplaySettings(const WideChar* deviceName, Uint32 modeNumber, CE_DEVMODEW* record) {
    if (Call("EnumDisplaySettings", Name(deviceName), Hex(modeNumber), Passes(record))) {
        return 0;
    }
    *record = DriverRecord();
    return 1;
}

long CeChangeDisplaySettingsEx(const WideChar* deviceName, CE_DEVMODEW* record, CeWindow window,
                               Uint32 flags, void* extra) {
    if (Call("ChangeDisplaySettingsEx", Name(deviceName), Passes(record), Name(window), Hex(flags),
             Name(extra))) {
        return -1;
    }
    if (flags == CE_CDS_TEST) {
        const bool support = record->dmFields == CE_DM_DISPLAYQUERYORIENTATION;
        record->dmDisplayOrientation = support ? gRun.script.offered : gRun.script.shown;
    }
    return CE_DISP_CHANGE_SUCCESSFUL;
}

CeWindow CeGetMessageBoxOwner() {
    return Call("GetMessageBoxOwner") ? nullptr : &gBoxOwner;
}

int CeMessageBox(CeWindow owner, const WideChar* text, const WideChar* caption, Uint32 style) {
    return Call("MessageBox", Name(owner), Quoted(text), Quoted(caption), Hex(style)) ? 0 : 1;
}

CeWindow CeGetMenuOwner() {
    return Call("GetMenuOwner") ? nullptr : &gMenuOwner;
}

CeMenu CeCreatePopupMenu() {
    return Call("CreatePopupMenu") ? nullptr : &gMenu;
}

int CeAppendMenu(CeMenu menu, Uint32 flags, Uint32 identifier, const WideChar* label) {
    return Call("AppendMenu", Name(menu), Hex(flags), identifier, Quoted(label)) ? 0 : 1;
}

int CeTrackPopupMenuEx(CeMenu menu, Uint32 flags, int x, int y, CeWindow owner, void* extra) {
    Call("TrackPopupMenuEx", Name(menu), Hex(flags), x, y, Name(owner), Name(extra));
    return gRun.script.menuAnswer;
}

int CeDestroyMenu(CeMenu menu) {
    return Call("DestroyMenu", Name(menu)) ? 0 : 1;
}

int CeGetSystemMetrics(int index) {
    Call("GetSystemMetrics", index);
    return index == CE_SM_CXSCREEN ? 240 : 320;
}

Uint32 CeGetModuleFileName(CeInstance instance, WideChar* buffer, Uint32 size) {
    if (Call("GetModuleFileName", Name(instance), size)) {
        return 0;
    }
    // Like the platform, cut a long path short, unterminated when it fills
    // the buffer exactly.
    const std::u16string& path = gRun.script.modulePath;
    std::copy_n(path.c_str(), std::min<size_t>(path.size() + 1, size), buffer);
    return static_cast<Uint32>(std::min<size_t>(path.size(), size));
}

void* CeLocalAlloc(Uint32 flags, size_t bytes) {
    if (Call("LocalAlloc", Hex(flags), bytes)) {
        return nullptr;
    }
    // Filled with a pattern, so that what start-up leaves unwritten shows.
    gRun.blocks.emplace_back(std::max<size_t>(bytes, 1), 0xA5);
    return gRun.blocks.back().data();
}

int CeIsWhiteSpace(WideChar unit) {
    return std::iswspace(static_cast<wint_t>(unit));
}

namespace {

std::vector<WideChar> Wide(const char* ascii) {
    return std::vector<WideChar>(ascii, ascii + std::strlen(ascii) + 1);
}

Int32 RunLine(const char* line, const Script& script = Script()) {
    Reset(script);
    // No stale zeros may stand in for the record the adapter clears.
    std::memset(&gSession, 0xA5, sizeof gSession);
    gSession.instance = nullptr;
    return StartFromArgumentLine(CePort(&gSession), Wide(line).data());
}

std::string Change(Uint32 fields, Uint32 code, Uint32 flags) {
    return "ChangeDisplaySettingsEx(null, " + Fields(192, fields, code) + ", null, " + Hex(flags) +
           ", null)\n";
}

TEST(CeAdapter, MakesTheExactCallsOfEachCommandLine) {
    const std::string start = "EnumDisplaySettings(null, 0xffffffff, " + Fields(192, 0, 0) + ")\n" +
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

TEST(CeAdapter, PassesOneRecordThatCarriesTheDriversFieldsBack) {
    RunLine("");
    ASSERT_EQ(4u, gRun.records.size());
    for (size_t i = 1; i < gRun.records.size(); ++i) {
        EXPECT_EQ(gRun.addresses[0], gRun.addresses[i]);
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

// The splitter's rules and its block's exact size are checked on any line by
// the fuzz target, against a plain parser; here, what it cannot reach.
TEST(AllocateArgumentBlock, RefusesSizesThatCannotBeRepresented) {
    const size_t max = static_cast<size_t>(-1);
    const struct {
        Int32 argc;
        size_t units;
    } refused[] = {{1, max}, {1, max / 2 + 1}, {2, max / 2 - 10}, {0x7FFFFFFF, 1}, {0, 1}, {-1, 1}};
    for (const auto& test : refused) {
        Reset();
        EXPECT_EQ(nullptr, AllocateArgumentBlock(CePort(&gSession).process, test.argc, test.units));
        EXPECT_EQ("", gRun.log) << test.argc << " " << test.units;
    }
    EXPECT_NE(nullptr, AllocateArgumentBlock(CePort(&gSession).process, 2, 10));
    EXPECT_EQ("LocalAlloc(0x0, " + std::to_string(3 * sizeof(void*) + 20) + ")\n", gRun.log);
}

TEST(PackArguments, LaysOutTheBlockFromUtf8) {
    Reset();
    const char* arguments[] = {"/set",        "", "\xE6\xA8\xAA", "\xF0\x9F\x98\x80", "\xFFz\xC3",
                               "\xED\xA0\x80"};
    const std::u16string expected[] = {u"/usr/bin/tarvelin", u"/set",          u"",      u"\x6A2A",
                                       u"\xD83D\xDE00",      u"\xFFFDz\xFFFD", u"\xFFFD"};
    Int32 argc = 0;
    WideChar** argv = nullptr;
    ASSERT_TRUE(PackArguments(CePort(&gSession).process, Wide("/usr/bin/tarvelin").data(), 6,
                              arguments, &argc, &argv));
    ASSERT_EQ(7, argc);
    for (Int32 i = 0; i < argc; ++i) {
        EXPECT_EQ(expected[i], Utf16(argv[i])) << i;
    }
    EXPECT_EQ(nullptr, argv[7]);
}

TEST(Startup, EndsWithoutTheDispatcherWhenItCannotStart) {
    const char* arguments[] = {"/set", "4"};
    for (const int failing : {0, 1}) { // the module path, then the block
        EXPECT_EQ(1, RunLine("/set 4", {failing}));
        EXPECT_EQ(failing + 1, gRun.calls) << gRun.log;
        Reset({failing});
        StartupFailure failure = kStartupRan;
        EXPECT_EQ(1, StartFromArguments(CePort(&gSession), 2, arguments, &failure));
        EXPECT_EQ(failing + 1, gRun.calls) << gRun.log;
        EXPECT_EQ(failing == 0 ? kNoModulePath : kNoArgumentBlock, failure);
    }
}

// A path cut short without a terminator still ends inside its buffer.
TEST(Startup, RunsTheDispatcherOnTheSplitLineAndTheModulePath) {
    Script script;
    script.modulePath = std::u16string(300, u'x');
    EXPECT_EQ(0, RunLine("\"/set\" 1", script));
    const size_t bytes = 4 * sizeof(void*) + 2 * (256 + 7 + 2);
    EXPECT_EQ(0u, gRun.log.find("GetModuleFileName(null, 256)\nLocalAlloc(0x0, " +
                                std::to_string(bytes) + ")\n"));
    EXPECT_EQ(Change(CE_DM_DISPLAYORIENTATION, 1, 0), gRun.log.substr(gRun.log.rfind("Change")));
    EXPECT_EQ(std::u16string(255, u'x'),
              Utf16(*reinterpret_cast<WideChar**>(gRun.blocks[0].data())));
}

} // namespace
