// The Windows entry: the platform hands over the raw argument line, without
// the program's own name. Returning from it ends the process with the status.
#include <windows.h>

#include "startup/startup.h"

#if defined(_WIN32_WCE)
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPWSTR line, int) {
    return StartFromArgumentLine(instance, line);
}
#else
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR line, int) {
    return StartFromArgumentLine(instance, line);
}
#endif
