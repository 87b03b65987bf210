#include "startup/pack_arguments.h"

#include "startup/argument_block.h"
#include "text/utf.h"

bool PackArguments(const ProcessServices& process, const WideChar* modulePath, int count,
                   const char* const* arguments, Int32* argc, WideChar*** argv) {
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
    WideChar** slots = AllocateArgumentBlock(process, total, units);
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
