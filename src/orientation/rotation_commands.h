// The command dispatcher: one action per run, chosen by argument 1.
#ifndef TARVELIN_ORIENTATION_ROTATION_COMMANDS_H
#define TARVELIN_ORIENTATION_ROTATION_COMMANDS_H

#include "platform/port.h"

// argv holds argc strings and then a null pointer; argv[0] is never read.
// Returns the exit status (orientation/outcomes.h).
Int32 RunRotationCommand(const Port& port, Int32 argc, const WideChar* const* argv);

#endif
