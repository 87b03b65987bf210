// Windows CE's calls, recorded for the CE port's and start-up's tests: each answers from a
// script and logs what it was passed, so that a test sees a run's exact calls and records.
#ifndef TARVELIN_TESTS_PLATFORM_WIN32_CE_CE_CALLS_H
#define TARVELIN_TESTS_PLATFORM_WIN32_CE_CE_CALLS_H

#include "platform/win32/ce/ce_port.h"

#include <string>
#include <vector>

// What the calls answer: a display that offers `offered` and shows `shown`, and the menu.
struct Script {
    int failing = -1; // the call, counted from 0 in the run, that fails
    Uint32 offered = 7;
    Uint32 shown = 0;
    int menuAnswer = 0;
    std::u16string modulePath = u"\\Windows\\tarvelin.exe";
};

// What the calls of one run were passed.
struct Recorded {
    Script script;
    int calls = 0;
    std::string log{};                  // one line a call
    std::vector<CE_DEVMODEW> records{}; // as each display call had them
    std::vector<std::vector<unsigned char>> blocks{};
};
extern Recorded gRun;
extern CeSession gSession;

// The ChangeDisplaySettingsEx line for a record of fields and code.
std::string Change(Uint32 fields, Uint32 code, Uint32 flags);
std::u16string Utf16(const WideChar* text);
std::vector<WideChar> Wide(const char* ascii);
// Every byte set, so that a test sees each one carried back.
CE_DEVMODEW DriverRecord();
// Starts the program on the raw line, the calls answering from script.
Int32 RunLine(const char* line, const Script& script = Script());

#endif
