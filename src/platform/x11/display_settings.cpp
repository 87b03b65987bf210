// Display requests on RandR: not wired yet, so every request is refused.
#include "platform/platform.h"

int PlatformEnumDisplaySettings(const WideChar*, Uint32, CE_DEVMODEW*) {
    return 0;
}

long PlatformChangeDisplaySettingsEx(const WideChar*, CE_DEVMODEW*, PlatformWindow, Uint32, void*) {
    return -1;
}
