// Reads and steers Wine's side of the display for the end-to-end tests.
//   probe.exe box     the open "Tarvelin" box's text as hex UTF-16 units
//   probe.exe menu    the open popup menu's screen rectangle, then the screen size
//   probe.exe turn N  turns the display to desktop orientation N
//   probe.exe keep    says "ready" once Wine's desktop process is up, then keeps
//                     it up until its standard input closes
// Status 1 when there is no such window or the turn is refused.
#include <windows.h>

#include <stdio.h>
#include <utility>
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

// Wine ignores an orientation change that does not also give the size.
int Turn(const wchar_t* value) {
    DEVMODEW mode = {};
    mode.dmSize = sizeof mode;
    const DWORD orientation = wcstoul(value, NULL, 10);
    if (orientation > DMDO_270 || !EnumDisplaySettingsW(NULL, ENUM_CURRENT_SETTINGS, &mode)) {
        return 1;
    }
    if ((orientation ^ mode.dmDisplayOrientation) & 1) {
        std::swap(mode.dmPelsWidth, mode.dmPelsHeight);
    }
    mode.dmDisplayOrientation = orientation;
    mode.dmFields = DM_DISPLAYORIENTATION | DM_PELSWIDTH | DM_PELSHEIGHT;
    return ChangeDisplaySettingsExW(NULL, &mode, NULL, 0, NULL) == DISP_CHANGE_SUCCESSFUL ? 0 : 1;
}

int Keep() {
    GetDesktopWindow();
    printf("ready\n");
    fflush(stdout);
    char buffer[64];
    DWORD read = 0;
    while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), buffer, sizeof buffer, &read, NULL) &&
           read != 0) {
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
    } else if (argc == 3 && wcscmp(argv[1], L"turn") == 0) {
        status = Turn(argv[2]);
    } else if (argc == 2 && wcscmp(argv[1], L"keep") == 0) {
        status = Keep();
    } else {
        fprintf(stderr, "usage: probe.exe box|menu|turn N|keep\n");
    }
    fflush(stdout);
    return status;
}
