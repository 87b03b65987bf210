// Start-up: turns the process start into one call of the dispatcher.
#ifndef TARVELIN_STARTUP_STARTUP_H
#define TARVELIN_STARTUP_STARTUP_H

#include "platform/platform.h"

// The exit status when the dispatcher could not be run: no module path, or
// no argument block.
const Int32 kStartupFailed = 1;

// For a platform that hands over one raw argument line (Windows).
Int32 StartFromArgumentLine(PlatformInstance instance, const WideChar* line);

// For a platform whose shell has split the line already (Linux): arguments
// are the UTF-8 strings after the program's own name.
Int32 StartFromArguments(int count, const char* const* arguments);

#endif
