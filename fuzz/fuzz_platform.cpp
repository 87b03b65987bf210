#include "fuzz_platform.h"

#include <cstdlib>

namespace fuzz {
namespace {

// Units a platform's classification may put in the space class; each input
// enables a subset. U+FEFF and a lone surrogate are not space anywhere, but
// the splitter must follow whatever the platform answers.
const char16_t kCandidates[] = {0x00A0, 0x3000, 0x2028, 0x0085, 0x1680, 0xFEFF, 0xD800};

unsigned gExtraWhiteSpace = 0;
bool gAllocationFails = false;
size_t gLastBytes = 0;

} // namespace

Input Prepare(const uint8_t* data, size_t size) {
    Input input;
    const uint8_t settings = size > 0 ? data[0] : 0;
    gExtraWhiteSpace = settings & 0x7F;
    gAllocationFails = input.allocationFails = (settings & 0x80) != 0;
    gLastBytes = 0;
    for (size_t i = 1; i + 1 < size; i += 2) {
        input.text += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    }
    return input;
}

bool IsWhiteSpace(char16_t unit) {
    if (unit == 0x20 || (unit >= 0x09 && unit <= 0x0D)) {
        return true;
    }
    for (unsigned i = 0; i < sizeof kCandidates / sizeof kCandidates[0]; ++i) {
        if (unit == kCandidates[i] && (gExtraWhiteSpace & (1u << i)) != 0) {
            return true;
        }
    }
    return false;
}

size_t LastAllocationBytes() {
    return gLastBytes;
}

std::u16string Terminated(const std::u16string& text) {
    return text.substr(0, text.find(u'\0'));
}

std::vector<WideChar> ToWide(const std::u16string& text) {
    return std::vector<WideChar>(text.c_str(), text.c_str() + text.size() + 1);
}

void Check(bool holds) {
    if (!holds) {
        std::abort();
    }
}

namespace {

void* Allocate(void*, size_t bytes) {
    gLastBytes = bytes;
    return gAllocationFails ? nullptr : std::malloc(bytes);
}

int IsSpaceUnit(WideChar unit) {
    return IsWhiteSpace(static_cast<char16_t>(unit));
}

const ProcessServices kServices = {nullptr, nullptr, Allocate, nullptr, IsSpaceUnit};

} // namespace

const ProcessServices& Services() {
    return kServices;
}

} // namespace fuzz
