// The port on Windows CE's calls: one display-settings record for the run,
// asked and changed in CE's order (read, support query, orientation mode,
// current query, apply).
#ifndef TARVELIN_PLATFORM_WIN32_CE_CE_PORT_H
#define TARVELIN_PLATFORM_WIN32_CE_CE_PORT_H

#include "platform/port.h"
#include "platform/win32/ce/ce_api.h"

struct CeSession {
    CeInstance instance; // the program's own, for its module path
    CE_DEVMODEW record;  // the one record every display request passes
};

// The port's operations on session, which must outlive the run.
Port CePort(CeSession* session);

#endif
