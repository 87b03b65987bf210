#include "platform/win32/desktop/desktop_port.h"

#include "platform/win32/desktop/desktop_dialog_operations.h"
#include "platform/win32/desktop/desktop_display_operations.h"
#include "platform/win32/desktop/desktop_process_services.h"

Port DesktopPort() {
    return {DesktopDisplayOperations(), DesktopDialogOperations(), DesktopProcessServices()};
}
