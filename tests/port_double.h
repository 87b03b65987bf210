// The port's test double: a display, dialogs and process that answer from a
// script and note what the user would see change.
#ifndef TARVELIN_TESTS_PORT_DOUBLE_H
#define TARVELIN_TESTS_PORT_DOUBLE_H

#include "platform/port.h"

#include <memory>
#include <string>
#include <vector>

struct DoubleScript {
    bool answers = true;  // false: not even the supported set can be asked
    bool reports = false; // the display says itself why it cannot turn
    Uint32 offered = 0x7;
    bool currentKnown = true;
    Uint32 current = 0;
    bool turnTaken = true;
    MenuAnswer menuAnswer = kMenuClosed;
    Uint32 menuPick = 0;
    Point anchor = {120, 160};
};

class PortDouble {
  public:
    explicit PortDouble(const DoubleScript& script = DoubleScript());
    const Port& port() const { return port_; }

    // "apply N", "message unsupported" / "message invalid", "menu", in order.
    std::vector<std::string> events;
    std::vector<Uint32> menuCodes;
    Point menuAnchor = {-1, -1};
    int released = 0; // argument blocks given back
    DoubleScript script;

  private:
    Port port_;
    std::vector<std::unique_ptr<unsigned char[]>> blocks_;
    static void* Allocate(void* state, size_t bytes);
    static void Release(void* state, void* block);
};

#endif
