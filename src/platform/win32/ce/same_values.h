// Compile-time checks that Windows CE's SDK agrees with the CE port, which
// passes its values and its record to that SDK unchanged.
#ifndef TARVELIN_PLATFORM_WIN32_CE_SAME_VALUES_H
#define TARVELIN_PLATFORM_WIN32_CE_SAME_VALUES_H

#include "platform/win32/ce/ce_api.h"

#include <stddef.h>

// The SDK's NAME equals the port's CE_NAME.
#define TARVELIN_SAME_VALUE(name) typedef char SameValue##name[(name) == CE_##name ? 1 : -1]

// The SDK's DEVMODEW has the port's field at the port's offset.
#define TARVELIN_SAME_FIELD(field)                                                                 \
    typedef char                                                                                   \
        SameField##field[offsetof(DEVMODEW, field) == offsetof(CE_DEVMODEW, field) ? 1 : -1]

#endif
