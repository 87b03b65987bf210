#include "platform/win32/ce/ce_adapter.h"
#include "run_helpers.h"
#include "startup/argument_block.h"
#include "startup/pack_arguments.h"
#include "startup/startup.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace expect;

namespace {

// The CE adapter's process services, on the recorded calls.
Port CeServices() {
    static CeSession session;
    session.instance = nullptr;
    return CePort(&session);
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
        recording::Reset();
        EXPECT_EQ(nullptr, AllocateArgumentBlock(CeServices().process, test.argc, test.units))
            << test.units;
        EXPECT_TRUE(recording::Calls().empty());
    }
    recording::Reset();
    EXPECT_NE(nullptr, AllocateArgumentBlock(CeServices().process, 2, 10));
    EXPECT_EQ("LocalAlloc(flags=0x0, bytes=" + std::to_string(3 * sizeof(void*) + 20) + ")",
              recording::CallTexts().at(0));
}

TEST(PackArguments, LaysOutTheSameBlockFromUtf8) {
    recording::Reset();
    const auto path = recording::ToWide(u"/usr/bin/tarvelin");
    const char* arguments[] = {"/set",
                               "",
                               "\xE6\xA8\xAA",
                               "\xF0\x9F\x98\x80",
                               ("\xFF"
                                "a\xC3"),
                               "\xED\xA0\x80"};
    Int32 argc = 0;
    WideChar** argv = nullptr;
    ASSERT_TRUE(PackArguments(CeServices().process, path.data(), 6, arguments, &argc, &argv));
    ASSERT_EQ(7, argc);
    EXPECT_EQ(u"/usr/bin/tarvelin", recording::FromWide(argv[0]));
    const std::vector<std::u16string> expected = {u"/set",
                                                  u"",
                                                  u"\x6A2A",
                                                  u"\xD83D\xDE00",
                                                  u"\xFFFD"
                                                  u"a\xFFFD",
                                                  u"\xFFFD"};
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(expected[i], recording::FromWide(argv[i + 1])) << i;
    }
    EXPECT_EQ(nullptr, argv[7]);
}

TEST(Startup, EndsWithoutTheDispatcherWhenItCannotStart) {
    recording::Script noPath;
    noPath.modulePathFails = true;
    recording::Script noBlock;
    noBlock.allocationFails = true;
    const auto line = recording::ToWide(u"/set 4");
    for (const auto& script : {noPath, noBlock}) {
        recording::Reset(script);
        EXPECT_EQ(1, StartFromArgumentLine(CeServices(), line.data()));
        for (const auto& text : recording::CallTexts()) {
            EXPECT_EQ(std::string::npos, text.find("DisplaySettings")) << text;
        }
    }
    recording::Reset(noPath);
    const char* arguments[] = {"/set", "4"};
    EXPECT_EQ(1, StartFromArguments(CeServices(), 2, arguments));
    EXPECT_EQ(1u, recording::Calls().size());
}

// A path cut short without a terminator still ends inside its buffer.
TEST(Startup, RunsTheDispatcherOnTheSplitLineAndTheModulePath) {
    recording::Script script;
    script.modulePath = std::u16string(300, u'x');
    recording::Reset(script);
    const auto line = recording::ToWide(u"\"/set\" 1");
    EXPECT_EQ(0, StartFromArgumentLine(CeServices(), line.data()));
    const auto& calls = recording::Calls();
    EXPECT_EQ("GetModuleFileName(null, size=256)", calls.at(0).text);
    EXPECT_EQ(Apply(1), calls.back().text);
    ASSERT_EQ("LocalAlloc(flags=0x0, bytes=" +
                  std::to_string(4 * sizeof(void*) + 2 * (256 + 7 + 2)) + ")",
              calls[1].text);
    const WideChar* const* argv = static_cast<WideChar* const*>(calls[1].block);
    EXPECT_EQ(std::u16string(255, u'x'), recording::FromWide(argv[0]));
}

} // namespace
