#include "orientation/rotation_commands.h"
#include "startup/module_path.h"
#include "startup/split_argument_line.h"
#include "startup/startup.h"

Int32 StartFromArgumentLine(const Port& port, const WideChar* line) {
    WideChar path[kModulePathUnits];
    Int32 argc = 0;
    WideChar** argv = NULL;
    if (!ReadModulePath(port.process, path) ||
        !SplitArgumentLine(port.process, path, line, &argc, &argv)) {
        return kStartupFailed;
    }
    return RunRotationCommand(port, argc, argv);
}
