#include "orientation/decimal.h"
#include "recording_ce_api.h"

#include <gtest/gtest.h>

namespace {

TEST(DecimalToInt32, FollowsTheRulesAndSaturates) {
    recording::Script script;
    script.extraWhiteSpace = u"\x3000";
    recording::Reset(script);
    const struct {
        std::u16string text;
        Int32 value;
    } cases[] = {
        {u"", 0},
        {u"- 4", 0},
        {u"2abc", 2},
        {u" \t\r\n\v\f\x3000"
         u"12",
         12},
        {u"+7", 7},
        {u"-1", -1},
        {u"\xFF14", 0}, // a full-width digit is no digit
        {u"2147483647", 2147483647},
        {u"2147483648", 2147483647},
        {u"-2147483648", -2147483647 - 1},
        {u"-2147483649", -2147483647 - 1},
        {u"-4294967292", -2147483647 - 1},
        {u"99999999999999999999999999999999", 2147483647},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(test.value, DecimalToInt32(recording::ToWide(test.text).data(), CeIsWhiteSpace))
            << recording::ToUtf8(recording::ToWide(test.text).data());
    }
}

} // namespace
