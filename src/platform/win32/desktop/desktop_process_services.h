// What start-up needs of a desktop Windows process.
#ifndef TARVELIN_PLATFORM_WIN32_DESKTOP_DESKTOP_PROCESS_SERVICES_H
#define TARVELIN_PLATFORM_WIN32_DESKTOP_DESKTOP_PROCESS_SERVICES_H

#include "platform/port.h"

ProcessServices DesktopProcessServices();

#endif
