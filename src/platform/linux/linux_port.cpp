#include "platform/linux/linux_port.h"

#include "platform/linux/process_services.h"
#include "platform/x11/x11_port.h"

namespace {

X11Connection gX11Connection;

} // namespace

Port ChooseLinuxPort() {
    return Port{X11DisplayOperations(&gX11Connection), X11DialogOperations(&gX11Connection),
                LinuxProcessServices()};
}
