#!/usr/bin/env python3
"""Writes the unit rows of scenarios.txt as a C++ initializer list, so that
the unit tests read the table through the same parser as the other layers.

    scenarios_to_cpp.py OUTPUT
"""

import json
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "e2e"))
from scenarios import rows  # noqa: E402


def literal(text):
    # JSON's escapes (\\", \\\\, \\t, \\uXXXX) are C++'s too.
    return "nullptr" if text is None else json.dumps(text)


def main():
    lines = []
    for number, name, windows, linux, display, outcome, status in rows("unit"):
        arguments = "{" + ", ".join(map(literal, linux or [])) + "}"
        lines.append(f"{{{number}, {literal(name)}, {literal(windows)}, {str(linux is not None).lower()}, "
                     f"{arguments}, {literal(display)}, {literal(outcome)}, {status}}},")
    with open(sys.argv[1], "w", encoding="utf-8") as out:
        out.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
