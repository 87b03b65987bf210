"""The rows of tests/scenarios.txt, the one table of what each command line
does, and the facts the end-to-end layers share about the program."""

import os
import re
from collections import namedtuple

TABLE = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "scenarios.txt")

UNSUPPORTED = "你的设备不支持屏幕旋转!" + " " * 33
BOXES = {"unsupported": UNSUPPORTED, "invalid": "无效的旋转模式!" + " " * 17}
# The menu's labels in MENU_CODES order, on a handheld (taller than wide) and on a wide display.
HANDHELD_LABELS, WIDE_LABELS = (["默认     ", "横屏 90 度     ", "竖屏 180 度    ", "横屏 270 度     "],
                                ["默认     ", "竖屏 90 度     ", "横屏 180 度    ", "竖屏 270 度     "])
# Every convention turns the picture counter-clockwise: code 1 is xrandr's
# "left". The menu lists the codes in this order.
XRANDR_NAME = {0: "normal", 1: "left", 2: "inverted", 4: "right"}
MENU_CODES = list(XRANDR_NAME)
# The quarter turns of each code: wl_output's transform and Windows' DMDO_ value alike.
QUARTER_TURNS = {0: 0, 1: 1, 2: 2, 4: 3}
# The XInput matrix an absolute pointer takes at each code, row by row; others keep code 0's.
TOUCH_MATRIX = {0: [1, 0, 0, 0, 1, 0, 0, 0, 1], 1: [0, -1, 1, 1, 0, 0, 0, 0, 1],
                2: [-1, 0, 1, 0, -1, 1, 0, 0, 1], 4: [0, 1, 0, -1, 0, 1, 0, 0, 1]}


class Scenario(namedtuple("Scenario",
                          "line name windows_line linux_arguments start outcome status")):
    """A row; start: the code the display shows first, None for a fixed one."""

    def turned_to(self):
        """The code the display ends at, or None when it must stay."""
        words = self.outcome.split()
        turns = words[0] in ("turn", "menu") and words[1].isdigit() and words[-1] != "refused"
        return int(words[1]) if turns else None

    def box(self):
        words = self.outcome.split()
        return BOXES[words[1]] if words[0] == "box" else None

    def menu_pick(self):
        """The code to pick, "closed" to close the menu, or None for no menu."""
        words = self.outcome.split()
        return (int(words[1]) if words[1].isdigit() else words[1]) if words[0] == "menu" else None


def _unescape(text):
    return re.sub(r"\\(.)", lambda m: {"s": " ", "t": "\t", "e": ""}.get(m[1], m[1]), text)


def rows(layer):
    """(line number, name, windows line or None, linux arguments or None,
    display, outcome, status) of each row that names layer."""
    with open(TABLE, encoding="utf-8") as table:
        for number, row in enumerate(table, 1):
            if not row.strip() or row.startswith("#"):
                continue
            fields = [f.strip() for f in re.split(r"(?<!\\)\|", row.rstrip("\n"))]
            name, windows, linux, display, outcome, status, layers = fields
            if layer in layers.split():
                yield (number, name, None if windows == "-" else _unescape(windows),
                       None if linux == "-" else [_unescape(w) for w in linux.split()],
                       display, outcome, int(status))


def scenarios(layer):
    """The rows that name layer, each on a display at a code (start) or a fixed one (None)."""
    return [Scenario(*row[:4], None if row[4] == "fixed" else int(row[4].split()[1]), *row[5:])
            for row in rows(layer)]
