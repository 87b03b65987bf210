// Builds argument vectors and the call texts the recording platform writes.
#ifndef TARVELIN_TESTS_RUN_HELPERS_H
#define TARVELIN_TESTS_RUN_HELPERS_H

#include "recording_platform.h"

#include <string>
#include <vector>

namespace expect {

const std::string kUnsupported = "你的设备不支持屏幕旋转!" + std::string(33, ' ');
const std::string kInvalid = "无效的旋转模式!" + std::string(17, ' ');

using recording::Hex;

inline std::string Read() {
    return "EnumDisplaySettings(null, 0xffffffff, dmSize=192)";
}

inline std::string Change(unsigned long fields, unsigned long orientation, unsigned long flags) {
    return "ChangeDisplaySettingsEx(null, dmSize=192, dmFields=" + Hex(fields) +
           ", dmDisplayOrientation=" + Hex(orientation) + ", null, flags=" + Hex(flags) + ", null)";
}

// The read leaves dmDisplayOrientation at 0 in the driver's record.
inline std::string SupportQuery() {
    return Change(0x01000000, 0, 2);
}
inline std::string OrientationQuery(unsigned long supported) {
    return Change(0x00800000, supported, 2);
}
inline std::string Apply(unsigned long code) {
    return Change(0x00800000, code, 0);
}

inline std::vector<std::string> Message(const std::string& text) {
    return {"GetMessageBoxOwner()",
            "MessageBox(messageBoxOwner, \"" + text + "\", \"Tarvelin\", style=0x30)"};
}

inline std::vector<std::string> Join(std::vector<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

} // namespace expect

// Owns the strings of an argument vector laid out as start-up builds it.
class ArgumentVector {
  public:
    explicit ArgumentVector(const std::vector<std::u16string>& arguments) {
        strings_.push_back(recording::ToWide(u"\\Windows\\tarvelin.exe"));
        for (const auto& argument : arguments) {
            strings_.push_back(recording::ToWide(argument));
        }
        for (auto& string : strings_) {
            pointers_.push_back(string.data());
        }
        pointers_.push_back(nullptr);
    }
    Int32 argc() const { return static_cast<Int32>(strings_.size()); }
    const WideChar* const* argv() const { return pointers_.data(); }

  private:
    std::vector<std::vector<WideChar>> strings_;
    std::vector<const WideChar*> pointers_;
};

#endif
