// The port's UTF-16 texts in the UTF-8 the painter and the model take, for
// every presenter.
#ifndef TARVELIN_PLATFORM_LINUX_DIALOGS_UTF8_TEXTS_H
#define TARVELIN_PLATFORM_LINUX_DIALOGS_UTF8_TEXTS_H

#include "platform/port.h"

#include <string>
#include <vector>

std::string Utf8Of(const WideChar* text);

// The menu's labels, and pointers to them in the order of the items.
struct Utf8Labels {
    Utf8Labels(const MenuItem* items, int count);
    std::vector<std::string> texts;
    std::vector<const char*> pointers;
};

#endif
