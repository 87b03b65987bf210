#include "orientation/orientation_menu.h"

#include "orientation/display_requests.h"
#include "orientation/texts.h"

namespace {

// An item's identifier is 100 plus its orientation code.
const Uint32 kFirstIdentifier = 100;

struct MenuItem {
    Uint32 code;
    const WideChar* label;
};

const MenuItem kItems[] = {
    {CE_DMDO_0, kMenuLabelDefault},
    {CE_DMDO_90, kMenuLabel90},
    {CE_DMDO_180, kMenuLabel180},
    {CE_DMDO_270, kMenuLabel270},
};

const MenuItem* FindItem(int identifier) {
    for (size_t i = 0; i < sizeof kItems / sizeof kItems[0]; ++i) {
        if (static_cast<Uint32>(identifier) == kFirstIdentifier + kItems[i].code) {
            return &kItems[i];
        }
    }
    return NULL;
}

} // namespace

void ShowOrientationMenu(CE_DEVMODEW* record) {
    const PlatformMenu menu = PlatformCreatePopupMenu();
    for (size_t i = 0; i < sizeof kItems / sizeof kItems[0]; ++i) {
        PlatformAppendMenu(menu, CE_MF_STRING, kFirstIdentifier + kItems[i].code, kItems[i].label);
    }
    const PlatformWindow owner = PlatformGetMenuOwner();
    const int height = PlatformGetSystemMetrics(CE_SM_CYSCREEN);
    const int width = PlatformGetSystemMetrics(CE_SM_CXSCREEN);
    const int picked =
        PlatformTrackPopupMenuEx(menu, CE_TPM_CENTERALIGN | CE_TPM_VCENTERALIGN | CE_TPM_RETURNCMD,
                                 width / 2, height / 2, owner, NULL);
    PlatformDestroyMenu(menu);

    // A menu closed without a choice answers 0: that is no orientation, and
    // must not reach the driver as one.
    const MenuItem* item = FindItem(picked);
    if (item != NULL) {
        ApplyOrientation(record, item->code);
    }
}
