// What start-up needs of a Linux process, whichever display serves it.
#ifndef TARVELIN_PLATFORM_LINUX_PROCESS_SERVICES_H
#define TARVELIN_PLATFORM_LINUX_PROCESS_SERVICES_H

#include "platform/port.h"

// startedAs: the name the program was started by (argument 0), or null.
ProcessServices LinuxProcessServices(const char* startedAs);

#endif
