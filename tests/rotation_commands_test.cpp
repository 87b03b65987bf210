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

const Uint32 kSupported = 0x7;

struct CommandCase {
    const char* name;
    std::vector<std::u16string> arguments;
    Uint32 current;
    std::vector<std::string> after; // the calls after the read and support query
};

TEST(RunRotationCommand, CarriesOutEachCommandLine) {
    const std::vector<std::string> cycleFrom0 = {OrientationQuery(kSupported), Apply(4)};
    const std::vector<std::string> invalid = Message(kInvalid);
    const CommandCase cases[] = {
        {"no argument cycles 0 to 270", {}, 0, cycleFrom0},
        {"cycle 270 to 180", {}, 4, {OrientationQuery(kSupported), Apply(2)}},
        {"cycle 180 to 90", {}, 2, {OrientationQuery(kSupported), Apply(1)}},
        {"cycle 90 to 0", {}, 1, {OrientationQuery(kSupported), Apply(0)}},
        {"cycle shifts an odd answer of 8", {}, 8, {OrientationQuery(kSupported), Apply(4)}},
        {"cycle shifts an odd answer of 3", {}, 3, {OrientationQuery(kSupported), Apply(1)}},
        {"unrecognised option cycles", {u"/rotate"}, 0, cycleFrom0},
        {"/set alone cycles", {u"/set"}, 0, cycleFrom0},
        {"case matters", {u"/SET", u"4"}, 0, cycleFrom0},
        {"case matters for toggle", {u"/Toggle"}, 0, cycleFrom0},
        {"option joined to its value", {u"/set4"}, 0, cycleFrom0},
        {"option with a tail", {u"/toggles"}, 0, cycleFrom0},
        {"option prefix", {u"/tog"}, 0, cycleFrom0},
        {"empty argument 1", {u"", u"/toggle"}, 0, cycleFrom0},
        {"toggle from default goes to 270",
         {u"/toggle"},
         0,
         {OrientationQuery(kSupported), Apply(4)}},
        {"toggle from 90 goes home", {u"/toggle"}, 1, {OrientationQuery(kSupported), Apply(0)}},
        {"toggle from 180 goes home", {u"/toggle"}, 2, {OrientationQuery(kSupported), Apply(0)}},
        {"toggle from 270 goes home", {u"/toggle"}, 4, {OrientationQuery(kSupported), Apply(0)}},
        {"toggle ignores further arguments",
         {u"/toggle", u"/set", u"2"},
         2,
         {OrientationQuery(kSupported), Apply(0)}},
        {"set 0", {u"/set", u"0"}, 2, {Apply(0)}},
        {"set 1", {u"/set", u"1"}, 0, {Apply(1)}},
        {"set 2", {u"/set", u"2"}, 0, {Apply(2)}},
        {"set 4 even when already there", {u"/set", u"4"}, 4, {Apply(4)}},
        {"set ignores further arguments", {u"/set", u"1", u"4"}, 0, {Apply(1)}},
        {"set text without digits is 0", {u"/set", u"abc"}, 4, {Apply(0)}},
        {"set digits then letters", {u"/set", u"2abc"}, 0, {Apply(2)}},
        {"set with white space and sign", {u"/set", u" \t+4"}, 0, {Apply(4)}},
        {"set minus zero", {u"/set", u"-0"}, 1, {Apply(0)}},
        {"set 3 is invalid", {u"/set", u"3"}, 0, invalid},
        {"set 5 is invalid", {u"/set", u"5"}, 0, invalid},
        {"set 8 is invalid", {u"/set", u"8"}, 0, invalid},
        {"set -1 is invalid", {u"/set", u"-1"}, 0, invalid},
        {"set -4 is invalid", {u"/set", u"-4"}, 0, invalid},
        {"set beyond 32 bits never wraps to 4", {u"/set", u"4294967300"}, 0, invalid},
        {"set below 32 bits never wraps to 4", {u"/set", u"-4294967292"}, 0, invalid},
        {"set far beyond 32 bits never wraps to 0", {u"/set", u"18446744073709551616"}, 0, invalid},
    };
    for (const CommandCase& test : cases) {
        SCOPED_TRACE(test.name);
        EXPECT_EQ(Join({{Read(), SupportQuery()}, test.after}),
                  RunLine(test.arguments, At(test.current)));
    }
}

TEST(RunRotationCommand, RefusesAnUnrotatableDisplayForEveryCommandLine) {
    recording::Script fails;
    fails.supportResult = -1;
    recording::Script empty;
    empty.supportedSet = 0;
    const std::vector<std::vector<std::u16string>> lines = {
        {}, {u"/toggle"}, {u"/set", u"4"}, {u"/set", u"3"}, {u"/menu"}, {u"/rotate"}};
    for (const recording::Script& script : {fails, empty}) {
        for (const auto& line : lines) {
            SCOPED_TRACE(line.empty() ? "no argument"
                                      : recording::ToUtf8(recording::ToWide(line[0]).data()));
            EXPECT_EQ(Join({{Read(), SupportQuery()}, Message(kUnsupported)}),
                      RunLine(line, script));
        }
    }
}

TEST(RunRotationCommand, FailedOrientationQueryRefusesCycleAndToggle) {
    recording::Script script;
    script.orientationResult = -1;
    for (const auto& line : std::vector<std::vector<std::u16string>>{{}, {u"/toggle"}}) {
        EXPECT_EQ(
            Join({{Read(), SupportQuery(), OrientationQuery(kSupported)}, Message(kUnsupported)}),
            RunLine(line, script));
    }
}

TEST(RunRotationCommand, RefusedApplyIsSilent) {
    recording::Script script;
    script.applyResult = -2;
    EXPECT_EQ(Join({{Read(), SupportQuery(), Apply(2)}}), RunLine({u"/set", u"2"}, script));
}

TEST(RunRotationCommand, SupportedSetIsOnlyTestedForEmptiness) {
    recording::Script script;
    script.supportedSet = CE_DMDO_180;
    EXPECT_EQ(Join({{Read(), SupportQuery(), Apply(4)}}), RunLine({u"/set", u"4"}, script));
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
