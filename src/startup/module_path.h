#ifndef TARVELIN_STARTUP_MODULE_PATH_H
#define TARVELIN_STARTUP_MODULE_PATH_H

#include "platform/port.h"

const Uint32 kModulePathUnits = 256;

// The program's own path, terminated inside its kModulePathUnits units even
// when the process cut it short; false when there is none.
bool ReadModulePath(const ProcessServices& process, WideChar* path);

#endif
