#include "platform/win32/ce/ce_adapter.h"
#include "run_helpers.h"
#include "startup/argument_block.h"
#include "startup/pack_arguments.h"
#include "startup/split_argument_line.h"
#include "startup/startup.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace expect;

namespace {

const std::u16string kPath = u"\\Windows\\tarvelin.exe";

// The CE adapter's process services, on the recorded calls.
Port CeServices() {
    static CeSession session;
    session.instance = nullptr;
    return CePort(&session);
}

struct Split {
    Int32 argc = 0;
    WideChar** argv = nullptr;
    std::vector<std::u16string> arguments; // after argument 0
};

Split SplitLine(const std::u16string& line, const recording::Script& script = {}) {
    recording::Reset(script);
    Split split;
    const auto path = recording::ToWide(kPath);
    const auto wide = recording::ToWide(line);
    EXPECT_TRUE(SplitArgumentLine(CeServices().process, path.data(), wide.data(), &split.argc,
                                  &split.argv));
    for (Int32 i = 1; i < split.argc; ++i) {
        split.arguments.push_back(recording::FromWide(split.argv[i]));
    }
    return split;
}

// Lines the scenario table does not hold already; the fuzz target compares
// the splitter with a plain parser on any line.
TEST(SplitArgumentLine, FollowsTheScanningRulesOnAnyLine) {
    const std::u16string pair = u"\xD83D\xDE00";
    const struct {
        const char* name;
        std::u16string line;
        std::u16string extraWhiteSpace;
        std::vector<std::u16string> arguments;
    } cases[] = {
        {"empty line", u"", u"", {}},
        {"runs of spaces, tab and carriage return",
         u"/set   4\t1\r2  ",
         u"",
         {u"/set", u"4", u"1", u"2"}},
        {"two quotes alone", u"\"\"", u"", {u""}},
        {"unmatched quote runs to the end", u"x \"a b  ", u"", {u"x", u"a b  "}},
        {"quotes group white space", u"a\"b c\"d e", u"", {u"ab cd", u"e"}},
        {"backslashes are ordinary", u"C:\\x a\\\"b c\"", u"", {u"C:\\x", u"a\\b c"}},
        {"lone surrogates and quotes between a pair's halves",
         u"\xDC00\"\xD800 \"\t\xD83D\"\xDE00\"",
         u"",
         {u"\xDC00\xD800 ", pair}},
        {"non-ASCII white space the platform classifies",
         u"\x3000/set\x00A0\x2028"
         u"4 \"a\u3000b\"",
         u"\x3000\x00A0\x2028",
         {u"/set", u"4", u"a\u3000b"}},
        {"non-ASCII white space the platform does not classify",
         u"a\x00A0"
         u"b\x3000",
         u"",
         {u"a\x00A0"
          u"b\x3000"}},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        recording::Script script;
        script.extraWhiteSpace = test.extraWhiteSpace;
        const Split split = SplitLine(test.line, script);
        ASSERT_EQ(static_cast<Int32>(test.arguments.size()) + 1, split.argc);
        EXPECT_EQ(test.arguments, split.arguments);
        EXPECT_EQ(kPath, recording::FromWide(split.argv[0]));
        EXPECT_EQ(nullptr, split.argv[split.argc]);
    }
}

TEST(SplitArgumentLine, LaysOutOneBlockOfExactSize) {
    const std::u16string line = u"  a\"b c\"d  \"\" /set";
    const Split split = SplitLine(line);
    ASSERT_EQ(4, split.argc);
    const auto& calls = recording::Calls();
    ASSERT_EQ(1u, calls.size());
    // Path + 1, then each raw length + 1: "a\"b c\"d" is 7, "\"\"" 2, "/set" 4.
    const size_t units = (kPath.size() + 1) + (7 + 1) + (2 + 1) + (4 + 1);
    EXPECT_EQ("LocalAlloc(flags=0x0, bytes=" + std::to_string(5 * sizeof(void*) + 2 * units) + ")",
              calls[0].text);
    EXPECT_EQ(calls[0].block, static_cast<void*>(split.argv));
}

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
