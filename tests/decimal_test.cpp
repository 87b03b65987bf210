#include "orientation/decimal.h"
#include "recording_platform.h"

#include <gtest/gtest.h>

namespace {

TEST(DecimalToInt32, FollowsTheRulesAndSaturates) {
    struct Case {
        std::u16string text;
        Int32 value;
    };
    const Case cases[] = {
        {u"", 0},
        {u"abc", 0},
        {u"+", 0},
        {u"- 4", 0},
        {u"4", 4},
        {u"004", 4},
        {u"2abc", 2},
        {u" \t\r\n\v\f12", 12},
        {u"+7", 7},
        {u"-1", -1},
        {u"--1", 0},
        {u"1 2", 1},
        {u"\xFF14", 0}, // a full-width digit is no digit
        {u"2147483647", 2147483647},
        {u"2147483648", 2147483647},
        {u"-2147483648", -2147483647 - 1},
        {u"-2147483649", -2147483647 - 1},
        {u"4294967300", 2147483647},
        {u"-4294967292", -2147483647 - 1},
        {u"99999999999999999999999999999999", 2147483647},
        {u"00000000000000000000000000000004", 4},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(recording::ToUtf8(recording::ToWide(test.text).data()));
        EXPECT_EQ(test.value, DecimalToInt32(recording::ToWide(test.text).data()));
    }
}

TEST(DecimalToInt32, SkipsWhatThePlatformCallsWhiteSpace) {
    recording::Script script;
    script.extraWhiteSpace = u"\x3000";
    recording::Reset(script);
    EXPECT_EQ(4, DecimalToInt32(recording::ToWide(u"\x3000 4").data()));
    recording::Reset();
    EXPECT_EQ(0, DecimalToInt32(recording::ToWide(u"\x3000 4").data()));
}

} // namespace
