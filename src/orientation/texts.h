// The program's own texts, as UTF-16 code units: C++03 has no portable
// 16-bit string literal.
#ifndef TARVELIN_ORIENTATION_TEXTS_H
#define TARVELIN_ORIENTATION_TEXTS_H

#include "platform/platform.h"

extern const WideChar kMessageCaption[];
extern const WideChar kUnsupportedRotationMessage[];
extern const WideChar kInvalidModeMessage[];
extern const WideChar kMenuLabelDefault[];
extern const WideChar kMenuLabel90[];
extern const WideChar kMenuLabel180[];
extern const WideChar kMenuLabel270[];

#endif
