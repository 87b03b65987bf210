#include "startup/startup.h"

#include "orientation/rotation_commands.h"
#include "startup/pack_arguments.h"
#include "startup/split_argument_line.h"

namespace {

const Uint32 kModulePathUnits = 256;

// A path cut short may fill the buffer with no terminator: end it inside.
bool ReadModulePath(PlatformInstance instance, WideChar* path) {
    const Uint32 written = PlatformGetModuleFileName(instance, path, kModulePathUnits);
    if (written == 0) {
        return false;
    }
    path[written < kModulePathUnits ? written : kModulePathUnits - 1] = 0;
    return true;
}

} // namespace

Int32 StartFromArgumentLine(PlatformInstance instance, const WideChar* line) {
    WideChar path[kModulePathUnits];
    Int32 argc = 0;
    WideChar** argv = NULL;
    if (!ReadModulePath(instance, path) || !SplitArgumentLine(path, line, &argc, &argv)) {
        return kStartupFailed;
    }
    return RunRotationCommand(argc, argv);
}

Int32 StartFromArguments(int count, const char* const* arguments) {
    WideChar path[kModulePathUnits];
    Int32 argc = 0;
    WideChar** argv = NULL;
    if (!ReadModulePath(NULL, path) || !PackArguments(path, count, arguments, &argc, &argv)) {
        return kStartupFailed;
    }
    return RunRotationCommand(argc, argv);
}
