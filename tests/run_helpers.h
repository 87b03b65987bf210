// The call texts the recording CE calls write, for the expected sequences.
#ifndef TARVELIN_TESTS_RUN_HELPERS_H
#define TARVELIN_TESTS_RUN_HELPERS_H

#include "recording_ce_api.h"

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

inline std::vector<std::string> Box(const std::string& text) {
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

#endif
