// Converts arbitrary "/set" values and checks them against a plain parse:
// equal inside the 32-bit range, and beyond it the saturated limit, never
// a value that could pass for an orientation code.
#include "fuzz_platform.h"
#include "orientation/decimal.h"

namespace {

const int64_t kMin = -2147483647LL - 1;
const int64_t kMax = 2147483647LL;

struct Parsed {
    bool inRange;
    bool negative;
    int64_t value;
};

// Collects the digits first and only then asks whether they fit, so no
// arithmetic here can overflow.
Parsed ReferenceParse(const std::u16string& text) {
    size_t i = 0;
    while (i < text.size() && fuzz::IsWhiteSpace(text[i])) {
        ++i;
    }
    Parsed parsed = {true, false, 0};
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        parsed.negative = text[i] == u'-';
        ++i;
    }
    std::u16string digits;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        if (!digits.empty() || text[i] != u'0') {
            digits += text[i];
        }
    }
    if (digits.size() > 10) {
        parsed.inRange = false;
        return parsed;
    }
    for (char16_t digit : digits) {
        parsed.value = parsed.value * 10 + (digit - u'0');
    }
    if (parsed.negative) {
        parsed.value = -parsed.value;
    }
    parsed.inRange = parsed.value >= kMin && parsed.value <= kMax;
    return parsed;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::Input input = fuzz::Prepare(data, size);
    const std::u16string text = fuzz::Terminated(input.text);
    const Int32 value = DecimalToInt32(fuzz::ToWide(text).data(), fuzz::Services().isWhiteSpace);
    const Parsed expected = ReferenceParse(text);
    if (expected.inRange) {
        fuzz::Check(value == expected.value);
    } else {
        fuzz::Check(value != 0 && value != 1 && value != 2 && value != 4);
        fuzz::Check(value == (expected.negative ? kMin : kMax));
    }
    return 0;
}
