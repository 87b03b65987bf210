// The program's own texts, as UTF-16 code units: C++03 has no portable
// 16-bit string literal.
#ifndef TARVELIN_ORIENTATION_TEXTS_H
#define TARVELIN_ORIENTATION_TEXTS_H

#include "platform/port.h"

// "Tarvelin", the caption of every box.
extern const WideChar kMessageCaption[];

extern const Message kUnsupportedRotationMessage;
extern const Message kInvalidModeMessage;

// The menu's items in the order shown. Their labels were written for a
// handheld taller than wide, where the quarter turns are landscape.
const int kMenuItemCount = 4;
extern const MenuItem kMenuItems[kMenuItemCount];
// The same for a display wider than tall: the quarter turns are portrait.
extern const MenuItem kWideMenuItems[kMenuItemCount];

#endif
