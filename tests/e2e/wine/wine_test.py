#!/usr/bin/env python3
"""End-to-end tests of tarvelin.exe under Wine.

usage: wine_test.py WINDOWS_BUILD_DIR OUTPUT_DIR [unittest arguments]

An 800x480 Xephyr nested in an Xvfb really turns; a plain Xvfb cannot. Every
outcome is read back from the X server: under Wine a change reported as done
has not always happened. Screenshots of a box and of the menu go to OUTPUT_DIR.
"""

import os
import select
import shutil
import subprocess
import sys
import tempfile
import time
import unittest
from subprocess import DEVNULL, PIPE

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import xdisplays  # noqa: E402

TIMEOUT = 60.0  # for any one command
UNSUPPORTED = "你的设备不支持屏幕旋转!" + " " * 33
INVALID = "无效的旋转模式!" + " " * 17
W, H = 800, 480
# What xrandr reports after each desktop DMDO_ value.
BY_DESKTOP_CODE = NORMAL, LEFT, INVERTED, RIGHT = (
    ("normal", W, H), ("left", H, W), ("inverted", W, H), ("right", H, W))
DIRS = {}
ENV = {}


def run(argv, env=ENV, timeout=TIMEOUT, check=False):
    return subprocess.run(argv, env=env, stdin=DEVNULL, capture_output=True, text=True,
                          timeout=timeout, check=check)


def poll(probe, done=lambda answer: answer is not None, timeout=20.0):
    """probe's first answer that is done, or its last one when the time is up."""
    deadline = time.monotonic() + timeout
    while not done(answer := probe()) and time.monotonic() < deadline:
        time.sleep(0.05)
    return answer


def end(process, timeout):
    try:
        return process.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        process.kill()
        return process.wait()


def stop_wineserver():
    """Ends the test prefix's Wine processes, and no other prefix's."""
    run(["wineserver", "-k"])
    run(["wineserver", "-w"])


def setUpModule():
    """A throwaway prefix with no window manager and the Chinese font."""
    prefix = tempfile.mkdtemp(prefix="tarvelin-wine-")
    unittest.addModuleCleanup(shutil.rmtree, prefix, ignore_errors=True)
    unittest.addModuleCleanup(stop_wineserver)
    # No Mono or Gecko installer dialogs while the prefix is made.
    ENV.update(os.environ, WINEPREFIX=prefix, WINEARCH="win64", WINEDEBUG="-all",
               WINEDLLOVERRIDES="mscoree,mshtml=")
    ENV.pop("DISPLAY", None)
    run(["wineboot", "--init"], timeout=180, check=True)
    # Managed=N: with no window manager each closed box would cost a two-second wait.
    for key, name, value in [("X11 Driver", "Managed", "N"),
                             (r"Fonts\Replacements", "SimSun", "WenQuanYi Micro Hei")]:
        run(["wine", "reg", "add", "HKCU\\Software\\Wine\\" + key, "/v", name, "/d", value, "/f"],
            check=True)
    stop_wineserver()


class WineTest(unittest.TestCase):
    """One X display, and one Wine session on it, for the whole class."""

    rotating = False

    @classmethod
    def setUpClass(cls):
        cls.server = cls.host = xdisplays.start_xvfb(1024, 1024)
        cls.addClassCleanup(cls.host.stop)
        if cls.rotating:
            cls.server = xdisplays.start_rotating(cls.host, W, H)
            cls.addClassCleanup(xdisplays.stop_rotating, cls.server)
        cls.env = dict(ENV, DISPLAY=cls.server.display)
        # Nothing starts before the keeper answers: a program racing the start
        # of Wine's desktop process can stall. The keeper keeps that process up
        # between runs, or the next run would race its restart.
        cls.keeper = subprocess.Popen(["wine", cls.tool("probe"), "keep"], env=cls.env,
                                      stdin=PIPE, stdout=PIPE, stderr=DEVNULL)
        cls.addClassCleanup(cls.stop_wine)
        if (not select.select([cls.keeper.stdout], [], [], TIMEOUT)[0]
                or cls.keeper.stdout.readline().strip() != b"ready"):
            raise RuntimeError("Wine did not start")

    @classmethod
    def stop_wine(cls):
        cls.keeper.stdin.close()  # the keeper's cue to end
        end(cls.keeper, 10)
        cls.keeper.stdout.close()
        stop_wineserver()

    @staticmethod
    def tool(name):
        return os.path.join(DIRS["build"], "e2e", name + ".exe")

    def probe(self, *argv):
        """probe.exe's answer, or None when it finds nothing there."""
        result = run(["wine", self.tool("probe"), *argv], self.env)
        return result.stdout.strip() if result.returncode == 0 else None

    def box_text(self):
        units = self.probe("box")
        return None if units is None else bytes.fromhex(units).decode("utf-16-be")

    def rotation(self):
        return xdisplays.rotation(self.server.display)

    def screenshot(self, name):
        run(["import", "-window", "root", os.path.join(DIRS["output"], name)], self.env,
            check=True)

    def start(self, line):
        """Starts tarvelin.exe with exactly this raw argument line."""
        tarvelin = "Z:" + os.path.join(DIRS["build"], "tarvelin.exe").replace("/", "\\")
        return subprocess.Popen(
            ["wine", self.tool("launch"), tarvelin, line.encode("utf-16-be").hex()],
            env=self.env, stdin=DEVNULL, stdout=DEVNULL, stderr=DEVNULL)

    def finish(self, process):
        """The exit status of a run that must end by itself. A run left
        waiting on a box or the menu is answered, ended and reported."""
        try:
            return process.wait(timeout=20)
        except subprocess.TimeoutExpired:
            box = self.box_text()
            for window in self.windows():
                self.press(window, "Escape")  # closes the menu and the box alike
            end(process, 5)
            raise AssertionError(f"the run did not end by itself; box showed {box!r}") from None

    def windows(self):
        return run(["xdotool", "search", "--onlyvisible", "--classname", r"^tarvelin\.exe$"],
                   self.env).stdout.split()

    def press(self, window, *keys):
        run(["xdotool", "windowfocus", "--sync", window], self.env, check=True)
        run(["xdotool", "key", "--delay", "100", *keys], self.env, check=True)

    def answer(self, *keys):
        """Focuses the program's one window, its box or its menu, and presses keys."""
        windows = poll(lambda: self.windows() or None, timeout=10) or []
        self.assertEqual(1, len(windows), "tarvelin.exe's windows")
        self.press(windows[0], *keys)

    def expect_messages(self, lines, text, rotation, screenshot):
        for line in lines:
            with self.subTest(line=line):
                process = self.start(line)
                try:
                    shown = poll(self.box_text)
                    if line == lines[0]:
                        self.screenshot(screenshot)
                    # A key can arrive before the box is ready for it.
                    for _ in range(3):
                        self.answer("Return")
                        if poll(self.box_text, lambda text: text is None, timeout=3) is None:
                            break
                    else:
                        self.fail("the message box did not close")
                finally:
                    status = self.finish(process)
                self.assertEqual((text, 0), (shown, status))
                self.assertEqual(rotation, self.rotation())


class RotatingDisplay(WineTest):
    rotating = True

    def start_at(self, code):
        # Through Wine: after a turn behind its back its screen metrics can stay stale.
        self.assertIsNotNone(self.probe("turn", str(code)), f"Wine refused to turn to {code}")
        self.expect_rotation(BY_DESKTOP_CODE[code])

    def expect_rotation(self, expected):
        self.assertEqual(expected, poll(self.rotation, lambda now: now == expected, timeout=5))

    def test_command_lines_turn_the_display(self):
        # A start of None goes on from where the run before left the display.
        for line, start, expected in [
            ("", 0, RIGHT), ("/SET 4", None, INVERTED), ("/set", None, LEFT),
            (" \t ", None, NORMAL),
            ("/toggle", 0, RIGHT), ("/toggle", 3, NORMAL), ('"/to"gg"le"', 0, RIGHT),
            ("/set 2", 0, INVERTED), ("/set 4", 0, RIGHT), ('/set "1"', 0, LEFT),
            ('"/set" 0', 1, NORMAL), ("/set\t2abc", 3, INVERTED),
        ]:
            with self.subTest(line=line, start=start):
                if start is not None:
                    self.start_at(start)
                self.assertEqual(0, self.finish(self.start(line)))
                self.expect_rotation(expected)

    def test_set_invalid_values_refuse_and_leave_the_display(self):
        self.start_at(1)
        self.expect_messages(["/set 3", "/set -1", "/set 4294967300"], INVALID, LEFT,
                             "message_invalid_mode.png")

    def test_menu_applies_the_item_picked_or_nothing_when_dismissed(self):
        for line, downs, start, expected in [
            ("/menu", 2, 0, LEFT), ('"/menu" extra', 3, 1, INVERTED), ("/menu", 4, 2, RIGHT),
            ("/menu", 1, 3, NORMAL), ("/menu", 0, 3, RIGHT),
        ]:
            with self.subTest(line=line, downs=downs, start=start):
                self.start_at(start)
                process = self.start(line)
                try:
                    menu = poll(lambda: self.probe("menu"))
                    self.assertIsNotNone(menu, "no menu")
                    left, top, right, bottom, width, height = map(int, menu.split())
                    self.assertEqual(BY_DESKTOP_CODE[start][1:], (width, height))
                    # Centred on the screen, give or take a pixel.
                    self.assertLessEqual(abs(left + right - width), 2, menu)
                    self.assertLessEqual(abs(top + bottom - height), 2, menu)
                    if expected == LEFT:
                        self.screenshot("menu.png")
                    self.answer(*(["Down"] * downs + ["Return"] if downs else ["Escape"]))
                finally:
                    status = self.finish(process)
                self.assertEqual(0, status)
                self.expect_rotation(expected)


class FixedDisplay(WineTest):
    def test_every_command_line_refuses(self):
        self.expect_messages(["", "/toggle", "/set 3", "/menu"], UNSUPPORTED,
                             ("normal", 1024, 1024), "message_unsupported.png")


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    DIRS.update(build=os.path.abspath(sys.argv[1]), output=os.path.abspath(sys.argv[2]))
    for program in ("tarvelin.exe", "e2e/launch.exe", "e2e/probe.exe"):
        if not os.path.isfile(os.path.join(DIRS["build"], program)):
            sys.exit(f"{program} is missing from {DIRS['build']}: build the windows preset first")
    os.makedirs(DIRS["output"], exist_ok=True)
    unittest.main(argv=sys.argv[:1] + sys.argv[3:], verbosity=2)


if __name__ == "__main__":
    main()
