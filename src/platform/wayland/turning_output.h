// The output a Wayland backend turns, chosen once from the outputs the
// backend reads, and the port's display operations on it, which every
// Wayland backend shares: each brings only how it reads and turns.
#ifndef TARVELIN_PLATFORM_WAYLAND_TURNING_OUTPUT_H
#define TARVELIN_PLATFORM_WAYLAND_TURNING_OUTPUT_H

#include "platform/port.h"
#include "platform/wayland/output_layout.h"

struct TurningOutput {
    // The backend's: its layout, and how it fills and turns it.
    WaylandOutput* layout;
    const int* count;
    bool (*read)();              // fills layout; false when not described
    int (*preferred)();          // the desktop's own default output, or -1
    bool (*turn)(int transform); // layout[turned]; true once applied
    // Kept here.
    bool asked;
    int turned;    // -1: none can turn
    bool reported; // why none can, on standard error
};

// Reads the outputs and chooses the one that turns; false, said on
// standard error, when none can. For a backend that must read again.
bool ReadAndChoose(TurningOutput* output);

// The port's operations on output, read on first use.
DisplayOperations TurningOutputOperations(TurningOutput* output);

#endif
