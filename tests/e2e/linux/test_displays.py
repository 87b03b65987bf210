"""Displays that turn (Xephyr nested in an Xvfb) and where the program must
refuse: a display that offers only the normal orientation, one without
RandR or fonts, and none at all, where --help and --version still answer."""

import os
import re
import socket
import subprocess
import unittest

from runs import (DONE, FAILING, INVALID, INVALID_MODE, NO_FONTS, NOT_TURNED, PROGRAM, TIMEOUT,
                  UNSUPPORTED, XRANDR_NAME, RotatingDisplayTest, output_of, run, xdisplays)


class RotatingDisplay(RotatingDisplayTest):
    def test_cycle_over_four_runs(self):
        self.start_at("normal")
        for expected in ("right", "inverted", "left", "normal"):
            self.assertEqual((DONE, None), self.turn())
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
                refused = (INVALID_MODE, INVALID)
                self.assertEqual((DONE, None) if expected else refused, self.turn(*args))
                self.assertShows(expected or start)

    def test_relative_pointers_keep_their_matrix(self):
        self.start_at("normal")
        self.assertEqual((DONE, None), self.turn("/set", "1"))
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
                    self.assertEqual((NOT_TURNED, UNSUPPORTED),
                                     self.turn("/set", code, program=FAILING, env=env))
                    self.assertShows(start)
        # With no step made to fail, the same program turns.
        self.assertEqual((DONE, None), self.turn("/set", "2", program=FAILING))
        self.assertShows("inverted")


class FallbackDisplay(RotatingDisplayTest):
    """Turned, 1600x1200 exceeds the size range: RandR 1.0's one request."""

    WIDTH, HEIGHT = 1600, 1200
    test_cycle_over_four_runs = RotatingDisplay.test_cycle_over_four_runs


def ended(display, *args):
    """(status, out, errors) of a run on display (None: unset) that shows no
    window. Not run(): xdotool would wait on a silent display for good too."""
    env = {k: v for k, v in os.environ.items() if k != "DISPLAY"} | {"DISPLAY": display}
    result = subprocess.run([PROGRAM, *args], capture_output=True, text=True, timeout=TIMEOUT,
                            env={k: v for k, v in env.items() if v is not None})
    return result.returncode, result.stdout, result.stderr


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
    """Each run ends with status 1 and one message: in the box, or on
    standard error where no box can be shown."""

    ARGS = ([], ["/toggle"], ["/set", "9"], ["/menu"])

    def check_refused(self, env, message):
        for args in self.ARGS:
            with self.subTest(display=env.get("DISPLAY"), args=args):
                result = run(env, *args)
                self.assertEqual((NOT_TURNED, message, ""),
                                 (result.status, result.message, result.out))

    def test_displays_that_cannot_rotate(self):
        for options in ((), ("-extension", "RANDR")):
            server = xdisplays.start_xvfb(640, 480, *options)
            try:
                self.check_refused(server.env(), UNSUPPORTED)
                # No font to draw the box with: its English sense instead.
                self.check_refused(server.env(FONTCONFIG_FILE=NO_FONTS),
                                   "tarvelin: your device does not support screen rotation\n")
            finally:
                server.stop()

    def test_no_display_or_one_that_never_answers(self):
        unused = next(n for n in range(9000, 10000) if not os.path.exists(f"/tmp/.X11-unix/X{n}")
                      and not os.path.exists(f"/tmp/.X{n}-lock"))
        # Takes the connection and never answers: after a second, no display.
        silent, number = listen_on_a_display_port()
        lines = {None: "cannot open display: DISPLAY is not set",
                 f":{unused}": f'cannot open display ":{unused}"',
                 f"127.0.0.1:{number}": f'cannot open display "127.0.0.1:{number}"'}
        with silent:
            for display, line in lines.items():
                for args in self.ARGS:
                    with self.subTest(display=display, args=args):
                        self.assertEqual((NOT_TURNED, "", f"tarvelin: {line}\n"),
                                         ended(display, *args))
                # These need no display, so wait for none.
                self.assertEqual((DONE, "tarvelin 1.0.0\n", ""), ended(display, "--version"))
                for option in ("--help", "-h"):
                    status, out, errors = ended(display, option, "/menu")
                    self.assertEqual((DONE, ""), (status, errors))
                    self.assertIn("Exit status:", out)
