#ifndef TARVELIN_ORIENTATION_DECIMAL_H
#define TARVELIN_ORIENTATION_DECIMAL_H

#include "platform/port.h"

// Reads a decimal number as _wtoi does: leading white space (as the
// platform's test says), an optional sign, then digits up to the first
// non-digit; no digits gives 0. Unlike CE's _wtoi it never wraps: a value
// beyond the 32-bit range saturates to the nearer limit, which no caller
// mistakes for a small number.
Int32 DecimalToInt32(const WideChar* text, int (*isWhiteSpace)(WideChar unit));

#endif
