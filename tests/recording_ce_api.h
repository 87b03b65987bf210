// Windows CE's calls for unit tests: each answers from a script and is
// recorded, in order, with what it was passed.
#ifndef TARVELIN_TESTS_RECORDING_CE_API_H
#define TARVELIN_TESTS_RECORDING_CE_API_H

#include "platform/win32/ce/ce_api.h"

#include <string>
#include <vector>

namespace recording {

// A record as a 240 x 320 display's driver fills it.
CE_DEVMODEW DriverFilledRecord();

struct Script {
    // What the settings read leaves in the record.
    bool fillOnRead = true;
    CE_DEVMODEW readFill = DriverFilledRecord();
    long supportResult = CE_DISP_CHANGE_SUCCESSFUL;
    Uint32 supportedSet = 0x7;
    long orientationResult = CE_DISP_CHANGE_SUCCESSFUL;
    Uint32 currentOrientation = 0;
    long applyResult = CE_DISP_CHANGE_SUCCESSFUL;
    int menuPick = 0;
    bool menuFails = false;
    int screenWidth = 240;
    int screenHeight = 320;
    std::u16string modulePath = u"\\Windows\\tarvelin.exe";
    bool modulePathFails = false;
    bool allocationFails = false;
};

struct Call {
    std::string text;     // the call and its arguments, for comparing runs
    CE_DEVMODEW record{}; // the record as passed, for display calls
    const void* recordAddress = nullptr;
    size_t bytes = 0;      // the size asked of the allocator
    void* block = nullptr; // the block the allocator handed out
};

// Starts a new run with the given script; frees earlier blocks.
void Reset(const Script& script = Script());
const std::vector<Call>& Calls();
std::vector<std::string> CallTexts();

std::u16string FromWide(const WideChar* text);
std::string Hex(unsigned long value);
std::vector<WideChar> ToWide(const std::u16string& text);

} // namespace recording

#endif
