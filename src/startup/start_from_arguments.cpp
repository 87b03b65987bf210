#include "orientation/rotation_commands.h"
#include "startup/module_path.h"
#include "startup/pack_arguments.h"
#include "startup/startup.h"

Int32 StartFromArguments(const Port& port, int count, const char* const* arguments) {
    WideChar path[kModulePathUnits];
    Int32 argc = 0;
    WideChar** argv = NULL;
    if (!ReadModulePath(port.process, path) ||
        !PackArguments(port.process, path, count, arguments, &argc, &argv)) {
        return kStartupFailed;
    }
    const Int32 status = RunRotationCommand(port, argc, argv);
    if (port.process.release != NULL) {
        port.process.release(port.process.state, argv);
    }
    return status;
}
