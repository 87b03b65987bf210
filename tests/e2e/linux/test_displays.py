"""The scenario table's Linux rows on a display that turns (Xephyr nested in
an Xvfb) or one that cannot (the Xvfb); then what the table cannot say: a
failing RandR step, RandR 1.0, a display without RandR or fonts, and none at
all, where --help and --version still answer."""

import os
import socket
import subprocess
import unittest

from runs import (BOX, DONE, FAILING, NO_FONTS, NOT_TURNED, PROGRAM, TIMEOUT,
                  RotatingDisplayTest, Run, box_text, geometry, off_centre, run, xdisplays,
                  xdotool)
from scenarios import MENU_CODES, UNSUPPORTED, scenarios


class TableWalk(RotatingDisplayTest):
    def ways(self, pick):
        """Each way to answer the menu, by name: its xdotool arguments."""
        if pick is None:
            return {"": None}
        if pick == "closed":
            return {"Escape": lambda menu: ["key", "Escape"],
                    "click outside": lambda menu: ["mousemove", "5", "5", "click", "1"]}
        at = MENU_CODES.index(pick)
        return {"Down": lambda menu: ["key", *["Down"] * (at + 1), "Return"],
                "Up": lambda menu: ["key", *["Up"] * (len(MENU_CODES) - at), "Return"],
                "click": lambda menu: ["mousemove", *self.item(menu, at), "click", "1"]}

    def item(self, menu, position):
        # The items, of equal height, fill the menu but for a thin frame.
        x, y, width, height = geometry(self.env, menu)
        return str(x + width // 2), str(y + height * (2 * position + 1) // (2 * len(MENU_CODES)))

    def walk(self, rows):
        for row in rows:
            display = self.host if row.start is None else self.server
            for way, answer in self.ways(row.menu_pick()).items():
                with self.subTest(row.name, line=row.line, way=way):
                    if row.start is not None:
                        self.start_at(row.start)
                    before = xdisplays.rotation(display.display)
                    result = run(display.env(), *row.linux_arguments, answer_menu=answer)
                    self.assertEqual((row.status, row.box()), (result.status, result.message))
                    if row.turned_to() is None:
                        self.assertEqual(before, xdisplays.rotation(display.display))
                    else:
                        self.assertShows(row.turned_to())


class RotatingDisplay(TableWalk):
    def test_each_row_of_the_table(self):
        self.walk(scenarios("linux"))

    def test_a_failed_step_leaves_the_display_as_it_was(self):
        # With no step made to fail, the same build turns.
        for step, start, code in (("size", 0, 1), ("size", 1, 2), ("crtc", 0, 1), ("crtc", 1, 2),
                                  (None, 0, 2)):
            with self.subTest(step=step, start=start):
                self.start_at(start)
                env = dict(self.env, TARVELIN_FAILING_STEP=step) if step else self.env
                result = run(env, "/set", str(code), program=FAILING)
                self.assertEqual((NOT_TURNED, UNSUPPORTED) if step else (DONE, None),
                                 (result.status, result.message))
                self.assertShows(start if step else code)


class FallbackDisplay(TableWalk):
    """Turned, 1600x1200 exceeds the size range: RandR 1.0's one request."""

    WIDTH, HEIGHT = 1600, 1200

    def test_a_quarter_and_a_half_turn_of_the_table(self):
        # One row of each, by whether the screen's sides swap.
        turns = {(row.start in (1, 4)) != (row.turned_to() in (1, 4)): row
                 for row in scenarios("linux")
                 if row.outcome.startswith("turn") and row.start != row.turned_to()}
        self.walk(turns.values())


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
    standard error where no box can be shown. Every action stops at the
    query of the orientations offered, so the cycle stands for all."""

    def test_a_display_without_randr_or_fonts(self):
        server = xdisplays.start_xvfb(640, 480, "-extension", "RANDR")
        self.addCleanup(server.stop)
        # With no output to centre on, the box centres on the screen.
        shown = Run(server.env())
        self.addCleanup(shown.kill)
        box = shown.window(*BOX)
        self.assertLessEqual(off_centre(server.env(), box, 640, 480), 1)
        self.assertEqual(UNSUPPORTED, box_text(server.env(), box))
        xdotool(server.env(), "key", "Return")
        self.assertEqual((NOT_TURNED, ""), (shown.finish(), shown.out))
        # No font to draw the box with: its English sense instead.
        result = run(server.env(FONTCONFIG_FILE=NO_FONTS))
        self.assertEqual((NOT_TURNED, "tarvelin: your device does not support screen rotation\n",
                          ""), (result.status, result.message, result.out))

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
                with self.subTest(display=display):
                    self.assertEqual((NOT_TURNED, "", f"tarvelin: {line}\n"), ended(display))

    def test_help_and_version_need_no_display(self):
        version = os.environ["TARVELIN_VERSION"]
        self.assertEqual((DONE, f"tarvelin {version}\n", ""), ended(None, "--version"))
        for option in ("--help", "-h"):
            status, out, errors = ended(None, option, "/menu")
            self.assertEqual((DONE, ""), (status, errors))
            self.assertIn("Exit status:", out)
