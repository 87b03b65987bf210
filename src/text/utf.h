// UTF-8 and UTF-16, both ways: the program holds text as UTF-16, and Linux
// hands it over and takes it back as UTF-8.
#ifndef TARVELIN_TEXT_UTF_H
#define TARVELIN_TEXT_UTF_H

#include "platform/port.h"

// Writes text as UTF-16 into out (when not null), without a terminator, and
// returns the units needed. Invalid UTF-8 becomes U+FFFD.
size_t Utf8ToUtf16(const char* text, WideChar* out);

// Writes text as UTF-8 into out (when not null), without a terminator, and
// returns the bytes needed. A lone surrogate becomes U+FFFD.
size_t Utf16ToUtf8(const WideChar* text, char* out);

// Reads the code point at *text (not its terminator) and advances past it.
// Invalid UTF-8 becomes U+FFFD.
Uint32 NextUtf8CodePoint(const char** text);

#endif
