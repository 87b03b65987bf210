#include "platform/linux/process_services.h"

#include "text/utf.h"

#include <limits.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

namespace {

// Cut to fit, at a character's start.
void CopyCut(const char* from, char* to, size_t room) {
    size_t length = strnlen(from, room);
    if (length == room) {
        for (--length; length > 0 && (from[length] & 0xC0) == 0x80; --length) {
        }
    }
    memcpy(to, from, length);
    to[length] = 0;
}

// Argument 0 only fills its slot of the argument vector, so without /proc
// (a chroot, a minimal container) or with a path beyond PATH_MAX the name
// the program was started by does, or failing that its own.
Uint32 ModuleFileName(void* state, WideChar* buffer, Uint32 size) {
    if (size == 0) {
        return 0;
    }
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
    if (length > 0 && static_cast<size_t>(length) < sizeof path) {
        path[length] = 0;
    } else {
        const char* startedAs = static_cast<const char*>(state);
        CopyCut(startedAs != nullptr && *startedAs != 0 ? startedAs : "tarvelin", path,
                sizeof path);
    }
    // UTF-8 never takes fewer bytes than UTF-16 takes units.
    WideChar wide[PATH_MAX];
    const size_t units = Utf8ToUtf16(path, wide);
    if (units >= size) {
        memcpy(buffer, wide, size * sizeof(WideChar));
        return size;
    }
    memcpy(buffer, wide, units * sizeof(WideChar));
    buffer[units] = 0;
    return static_cast<Uint32>(units);
}

void* Allocate(void*, size_t bytes) {
    return malloc(bytes);
}

void Release(void*, void* block) {
    free(block);
}

// Unicode's White_Space, whatever the process locale says: the C locale
// would miss U+3000, which Windows counts.
int IsWhiteSpace(WideChar unit) {
    return (unit >= 0x09 && unit <= 0x0D) || unit == 0x20 || unit == 0x85 || unit == 0xA0 ||
           unit == 0x1680 || (unit >= 0x2000 && unit <= 0x200A) || unit == 0x2028 ||
           unit == 0x2029 || unit == 0x202F || unit == 0x205F || unit == 0x3000;
}

} // namespace

ProcessServices LinuxProcessServices(const char* startedAs) {
    return ProcessServices{const_cast<char*>(startedAs), ModuleFileName, Allocate, Release,
                           IsWhiteSpace};
}
