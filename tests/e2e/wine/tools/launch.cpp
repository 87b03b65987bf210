// launch.exe PROGRAM HEX starts PROGRAM with exactly the raw argument line HEX
// (UTF-16 units, four hex digits each) after its quoted path and a space, which
// `wine PROGRAM ARGS` cannot do: it quotes the arguments afresh. Ends with the
// program's exit status, or 125 when it could not start it.
#include <windows.h>

#include <stdio.h>
#include <string>
#include <wchar.h>

int wmain(int argc, wchar_t** argv) {
    const int kLaunchFailed = 125;
    if (argc != 3 || wcslen(argv[2]) % 4 != 0) {
        fwprintf(stderr, L"usage: launch.exe PROGRAM HEX-OF-UTF16-LINE\n");
        return kLaunchFailed;
    }
    std::wstring command = L"\"" + std::wstring(argv[1]) + L"\" ";
    for (const wchar_t* hex = argv[2]; *hex != 0; hex += 4) {
        const std::wstring digits(hex, 4);
        wchar_t* end = NULL;
        command += static_cast<wchar_t>(wcstoul(digits.c_str(), &end, 16));
        if (end != digits.c_str() + 4) {
            fwprintf(stderr, L"launch.exe: not hex: %ls\n", digits.c_str());
            return kLaunchFailed;
        }
    }
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(argv[1], &command[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup,
                        &process)) {
        fwprintf(stderr, L"launch.exe: CreateProcessW failed: %lu\n", GetLastError());
        return kLaunchFailed;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = kLaunchFailed;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(status);
}
