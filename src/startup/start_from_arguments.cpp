#include "orientation/rotation_commands.h"
#include "startup/module_path.h"
#include "startup/pack_arguments.h"
#include "startup/startup.h"

Int32 StartFromArguments(const Port& port, int count, const char* const* arguments,
                         StartupFailure* failure) {
    WideChar path[kModulePathUnits];
    Int32 argc = 0;
    WideChar** argv = NULL;
    if (!ReadModulePath(port.process, path)) {
        *failure = kNoModulePath;
        return kStartupFailed;
    }
    if (!PackArguments(port.process, path, count, arguments, &argc, &argv)) {
        *failure = kNoArgumentBlock;
        return kStartupFailed;
    }
    *failure = kStartupRan;
    const Int32 status = RunRotationCommand(port, argc, argv);
    if (port.process.release != NULL) {
        port.process.release(port.process.state, argv);
    }
    return status;
}
