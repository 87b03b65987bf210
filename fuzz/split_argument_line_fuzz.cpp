// Splits arbitrary lines and checks the result against the scanning rules
// as a second, plainly written parser reads them, and against the block
// layout: one block of exact size, each argument inside its own room.
#include "fuzz_platform.h"
#include "startup/split_argument_line.h"

#include <cstdlib>
#include <vector>

namespace {

const char16_t kQuote = u'"';

struct Argument {
    std::u16string text;
    size_t rawLength = 0;
};

// One index walks the line once; quotes toggle grouping and are dropped.
std::vector<Argument> ReferenceSplit(const std::u16string& line) {
    std::vector<Argument> arguments;
    size_t i = 0;
    for (;;) {
        while (i < line.size() && fuzz::IsWhiteSpace(line[i])) {
            ++i;
        }
        if (i == line.size()) {
            return arguments;
        }
        Argument argument;
        bool quoted = false;
        for (; i < line.size() && (quoted || !fuzz::IsWhiteSpace(line[i])); ++i) {
            ++argument.rawLength;
            if (line[i] == kQuote) {
                quoted = !quoted;
            } else {
                argument.text += line[i];
            }
        }
        arguments.push_back(argument);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::Input input = fuzz::Prepare(data, size);
    // A zero unit ends the module path and starts the line; without one the
    // whole text is the line.
    const size_t zero = input.text.find(u'\0');
    const std::u16string path =
        zero == std::u16string::npos ? u"\\Windows\\tarvelin.exe" : input.text.substr(0, zero);
    const std::u16string line =
        fuzz::Terminated(zero == std::u16string::npos ? input.text : input.text.substr(zero + 1));
    const std::vector<WideChar> widePath = fuzz::ToWide(path);
    const std::vector<WideChar> wideLine = fuzz::ToWide(line);

    Int32 argc = -1;
    WideChar** argv = nullptr;
    const bool split =
        SplitArgumentLine(fuzz::Services(), widePath.data(), wideLine.data(), &argc, &argv);
    if (input.allocationFails) {
        fuzz::Check(!split && argc == -1 && argv == nullptr);
        return 0;
    }
    fuzz::Check(split);

    const std::vector<Argument> expected = ReferenceSplit(line);
    fuzz::Check(argc >= 1 && static_cast<size_t>(argc) == expected.size() + 1);
    fuzz::Check(argv[argc] == nullptr);

    // The string area follows the slots; each room is its raw length + 1.
    const WideChar* room = reinterpret_cast<const WideChar*>(argv + argc + 1);
    const WideChar* const blockEnd = reinterpret_cast<const WideChar*>(
        reinterpret_cast<const char*>(argv) + fuzz::LastAllocationBytes());
    for (Int32 i = 0; i < argc; ++i) {
        const size_t roomUnits = i == 0 ? path.size() + 1 : expected[i - 1].rawLength + 1;
        const std::u16string want = i == 0 ? path : expected[i - 1].text;
        fuzz::Check(argv[i] == room && room + roomUnits <= blockEnd);
        const std::u16string argument =
            fuzz::Terminated(std::u16string(argv[i], argv[i] + roomUnits));
        fuzz::Check(argument.size() < roomUnits && argument == want);
        fuzz::Check(i == 0 || argument.find(kQuote) == std::u16string::npos);
        room += roomUnits;
    }
    fuzz::Check(room == blockEnd);
    std::free(argv);
    return 0;
}
