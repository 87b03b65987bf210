#ifndef TARVELIN_STARTUP_SPLIT_ARGUMENT_LINE_H
#define TARVELIN_STARTUP_SPLIT_ARGUMENT_LINE_H

#include "platform/platform.h"

// Splits a raw argument line into the argument vector, argument 0 being a
// copy of modulePath. Double quotes group white space and are removed;
// there is no escape character. False only when no block could be had.
bool SplitArgumentLine(const WideChar* modulePath, const WideChar* line, Int32* argc,
                       WideChar*** argv);

#endif
