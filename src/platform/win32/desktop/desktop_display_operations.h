// The port's display operations on desktop Windows, for the primary display.
// Every operation asks Windows afresh: no state is kept.
#ifndef TARVELIN_PLATFORM_WIN32_DESKTOP_DESKTOP_DISPLAY_OPERATIONS_H
#define TARVELIN_PLATFORM_WIN32_DESKTOP_DESKTOP_DISPLAY_OPERATIONS_H

#include "platform/port.h"

DisplayOperations DesktopDisplayOperations();

#endif
