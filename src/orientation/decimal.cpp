#include "orientation/decimal.h"

Int32 DecimalToInt32(const WideChar* text, int (*isWhiteSpace)(WideChar unit)) {
    while (*text != 0 && isWhiteSpace(*text)) {
        ++text;
    }
    bool negative = false;
    if (*text == '+' || *text == '-') {
        negative = *text == '-';
        ++text;
    }
    const Uint32 limit = negative ? 0x80000000u : 0x7FFFFFFFu;
    Uint32 magnitude = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        const Uint32 digit = static_cast<Uint32>(*text - '0');
        if (magnitude > (limit - digit) / 10) {
            magnitude = limit;
            break;
        }
        magnitude = magnitude * 10 + digit;
    }
    if (!negative) {
        return static_cast<Int32>(magnitude);
    }
    // -2147483648 has no positive counterpart, so negate in two steps.
    return magnitude == 0 ? 0 : -static_cast<Int32>(magnitude - 1) - 1;
}
