#include "platform/linux/dialogs/utf8_texts.h"

#include "text/utf.h"

std::string Utf8Of(const WideChar* text) {
    std::string utf8(Utf16ToUtf8(text, nullptr), '\0');
    Utf16ToUtf8(text, utf8.data());
    return utf8;
}

Utf8Labels::Utf8Labels(const MenuItem* items, int count) {
    for (int i = 0; i < count; ++i) {
        texts.push_back(Utf8Of(items[i].label));
    }
    for (const std::string& text : texts) {
        pointers.push_back(text.c_str());
    }
}
