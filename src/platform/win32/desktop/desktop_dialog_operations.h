// The port's dialogs on desktop Windows: the system's message box and popup
// menu.
#ifndef TARVELIN_PLATFORM_WIN32_DESKTOP_DESKTOP_DIALOG_OPERATIONS_H
#define TARVELIN_PLATFORM_WIN32_DESKTOP_DESKTOP_DIALOG_OPERATIONS_H

#include "platform/port.h"

DialogOperations DesktopDialogOperations();

#endif
