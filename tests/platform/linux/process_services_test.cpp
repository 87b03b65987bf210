// The Linux process services, which need no server.
#include "platform/linux/process_services.h"
#include "text/utf.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

namespace {

const ProcessServices kProcess = LinuxProcessServices("started-as");

// Unicode's, whatever the locale: the C locale knows no U+3000.
TEST(LinuxProcessServices, WhiteSpaceIsUnicodesWhateverTheLocale) {
    EXPECT_TRUE(kProcess.isWhiteSpace(0x3000));
    EXPECT_FALSE(kProcess.isWhiteSpace(0x200B));
}

// A path that does not fit fills the buffer, unterminated.
TEST(LinuxProcessServices, ModulePathIsTheRunningProgramCutToTheBuffer) {
    const std::string path = std::filesystem::read_symlink("/proc/self/exe");
    std::vector<WideChar> own(Utf8ToUtf16(path.c_str(), nullptr));
    Utf8ToUtf16(path.c_str(), own.data());
    const Uint32 size = static_cast<Uint32>(own.size());
    for (const Uint32 room : {size - 1, size, size + 1}) {
        std::vector<WideChar> buffer(room + 1, 0x7777);
        const Uint32 written = kProcess.moduleFileName(kProcess.state, buffer.data(), room);
        ASSERT_EQ(std::min(room, size), written);
        EXPECT_TRUE(std::equal(own.begin(), own.begin() + written, buffer.begin())) << room;
        EXPECT_EQ(room > size ? 0 : 0x7777, buffer[written]) << "terminated, or past the buffer";
    }
}

} // namespace
