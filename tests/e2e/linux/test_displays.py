"""Displays that turn (Xephyr nested in an Xvfb) and where the program must
refuse: a display that offers only the normal orientation, one without
RandR, and none at all."""

import os
import re
import socket
import subprocess
import unittest

from runs import (FAILING, INVALID, PROGRAM, TIMEOUT, UNSUPPORTED, XRANDR_NAME,
                  RotatingDisplayTest, output_of, run, xdisplays)


class RotatingDisplay(RotatingDisplayTest):
    def test_cycle_over_four_runs(self):
        self.start_at("normal")
        for expected in ("right", "inverted", "left", "normal"):
            self.assertIsNone(self.turn())
            self.assertShows(expected)

    def test_toggle_both_ways_and_set_valid_and_invalid(self):
        cases = [("normal", ["/toggle", "ignored"], "right"), ("left", ["/toggle"], "normal")]
        cases += [(start, ["/set", code], name)
                  for start in XRANDR_NAME.values() for code, name in XRANDR_NAME.items()]
        # Read as _wtoi reads, with Unicode's white space; None: refused.
        cases += [("inverted", ["/set", value], name) for value, name in (
            (" \t4", "right"), ("\u30001", "left"), ("+1", "left"), ("4px", "right"),
            ("abc", "normal"), ("\u200b4", "normal"), ("3", None), ("-4", None),
            ("4294967297", None))]
        for start, args, expected in cases:
            with self.subTest(start=start, args=args):
                self.start_at(start)
                self.assertEqual(None if expected else INVALID, self.turn(*args))
                self.assertShows(expected or start)

    def test_relative_pointers_keep_their_matrix(self):
        self.start_at("normal")
        self.turn("/set", "1")
        devices = output_of(self.env, "xinput", "list", "--id-only").split()
        properties = "".join(output_of(self.env, "xinput", "list-props", d) for d in devices)
        matrices = re.findall(r"Coordinate Transformation Matrix \(\d+\):(.*)", properties)
        self.assertTrue(matrices, "no pointer to look at")
        for matrix in matrices:
            self.assertEqual([1, 0, 0, 0, 1, 0, 0, 0, 1], [float(v) for v in matrix.split(",")])

    def test_a_failed_step_leaves_the_previous_configuration(self):
        for step in ("size", "crtc"):
            for start, code in (("normal", "1"), ("left", "2")):
                with self.subTest(step=step, start=start):
                    self.start_at(start)
                    env = dict(self.env, TARVELIN_FAILING_STEP=step)
                    self.assertIsNone(self.turn("/set", code, program=FAILING, env=env))
                    self.assertShows(start)
        # With no step made to fail, the same program turns.
        self.assertIsNone(self.turn("/set", "2", program=FAILING))
        self.assertShows("inverted")


class FallbackDisplay(RotatingDisplayTest):
    """Turned, 1600x1200 exceeds the size range: RandR 1.0's one request."""

    WIDTH, HEIGHT = 1600, 1200
    test_cycle_over_four_runs = RotatingDisplay.test_cycle_over_four_runs


def listen_on_a_display_port():
    for number in range(100, 200):
        sock = socket.socket()
        try:
            sock.bind(("127.0.0.1", 6000 + number))
        except OSError:
            sock.close()
            continue
        sock.listen()
        return sock, number
    raise RuntimeError("no free X display port")


class RefusingDisplays(unittest.TestCase):
    def check_refused(self, env, status, message):
        for args in ([], ["/toggle"], ["/set", "9"], ["/menu"]):
            with self.subTest(display=env.get("DISPLAY"), args=args):
                result = run(env, *args)
                self.assertEqual((status, message, ""),
                                 (result.status, result.message, result.out))

    def test_displays_that_cannot_rotate(self):
        for options in ((), ("-extension", "RANDR")):
            server = xdisplays.start_xvfb(640, 480, *options)
            try:
                self.check_refused(server.env(), 0, UNSUPPORTED)
            finally:
                server.stop()

    def test_no_display(self):
        unused = next(n for n in range(9000, 10000) if not os.path.exists(f"/tmp/.X11-unix/X{n}")
                      and not os.path.exists(f"/tmp/.X{n}-lock"))
        without = {k: v for k, v in os.environ.items() if k != "DISPLAY"}
        for env in (without, dict(without, DISPLAY=f":{unused}")):
            self.check_refused(env, 1, UNSUPPORTED + "\n")

    def test_display_that_never_answers(self):
        # Takes the connection and never answers: after a second, no display.
        silent, number = listen_on_a_display_port()
        with silent:
            # Not run(): xdotool would wait on this display for good too.
            result = subprocess.run([PROGRAM, "/set", "1"], capture_output=True, text=True,
                                    env=dict(os.environ, DISPLAY=f"127.0.0.1:{number}"),
                                    timeout=TIMEOUT)
        self.assertEqual((1, UNSUPPORTED + "\n"), (result.returncode, result.stderr))
