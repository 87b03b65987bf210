#include "startup/argument_block.h"

#include <string.h>

namespace {

const size_t kMaxSize = static_cast<size_t>(-1);

} // namespace

bool AddUnits(size_t* sum, size_t a) {
    if (a > kMaxSize - *sum) {
        return false;
    }
    *sum += a;
    return true;
}

WideChar** AllocateArgumentBlock(const ProcessServices& process, Int32 argc, size_t units) {
    if (argc < 1 || argc == 0x7FFFFFFF) {
        return NULL;
    }
    const size_t slots = static_cast<size_t>(argc) + 1;
    if (slots > kMaxSize / sizeof(WideChar*) || units > kMaxSize / sizeof(WideChar)) {
        return NULL;
    }
    size_t bytes = slots * sizeof(WideChar*);
    if (!AddUnits(&bytes, units * sizeof(WideChar))) {
        return NULL;
    }
    return static_cast<WideChar**>(process.allocate(process.state, bytes));
}

WideChar* StartArgumentBlock(WideChar** slots, Int32 argc, const WideChar* modulePath,
                             size_t pathUnits) {
    WideChar* room = reinterpret_cast<WideChar*>(slots + argc + 1);
    memcpy(room, modulePath, pathUnits * sizeof(WideChar));
    slots[0] = room;
    slots[argc] = NULL;
    return room + pathUnits;
}
