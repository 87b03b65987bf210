// Libraries that a plain turn never needs (the dialogs' fonts and drawing,
// the Wayland and D-Bus clients for their sessions), loaded only when a run
// does need one, so that the others start without them. Each fills a table
// of its functions that its user keeps.
#ifndef TARVELIN_PLATFORM_LINUX_LOADED_LIBRARY_H
#define TARVELIN_PLATFORM_LINUX_LOADED_LIBRARY_H

#include <dlfcn.h>

// Null when soname cannot be loaded.
inline void* OpenLibrary(const char* soname) {
    return dlopen(soname, RTLD_NOW | RTLD_LOCAL);
}

// Sets *function to the library's symbol name; false when it has none.
template <typename Function> bool Resolve(void* library, const char* name, Function* function) {
    void* symbol = dlsym(library, name);
    *function = reinterpret_cast<Function>(symbol);
    return symbol != nullptr;
}

#endif
