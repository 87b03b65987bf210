#include "orientation/rotation_commands.h"
#include "run_helpers.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace expect;

namespace {

std::vector<std::string> RunLine(const std::vector<std::u16string>& arguments,
                                 const recording::Script& script = recording::Script()) {
    recording::Reset(script);
    const ArgumentVector args(arguments);
    EXPECT_EQ(0, RunRotationCommand(args.argc(), args.argv()));
    return recording::CallTexts();
}

recording::Script At(Uint32 current) {
    recording::Script script;
    script.currentOrientation = current;
    return script;
}

TEST(RunRotationCommand, CarriesOutEachCommandLine) {
    recording::Script queryFails;
    queryFails.orientationResult = -1;
    recording::Script applyRefused;
    applyRefused.applyResult = -2;
    recording::Script only180;
    only180.supportedSet = CE_DMDO_180;

    const std::string query = OrientationQuery(0x7);
    const std::vector<std::string> cycleFrom0 = {query, Apply(4)};
    const std::vector<std::string> invalid = Message(kInvalid);
    const std::vector<std::string> refused = Join({{query}, Message(kUnsupported)});
    const struct {
        const char* name;
        std::vector<std::u16string> arguments;
        recording::Script script;
        std::vector<std::string> after; // the calls after the read and support query
    } cases[] = {
        {"no argument cycles 0 to 270", {}, At(0), cycleFrom0},
        {"cycle 270 to 180", {}, At(4), {query, Apply(2)}},
        {"cycle 180 to 90", {}, At(2), {query, Apply(1)}},
        {"cycle 90 to 0", {}, At(1), {query, Apply(0)}},
        {"cycle shifts an odd answer of 3", {}, At(3), {query, Apply(1)}},
        {"unrecognised option cycles", {u"/rotate"}, At(0), cycleFrom0},
        {"/set alone cycles", {u"/set"}, At(0), cycleFrom0},
        {"case matters", {u"/SET", u"4"}, At(0), cycleFrom0},
        {"option joined to its value", {u"/set4"}, At(0), cycleFrom0},
        {"option with a tail", {u"/toggles"}, At(0), cycleFrom0},
        {"/menu only as argument 1", {u"", u"/menu"}, At(0), cycleFrom0},
        {"toggle from default goes to 270", {u"/toggle"}, At(0), {query, Apply(4)}},
        {"toggle from 180 goes home", {u"/toggle"}, At(2), {query, Apply(0)}},
        {"toggle ignores further arguments", {u"/toggle", u"/set", u"2"}, At(1), {query, Apply(0)}},
        {"set 0", {u"/set", u"0"}, At(2), {Apply(0)}},
        {"set 1", {u"/set", u"1"}, At(0), {Apply(1)}},
        {"set 2 ignores further arguments", {u"/set", u"2", u"4"}, At(0), {Apply(2)}},
        {"set 4 even when already there", {u"/set", u"4"}, At(4), {Apply(4)}},
        {"set 4 whatever the supported set", {u"/set", u"4"}, only180, {Apply(4)}},
        {"set text without digits is 0", {u"/set", u"abc"}, At(4), {Apply(0)}},
        {"set digits then letters", {u"/set", u"2abc"}, At(0), {Apply(2)}},
        {"set 3 is invalid", {u"/set", u"3"}, At(0), invalid},
        {"set -1 is invalid", {u"/set", u"-1"}, At(0), invalid},
        {"set beyond 32 bits never wraps to 4", {u"/set", u"4294967300"}, At(0), invalid},
        {"failed query stops the cycle", {}, queryFails, refused},
        {"failed query stops the toggle", {u"/toggle"}, queryFails, refused},
        {"refused apply is silent", {u"/set", u"2"}, applyRefused, {Apply(2)}},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        EXPECT_EQ(Join({{Read(), SupportQuery()}, test.after}),
                  RunLine(test.arguments, test.script));
    }
}

TEST(RunRotationCommand, RefusesAnUnrotatableDisplayForEveryCommandLine) {
    recording::Script fails;
    fails.supportResult = -1;
    recording::Script empty;
    empty.supportedSet = 0;
    for (const recording::Script& script : {fails, empty}) {
        for (const auto& line : std::vector<std::vector<std::u16string>>{
                 {}, {u"/toggle"}, {u"/set", u"4"}, {u"/set", u"3"}, {u"/menu"}}) {
            EXPECT_EQ(Join({{Read(), SupportQuery()}, Message(kUnsupported)}),
                      RunLine(line, script));
        }
    }
}

TEST(RunRotationCommand, UsesOneRecordAndPassesTheDriversFieldsBack) {
    RunLine({});
    const auto& calls = recording::Calls();
    ASSERT_EQ(4u, calls.size());
    const CE_DEVMODEW filled = recording::DriverFilledRecord();
    for (size_t i = 1; i < calls.size(); ++i) {
        EXPECT_EQ(calls[0].recordAddress, calls[i].recordAddress);
        CE_DEVMODEW passed = calls[i].record;
        passed.dmFields = filled.dmFields;
        passed.dmDisplayOrientation = filled.dmDisplayOrientation;
        EXPECT_EQ(0, std::memcmp(&filled, &passed, sizeof passed)) << "call " << i;
    }
}

TEST(RunRotationCommand, FailedReadLeavesAClearedRecord) {
    recording::Script script;
    script.fillOnRead = false;
    RunLine({u"/set", u"1"}, script);
    const auto& calls = recording::Calls();
    ASSERT_EQ(3u, calls.size());
    CE_DEVMODEW expected{};
    expected.dmSize = 192;
    EXPECT_EQ(0, std::memcmp(&expected, &calls[0].record, sizeof expected));
    expected.dmFields = CE_DM_DISPLAYORIENTATION;
    expected.dmDisplayOrientation = 1;
    EXPECT_EQ(0, std::memcmp(&expected, &calls[2].record, sizeof expected));
}

} // namespace
