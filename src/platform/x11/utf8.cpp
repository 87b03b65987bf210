#include "platform/x11/utf8.h"

namespace {

const Uint32 kReplacement = 0xFFFD;

bool IsLeadSurrogate(Uint32 unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsTrailSurrogate(Uint32 unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Reads one code point at *text, advancing past it.
Uint32 NextCodePoint(const WideChar** text) {
    const Uint32 unit = *(*text)++;
    if (IsLeadSurrogate(unit) && IsTrailSurrogate(**text)) {
        const Uint32 trail = *(*text)++;
        return 0x10000 + ((unit - 0xD800) << 10) + (trail - 0xDC00);
    }
    return IsLeadSurrogate(unit) || IsTrailSurrogate(unit) ? kReplacement : unit;
}

} // namespace

size_t Utf16ToUtf8(const WideChar* text, char* out) {
    size_t bytes = 0;
    while (*text != 0) {
        const Uint32 value = NextCodePoint(&text);
        unsigned char encoded[4];
        size_t length = 0;
        if (value < 0x80) {
            encoded[length++] = static_cast<unsigned char>(value);
        } else if (value < 0x800) {
            encoded[length++] = static_cast<unsigned char>(0xC0 | (value >> 6));
            encoded[length++] = static_cast<unsigned char>(0x80 | (value & 0x3F));
        } else if (value < 0x10000) {
            encoded[length++] = static_cast<unsigned char>(0xE0 | (value >> 12));
            encoded[length++] = static_cast<unsigned char>(0x80 | ((value >> 6) & 0x3F));
            encoded[length++] = static_cast<unsigned char>(0x80 | (value & 0x3F));
        } else {
            encoded[length++] = static_cast<unsigned char>(0xF0 | (value >> 18));
            encoded[length++] = static_cast<unsigned char>(0x80 | ((value >> 12) & 0x3F));
            encoded[length++] = static_cast<unsigned char>(0x80 | ((value >> 6) & 0x3F));
            encoded[length++] = static_cast<unsigned char>(0x80 | (value & 0x3F));
        }
        for (size_t i = 0; i < length; ++i, ++bytes) {
            if (out != nullptr) {
                out[bytes] = static_cast<char>(encoded[i]);
            }
        }
    }
    return bytes;
}
