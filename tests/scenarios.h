// The rows of scenarios.txt, the one table of what each command line does.
#ifndef TARVELIN_TESTS_SCENARIOS_H
#define TARVELIN_TESTS_SCENARIOS_H

#include "platform/port.h"

#include <string>
#include <vector>

struct Scenario {
    int line; // in the file, for messages
    std::string name;
    bool forWindows = false;
    std::string windowsLine; // UTF-8, as are the arguments
    bool forLinux = false;
    std::vector<std::string> linuxArguments;
    std::string display;
    std::string outcome;
    int status = -1;
    std::vector<std::string> layers;
};

// The rows for layer; fails the calling test on a malformed row.
std::vector<Scenario> ScenariosFor(const std::string& layer);

// The text as UTF-16 with a terminator, as the program takes it.
std::vector<WideChar> Wide(const std::string& text);

// The words of text, split on spaces.
std::vector<std::string> Words(const std::string& text);

#endif
