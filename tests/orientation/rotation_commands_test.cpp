// The core on the port's test double: every unit row of scenarios.txt, run
// from its Linux arguments and from its raw Windows line.
#include "orientation/texts.h"
#include "startup/startup.h"

#include <gtest/gtest.h>

#include <cwctype>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

// A row, and what the double answers there as scenarios_to_cpp.py reads it.
struct Row {
    int line;
    const char* name;
    bool forLinux;
    std::vector<const char*> linuxArguments;
    std::vector<WideChar> windowsLine; // empty: not for Windows
    bool answers;                      // false: not even the supported set can be asked
    bool reports;                      // the display has said itself why it cannot turn
    Uint32 offered;
    bool currentKnown;
    Uint32 current;
    DisplayShape shape;
    std::vector<std::basic_string<WideChar>> labels; // the menu's
    bool turnTaken;
    MenuAnswer menuAnswer;
    Uint32 menuPick;
    const char* events; // what the user sees change, in order
    int status;
};

const Row kRows[] = {
#include "scenarios.inc"
};

const Point kAnchor = {400, 300};

struct Double {
    const Row& row;
    std::string events{};
    std::map<void*, std::unique_ptr<unsigned char[]>> blocks{};
    int released = 0; // argument blocks given back

    static Double& Of(void* state) { return *static_cast<Double*>(state); }
    void Note(const std::string& event) { events += (events.empty() ? "" : ", ") + event; }

    static bool Supported(void* state, Uint32* set) {
        *set = Of(state).row.offered;
        return Of(state).row.answers;
    }
    static bool Current(void* state, Uint32* code) {
        *code = Of(state).row.current;
        return Of(state).row.currentKnown;
    }
    static bool Apply(void* state, Uint32 code) {
        Of(state).Note("apply " + std::to_string(code));
        return Of(state).row.turnTaken;
    }
    static Point Anchor(void*) { return kAnchor; }
    static DisplayShape Shape(void* state) { return Of(state).row.shape; }
    static bool Reported(void* state) { return Of(state).row.reports; }

    static bool Show(void* state, const Message* message, Point anchor) {
        EXPECT_TRUE(anchor.x == kAnchor.x && anchor.y == kAnchor.y) << anchor.x << "," << anchor.y;
        Of(state).Note(message == &kInvalidModeMessage ? "box invalid" : "box unsupported");
        return true;
    }
    // The items' codes are noted: the table says they never depend on what is offered or shown.
    static MenuAnswer Choose(void* state, const MenuItem* items, int count, Point anchor,
                             Uint32* picked) {
        EXPECT_TRUE(anchor.x == kAnchor.x && anchor.y == kAnchor.y) << anchor.x << "," << anchor.y;
        Of(state).Note("menu");
        std::vector<std::basic_string<WideChar>> labels;
        for (int i = 0; i < count; ++i) {
            Of(state).events += " " + std::to_string(items[i].code);
            labels.push_back(items[i].label);
        }
        EXPECT_EQ(Of(state).row.labels, labels);
        *picked = Of(state).row.menuPick;
        return Of(state).row.menuAnswer;
    }

    static Uint32 ModuleFileName(void*, WideChar* buffer, Uint32) {
        buffer[0] = 't';
        return 1;
    }
    static void* Allocate(void* state, size_t bytes) {
        unsigned char* block = new unsigned char[bytes];
        Of(state).blocks[block].reset(block);
        return block;
    }
    static void Release(void* state, void* block) {
        Of(state).released += static_cast<int>(Of(state).blocks.erase(block));
    }
    static int IsWhiteSpace(WideChar unit) { return std::iswspace(unit); }

    Port port() {
        return {{this, Supported, Current, Apply, Anchor, Shape, Reported},
                {this, Show, Choose},
                {this, ModuleFileName, Allocate, Release, IsWhiteSpace}};
    }
};

TEST(Scenarios, EachCommandLineEndsAsTheTableSays) {
    for (const Row& row : kRows) {
        SCOPED_TRACE("scenarios.txt:" + std::to_string(row.line) + ": " + row.name);
        if (row.forLinux) {
            Double shell{row};
            StartupFailure failure = kNoModulePath;
            EXPECT_EQ(row.status,
                      StartFromArguments(shell.port(), static_cast<int>(row.linuxArguments.size()),
                                         row.linuxArguments.data(), &failure));
            EXPECT_EQ(kStartupRan, failure);
            EXPECT_EQ(row.events, shell.events);
            EXPECT_EQ(1, shell.released);
        }
        if (!row.windowsLine.empty()) {
            Double raw{row};
            EXPECT_EQ(row.status, StartFromArgumentLine(raw.port(), row.windowsLine.data()));
            EXPECT_EQ(row.events, raw.events) << "from the Windows line";
            EXPECT_EQ(0, raw.released); // kept until the process ends
        }
    }
}

} // namespace
