"""Running the Linux program on virtual X displays, its windows found with
xdotool and answered as a user would."""

import os
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import xdisplays  # noqa: E402
from xdisplays import wait_for  # noqa: E402

PROGRAM, FAILING = os.environ["TARVELIN"], os.environ["TARVELIN_FAILING"]
TIMEOUT = 10
UNSUPPORTED = "你的设备不支持屏幕旋转!" + " " * 33
INVALID = "无效的旋转模式!" + " " * 17
DONE, NOT_TURNED, INVALID_MODE = 0, 1, 2  # exit statuses
BOX = ("--name", "^Tarvelin$")
# A fontconfig with no font: nothing to draw a box or the menu with.
NO_FONTS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "no_fonts.conf")
# Every convention turns the picture counter-clockwise: code 1 is "left".
XRANDR_NAME = {"0": "normal", "1": "left", "2": "inverted", "4": "right"}


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

    def finish(self):
        """The exit status, keeping what the program wrote in out and errors."""
        self.out, self.errors = self.process.communicate(timeout=TIMEOUT)
        return self.process.returncode

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.communicate()


def run(env, *args, program=PROGRAM):
    """Runs the program to its end, answering a box with Return. Its message
    is the box's text, else what it wrote on standard error, else None."""
    process = Run(env, *args, program=program)
    try:
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
    """One Xephyr of WIDTH x HEIGHT nested in an Xvfb, for a whole class."""

    WIDTH, HEIGHT = 800, 600

    @classmethod
    def setUpClass(cls):
        host = xdisplays.start_xvfb(1024, 768)
        cls.addClassCleanup(host.stop)
        cls.server = xdisplays.start_rotating(host, cls.WIDTH, cls.HEIGHT)
        cls.addClassCleanup(xdisplays.stop_rotating, cls.server)
        cls.env = cls.server.env()

    def assertShows(self, name):
        size = (self.WIDTH, self.HEIGHT)
        shown = (name, *(size[::-1] if name in ("left", "right") else size))
        self.assertEqual(shown, xdisplays.rotation(self.server.display))

    def start_at(self, name):
        output_of(self.env, "xrandr", "-o", name)
        self.assertShows(name)

    def turn(self, *args, program=PROGRAM, env=None):
        """Runs the program to its end; returns its exit status and message."""
        result = run(env or self.env, *args, program=program)
        return result.status, result.message
