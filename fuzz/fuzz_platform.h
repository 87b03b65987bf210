// What the fuzz targets need of a process, memory and the white-space test,
// and the helpers they share. The first byte of each input picks the
// platform's behaviour, so the fuzzer explores it along with the text.
#ifndef TARVELIN_FUZZ_FUZZ_PLATFORM_H
#define TARVELIN_FUZZ_FUZZ_PLATFORM_H

#include "platform/port.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace fuzz {

struct Input {
    std::u16string text; // UTF-16LE from the bytes after the first, odd byte dropped
    bool allocationFails = false;
};

// Reads an input and sets the platform up for it: the first byte chooses
// which non-ASCII units count as white space and whether allocation fails.
Input Prepare(const uint8_t* data, size_t size);

// The white-space test the process answers with, for the reference parsers.
bool IsWhiteSpace(char16_t unit);

// Memory and white space as Prepare set them up.
const ProcessServices& Services();

// The size asked of the last allocation since Prepare, 0 if none. Blocks
// come from std::malloc; the caller frees them.
size_t LastAllocationBytes();

// The text up to its first zero unit.
std::u16string Terminated(const std::u16string& text);

// The text and a terminator, as the code under test takes it.
std::vector<WideChar> ToWide(const std::u16string& text);

// Stops the run, for the fuzzer to report the input, when a property fails.
void Check(bool holds);

} // namespace fuzz

#endif
