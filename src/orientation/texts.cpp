#include "orientation/texts.h"

#include "orientation/orientation_table.h"

// The trailing spaces are part of the texts as the devices show them.

// "Tarvelin"
const WideChar kMessageCaption[] = {'T', 'a', 'r', 'v', 'e', 'l', 'i', 'n', 0};

namespace {

// "你的设备不支持屏幕旋转!" and 33 spaces: 45 units.
const WideChar kUnsupportedRotationText[] = {
    0x4F60, 0x7684, 0x8BBE, 0x5907, 0x4E0D, 0x652F, 0x6301, 0x5C4F, 0x5E55, 0x65CB, 0x8F6C, '!',
    ' ',    ' ',    ' ',    ' ',    ' ',    ' ',    ' ',    ' ',    ' ',    ' ',    ' ',    ' ',
    ' ',    ' ',    ' ',    ' ',    ' ',    ' ',    ' ',    ' ',    ' ',    ' ',    ' ',    ' ',
    ' ',    ' ',    ' ',    ' ',    ' ',    ' ',    ' ',    ' ',    ' ',    0};

// "无效的旋转模式!" and 17 spaces: 25 units.
const WideChar kInvalidModeText[] = {
    0x65E0, 0x6548, 0x7684, 0x65CB, 0x8F6C, 0x6A21, 0x5F0F, '!', ' ', ' ', ' ', ' ', ' ',
    ' ',    ' ',    ' ',    ' ',    ' ',    ' ',    ' ',    ' ', ' ', ' ', ' ', ' ', 0};

// "默认" and 5 spaces: 7 units.
const WideChar kMenuLabelDefault[] = {0x9ED8, 0x8BA4, ' ', ' ', ' ', ' ', ' ', 0};

// "横屏 90 度" and 5 spaces: 12 units.
const WideChar kMenuLabel90[] = {0x6A2A, 0x5C4F, ' ', '9', '0', ' ', 0x5EA6,
                                 ' ',    ' ',    ' ', ' ', ' ', 0};

// "竖屏 180 度" and 4 spaces: 12 units.
const WideChar kMenuLabel180[] = {0x7AD6, 0x5C4F, ' ', '1', '8', '0', ' ',
                                  0x5EA6, ' ',    ' ', ' ', ' ', 0};

// "横屏 270 度" and 5 spaces: 13 units.
const WideChar kMenuLabel270[] = {0x6A2A, 0x5C4F, ' ', '2', '7', '0', ' ',
                                  0x5EA6, ' ',    ' ', ' ', ' ', ' ', 0};

// "竖屏 90 度" and 5 spaces: 12 units.
const WideChar kWideMenuLabel90[] = {0x7AD6, 0x5C4F, ' ', '9', '0', ' ', 0x5EA6,
                                     ' ',    ' ',    ' ', ' ', ' ', 0};

// "横屏 180 度" and 4 spaces: 12 units.
const WideChar kWideMenuLabel180[] = {0x6A2A, 0x5C4F, ' ', '1', '8', '0', ' ',
                                      0x5EA6, ' ',    ' ', ' ', ' ', 0};

// "竖屏 270 度" and 5 spaces: 13 units.
const WideChar kWideMenuLabel270[] = {0x7AD6, 0x5C4F, ' ', '2', '7', '0', ' ',
                                      0x5EA6, ' ',    ' ', ' ', ' ', ' ', 0};

} // namespace

const Message kUnsupportedRotationMessage = {kUnsupportedRotationText,
                                             "your device does not support screen rotation"};
const Message kInvalidModeMessage = {kInvalidModeText, "invalid rotation mode"};

const MenuItem kMenuItems[kMenuItemCount] = {
    {kOrientation0, kMenuLabelDefault},
    {kOrientation90, kMenuLabel90},
    {kOrientation180, kMenuLabel180},
    {kOrientation270, kMenuLabel270},
};

const MenuItem kWideMenuItems[kMenuItemCount] = {
    {kOrientation0, kMenuLabelDefault},
    {kOrientation90, kWideMenuLabel90},
    {kOrientation180, kWideMenuLabel180},
    {kOrientation270, kWideMenuLabel270},
};
