// Looks at and steers Wine's side of the display for the end-to-end tests.
//
//   probe.exe box        the text of the open "Tarvelin" message box, as hex
//                        UTF-16 units; status 1 when none is open
//   probe.exe menu       the screen rectangle of the open popup menu and the
//                        screen size; status 1 when none is open
//   probe.exe mode       the current width, height and desktop orientation
//   probe.exe turn N     turns the display to desktop orientation N
//   probe.exe keep       says "ready", then stays alive until its standard
//                        input closes, which keeps Wine's desktop process up
//                        between runs
#include <windows.h>

#include <stdio.h>
#include <wchar.h>

namespace {

BOOL CALLBACK PrintStaticText(HWND child, LPARAM found) {
    wchar_t name[16];
    wchar_t text[256];
    if (GetClassNameW(child, name, 16) == 0 || _wcsicmp(name, L"Static") != 0 ||
        GetWindowTextW(child, text, 256) == 0) {
        return TRUE;
    }
    for (const wchar_t* unit = text; *unit != 0; ++unit) {
        printf("%04x", static_cast<unsigned int>(*unit));
    }
    printf("\n");
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
}

int Box() {
    const HWND box = FindWindowW(L"#32770", L"Tarvelin");
    bool found = false;
    if (box != NULL && IsWindowVisible(box)) {
        EnumChildWindows(box, PrintStaticText, reinterpret_cast<LPARAM>(&found));
    }
    return found ? 0 : 1;
}

int Menu() {
    const HWND menu = FindWindowW(L"#32768", NULL);
    RECT rect;
    if (menu == NULL || !IsWindowVisible(menu) || !GetWindowRect(menu, &rect)) {
        return 1;
    }
    printf("%ld %ld %ld %ld %d %d\n", rect.left, rect.top, rect.right, rect.bottom,
           GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    return 0;
}

bool Current(DEVMODEW* mode) {
    ZeroMemory(mode, sizeof *mode);
    mode->dmSize = sizeof *mode;
    return EnumDisplaySettingsW(NULL, ENUM_CURRENT_SETTINGS, mode) != FALSE;
}

int Mode() {
    DEVMODEW mode;
    if (!Current(&mode)) {
        return 1;
    }
    printf("%lu %lu %lu\n", mode.dmPelsWidth, mode.dmPelsHeight, mode.dmDisplayOrientation);
    return 0;
}

// Wine ignores an orientation change that does not also give the size.
int Turn(const wchar_t* value) {
    DEVMODEW mode;
    const DWORD orientation = wcstoul(value, NULL, 10);
    if (orientation > DMDO_270 || !Current(&mode)) {
        return 1;
    }
    if ((orientation ^ mode.dmDisplayOrientation) & 1) {
        const DWORD width = mode.dmPelsWidth;
        mode.dmPelsWidth = mode.dmPelsHeight;
        mode.dmPelsHeight = width;
    }
    mode.dmDisplayOrientation = orientation;
    mode.dmFields = DM_DISPLAYORIENTATION | DM_PELSWIDTH | DM_PELSHEIGHT;
    const LONG result = ChangeDisplaySettingsExW(NULL, &mode, NULL, 0, NULL);
    printf("%ld\n", result);
    return result == DISP_CHANGE_SUCCESSFUL ? 0 : 1;
}

// Answers "ready" once Wine's desktop process is up, so that no other
// program races its start.
int Keep() {
    GetDesktopWindow();
    printf("ready\n");
    fflush(stdout);
    char buffer[64];
    DWORD read = 0;
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    while (ReadFile(input, buffer, sizeof buffer, &read, NULL) && read != 0) {
    }
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    int status = 2;
    if (argc == 2 && wcscmp(argv[1], L"box") == 0) {
        status = Box();
    } else if (argc == 2 && wcscmp(argv[1], L"menu") == 0) {
        status = Menu();
    } else if (argc == 2 && wcscmp(argv[1], L"mode") == 0) {
        status = Mode();
    } else if (argc == 3 && wcscmp(argv[1], L"turn") == 0) {
        status = Turn(argv[2]);
    } else if (argc == 2 && wcscmp(argv[1], L"keep") == 0) {
        status = Keep();
    } else {
        fprintf(stderr, "usage: probe.exe box|menu|mode|turn N|keep\n");
    }
    fflush(stdout);
    return status;
}
