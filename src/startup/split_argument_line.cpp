#include "startup/split_argument_line.h"

#include "startup/argument_block.h"

#include <string.h>

namespace {

const WideChar kQuote = '"';

size_t Length(const WideChar* text) {
    size_t length = 0;
    while (text[length] != 0) {
        ++length;
    }
    return length;
}

typedef int (*WhiteSpaceTest)(WideChar unit);

const WideChar* SkipWhiteSpace(const WideChar* unit, WhiteSpaceTest isWhiteSpace) {
    while (*unit != 0 && isWhiteSpace(*unit)) {
        ++unit;
    }
    return unit;
}

// start is the argument's first unit, never white space nor the terminator.
const WideChar* ArgumentEnd(const WideChar* start, WhiteSpaceTest isWhiteSpace) {
    bool quoted = false;
    const WideChar* unit = start;
    for (;;) {
        if (!quoted && isWhiteSpace(*unit)) {
            return unit;
        }
        if (*unit == kQuote) {
            quoted = !quoted;
        }
        ++unit;
        if (*unit == 0) {
            return unit;
        }
    }
}

// Copies the raw text with its terminator, then closes the copy up over its
// quotes; the units past the new terminator keep what the copy put there.
void CopyArgument(WideChar* room, const WideChar* start, size_t rawLength) {
    memcpy(room, start, rawLength * sizeof(WideChar));
    room[rawLength] = 0;
    size_t kept = 0;
    for (size_t i = 0; i < rawLength; ++i) {
        if (room[i] != kQuote) {
            room[kept++] = room[i];
        }
    }
    room[kept] = 0;
}

} // namespace

bool SplitArgumentLine(const ProcessServices& process, const WideChar* modulePath,
                       const WideChar* line, Int32* argc, WideChar*** argv) {
    const WhiteSpaceTest isWhiteSpace = process.isWhiteSpace;
    const size_t pathUnits = Length(modulePath) + 1;
    Int32 count = 1;
    size_t units = pathUnits;
    for (const WideChar* unit = SkipWhiteSpace(line, isWhiteSpace); *unit != 0;) {
        const WideChar* end = ArgumentEnd(unit, isWhiteSpace);
        if (count == 0x7FFFFFFF || !AddUnits(&units, static_cast<size_t>(end - unit) + 1)) {
            return false;
        }
        ++count;
        unit = SkipWhiteSpace(end, isWhiteSpace);
    }

    WideChar** slots = AllocateArgumentBlock(process, count, units);
    if (slots == NULL) {
        return false;
    }
    WideChar* room = StartArgumentBlock(slots, count, modulePath, pathUnits);
    Int32 index = 1;
    for (const WideChar* unit = SkipWhiteSpace(line, isWhiteSpace); *unit != 0;) {
        const WideChar* end = ArgumentEnd(unit, isWhiteSpace);
        const size_t rawLength = static_cast<size_t>(end - unit);
        CopyArgument(room, unit, rawLength);
        slots[index++] = room;
        room += rawLength + 1;
        unit = SkipWhiteSpace(end, isWhiteSpace);
    }
    *argc = count;
    *argv = slots;
    return true;
}
