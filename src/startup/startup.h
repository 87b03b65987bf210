// Start-up: turns the process start into one call of the dispatcher.
#ifndef TARVELIN_STARTUP_STARTUP_H
#define TARVELIN_STARTUP_STARTUP_H

#include "platform/port.h"

// The exit status when the dispatcher could not be run: no module path, or
// no argument block.
const Int32 kStartupFailed = 1;

// For a platform that hands over one raw argument line (Windows). The
// argument block is kept until the process ends.
Int32 StartFromArgumentLine(const Port& port, const WideChar* line);

// Why start-up ended without running the dispatcher.
enum StartupFailure { kStartupRan, kNoModulePath, kNoArgumentBlock };

// For a platform whose shell has split the line already (Linux): arguments
// are the UTF-8 strings after the program's own name. *failure says why the
// dispatcher did not run, for a platform that can say it.
Int32 StartFromArguments(const Port& port, int count, const char* const* arguments,
                         StartupFailure* failure);

#endif
