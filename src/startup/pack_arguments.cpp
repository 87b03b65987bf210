#include "startup/pack_arguments.h"

#include "startup/argument_block.h"

namespace {

const Uint32 kReplacement = 0xFFFD;

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

bool PackArguments(const WideChar* modulePath, int count, const char* const* arguments, Int32* argc,
                   WideChar*** argv) {
    size_t pathUnits = 1;
    while (modulePath[pathUnits - 1] != 0) {
        ++pathUnits;
    }
    if (count < 0 || count >= 0x7FFFFFFF) {
        return false;
    }
    size_t units = pathUnits;
    for (int i = 0; i < count; ++i) {
        if (!AddUnits(&units, Utf8ToUtf16(arguments[i], NULL) + 1)) {
            return false;
        }
    }
    const Int32 total = static_cast<Int32>(count) + 1;
    WideChar** slots = AllocateArgumentBlock(total, units);
    if (slots == NULL) {
        return false;
    }
    WideChar* room = StartArgumentBlock(slots, total, modulePath, pathUnits);
    for (int i = 0; i < count; ++i) {
        const size_t length = Utf8ToUtf16(arguments[i], room);
        room[length] = 0;
        slots[i + 1] = room;
        room += length + 1;
    }
    *argc = total;
    *argv = slots;
    return true;
}
