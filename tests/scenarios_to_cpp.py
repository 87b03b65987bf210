#!/usr/bin/env python3
"""scenarios_to_cpp.py OUTPUT: the unit rows of scenarios.txt as C++ initializers, each with
its script for the port's test double and the events the user must see."""

import json
import os
import re
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "e2e"))
from scenarios import HANDHELD_LABELS, MENU_CODES, WIDE_LABELS, rows  # noqa: E402

# An outcome, rewritten in turn into the events the double notes.
EVENTS = [(r"^turn ", "apply "), (r"^menu (\d)", r"menu, apply \1"),
          (r"^menu( [a-z]+)?", "menu " + " ".join(map(str, MENU_CODES))),
          (r" refused$", ", box unsupported"), (r"^nothing$", "")]


def script(display, outcome):
    """answers, reports, offered, current known and code, shape, labels, turn, menu answer, pick."""
    shown, done = display.split(), outcome.split()
    shape = shown[-1] if shown[-1] in ("wide", "tall", "square") else "unknown"
    labels = WIDE_LABELS if shape == "wide" else HANDHELD_LABELS
    current = shown[1] if shown[0] == "at" else "0"
    offered = 0 if shown[0] == "fixed" else int(shown[3]) if len(shown) == 4 else 7
    pick = done[1] if done[0] == "menu" else "closed"
    answer = {"closed": "kMenuClosed", "unshown": "kMenuNotShown"}.get(pick, "kMenuPicked")
    values = [shown[0] != "unanswered", shown[-1] == "reported", offered, current != "?",
              int(current) if current.isdigit() else 0, "kShape" + shape.title(),
              "{%s}" % ", ".join("{%s}" % ", ".join(str(ord(c)) for c in label) for label in labels),
              done[-1] != "refused", answer,
              int(pick) if pick.isdigit() else 0]
    return ", ".join(str(v).lower() if isinstance(v, bool) else str(v) for v in values)


def events(outcome):
    for pattern, replacement in EVENTS:
        outcome = re.sub(pattern, replacement, outcome)
    return outcome


def main():
    lines = []
    for number, name, windows, linux, display, outcome, status in rows("unit"):
        arguments = ", ".join(map(json.dumps, linux or []))
        # UTF-16 units: past the BMP a unit would not fit, and the build fails.
        line = ", ".join(str(ord(c)) for c in windows + "\0") if windows is not None else ""
        lines.append(f"{{{number}, {json.dumps(name)}, {str(linux is not None).lower()}, {{{arguments}}}, "
                     f"{{{line}}}, {script(display, outcome)}, {json.dumps(events(outcome))}, {status}}},")
    with open(sys.argv[1], "w", encoding="utf-8") as out:
        out.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
