// The core on the port's test double: every unit row of scenarios.txt, run
// from its Linux arguments and from its raw Windows line.
#include "orientation/rotation_commands.h"
#include "port_double.h"
#include "scenarios.h"
#include "startup/startup.h"
#include "text/utf.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return words;
}

std::vector<WideChar> Wide(const char* text) {
    std::vector<WideChar> wide(Utf8ToUtf16(text, nullptr) + 1, 0);
    Utf8ToUtf16(text, wide.data());
    return wide;
}

Uint32 Code(const std::string& word) {
    return static_cast<Uint32>(std::stoul(word));
}

// "at N [offers SET]", "at ?", "fixed", "unanswered"; then what the user does.
DoubleScript ScriptFor(const Scenario& scenario) {
    DoubleScript script;
    const std::vector<std::string> display = Words(scenario.display);
    if (display[0] == "fixed") {
        script.offered = 0;
    } else if (display[0] == "unanswered") {
        script.answers = false;
        script.reports = display.size() > 1; // "unanswered, reported"
    } else if (display.at(1) == "?") {
        script.currentKnown = false;
    } else {
        script.current = Code(display[1]);
        if (display.size() == 4) {
            script.offered = Code(display[3]);
        }
    }
    const std::vector<std::string> outcome = Words(scenario.outcome);
    script.turnTaken = outcome.back() != "refused";
    if (outcome[0] == "menu") {
        script.menuAnswer = outcome[1] == "closed"    ? kMenuClosed
                            : outcome[1] == "unshown" ? kMenuNotShown
                                                      : kMenuPicked;
        script.menuPick = script.menuAnswer == kMenuPicked ? Code(outcome[1]) : 0;
    }
    return script;
}

// What the user sees change: the menu, the turn asked, the box.
std::vector<std::string> ExpectedEvents(const Scenario& scenario) {
    const std::vector<std::string> outcome = Words(scenario.outcome);
    std::vector<std::string> events;
    if (outcome[0] == "box") {
        return {"message " + outcome[1]};
    }
    if (outcome[0] == "nothing") {
        return {};
    }
    if (outcome[0] == "menu") {
        events.push_back("menu");
        if (outcome[1] == "closed" || outcome[1] == "unshown") {
            return events;
        }
    }
    events.push_back("apply " + outcome[1]);
    if (outcome.back() == "refused") {
        events.push_back("message unsupported");
    }
    return events;
}

TEST(Scenarios, EachCommandLineEndsAsTheTableSays) {
    for (const Scenario& scenario : kUnitScenarios) {
        SCOPED_TRACE("scenarios.txt:" + std::to_string(scenario.line) + ": " + scenario.name);
        if (scenario.forLinux) {
            std::vector<const char*> arguments;
            for (const std::string& argument : scenario.linuxArguments) {
                arguments.push_back(argument.c_str());
            }
            PortDouble linux(ScriptFor(scenario));
            EXPECT_EQ(scenario.status,
                      StartFromArguments(linux.port(), static_cast<int>(arguments.size()),
                                         arguments.data()));
            EXPECT_EQ(ExpectedEvents(scenario), linux.events);
            EXPECT_EQ(1, linux.released);
        }
        if (scenario.windowsLine != nullptr) {
            PortDouble windows(ScriptFor(scenario));
            EXPECT_EQ(scenario.status,
                      StartFromArgumentLine(windows.port(), Wide(scenario.windowsLine).data()));
            EXPECT_EQ(ExpectedEvents(scenario), windows.events) << "from the Windows line";
            EXPECT_EQ(0, windows.released);
        }
    }
}

// The list never depends on the supported set or the current orientation.
TEST(ShowOrientationMenu, OffersTheFourCodesAtTheDisplaysAnchor) {
    DoubleScript script;
    script.offered = 0x2;
    script.current = 4;
    script.anchor = {400, 300};
    PortDouble port(script);
    const char* menu[] = {"/menu"};
    EXPECT_EQ(0, StartFromArguments(port.port(), 1, menu));
    EXPECT_EQ(std::vector<Uint32>({0, 1, 2, 4}), port.menuCodes);
    EXPECT_EQ(400, port.menuAnchor.x);
    EXPECT_EQ(300, port.menuAnchor.y);
}

} // namespace
