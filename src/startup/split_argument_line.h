#ifndef TARVELIN_STARTUP_SPLIT_ARGUMENT_LINE_H
#define TARVELIN_STARTUP_SPLIT_ARGUMENT_LINE_H

#include "platform/port.h"

// Splits a raw argument line into the argument vector, argument 0 being a
// copy of modulePath. Double quotes group white space and are removed;
// there is no escape character. White space is what process says it is. False only when no block
// could be had.
bool SplitArgumentLine(const ProcessServices& process, const WideChar* modulePath,
                       const WideChar* line, Int32* argc, WideChar*** argv);

#endif
