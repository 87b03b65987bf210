// UTF-16 to UTF-8, for text that leaves the program through Xlib or stdio.
#ifndef TARVELIN_PLATFORM_X11_UTF8_H
#define TARVELIN_PLATFORM_X11_UTF8_H

#include "platform/platform.h"

// Writes text as UTF-8 into out (when not null), without a terminator, and
// returns the bytes needed. A lone surrogate becomes U+FFFD.
size_t Utf16ToUtf8(const WideChar* text, char* out);

#endif
