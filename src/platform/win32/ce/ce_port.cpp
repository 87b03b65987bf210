#include "platform/win32/ce/ce_port.h"

#include "orientation/texts.h"
#include "platform/win32/menu_identifiers.h"

#include <string.h>

namespace {

CE_DEVMODEW& RecordOf(void* state) {
    return static_cast<CeSession*>(state)->record;
}

bool Tested(CE_DEVMODEW& record) {
    return CeChangeDisplaySettingsEx(NULL, &record, NULL, CE_CDS_TEST, NULL) ==
           CE_DISP_CHANGE_SUCCESSFUL;
}

// The settings read, then the support query; a display that offers a turn
// puts the record in orientation mode for the rest of the run.
bool SupportedOrientations(void* state, Uint32* set) {
    CE_DEVMODEW& record = RecordOf(state);
    // A failed read must not pass stack garbage on to the display driver.
    memset(&record, 0, sizeof record);
    record.dmSize = CE_DEVMODEW_SIZE;
    CeEnumDisplaySettings(NULL, CE_ENUM_CURRENT_SETTINGS, &record);
    record.dmFields = CE_DM_DISPLAYQUERYORIENTATION;
    if (!Tested(record)) {
        return false;
    }
    *set = record.dmDisplayOrientation;
    if (*set != 0) {
        record.dmSize = CE_DEVMODEW_SIZE;
        record.dmFields = CE_DM_DISPLAYORIENTATION;
    }
    return true;
}

bool CurrentOrientation(void* state, Uint32* code) {
    CE_DEVMODEW& record = RecordOf(state);
    if (!Tested(record)) {
        return false;
    }
    *code = record.dmDisplayOrientation;
    return true;
}

bool ApplyOrientation(void* state, Uint32 code) {
    CE_DEVMODEW& record = RecordOf(state);
    record.dmDisplayOrientation = code;
    return CeChangeDisplaySettingsEx(NULL, &record, NULL, 0, NULL) == CE_DISP_CHANGE_SUCCESSFUL;
}

// CE centres its boxes itself, and the menu reads the screen's size just
// before it is shown: no call is made here.
Point DialogAnchor(void*) {
    const Point none = {-1, -1};
    return none;
}

// CE runs on handhelds, taller than wide: the labels were written for them.
// No call is made here either.
DisplayShape DefaultShape(void*) {
    return kShapeTall;
}

// CE has nowhere else to say it: every failure gets its box.
bool NothingReported(void*) {
    return false;
}

bool ShowMessage(void*, const Message* message, Point) {
    return CeMessageBox(CeGetMessageBoxOwner(), message->text, kMessageCaption,
                        CE_MB_OK | CE_MB_ICONEXCLAMATION) != 0;
}

MenuAnswer ChooseFromMenu(void*, const MenuItem* items, int count, Point, Uint32* picked) {
    const CeMenu menu = CeCreatePopupMenu();
    if (menu == NULL) {
        return kMenuNotShown;
    }
    for (int i = 0; i < count; ++i) {
        if (CeAppendMenu(menu, CE_MF_STRING, kFirstMenuIdentifier + items[i].code,
                         items[i].label) == 0) {
            CeDestroyMenu(menu);
            return kMenuNotShown;
        }
    }
    const CeWindow owner = CeGetMenuOwner();
    const int height = CeGetSystemMetrics(CE_SM_CYSCREEN);
    const int width = CeGetSystemMetrics(CE_SM_CXSCREEN);
    const int identifier =
        CeTrackPopupMenuEx(menu, CE_TPM_CENTERALIGN | CE_TPM_VCENTERALIGN | CE_TPM_RETURNCMD,
                           width / 2, height / 2, owner, NULL);
    CeDestroyMenu(menu);
    return CodeOfIdentifier(items, count, identifier, picked) ? kMenuPicked : kMenuClosed;
}

Uint32 ModuleFileName(void* state, WideChar* buffer, Uint32 size) {
    return CeGetModuleFileName(static_cast<CeSession*>(state)->instance, buffer, size);
}

void* Allocate(void*, size_t bytes) {
    return CeLocalAlloc(CE_LMEM_FIXED, bytes);
}

} // namespace

Port CePort(CeSession* session) {
    const Port port = {
        {session, SupportedOrientations, CurrentOrientation, ApplyOrientation, DialogAnchor,
         DefaultShape, NothingReported},
        {session, ShowMessage, ChooseFromMenu},
        {session, ModuleFileName, Allocate, NULL, CeIsWhiteSpace},
    };
    return port;
}
