#include "scenarios.h"

#include "text/utf.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace {

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? ""
                                      : text.substr(first, text.find_last_not_of(' ') + 1 - first);
}

// Splits on bars that no backslash escapes; the escapes stay for Unescape.
std::vector<std::string> Fields(const std::string& row) {
    std::vector<std::string> fields(1);
    for (size_t i = 0; i < row.size(); ++i) {
        if (row[i] == '\\' && i + 1 < row.size()) {
            fields.back() += row.substr(i++, 2);
        } else if (row[i] == '|') {
            fields.emplace_back();
        } else {
            fields.back() += row[i];
        }
    }
    for (std::string& field : fields) {
        field = Trim(field);
    }
    return fields;
}

// The text with the table's escapes undone.
std::string Unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char e = text[++i];
        out += e == 's' ? " " : e == 't' ? "\t" : e == 'e' ? "" : std::string(1, e);
    }
    return out;
}

} // namespace

std::vector<WideChar> Wide(const std::string& text) {
    std::vector<WideChar> wide(Utf8ToUtf16(text.c_str(), nullptr) + 1, 0);
    Utf8ToUtf16(text.c_str(), wide.data());
    return wide;
}

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return words;
}

namespace {

std::vector<std::string> Arguments(const std::string& field) {
    std::vector<std::string> arguments;
    for (const std::string& word : Words(field)) {
        arguments.push_back(Unescape(word));
    }
    return arguments;
}

} // namespace

std::vector<Scenario> ScenariosFor(const std::string& layer) {
    std::ifstream file(TARVELIN_SCENARIOS);
    EXPECT_TRUE(file) << TARVELIN_SCENARIOS;
    std::vector<Scenario> scenarios;
    int number = 0;
    for (std::string row; std::getline(file, row);) {
        ++number;
        if (Trim(row).empty() || row[0] == '#') {
            continue;
        }
        const std::vector<std::string> fields = Fields(row);
        if (fields.size() != 7) {
            ADD_FAILURE() << "scenarios.txt:" << number << ": " << fields.size() << " fields";
            continue;
        }
        Scenario scenario;
        scenario.line = number;
        scenario.name = fields[0];
        scenario.forWindows = fields[1] != "-";
        scenario.windowsLine = scenario.forWindows ? Unescape(fields[1]) : "";
        scenario.forLinux = fields[2] != "-";
        if (scenario.forLinux) {
            scenario.linuxArguments = Arguments(fields[2]);
        }
        scenario.display = fields[3];
        scenario.outcome = fields[4];
        scenario.status = std::stoi(fields[5]);
        scenario.layers = Words(fields[6]);
        if (std::count(scenario.layers.begin(), scenario.layers.end(), layer) > 0) {
            scenarios.push_back(scenario);
        }
    }
    return scenarios;
}
