#include "port_double.h"

#include "orientation/texts.h"

#include <cwctype>

namespace {

PortDouble& Of(void* state) {
    return *static_cast<PortDouble*>(state);
}

bool Supported(void* state, Uint32* set) {
    *set = Of(state).script.offered;
    return Of(state).script.answers;
}

bool Current(void* state, Uint32* code) {
    *code = Of(state).script.current;
    return Of(state).script.currentKnown;
}

bool Apply(void* state, Uint32 code) {
    Of(state).events.push_back("apply " + std::to_string(code));
    return Of(state).script.turnTaken;
}

bool Reported(void* state) {
    return Of(state).script.reports;
}

Point Anchor(void* state) {
    return Of(state).script.anchor;
}

bool ShowMessage(void* state, const Message* message) {
    Of(state).events.push_back(message == &kInvalidModeMessage           ? "message invalid"
                               : message == &kUnsupportedRotationMessage ? "message unsupported"
                                                                         : "message other");
    return true;
}

MenuAnswer Choose(void* state, const MenuItem* items, int count, Point anchor, Uint32* picked) {
    PortDouble& double_ = Of(state);
    double_.events.push_back("menu");
    for (int i = 0; i < count; ++i) {
        double_.menuCodes.push_back(items[i].code);
    }
    double_.menuAnchor = anchor;
    *picked = double_.script.menuPick;
    return double_.script.menuAnswer;
}

Uint32 ModuleFileName(void*, WideChar* buffer, Uint32 size) {
    const char16_t path[] = u"/usr/bin/tarvelin";
    const Uint32 units = sizeof path / sizeof path[0];
    if (size < units) {
        return 0;
    }
    std::copy(path, path + units, buffer);
    return units - 1;
}

int IsWhiteSpace(WideChar unit) {
    return std::iswspace(static_cast<wint_t>(unit));
}

} // namespace

PortDouble::PortDouble(const DoubleScript& script)
    : script(script), port_{{this, Supported, Current, Apply, Anchor, Reported},
                            {this, ShowMessage, Choose},
                            {this, ModuleFileName, Allocate, Release, IsWhiteSpace}} {}

void* PortDouble::Allocate(void* state, size_t bytes) {
    auto& blocks = Of(state).blocks_;
    blocks.emplace_back(new unsigned char[bytes]);
    return blocks.back().get();
}

void PortDouble::Release(void* state, void* block) {
    auto& blocks = Of(state).blocks_;
    for (auto i = blocks.begin(); i != blocks.end(); ++i) {
        if (i->get() == block) {
            blocks.erase(i);
            ++Of(state).released;
            return;
        }
    }
}
