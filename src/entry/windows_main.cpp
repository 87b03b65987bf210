// The Windows entry: the platform hands over the raw argument line, without
// the program's own name. Returning from it ends the process with the status.
// Windows CE and desktop Windows each have a port of their own.
#include <windows.h>

#include "startup/startup.h"

#if defined(_WIN32_WCE)

#include "platform/win32/ce/ce_port.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPWSTR line, int) {
    CeSession session;
    session.instance = instance;
    return StartFromArgumentLine(CePort(&session), line);
}

#else

#include "platform/win32/desktop/desktop_port.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR line, int) {
    return StartFromArgumentLine(DesktopPort(), line);
}

#endif
