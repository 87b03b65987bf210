"""Running the Linux program on virtual X displays, its windows found with
xdotool and answered as a user would."""

import os
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import xdisplays  # noqa: E402
from scenarios import XRANDR_NAME  # noqa: E402
from xdisplays import wait_for  # noqa: E402

PROGRAM, FAILING = os.environ["TARVELIN"], os.environ["TARVELIN_FAILING"]
TIMEOUT = 10
DONE, NOT_TURNED = 0, 1  # exit statuses
# Both windows are titled "Tarvelin"; their instance names tell them apart.
BOX, MENU = ("--classname", "^tarvelin$"), ("--classname", "^tarvelin-menu$")
# A fontconfig with no font: nothing to draw a box or the menu with.
NO_FONTS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "no_fonts.conf")


def output_of(env, *argv):
    return subprocess.run(argv, env=env, capture_output=True, text=True, timeout=TIMEOUT,
                          check=True).stdout


def xdotool(env, *args):
    return subprocess.run(["xdotool", *args], env=env, capture_output=True, text=True,
                          timeout=TIMEOUT, check=False).stdout.strip()


def geometry(env, window):
    shell = xdotool(env, "getwindowgeometry", "--shell", window)
    values = dict(line.split("=") for line in shell.split())
    return tuple(int(values[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))


def off_centre(env, window, width, height):
    """How far the window's centre is from that of a width x height screen."""
    x, y, w, h = geometry(env, window)
    return max(abs(x + w / 2 - width / 2), abs(y + h / 2 - height / 2))


def box_text(env, box):
    # With no window manager the box takes the keyboard itself.
    wait_for("keyboard for the box", lambda: xdotool(env, "getwindowfocus") == box, TIMEOUT)
    xdotool(env, "key", "ctrl+c")
    return subprocess.run(["xclip", "-selection", "clipboard", "-o", "-t", "UTF8_STRING"], env=env,
                          capture_output=True, timeout=TIMEOUT, check=True).stdout.decode()


class Run:
    """One run of the program; kill() ends it if it is still running."""

    def __init__(self, env, *args, program=PROGRAM):
        self.env = env
        self.process = subprocess.Popen([program, *args], env=env, stdout=subprocess.PIPE,
                                        stderr=subprocess.PIPE, text=True)

    def window(self, *search, needed=True):
        """The first visible window search finds, or None if the program ends first."""
        def seen():
            ended = self.process.poll() is not None
            return ended or xdotool(self.env, "search", "--onlyvisible", *search).split()

        found = wait_for(f"window {search}", seen, TIMEOUT)
        if found is True and needed:
            raise AssertionError(f"ended with no window {search}: {self.process.stderr.read()}")
        return None if found is True else found[0]

    def menu(self):
        menu = self.window(*MENU)
        time.sleep(0.2)  # the grabs follow the map at once; let them land
        return menu

    def finish(self):
        """The exit status, keeping what the program wrote in out and errors."""
        self.out, self.errors = self.process.communicate(timeout=TIMEOUT)
        return self.process.returncode

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.communicate()


def run(env, *args, program=PROGRAM, answer_menu=None):
    """Runs the program to its end: answer_menu(menu) gives the xdotool
    arguments for its menu, and a box is answered with Return. Its message
    is the box's text, else what it wrote on standard error, else None."""
    process = Run(env, *args, program=program)
    try:
        if answer_menu:
            xdotool(env, *answer_menu(process.menu()))
        box = process.window(*BOX, needed=False)
        text = box and box_text(env, box)
        if box:
            xdotool(env, "key", "Return")
        process.status = process.finish()
    finally:
        process.kill()
    process.message = text if box else process.errors or None
    return process


class RotatingDisplayTest(unittest.TestCase):
    """One Xephyr of WIDTH x HEIGHT nested in an Xvfb, the host, which
    cannot turn, for a whole class."""

    WIDTH, HEIGHT = 800, 600

    @classmethod
    def setUpClass(cls):
        cls.host, cls.server = cls.enterClassContext(
            xdisplays.rotating_display(cls.WIDTH, cls.HEIGHT))
        cls.env = cls.server.env()

    def assertShows(self, code):
        size = (self.WIDTH, self.HEIGHT)
        shown = (XRANDR_NAME[code], *(size[::-1] if code in (1, 4) else size))
        self.assertEqual(shown, xdisplays.rotation(self.server.display))

    def start_at(self, code):
        output_of(self.env, "xrandr", "-o", XRANDR_NAME[code])
        self.assertShows(code)
