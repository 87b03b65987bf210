#include "text/utf.h"

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

// Decodes one UTF-8 sequence at *text, advancing past it.
Uint32 DecodeUtf8(const unsigned char** text) {
    const unsigned char* in = *text;
    const unsigned char lead = *in++;
    int trailing = 0;
    Uint32 value = 0;
    Uint32 least = 0;
    if (lead < 0x80) {
        *text = in;
        return lead;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        trailing = 1, value = lead & 0x1F, least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        trailing = 2, value = lead & 0x0F, least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        trailing = 3, value = lead & 0x07, least = 0x10000;
    } else {
        *text = in;
        return kReplacement;
    }
    for (int i = 0; i < trailing; ++i, ++in) {
        if ((*in & 0xC0) != 0x80) {
            *text = in;
            return kReplacement;
        }
        value = (value << 6) | (*in & 0x3F);
    }
    *text = in;
    const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
    return value < least || value > 0x10FFFF || surrogate ? kReplacement : value;
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
            if (out != NULL) {
                out[bytes] = static_cast<char>(encoded[i]);
            }
        }
    }
    return bytes;
}

Uint32 NextUtf8CodePoint(const char** text) {
    const unsigned char* in = reinterpret_cast<const unsigned char*>(*text);
    const Uint32 value = DecodeUtf8(&in);
    *text = reinterpret_cast<const char*>(in);
    return value;
}

size_t Utf8ToUtf16(const char* text, WideChar* out) {
    size_t units = 0;
    const unsigned char* in = reinterpret_cast<const unsigned char*>(text);
    while (*in != 0) {
        const Uint32 value = DecodeUtf8(&in);
        if (value >= 0x10000) {
            if (out != NULL) {
                out[units] = static_cast<WideChar>(0xD800 + ((value - 0x10000) >> 10));
                out[units + 1] = static_cast<WideChar>(0xDC00 + ((value - 0x10000) & 0x3FF));
            }
            units += 2;
        } else {
            if (out != NULL) {
                out[units] = static_cast<WideChar>(value);
            }
            units += 1;
        }
    }
    return units;
}
