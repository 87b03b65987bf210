"""Running the Linux program in the end-to-end tests."""

import os
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))

import xdisplays  # noqa: E402  (the shared harness one level up)

PROGRAM = os.environ["TARVELIN"]
FAILING = os.environ["TARVELIN_FAILING"]

UNSUPPORTED = "你的设备不支持屏幕旋转!" + " " * 33
INVALID = "无效的旋转模式!" + " " * 17

# The xrandr names of the orientation codes: every convention turns the
# picture counter-clockwise.
XRANDR_NAME = {"0": "normal", "1": "left", "2": "inverted", "4": "right"}


def run(env, *args, program=PROGRAM):
    """Runs the program to its end. A message box it shows is read (Ctrl+C
    copies its text) and answered with Return; the text is kept in
    result.message, None when no box was shown."""
    process = subprocess.Popen([program, *args], env=env, stdout=subprocess.PIPE,
                               stderr=subprocess.PIPE, text=True)
    message = None
    deadline = time.monotonic() + 30
    try:
        while process.poll() is None and "DISPLAY" in env:
            if time.monotonic() > deadline:
                raise AssertionError(f"{args} did not end within 30 s")
            box = _visible_box(env)
            if box is None:
                time.sleep(0.02)
            elif message is None:
                message = _read_and_answer(env, box)
        stdout, stderr = process.communicate(timeout=30)
    finally:
        if process.poll() is None:
            process.kill()
            process.communicate()
    result = subprocess.CompletedProcess(process.args, process.returncode, stdout, stderr)
    result.message = message
    return result


def _xdotool(env, *args):
    return subprocess.run(["xdotool", *args], env=env, capture_output=True, text=True,
                          timeout=30, check=False).stdout.strip()


def _visible_box(env):
    found = _xdotool(env, "search", "--onlyvisible", "--name", "^Tarvelin$").split()
    return found[0] if found else None


def _read_and_answer(env, box):
    deadline = time.monotonic() + 10
    while _xdotool(env, "getwindowfocus") != box:
        if time.monotonic() > deadline:
            raise AssertionError("the message box never took the keyboard")
        time.sleep(0.02)
    _xdotool(env, "key", "ctrl+c")
    copied = subprocess.run(["xclip", "-selection", "clipboard", "-o", "-t", "UTF8_STRING"],
                            env=env, capture_output=True, timeout=30, check=False)
    _xdotool(env, "key", "Return")
    if copied.returncode != 0:
        raise AssertionError(f"no text copied from the box: {copied.stderr!r}")
    return copied.stdout.decode()


def shown_message(result):
    """The message a run showed: the box's text, or, with no display to show
    it on, the one line written on standard error; None when there was none."""
    if result.message is not None:
        return result.message
    if result.stderr == "":
        return None
    if not result.stderr.endswith("\n"):
        raise AssertionError(f"unterminated message {result.stderr!r}")
    return result.stderr[:-1]


def without_display(**extra):
    env = {k: v for k, v in os.environ.items() if k != "DISPLAY"}
    env.update(extra)
    return env


def unused_display():
    """A display name no server on this machine answers to."""
    number = 9000
    while (os.path.exists(f"/tmp/.X11-unix/X{number}")
           or os.path.exists(f"/tmp/.X{number}-lock")):
        number += 1
    return f":{number}"


def set_orientation(server, name):
    subprocess.run(["xrandr", "-o", name], env=server.env(), check=True,
                   capture_output=True, timeout=30)


class RotatingDisplayTest(unittest.TestCase):
    """Tests on one Xephyr of WIDTH x HEIGHT, nested in an Xvfb, shared by
    the tests of a class."""

    WIDTH, HEIGHT = 800, 600

    @classmethod
    def setUpClass(cls):
        cls.host = xdisplays.start_xvfb(1024, 768)
        try:
            cls.server = xdisplays.start_rotating(cls.host, cls.WIDTH, cls.HEIGHT)
        except Exception:
            cls.host.stop()
            raise

    @classmethod
    def tearDownClass(cls):
        xdisplays.stop_rotating(cls.server)
        cls.host.stop()

    def size_for(self, name):
        turned = name in ("left", "right")
        return (self.HEIGHT, self.WIDTH) if turned else (self.WIDTH, self.HEIGHT)

    def assertShows(self, name):
        self.assertEqual((name, *self.size_for(name)),
                         xdisplays.rotation(self.server.display))

    def start_at(self, name):
        set_orientation(self.server, name)
        self.assertShows(name)

    def turn(self, *args, program=PROGRAM, env=None):
        """Runs the program; returns the message it showed, or None."""
        result = run(env or self.server.env(), *args, program=program)
        self.assertEqual(0, result.returncode, result.stderr)
        return shown_message(result)
