#include "recording_ce_api.h"

#include "text/utf.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwctype>
#include <memory>

namespace recording {
namespace {

Script gScript;
std::vector<Call> gCalls;
// Blocks handed out since the last reset; freed then or at exit.
std::vector<std::unique_ptr<unsigned char[]>> gBlocks;

char gMessageBoxOwner;
char gMenuOwner;
char gMenu;

std::string Pointer(const void* pointer) {
    return pointer == nullptr             ? "null"
           : pointer == &gMessageBoxOwner ? "messageBoxOwner"
           : pointer == &gMenuOwner       ? "menuOwner"
           : pointer == &gMenu            ? "menu"
                                          : "other";
}

std::string Quoted(const WideChar* text) {
    std::string utf8(Utf16ToUtf8(text, nullptr), '\0');
    Utf16ToUtf8(text, utf8.data());
    return "\"" + utf8 + "\"";
}

// Records name(arguments...), the arguments as the tests spell them.
Call& Record(const std::string& name, std::initializer_list<std::string> arguments = {}) {
    std::string text = name + "(";
    for (const std::string& argument : arguments) {
        text += (text.back() == '(' ? "" : ", ") + argument;
    }
    gCalls.push_back(Call());
    gCalls.back().text = text + ")";
    return gCalls.back();
}

std::string Number(long value) {
    return std::to_string(value);
}

} // namespace

CE_DEVMODEW DriverFilledRecord() {
    CE_DEVMODEW record{};
    const char16_t name[] = u"DISPLAY";
    std::copy(name, name + sizeof name / sizeof name[0], record.dmDeviceName);
    record.dmSize = CE_DEVMODEW_SIZE;
    record.dmDriverExtra = 0;
    record.dmFields = 0x001C0000;
    record.dmBitsPerPel = 16;
    record.dmPelsWidth = 240;
    record.dmPelsHeight = 320;
    record.dmDisplayFrequency = 60;
    return record;
}

void Reset(const Script& script) {
    gBlocks.clear();
    gScript = script;
    gCalls.clear();
}

const std::vector<Call>& Calls() {
    return gCalls;
}

std::vector<std::string> CallTexts() {
    std::vector<std::string> texts;
    for (const Call& call : gCalls) {
        texts.push_back(call.text);
    }
    return texts;
}

std::u16string FromWide(const WideChar* text) {
    std::u16string wide;
    for (; *text != 0; ++text) {
        wide += static_cast<char16_t>(*text);
    }
    return wide;
}

std::string Hex(unsigned long value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "0x%lx", value);
    return buffer;
}

std::vector<WideChar> ToWide(const std::u16string& text) {
    std::vector<WideChar> wide(text.begin(), text.end());
    wide.push_back(0);
    return wide;
}

} // namespace recording

using namespace recording;

int CeEnumDisplaySettings(const WideChar* deviceName, Uint32 modeNumber, CE_DEVMODEW* record) {
    Call& call = Record("EnumDisplaySettings",
                        {Pointer(deviceName), Hex(modeNumber), "dmSize=" + Number(record->dmSize)});
    call.record = *record;
    call.recordAddress = record;
    if (!gScript.fillOnRead) {
        return 0;
    }
    *record = gScript.readFill;
    return 1;
}

long CeChangeDisplaySettingsEx(const WideChar* deviceName, CE_DEVMODEW* record, CeWindow window,
                               Uint32 flags, void* extra) {
    Call& call = Record("ChangeDisplaySettingsEx",
                        {Pointer(deviceName), "dmSize=" + Number(record->dmSize),
                         "dmFields=" + Hex(record->dmFields),
                         "dmDisplayOrientation=" + Hex(record->dmDisplayOrientation),
                         Pointer(window), "flags=" + Hex(flags), Pointer(extra)});
    call.record = *record;
    call.recordAddress = record;
    if (flags != CE_CDS_TEST) {
        return gScript.applyResult;
    }
    if (record->dmFields == CE_DM_DISPLAYQUERYORIENTATION) {
        if (gScript.supportResult == CE_DISP_CHANGE_SUCCESSFUL) {
            record->dmDisplayOrientation = gScript.supportedSet;
        }
        return gScript.supportResult;
    }
    if (gScript.orientationResult == CE_DISP_CHANGE_SUCCESSFUL) {
        record->dmDisplayOrientation = gScript.currentOrientation;
    }
    return gScript.orientationResult;
}

CeWindow CeGetMessageBoxOwner() {
    Record("GetMessageBoxOwner");
    return &gMessageBoxOwner;
}

int CeMessageBox(CeWindow owner, const WideChar* text, const WideChar* caption, Uint32 style) {
    Record("MessageBox", {Pointer(owner), Quoted(text), Quoted(caption), "style=" + Hex(style)});
    return 1;
}

CeWindow CeGetMenuOwner() {
    Record("GetMenuOwner");
    return &gMenuOwner;
}

CeMenu CeCreatePopupMenu() {
    Record("CreatePopupMenu");
    return gScript.menuFails ? nullptr : &gMenu;
}

int CeAppendMenu(CeMenu menu, Uint32 flags, Uint32 identifier, const WideChar* label) {
    Record("AppendMenu",
           {Pointer(menu), "flags=" + Hex(flags), "id=" + Number(identifier), Quoted(label)});
    return 1;
}

int CeTrackPopupMenuEx(CeMenu menu, Uint32 flags, int x, int y, CeWindow owner, void* extra) {
    Record("TrackPopupMenuEx", {Pointer(menu), "flags=" + Hex(flags), "x=" + Number(x),
                                "y=" + Number(y), Pointer(owner), Pointer(extra)});
    return gScript.menuPick;
}

int CeDestroyMenu(CeMenu menu) {
    Record("DestroyMenu", {Pointer(menu)});
    return 1;
}

int CeGetSystemMetrics(int index) {
    Record("GetSystemMetrics", {Number(index)});
    return index == CE_SM_CXSCREEN ? gScript.screenWidth : gScript.screenHeight;
}

Uint32 CeGetModuleFileName(CeInstance instance, WideChar* buffer, Uint32 size) {
    Record("GetModuleFileName", {Pointer(instance), "size=" + Number(size)});
    if (gScript.modulePathFails) {
        return 0;
    }
    // Like the platform, cut a long path short, unterminated when it fills
    // the buffer exactly.
    const size_t units = std::min<size_t>(gScript.modulePath.size(), size);
    std::copy(gScript.modulePath.begin(), gScript.modulePath.begin() + units, buffer);
    if (units < size) {
        buffer[units] = 0;
    }
    return static_cast<Uint32>(units);
}

void* CeLocalAlloc(Uint32 flags, size_t bytes) {
    Call& call =
        Record("LocalAlloc", {"flags=" + Hex(flags), "bytes=" + Number(static_cast<long>(bytes))});
    call.bytes = bytes;
    if (gScript.allocationFails) {
        return nullptr;
    }
    // Filled with a pattern so a test sees what the splitter left unwritten.
    gBlocks.emplace_back(new unsigned char[bytes == 0 ? 1 : bytes]);
    void* block = gBlocks.back().get();
    std::memset(block, 0xA5, bytes);
    call.block = block;
    return block;
}

int CeIsWhiteSpace(WideChar unit) {
    return std::iswspace(static_cast<wint_t>(unit));
}
