"""The Linux program's message box and menu, driven as a user would.

Boxes are found by their title and answered with xdotool (keys and clicks)
or closed as a window manager would; the menu is picked from with keys and
clicks on a display that rotates, and the rotation read back. Screenshots of
a box and of the menu go to TARVELIN_E2E_OUTPUT.

Environment: TARVELIN (the program), WM_CLOSE (the close helper),
TARVELIN_E2E_OUTPUT (a directory for screenshots).
"""

import os
import re
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import xdisplays  # noqa: E402

TARVELIN = os.environ.get("TARVELIN", "tarvelin")
WM_CLOSE = os.environ.get("WM_CLOSE", "wm_close")
OUTPUT = os.environ.get("TARVELIN_E2E_OUTPUT", ".")
TIMEOUT = 10

UNSUPPORTED = "你的设备不支持屏幕旋转!" + " " * 33
INVALID = "无效的旋转模式!" + " " * 17

# Menu position by position: the code each picks, as xrandr names it.
MENU = [(0, "normal"), (1, "left"), (2, "inverted"), (4, "right")]


def xdotool(server, *args, check=True):
    result = subprocess.run(["xdotool", *args], env=server.env(), capture_output=True,
                            text=True, timeout=TIMEOUT, check=False)
    if check and result.returncode != 0:
        raise AssertionError(f"xdotool {' '.join(args)}: {result.stderr.strip()}")
    return result.stdout


def geometry(server, window):
    out = xdotool(server, "getwindowgeometry", "--shell", window)
    values = dict(line.split("=", 1) for line in out.split())
    return tuple(int(values[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))


def window_properties(server, window):
    return subprocess.run(["xprop", "-id", window], env=server.env(), capture_output=True,
                          text=True, timeout=TIMEOUT, check=True).stdout


def copied_text(server):
    """What Ctrl+C in the focused box puts on the clipboard."""
    xdotool(server, "key", "ctrl+c")
    return subprocess.run(["xclip", "-selection", "clipboard", "-o", "-t", "UTF8_STRING"],
                          env=server.env(), capture_output=True, timeout=TIMEOUT,
                          check=True).stdout.decode()


def screenshot(server, name):
    os.makedirs(OUTPUT, exist_ok=True)
    path = os.path.join(OUTPUT, name)
    subprocess.run(["import", "-window", "root", path], env=server.env(), timeout=TIMEOUT,
                   check=True)
    return path


class Run:
    """One run of the program on a display; always ends it."""

    def __init__(self, server, *args):
        self.server = server
        self.process = subprocess.Popen([TARVELIN, *args], env=server.env(),
                                        stdout=subprocess.PIPE, stderr=subprocess.PIPE)

    def find(self, *search):
        deadline = time.monotonic() + TIMEOUT
        while time.monotonic() < deadline:
            if self.process.poll() is not None:
                errors = self.process.stderr.read().decode(errors="replace")
                raise AssertionError(f"the program ended ({self.process.returncode}) "
                                     f"before showing {search}: {errors}")
            found = xdotool(self.server, "search", "--onlyvisible", *search, check=False).split()
            if found:
                return found[0]
            time.sleep(0.02)
        raise AssertionError(f"no window {search} within {TIMEOUT} s")

    def still_running_after(self, seconds):
        try:
            self.process.wait(timeout=seconds)
            return False
        except subprocess.TimeoutExpired:
            return True

    def finish(self):
        """The exit status; what the program wrote on standard error is
        kept in self.errors."""
        try:
            _, self.errors = self.process.communicate(timeout=TIMEOUT)
        except subprocess.TimeoutExpired:
            self.kill()
            raise AssertionError("the program did not end after its window was answered")
        return self.process.returncode

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
        self.process.communicate()


class MessageBoxTest(unittest.TestCase):
    """On a display that cannot rotate every run shows the unsupported box."""

    WIDTH, HEIGHT = 800, 600

    @classmethod
    def setUpClass(cls):
        cls.server = xdisplays.start_xvfb(cls.WIDTH, cls.HEIGHT)
        cls.addClassCleanup(cls.server.stop)

    def show_box(self):
        run = Run(self.server)
        self.addCleanup(run.kill)
        box = run.find("--name", "^Tarvelin$")
        # With no window manager the box gives itself the keyboard.
        deadline = time.monotonic() + TIMEOUT
        while xdotool(self.server, "getwindowfocus", check=False).strip() != box:
            self.assertLess(time.monotonic(), deadline, "the box never took the keyboard")
            time.sleep(0.02)
        return run, box

    def button_centre(self, box):
        # The button sits centred in the bottom fifth of the box.
        x, y, width, height = geometry(self.server, box)
        return x + width // 2, y + height - height // 5

    def test_box_is_a_titled_dialog_centred_on_the_screen(self):
        run, box = self.show_box()
        properties = window_properties(self.server, box)
        self.assertRegex(properties, r'WM_NAME\(\w+\) = "Tarvelin"')
        self.assertRegex(properties, r'_NET_WM_NAME\(UTF8_STRING\) = "Tarvelin"')
        self.assertRegex(properties, r'WM_CLASS\(STRING\) = "tarvelin", "Tarvelin"')
        self.assertIn("_NET_WM_WINDOW_TYPE_DIALOG", properties)
        self.assertIn("_NET_WM_STATE_MODAL", properties)
        self.assertIn("WM_DELETE_WINDOW", properties)
        x, y, width, height = geometry(self.server, box)
        self.assertLessEqual(abs(x + width / 2 - self.WIDTH / 2), 1)
        self.assertLessEqual(abs(y + height / 2 - self.HEIGHT / 2), 1)
        # The text's 33 trailing spaces are laid out too: wider than tall by far.
        self.assertGreater(width, 2 * height)
        self.assertEqual(copied_text(self.server), UNSUPPORTED)
        self.assertTrue(run.still_running_after(0.1), "copying closed the box")
        screenshot(self.server, "message-box.png")
        xdotool(self.server, "key", "Return")
        self.assertEqual(run.finish(), 0)

    def test_each_way_of_answering_closes_the_box_and_ends_the_run(self):
        def click_button(box):
            x, y = self.button_centre(box)
            xdotool(self.server, "mousemove", str(x), str(y), "click", "1")

        def wm_close(box):
            subprocess.run([WM_CLOSE, box], env=self.server.env(), timeout=TIMEOUT, check=True)

        ways = {
            "Return": lambda box: xdotool(self.server, "key", "Return"),
            "keypad Enter": lambda box: xdotool(self.server, "key", "KP_Enter"),
            "Escape": lambda box: xdotool(self.server, "key", "Escape"),
            "click on the button": click_button,
            "window manager's close": wm_close,
        }
        for name, answer in ways.items():
            with self.subTest(name):
                run, box = self.show_box()
                answer(box)
                self.assertEqual(run.finish(), 0)
                self.assertEqual(run.errors, b"")
                self.assertEqual(xdotool(self.server, "search", "--onlyvisible", "--name",
                                         "^Tarvelin$", check=False), "")

    def test_box_stays_up_until_answered(self):
        run, box = self.show_box()
        x, y, width, height = geometry(self.server, box)
        left_x, bottom_y = self.button_centre(box)
        others = {
            "a click beside the button": ["mousemove", str(x + 5), str(bottom_y), "click", "1"],
            "a click on the text": ["mousemove", str(x + width // 2), str(y + height // 3),
                                    "click", "1"],
            "a press dragged off the button": ["mousemove", str(left_x), str(bottom_y),
                                               "mousedown", "1", "mousemove", str(x + 5),
                                               str(y + 5), "mouseup", "1"],
            "a letter key": ["key", "a"],
        }
        for name, action in others.items():
            with self.subTest(name):
                xdotool(self.server, *action)
                self.assertTrue(run.still_running_after(0.2), f"{name} closed the box")
        xdotool(self.server, "key", "Escape")
        self.assertEqual(run.finish(), 0)


class RotatingDisplayTest(unittest.TestCase):
    """On a display that rotates: "/menu" turns it by each pick and leaves it
    without one; a bad "/set" value is refused in a box."""

    WIDTH, HEIGHT = 800, 600

    @classmethod
    def setUpClass(cls):
        cls.host = xdisplays.start_xvfb(1024, 768)
        cls.addClassCleanup(cls.host.stop)
        cls.server = xdisplays.start_rotating(cls.host, cls.WIDTH, cls.HEIGHT)
        cls.addClassCleanup(xdisplays.stop_rotating, cls.server)

    def turn(self, name):
        subprocess.run(["xrandr", "-o", name], env=self.server.env(), timeout=TIMEOUT,
                       check=True)

    def rotation(self):
        return xdisplays.rotation(self.server.display)[0]

    def show_menu(self):
        run = Run(self.server, "/menu")
        self.addCleanup(run.kill)
        menu = run.find("--classname", "^tarvelin-menu$")
        # The grabs follow the map at once; give them a moment to land.
        time.sleep(0.2)
        return run, menu

    def item_centre(self, menu, position):
        # Four items of equal height fill the menu but for a thin frame.
        x, y, width, height = geometry(self.server, menu)
        return x + width // 2, y + height * (2 * position + 1) // 8

    def test_menu_is_a_popup_centred_on_the_turned_screen(self):
        self.turn("left")
        run, menu = self.show_menu()
        properties = window_properties(self.server, menu)
        self.assertIn("_NET_WM_WINDOW_TYPE_POPUP_MENU", properties)
        attributes = subprocess.run(["xwininfo", "-id", menu], env=self.server.env(),
                                    capture_output=True, text=True, check=True).stdout
        self.assertRegex(attributes, r"Override Redirect State: yes")
        x, y, width, height = geometry(self.server, menu)
        # Turned left, the screen is 600 wide and 800 high.
        self.assertLessEqual(abs(x + width / 2 - self.HEIGHT / 2), 1)
        self.assertLessEqual(abs(y + height / 2 - self.WIDTH / 2), 1)
        self.assertGreater(height, width // 2)
        screenshot(self.server, "menu.png")
        xdotool(self.server, "key", "Escape")
        self.assertEqual(run.finish(), 0)
        self.turn("normal")

    def test_each_item_picked_by_keys_and_by_click_turns_the_display(self):
        for position, (code, name) in enumerate(MENU):
            picks = {
                "keys": lambda menu: xdotool(self.server, "key", *["Down"] * (position + 1),
                                             "Return"),
                "keys upward": lambda menu: xdotool(self.server, "key",
                                                    *["Up"] * (len(MENU) - position), "Return"),
                "click": lambda menu: xdotool(self.server, "mousemove",
                                              *map(str, self.item_centre(menu, position)),
                                              "click", "1"),
            }
            for how, pick in picks.items():
                with self.subTest(code=code, how=how):
                    # Start elsewhere, so that the pick is seen to turn it.
                    self.turn("inverted" if name != "inverted" else "normal")
                    run, menu = self.show_menu()
                    pick(menu)
                    self.assertEqual(run.finish(), 0)
                    self.assertEqual(self.rotation(), name)
        self.turn("normal")

    def test_closing_without_a_choice_leaves_the_display(self):
        def click_outside(menu):
            x, y, width, height = geometry(self.server, menu)
            xdotool(self.server, "mousemove", str(max(x - 20, 0)), str(max(y - 20, 0)),
                    "click", "1")

        ways = {
            "Escape": lambda menu: xdotool(self.server, "key", "Escape"),
            "click outside": click_outside,
            "Return with no item chosen": lambda menu: xdotool(
                self.server, "mousemove", "0", "0", "key", "Return", "Escape"),
        }
        self.turn("right")
        for how, dismiss in ways.items():
            with self.subTest(how):
                run, menu = self.show_menu()
                dismiss(menu)
                self.assertEqual(run.finish(), 0)
                self.assertEqual(self.rotation(), "right")
        self.turn("normal")


    def test_invalid_mode_box_is_answered_and_leaves_the_display(self):
        self.turn("left")
        run = Run(self.server, "/set", "3")
        self.addCleanup(run.kill)
        box = run.find("--name", "^Tarvelin$")
        x, y, width, height = geometry(self.server, box)
        xdotool(self.server, "windowfocus", "--sync", box)
        self.assertEqual(copied_text(self.server), INVALID)
        self.assertLessEqual(abs(x + width / 2 - self.HEIGHT / 2), 1)
        self.assertLessEqual(abs(y + height / 2 - self.WIDTH / 2), 1)
        time.sleep(0.1)
        screenshot(self.server, "invalid-mode-box.png")
        xdotool(self.server, "key", "Escape")
        self.assertEqual(run.finish(), 0)
        self.assertEqual(self.rotation(), "left")
        self.turn("normal")


if __name__ == "__main__":
    unittest.main()
