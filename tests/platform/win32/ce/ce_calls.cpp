#include "platform/win32/ce/ce_calls.h"

#include "startup/startup.h"
#include "text/utf.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <cwctype>
#include <sstream>

Recorded gRun;
CeSession gSession;

std::u16string Utf16(const WideChar* text) {
    std::u16string units;
    for (; *text != 0; ++text) {
        units += static_cast<char16_t>(*text);
    }
    return units;
}

CE_DEVMODEW DriverRecord() {
    CE_DEVMODEW record;
    std::memset(&record, 0x5A, sizeof record);
    record.dmSize = CE_DEVMODEW_SIZE;
    record.dmDisplayOrientation = 0;
    return record;
}

namespace {

char gBoxOwner, gMenuOwner, gMenu;

std::string Hex(unsigned long value) {
    std::ostringstream text;
    text << "0x" << std::hex << value;
    return text.str();
}

std::string Fields(unsigned long size, unsigned long fields, unsigned long code) {
    return "dmSize=" + std::to_string(size) + ", dmFields=" + Hex(fields) +
           ", dmDisplayOrientation=" + Hex(code);
}

std::string Name(const void* pointer) {
    return pointer == nullptr       ? "null"
           : pointer == &gBoxOwner  ? "boxOwner"
           : pointer == &gMenuOwner ? "menuOwner"
           : pointer == &gMenu      ? "menu"
                                    : "other";
}

std::string Passes(const CE_DEVMODEW* record) {
    EXPECT_EQ(&gSession.record, record) << "not the session's one record";
    gRun.records.push_back(*record);
    return Fields(record->dmSize, record->dmFields, record->dmDisplayOrientation);
}

std::string Quoted(const WideChar* text) {
    std::string utf8(Utf16ToUtf8(text, nullptr), '\0');
    Utf16ToUtf8(text, utf8.data());
    return '"' + utf8 + '"';
}

// Logs name(arguments...); true when the script has this call fail.
template <typename... Arguments> bool Call(const char* name, const Arguments&... arguments) {
    std::ostringstream text;
    text << name << '(';
    int written = 0;
    ((text << (written++ ? ", " : "") << arguments), ...);
    gRun.log += text.str() + ")\n";
    return gRun.calls++ == gRun.script.failing;
}

} // namespace

int CeEnumDisplaySettings(const WideChar* deviceName, Uint32 modeNumber, CE_DEVMODEW* record) {
    if (Call("EnumDisplaySettings", Name(deviceName), Hex(modeNumber), Passes(record))) {
        return 0;
    }
    *record = DriverRecord();
    return 1;
}

long CeChangeDisplaySettingsEx(const WideChar* deviceName, CE_DEVMODEW* record, CeWindow window,
                               Uint32 flags, void* extra) {
    if (Call("ChangeDisplaySettingsEx", Name(deviceName), Passes(record), Name(window), Hex(flags),
             Name(extra))) {
        return -1;
    }
    if (flags == CE_CDS_TEST) {
        const bool support = record->dmFields == CE_DM_DISPLAYQUERYORIENTATION;
        record->dmDisplayOrientation = support ? gRun.script.offered : gRun.script.shown;
    }
    return CE_DISP_CHANGE_SUCCESSFUL;
}

CeWindow CeGetMessageBoxOwner() {
    return Call("GetMessageBoxOwner") ? nullptr : &gBoxOwner;
}

int CeMessageBox(CeWindow owner, const WideChar* text, const WideChar* caption, Uint32 style) {
    return Call("MessageBox", Name(owner), Quoted(text), Quoted(caption), Hex(style)) ? 0 : 1;
}

CeWindow CeGetMenuOwner() {
    return Call("GetMenuOwner") ? nullptr : &gMenuOwner;
}

CeMenu CeCreatePopupMenu() {
    return Call("CreatePopupMenu") ? nullptr : &gMenu;
}

int CeAppendMenu(CeMenu menu, Uint32 flags, Uint32 identifier, const WideChar* label) {
    return Call("AppendMenu", Name(menu), Hex(flags), identifier, Quoted(label)) ? 0 : 1;
}

int CeTrackPopupMenuEx(CeMenu menu, Uint32 flags, int x, int y, CeWindow owner, void* extra) {
    Call("TrackPopupMenuEx", Name(menu), Hex(flags), x, y, Name(owner), Name(extra));
    return gRun.script.menuAnswer;
}

int CeDestroyMenu(CeMenu menu) {
    return Call("DestroyMenu", Name(menu)) ? 0 : 1;
}

int CeGetSystemMetrics(int index) {
    Call("GetSystemMetrics", index);
    return index == CE_SM_CXSCREEN ? 240 : 320;
}

Uint32 CeGetModuleFileName(CeInstance instance, WideChar* buffer, Uint32 size) {
    if (Call("GetModuleFileName", Name(instance), size)) {
        return 0;
    }
    // As the platform does: cut short, unterminated when it fills the buffer exactly.
    const std::u16string& path = gRun.script.modulePath;
    std::copy_n(path.c_str(), std::min<size_t>(path.size() + 1, size), buffer);
    return static_cast<Uint32>(std::min<size_t>(path.size(), size));
}

void* CeLocalAlloc(Uint32 flags, size_t bytes) {
    if (Call("LocalAlloc", Hex(flags), bytes)) {
        return nullptr;
    }
    // Filled with a pattern, so that what start-up leaves unwritten shows.
    gRun.blocks.emplace_back(std::max<size_t>(bytes, 1), 0xA5);
    return gRun.blocks.back().data();
}

int CeIsWhiteSpace(WideChar unit) {
    return std::iswspace(static_cast<wint_t>(unit));
}

std::vector<WideChar> Wide(const char* ascii) {
    return std::vector<WideChar>(ascii, ascii + std::strlen(ascii) + 1);
}

Int32 RunLine(const char* line, const Script& script) {
    gRun = {script};
    // No stale zeros may stand in for the record the adapter clears.
    std::memset(&gSession, 0xA5, sizeof gSession);
    gSession.instance = nullptr;
    return StartFromArgumentLine(CePort(&gSession), Wide(line).data());
}

std::string Change(Uint32 fields, Uint32 code, Uint32 flags) {
    return "ChangeDisplaySettingsEx(null, " + Fields(192, fields, code) + ", null, " + Hex(flags) +
           ", null)\n";
}
