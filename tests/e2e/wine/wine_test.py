#!/usr/bin/env python3
"""End-to-end tests of tarvelin.exe under Wine.

usage: wine_test.py WINDOWS_BUILD_DIR OUTPUT_DIR [unittest arguments]

An 800 x 480 Xephyr nested in an Xvfb is a display that really turns; a plain
Xvfb is one that cannot. Every run's outcome is read back from the X server,
since under Wine a change reported as done has not always happened.
Screenshots of a message box and of the menu are left in OUTPUT_DIR.
"""

import os
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))

from wine_session import WineDisplay, WinePrefix  # noqa: E402
import xdisplays  # noqa: E402

BUILD_DIR = None
OUTPUT_DIR = None
PREFIX = None

UNSUPPORTED = "你的设备不支持屏幕旋转!" + " " * 33
INVALID = "无效的旋转模式!" + " " * 17

WIDTH, HEIGHT = 800, 480
# Desktop DMDO_ value -> what xrandr then reports.
NORMAL = ("normal", WIDTH, HEIGHT)
LEFT = ("left", HEIGHT, WIDTH)
INVERTED = ("inverted", WIDTH, HEIGHT)
RIGHT = ("right", HEIGHT, WIDTH)
BY_DESKTOP_CODE = {0: NORMAL, 1: LEFT, 2: INVERTED, 3: RIGHT}


def expected_screen(desktop_code):
    _, width, height = BY_DESKTOP_CODE[desktop_code]
    return width, height


def setUpModule():
    global PREFIX
    PREFIX = WinePrefix()


def tearDownModule():
    PREFIX.remove()


class WineDisplayTest(unittest.TestCase):
    """Starts its X display and one Wine session on it for the whole class."""

    @classmethod
    def start_display(cls):
        raise NotImplementedError

    @classmethod
    def setUpClass(cls):
        cls.host = xdisplays.start_xvfb(1024, 1024)
        try:
            cls.server = cls.start_display()
            cls.wine = WineDisplay(PREFIX, cls.server, BUILD_DIR)
        except Exception:
            cls.stop_servers()
            raise

    @classmethod
    def tearDownClass(cls):
        cls.wine.close()
        cls.stop_servers()

    @classmethod
    def stop_servers(cls):
        server = getattr(cls, "server", None)
        if server is not None and server is not cls.host:
            xdisplays.stop_rotating(server)
        cls.host.stop()

    def expect_message(self, line, text, screenshot=None):
        process = self.wine.start(line)
        try:
            shown = self.wine.wait_for_message_box()
            if screenshot:
                self.wine.screenshot(os.path.join(OUTPUT_DIR, screenshot))
            self.wine.dismiss()
        finally:
            status = self.wine.finish(process)
        self.assertEqual(text, shown, line)
        self.assertEqual(0, status, line)


class RotatingDisplay(WineDisplayTest):
    @classmethod
    def start_display(cls):
        return xdisplays.start_rotating(cls.host, WIDTH, HEIGHT)

    def start_at(self, desktop_code):
        self.wine.turn(desktop_code)
        expected = BY_DESKTOP_CODE[desktop_code]
        self.assertEqual(expected, self.wine.wait_for_rotation(expected), "starting turn")

    def expect_turn(self, line, expected):
        self.assertEqual(0, self.wine.run(line), line)
        self.assertEqual(expected, self.wine.wait_for_rotation(expected), line)

    def test_cycle_turns_a_quarter_each_run_and_comes_round(self):
        self.start_at(0)
        for expected in (RIGHT, INVERTED, LEFT, NORMAL):
            self.expect_turn("", expected)

    def test_unrecognised_options_cycle(self):
        for line, start, expected in [
            ("/SET 4", 0, RIGHT),
            ("/set4", 3, INVERTED),
            ("/Toggle", 2, LEFT),
            ("/set", 1, NORMAL),
            ("  \t ", 0, RIGHT),
        ]:
            with self.subTest(line=line):
                self.start_at(start)
                self.expect_turn(line, expected)

    def test_toggle_both_ways(self):
        for line, start, expected in [
            ("/toggle", 0, RIGHT),
            ("/toggle", 3, NORMAL),
            ("/toggle", 2, NORMAL),
            ("/toggle", 1, NORMAL),
            ("/toggle /set 2 ignored", 0, RIGHT),
            ('"/to"gg"le"', 0, RIGHT),
            ('"/toggle"', 3, NORMAL),
        ]:
            with self.subTest(line=line, start=start):
                self.start_at(start)
                self.expect_turn(line, expected)

    def test_set_valid_values(self):
        for line, start, expected in [
            ("/set 2", 0, INVERTED),
            ("/set   4  ", 0, RIGHT),
            ("/set 4", 3, RIGHT),
            ('/set "1"', 0, LEFT),
            ('"/set" 0', 1, NORMAL),
            ("/set\t2abc", 3, INVERTED),
            ("/set abc", 2, NORMAL),
            ("/set +1", 2, LEFT),
        ]:
            with self.subTest(line=line, start=start):
                self.start_at(start)
                self.expect_turn(line, expected)

    def test_set_invalid_values_refuse_and_leave_the_display(self):
        self.start_at(1)
        for index, line in enumerate(["/set 3", "/set 5", "/set 8", "/set -1",
                                      "/set 4294967300", '"/set" "3"']):
            with self.subTest(line=line):
                self.expect_message(line, INVALID,
                                    "message_invalid_mode.png" if index == 0 else None)
                self.assertEqual(LEFT, self.wine.rotation(), line)

    def pick(self, line, keys, start, expected, screenshot=None):
        self.start_at(start)
        process = self.wine.start(line)
        try:
            (left, top, right, bottom), (width, height) = self.wine.wait_for_menu()
            self.assertEqual(expected_screen(start), (width, height))
            # Centred on the middle of the screen, give or take a pixel.
            self.assertLessEqual(abs((left + right) - width), 2, (left, right, width))
            self.assertLessEqual(abs((top + bottom) - height), 2, (top, bottom, height))
            if screenshot:
                self.wine.screenshot(os.path.join(OUTPUT_DIR, screenshot))
            self.wine.answer_menu(*keys)
        finally:
            status = self.wine.finish(process)
        self.assertEqual(0, status, line)
        self.assertEqual(expected, self.wine.wait_for_rotation(expected), line)

    def test_menu_applies_the_item_picked(self):
        for keys, start, expected in [
            (["Down", "Down", "Return"], 0, LEFT),
            (["Down", "Down", "Down", "Return"], 1, INVERTED),
            (["Down", "Down", "Down", "Down", "Return"], 2, RIGHT),
            (["Down", "Return"], 3, NORMAL),
            (["Down", "Return"], 0, NORMAL),
        ]:
            with self.subTest(keys=keys, start=start):
                self.pick("/menu", keys, start, expected,
                          "menu.png" if expected == LEFT else None)

    def test_menu_dismissed_leaves_the_display(self):
        for start in (0, 3):
            with self.subTest(start=start):
                self.pick("/menu", ["Escape"], start, BY_DESKTOP_CODE[start])

    def test_quoted_menu_option(self):
        self.pick('"/menu" extra', ["Down", "Down", "Down", "Return"], 0, INVERTED)


class FixedDisplay(WineDisplayTest):
    @classmethod
    def start_display(cls):
        return cls.host

    def test_every_command_line_refuses(self):
        for index, line in enumerate(["", "/toggle", "/set 2", "/set 3", "/menu", '"/menu"']):
            with self.subTest(line=line):
                self.expect_message(line, UNSUPPORTED,
                                    "message_unsupported.png" if index == 0 else None)
                self.assertEqual(("normal", 1024, 1024), self.wine.rotation(), line)


def main():
    global BUILD_DIR, OUTPUT_DIR
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    BUILD_DIR, OUTPUT_DIR = (os.path.abspath(path) for path in sys.argv[1:3])
    for program in ("tarvelin.exe", "e2e/launch.exe", "e2e/probe.exe"):
        if not os.path.isfile(os.path.join(BUILD_DIR, program)):
            sys.exit(f"{program} is missing from {BUILD_DIR}: build the windows preset first")
    os.makedirs(OUTPUT_DIR, exist_ok=True)
    unittest.main(argv=[sys.argv[0]] + sys.argv[3:], verbosity=2)


if __name__ == "__main__":
    main()
