// The Linux program's entry: the shell has split the command line already.
#include "entry/linux_port.h"
#include "platform/linux/standard_error.h"
#include "startup/startup.h"

#include <stdio.h>
#include <string.h>

namespace {

const char kUsage[] = "Usage: tarvelin [/toggle | /set CODE | /menu]\n"
                      "Turns the display (X11, or a Wayland desktop's), one action per run:\n"
                      "  (none)     a quarter turn along the cycle 0 -> 4 -> 2 -> 1 -> 0\n"
                      "  /toggle    between the default orientation and 270 degrees\n"
                      "  /set CODE  to the orientation with that code\n"
                      "  /menu      to the orientation picked from a menu\n"
                      "Any other argument runs the cycle.\n"
                      "Codes count counter-clockwise: 0 default, 1 90 degrees, 2 180, 4 270.\n"
                      "  -h, --help  show this help\n"
                      "  --version   show the version\n"
                      "Exit status: 0 turned, or the menu closed without a choice; 1 the display\n"
                      "cannot be turned or the menu cannot be shown; 2 CODE is not 0, 1, 2 or 4.\n";

// Static, not cleared on the stack: only pages the chosen backend writes
// are touched, and each page first touched costs a fault.
LinuxBackends backends;

bool Is(const char* argument, const char* option) {
    return strcmp(argument, option) == 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && (Is(argv[1], "--help") || Is(argv[1], "-h"))) {
        fputs(kUsage, stdout);
        return 0;
    }
    if (argc > 1 && Is(argv[1], "--version")) {
        puts("tarvelin " TARVELIN_VERSION);
        return 0;
    }
    StartupFailure failure = kStartupRan;
    const Int32 status = StartFromArguments(LinuxPort(&backends, argc > 0 ? argv[0] : nullptr),
                                            argc > 0 ? argc - 1 : 0, argv + 1, &failure);
    CloseLinuxPort(&backends);
    if (failure == kNoModulePath) {
        ReportError("cannot start: the program's own path is unknown");
    } else if (failure == kNoArgumentBlock) {
        ReportError("cannot start: not enough memory for the arguments");
    }
    return status;
}
