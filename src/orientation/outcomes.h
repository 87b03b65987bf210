// How an action ends: the exit status the run ends with, and the box that
// goes with a failure.
#ifndef TARVELIN_ORIENTATION_OUTCOMES_H
#define TARVELIN_ORIENTATION_OUTCOMES_H

#include "platform/port.h"

// The asked turn was made, or the menu closed without a choice.
const Int32 kStatusDone = 0;
// The display could not be turned, or the menu could not be shown.
const Int32 kStatusNotTurned = 1;
// The "/set" value is not an orientation code.
const Int32 kStatusInvalidMode = 2;

// Shows message and waits for it to be closed; returns status.
Int32 Refuse(const Port& port, const Message& message, Int32 status);

// The display cannot be turned: the unsupported-rotation message, unless
// the backend has said why already.
Int32 RefuseTurn(const Port& port);

// Turns the display to code, or refuses as above.
Int32 TurnTo(const Port& port, Uint32 code);

#endif
