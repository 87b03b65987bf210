// The command dispatcher: one action per run, chosen by argument 1.
#ifndef TARVELIN_ORIENTATION_ROTATION_COMMANDS_H
#define TARVELIN_ORIENTATION_ROTATION_COMMANDS_H

#include "platform/platform.h"

// argv holds argc strings and then a null pointer; argv[0] is never read.
// Returns the exit status, 0 on every path.
Int32 RunRotationCommand(Int32 argc, const WideChar* const* argv);

// Shows text in the program's modal exclamation box and waits for it.
void ShowRotationMessage(const WideChar* text);

#endif
