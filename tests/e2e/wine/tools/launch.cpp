// Starts a program with an exact raw argument line, which `wine program
// arguments` cannot do: it quotes the arguments afresh. Waits for the program
// and ends with its exit status.
//
// launch.exe PROGRAM HEX, where HEX is the raw line in UTF-8, two hex digits
// a byte; the program sees the line after its own quoted path and a space.
#include <windows.h>

#include <stdio.h>
#include <string>
#include <wchar.h>

namespace {

// Apart from any status the program itself ends with.
const int kLaunchFailed = 125;

bool FromHex(const wchar_t* hex, std::string* bytes) {
    for (; hex[0] != 0; hex += 2) {
        unsigned int byte = 0;
        if (hex[1] == 0 || swscanf(std::wstring(hex, 2).c_str(), L"%2x", &byte) != 1) {
            return false;
        }
        bytes->push_back(static_cast<char>(byte));
    }
    return true;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    std::string line;
    if (argc != 3 || !FromHex(argv[2], &line)) {
        fwprintf(stderr, L"usage: launch.exe PROGRAM HEX-OF-UTF8-LINE\n");
        return kLaunchFailed;
    }
    std::wstring wide(line.size() + 1, L'\0');
    const int units =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, line.data(),
                            static_cast<int>(line.size()), &wide[0], static_cast<int>(wide.size()));
    if (units < 0 || (units == 0 && !line.empty())) {
        fwprintf(stderr, L"launch.exe: the line is not UTF-8\n");
        return kLaunchFailed;
    }
    wide.resize(units);
    std::wstring command = L"\"" + std::wstring(argv[1]) + L"\" " + wide;

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
