#ifndef TARVELIN_STARTUP_PACK_ARGUMENTS_H
#define TARVELIN_STARTUP_PACK_ARGUMENTS_H

#include "platform/port.h"

// For platforms whose shell has already split the line: packs modulePath and
// `count` UTF-8 arguments, as UTF-16, into the same one-block layout that
// SplitArgumentLine makes. Each argument keeps its room of its converted
// length + 1; invalid UTF-8 becomes U+FFFD. False when no block could be had.
bool PackArguments(const ProcessServices& process, const WideChar* modulePath, int count,
                   const char* const* arguments, Int32* argc, WideChar*** argv);

#endif
