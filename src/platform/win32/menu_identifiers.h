// The popup menu's identifiers on Windows: 100 plus the item's orientation
// code, so that 0, a menu closed without a choice, names no item.
#ifndef TARVELIN_PLATFORM_WIN32_MENU_IDENTIFIERS_H
#define TARVELIN_PLATFORM_WIN32_MENU_IDENTIFIERS_H

#include "platform/port.h"

const Uint32 kFirstMenuIdentifier = 100;

// The code of the item whose identifier TrackPopupMenuEx answered; false
// for none of them.
inline bool CodeOfIdentifier(const MenuItem* items, int count, int identifier, Uint32* code) {
    for (int i = 0; i < count; ++i) {
        if (static_cast<Uint32>(identifier) == kFirstMenuIdentifier + items[i].code) {
            *code = items[i].code;
            return true;
        }
    }
    return false;
}

#endif
