// Compile-time checks that the SDK agrees with the seam, which passes its
// values (and on Windows CE its record) to the SDK unchanged.
#ifndef TARVELIN_PLATFORM_WIN32_CE_SAME_VALUES_H
#define TARVELIN_PLATFORM_WIN32_CE_SAME_VALUES_H

#include "platform/win32/ce/ce_api.h"

#include <stddef.h>

// The SDK's NAME equals the seam's CE_NAME.
#define TARVELIN_SAME_VALUE(name) typedef char SameValue##name[(name) == CE_##name ? 1 : -1]

// The SDK's DEVMODEW has the seam's field at the seam's offset.
#define TARVELIN_SAME_FIELD(field)                                                                 \
    typedef char                                                                                   \
        SameField##field[offsetof(DEVMODEW, field) == offsetof(CE_DEVMODEW, field) ? 1 : -1]

#endif
