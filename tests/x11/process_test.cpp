// The Linux start-up services and text output, which need no server.
#include "platform/platform.h"
#include "platform/x11/utf8.h"
#include "startup/pack_arguments.h"

#include <gtest/gtest.h>
#include <limits.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace {

TEST(X11Process, WhiteSpaceIsUnicodesWhateverTheLocale) {
    struct Case {
        WideChar unit;
        bool space;
    };
    const Case cases[] = {
        {0x09, true},    {0x0D, true},    {0x20, true},   {0x85, true},    {0xA0, true},
        {0x1680, true},  {0x2000, true},  {0x200A, true}, {0x2028, true},  {0x2029, true},
        {0x202F, true},  {0x205F, true},  {0x3000, true}, {0x08, false},   {0x0E, false},
        {0x1F, false},   {'0', false},    {'a', false},   {0x200B, false}, {0xFEFF, false},
        {0x3001, false}, {0xFFFF, false},
    };
    for (const Case& test : cases) {
        EXPECT_EQ(test.space, PlatformIsWhiteSpace(test.unit) != 0) << std::hex << test.unit;
    }
}

std::vector<WideChar> OwnPathAsUtf16() {
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    path[length < 0 ? 0 : length] = 0;
    std::vector<WideChar> wide(Utf8ToUtf16(path, nullptr));
    Utf8ToUtf16(path, wide.data());
    return wide;
}

TEST(X11Process, ModulePathIsTheRunningProgram) {
    const std::vector<WideChar> expected = OwnPathAsUtf16();
    ASSERT_GT(expected.size(), 1u);
    WideChar buffer[256];
    const Uint32 written = PlatformGetModuleFileName(nullptr, buffer, 256);
    ASSERT_EQ(expected.size(), written);
    EXPECT_EQ(expected, std::vector<WideChar>(buffer, buffer + written));
    EXPECT_EQ(0, buffer[written]);
}

TEST(X11Process, ModulePathTooLongFillsTheBuffer) {
    const std::vector<WideChar> expected = OwnPathAsUtf16();
    const Uint32 size = static_cast<Uint32>(expected.size());
    for (const Uint32 room : {size - 1, size}) {
        std::vector<WideChar> buffer(room + 1, 0x7777);
        EXPECT_EQ(room, PlatformGetModuleFileName(nullptr, buffer.data(), room));
        EXPECT_EQ(std::vector<WideChar>(expected.begin(), expected.begin() + room),
                  std::vector<WideChar>(buffer.begin(), buffer.begin() + room));
        EXPECT_EQ(0x7777, buffer[room]) << "wrote past the buffer";
    }
    EXPECT_EQ(0u, PlatformGetModuleFileName(nullptr, nullptr, 0));
}

TEST(X11Text, Utf16BecomesUtf8) {
    struct Case {
        std::u16string text;
        std::string utf8;
    };
    const Case cases[] = {
        {u"", ""},
        {u"Tarvelin", "Tarvelin"},
        {u"无效的旋转模式! ", "无效的旋转模式! "},
        {u"\u00e9\u07ff\u0800\uffff", "\u00e9\u07ff\u0800\uffff"},
        {u"\U0001F600\U0010FFFF", "\U0001F600\U0010FFFF"},
        {std::u16string(1, 0xD83D) + u"x", "\uFFFDx"},
        {std::u16string(1, 0xDE00) + u"x", "\uFFFDx"},
        {u"a" + std::u16string(1, 0xD83D), "a\uFFFD"},
    };
    for (const Case& test : cases) {
        std::vector<WideChar> wide(test.text.begin(), test.text.end());
        wide.push_back(0);
        const size_t bytes = Utf16ToUtf8(wide.data(), nullptr);
        std::string out(bytes, '\0');
        EXPECT_EQ(bytes, Utf16ToUtf8(wide.data(), &out[0]));
        EXPECT_EQ(test.utf8, out);
    }
}

} // namespace
