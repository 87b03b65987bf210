// The port between the portable core and a platform: what the core asks of
// a display, of the user and of the process, as tables of operations. Each
// backend fills the tables once; the core calls nothing else. Must stay
// C++03 and free of platform headers: the Windows CE compilers build it.
#ifndef TARVELIN_PLATFORM_PORT_H
#define TARVELIN_PLATFORM_PORT_H

#include <stddef.h>

// The CE compilers have no <stdint.h>; every target here has a 32-bit int.
typedef int Int32;
typedef unsigned int Uint32;
typedef unsigned short Uint16;

// A UTF-16 code unit. On Windows that is wchar_t, so strings pass to the API
// unchanged; elsewhere wchar_t is 32 bits wide.
#if defined(_WIN32)
typedef wchar_t WideChar;
#else
typedef Uint16 WideChar;
#endif

typedef char PortCheckInt32[sizeof(Int32) == 4 ? 1 : -1];
typedef char PortCheckUint16[sizeof(Uint16) == 2 ? 1 : -1];
typedef char PortCheckWideChar[sizeof(WideChar) == 2 ? 1 : -1];

struct Point {
    int x;
    int y;
};

// One of the program's messages: the text its box shows, and the English
// sense for a platform that can only say it in a line of text.
struct Message {
    const WideChar* text;
    const char* english;
};

// One menu item: the orientation code it stands for and its label.
struct MenuItem {
    Uint32 code;
    const WideChar* label;
};

enum MenuAnswer { kMenuPicked, kMenuClosed, kMenuNotShown };

// How a display stands at its default orientation: wider than tall, taller
// than wide, or square.
enum DisplayShape { kShapeUnknown, kShapeWide, kShapeTall, kShapeSquare };

// The display that turns. Codes are the orientation codes (0, 1, 2, 4).
struct DisplayOperations {
    void* state; // passed to each operation
    // The codes the display can show, as a set (0: none). False when the
    // display cannot be asked.
    bool (*supportedOrientations)(void* state, Uint32* set);
    bool (*currentOrientation)(void* state, Uint32* code);
    // True once the display shows code. False when it was refused: the
    // display is then as it was before.
    bool (*applyOrientation)(void* state, Uint32 code);
    // The middle of the output that turns, where the box and the menu are
    // centred; (-1, -1) where the platform centres them itself.
    Point (*dialogAnchor)(void* state);
    // The shape at the default orientation, whatever the display shows now;
    // kShapeUnknown when it cannot be read.
    DisplayShape (*defaultShape)(void* state);
    // True when the backend has itself said why the display cannot be
    // turned (on standard error: an output it cannot find, a lost
    // connection), so that no box repeats it.
    bool (*failureReported)(void* state);
};

// What the user sees and answers. Both block until the user is done.
struct DialogOperations {
    void* state;
    // Centred on anchor. False when the box could not be shown; the backend
    // has then said so where it still can (a GUI program on Windows has
    // nowhere).
    bool (*showMessage)(void* state, const Message* message, Point anchor);
    // Centred on anchor. kMenuPicked sets *picked to the code of the item
    // chosen; kMenuNotShown has been reported where it can be, as above.
    MenuAnswer (*chooseFromMenu)(void* state, const MenuItem* items, int count, Point anchor,
                                 Uint32* picked);
};

// What start-up needs of the process.
struct ProcessServices {
    void* state;
    // The program's own path into buffer: the units written, 0 on failure.
    // A path that does not fit may fill the buffer unterminated.
    Uint32 (*moduleFileName)(void* state, WideChar* buffer, Uint32 size);
    // A fixed block of that size, or null.
    void* (*allocate)(void* state, size_t bytes);
    // Null where the argument block is kept until the process ends.
    void (*release)(void* state, void* block);
    // Non-zero for a unit of the platform's space class.
    int (*isWhiteSpace)(WideChar unit);
};

struct Port {
    DisplayOperations display;
    DialogOperations dialogs;
    ProcessServices process;
};

#endif
