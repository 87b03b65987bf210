"""Running the Linux program in the end-to-end tests."""

import os
import subprocess
import sys
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
    return subprocess.run([program, *args], env=env, capture_output=True,
                          text=True, timeout=30, check=False)


def shown_message(result):
    """The message a run showed, or None. Until the program has windows of
    its own, a message goes to standard error, one line."""
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
