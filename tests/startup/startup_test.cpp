// Start-up on Windows CE's recorded calls: the argument block, and runs that cannot start.
#include "platform/win32/ce/ce_calls.h"
#include "startup/argument_block.h"
#include "startup/pack_arguments.h"
#include "startup/startup.h"

#include <gtest/gtest.h>

namespace {

// The splitter's rules and its block's exact size are checked on any line by
// the fuzz target, against a plain parser; here, what it cannot reach.
TEST(AllocateArgumentBlock, RefusesSizesThatCannotBeRepresented) {
    const size_t max = static_cast<size_t>(-1);
    const size_t tooLong = (max - 3 * sizeof(WideChar*)) / sizeof(WideChar) + 1; // after 3 slots
    const struct {
        Int32 argc;
        size_t units;
    } refused[] = {{1, max}, {1, max / 2 + 1}, {2, tooLong}, {0x7FFFFFFF, 1}, {0, 1}, {-1, 1}};
    for (const auto& test : refused) {
        gRun = {};
        EXPECT_EQ(nullptr, AllocateArgumentBlock(CePort(&gSession).process, test.argc, test.units));
        EXPECT_EQ("", gRun.log) << test.argc << " " << test.units;
    }
}

TEST(PackArguments, LaysOutTheBlockFromUtf8) {
    gRun = {};
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
        gRun = {Script{failing}};
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
