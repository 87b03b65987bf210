#include "startup/module_path.h"

bool ReadModulePath(const ProcessServices& process, WideChar* path) {
    const Uint32 written = process.moduleFileName(process.state, path, kModulePathUnits);
    if (written == 0) {
        return false;
    }
    path[written < kModulePathUnits ? written : kModulePathUnits - 1] = 0;
    return true;
}
