"""Running the Linux program on virtual X displays, its windows found with
xdotool and answered as a user would."""

import os
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import xdisplays  # noqa: E402

PROGRAM, FAILING = os.environ["TARVELIN"], os.environ["TARVELIN_FAILING"]
TIMEOUT = 10
UNSUPPORTED = "你的设备不支持屏幕旋转!" + " " * 33
INVALID = "无效的旋转模式!" + " " * 17
BOX = ("--name", "^Tarvelin$")
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
    """The box's text, copied with Ctrl+C once the box has the keyboard
    (with no window manager it takes it itself)."""
    deadline = time.monotonic() + TIMEOUT
    while xdotool(env, "getwindowfocus") != box:
        if time.monotonic() > deadline:
            raise AssertionError("the message box never took the keyboard")
        time.sleep(0.02)
    xdotool(env, "key", "ctrl+c")
    copied = subprocess.run(["xclip", "-selection", "clipboard", "-o", "-t", "UTF8_STRING"],
                            env=env, capture_output=True, timeout=TIMEOUT, check=True)
    return copied.stdout.decode()


class Run:
    """One run of the program; kill() ends it if it is still running."""

    def __init__(self, env, *args, program=PROGRAM):
        self.env = env
        self.process = subprocess.Popen([program, *args], env=env, stdout=subprocess.PIPE,
                                        stderr=subprocess.PIPE, text=True)

    def window(self, *search, needed=True):
        """The first visible window search finds; None when the program ends
        without one, unless needed."""
        deadline = time.monotonic() + TIMEOUT
        while self.process.poll() is None and "DISPLAY" in self.env:
            found = xdotool(self.env, "search", "--onlyvisible", *search).split()
            if found:
                return found[0]
            if time.monotonic() > deadline:
                raise AssertionError(f"no window {search} within {TIMEOUT} s")
            time.sleep(0.02)
        if needed:
            raise AssertionError(f"ended ({self.process.poll()}) with no window {search}: "
                                 f"{self.process.stderr.read()}")
        return None

    def finish(self):
        """The exit status; what the program wrote is kept in out and errors."""
        self.out, self.errors = self.process.communicate(timeout=TIMEOUT)
        return self.process.returncode

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.communicate()


def run(env, *args, program=PROGRAM):
    """Runs the program to its end; a box it shows is answered with Return.
    Its message is the box's text, else what it wrote on standard error,
    else None."""
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
        cls.host = xdisplays.start_xvfb(1024, 768)
        cls.addClassCleanup(cls.host.stop)
        cls.server = xdisplays.start_rotating(cls.host, cls.WIDTH, cls.HEIGHT)
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
        """Runs the program to its end; returns the message it showed."""
        result = run(env or self.env, *args, program=program)
        self.assertEqual(0, result.status, result.errors)
        return result.message
