// The argument block: argc + 1 pointer slots, the last one null, then the
// string area in 16-bit units. Made once, never released.
#ifndef TARVELIN_STARTUP_ARGUMENT_BLOCK_H
#define TARVELIN_STARTUP_ARGUMENT_BLOCK_H

#include "platform/port.h"

// Asks the process for one block of argc + 1 slots and `units` string
// units. Returns the slots, with the area starting at slots + argc + 1, or
// null when the size cannot be represented or the allocation fails.
WideChar** AllocateArgumentBlock(const ProcessServices& process, Int32 argc, size_t units);

// Puts a copy of modulePath (pathUnits units, terminator included) in slot 0
// and null in the last slot; returns where argument 1's room starts.
WideChar* StartArgumentBlock(WideChar** slots, Int32 argc, const WideChar* modulePath,
                             size_t pathUnits);

// Adds a to *sum; false when the sum would overflow.
bool AddUnits(size_t* sum, size_t a);

#endif
