// Messages on standard error, for when there is no window to show them in.
#ifndef TARVELIN_PLATFORM_X11_STANDARD_ERROR_H
#define TARVELIN_PLATFORM_X11_STANDARD_ERROR_H

#include "platform/platform.h"

// Writes text as UTF-8 and a line feed.
void WriteToStandardError(const WideChar* text);

// For a message that no display can show: writes it, then ends the process
// with status 1 so that a caller sees the run did not reach a display.
[[noreturn]] void ExitWithoutDisplay(const WideChar* text);

#endif
