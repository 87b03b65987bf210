// The Windows side of the Wine end-to-end tests; status 125 when nothing ran.
//   box         the open "Tarvelin" box's text as hex UTF-16 units; 1 if there is none
//   turn N W H  turns the display to desktop orientation N at W x H; 1 if refused
//   keep        says "ready" once Wine's desktop process is up, keeps it until stdin closes
//   run HEX     runs the line HEX (hex UTF-16 units) as it is, which `wine EXE ARGS` cannot (it
//               quotes afresh); its status, or 124 after 30 s: an unanswered box or menu holds it.
#include <windows.h>

#include <stdio.h>
#include <string>
#include <wchar.h>

static int Box() {
    const HWND box = FindWindowW(L"#32770", L"Tarvelin");
    wchar_t text[256];
    // A message box's text is its control 0xFFFF.
    if (!IsWindowVisible(box) || GetDlgItemTextW(box, 0xFFFF, text, 256) == 0) {
        return 1;
    }
    for (const wchar_t* unit = text; *unit != 0; ++unit) {
        printf("%04x", static_cast<unsigned int>(*unit));
    }
    return 0;
}

// Wine ignores an orientation change that does not also give the size.
static int Turn(wchar_t** values) {
    DEVMODEW mode = {};
    mode.dmSize = sizeof mode;
    mode.dmDisplayOrientation = wcstoul(values[0], NULL, 10);
    mode.dmPelsWidth = wcstoul(values[1], NULL, 10);
    mode.dmPelsHeight = wcstoul(values[2], NULL, 10);
    mode.dmFields = DM_DISPLAYORIENTATION | DM_PELSWIDTH | DM_PELSHEIGHT;
    return ChangeDisplaySettingsExW(NULL, &mode, NULL, 0, NULL) == DISP_CHANGE_SUCCESSFUL ? 0 : 1;
}

static int Keep() {
    GetDesktopWindow(); // starts Wine's desktop process
    printf("ready\n");
    fflush(stdout);
    getchar(); // the tests write nothing: this returns when they close it
    return 0;
}

static int Run(const wchar_t* hex) {
    std::wstring line;
    for (unsigned int unit = 0; swscanf(hex, L"%4x", &unit) == 1; hex += 4) {
        line += static_cast<wchar_t>(unit);
    }
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    DWORD status = 125;
    if (CreateProcessW(NULL, &line[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process)) {
        if (WaitForSingleObject(process.hProcess, 30000) == WAIT_TIMEOUT) {
            TerminateProcess(process.hProcess, 124);
        }
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &status);
    }
    return static_cast<int>(status);
}

int wmain(int argc, wchar_t** argv) {
    const std::wstring command = argc > 1 ? argv[1] : L"";
    return command == L"box"                 ? Box()
           : command == L"keep"              ? Keep()
           : command == L"turn" && argc == 5 ? Turn(argv + 2)
           : command == L"run" && argc == 3  ? Run(argv[2])
                                             : 125;
}
