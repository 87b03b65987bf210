// The unit rows of scenarios.txt, the one table of what each command line
// does, turned into code at build time by scenarios_to_cpp.py.
#ifndef TARVELIN_TESTS_SCENARIOS_H
#define TARVELIN_TESTS_SCENARIOS_H

#include <string>
#include <vector>

struct Scenario {
    int line; // in scenarios.txt
    const char* name;
    const char* windowsLine; // UTF-8, as are the arguments; null: not for Windows
    bool forLinux;
    std::vector<std::string> linuxArguments;
    const char* display;
    const char* outcome;
    int status;
};

const Scenario kUnitScenarios[] = {
#include "scenarios.inc"
};

#endif
