#ifndef TARVELIN_STARTUP_PACK_ARGUMENTS_H
#define TARVELIN_STARTUP_PACK_ARGUMENTS_H

#include "platform/platform.h"

// Writes UTF-8 text as UTF-16 into out (when not null), without a terminator,
// and returns the units needed. Invalid UTF-8 becomes U+FFFD.
size_t Utf8ToUtf16(const char* text, WideChar* out);

// For platforms whose shell has already split the line: packs modulePath and
// `count` UTF-8 arguments, as UTF-16, into the same one-block layout that
// SplitArgumentLine makes. Each argument keeps its room of its converted
// length + 1; invalid UTF-8 becomes U+FFFD. False when no block could be had.
bool PackArguments(const WideChar* modulePath, int count, const char* const* arguments, Int32* argc,
                   WideChar*** argv);

#endif
