#include "platform/win32/desktop/desktop_process_services.h"

#include <windows.h>

#include <ctype.h>

namespace {

Uint32 ModuleFileName(void*, WideChar* buffer, Uint32 size) {
    return GetModuleFileNameW(nullptr, buffer, size);
}

void* Allocate(void*, size_t bytes) {
    return LocalAlloc(LMEM_FIXED, bytes);
}

int IsWhiteSpace(WideChar unit) {
    return iswctype(unit, _SPACE);
}

} // namespace

ProcessServices DesktopProcessServices() {
    return {nullptr, ModuleFileName, Allocate, nullptr, IsWhiteSpace};
}
