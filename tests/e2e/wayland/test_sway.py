"""The Linux program on a headless sway: outputs turned through
wlr-output-management, boxes and the menu through XWayland."""

import os
import socket
import struct
import subprocess
import sys
import threading
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))),
                                "linux"))
import runs  # noqa: E402
from scenarios import MENU_CODES, UNSUPPORTED, scenarios  # noqa: E402
from sway import NOBODY, TIMEOUT, Sway  # noqa: E402

# sway's names for the codes: it counts clockwise.
SWAY_NAME = {0: "normal", 1: "270", 2: "180", 4: "90"}
WL_TRANSFORM = {0: 0, 1: 1, 2: 2, 4: 3}
LANDSCAPE = (1920, 1080)
THREE = [("HEADLESS-1", 1920, 0, "normal"), ("HEADLESS-2", 0, 0, "normal"),
         ("HEADLESS-3", 3840, 0, "normal")]
DEFAULT = "HEADLESS-2"  # at (0,0), neither first by name nor the newest


def setUpModule():
    if os.geteuid() != 0:
        raise unittest.SkipTest("sway runs as nobody: needs root to drop to it")


class Compositor:
    """A Wayland display that offers no global: each sync is answered."""

    def __init__(self, runtime):
        self.path = os.path.join(runtime, "bare-0")
        self.server = socket.socket(socket.AF_UNIX)
        self.server.bind(self.path)
        os.chown(self.path, 65534, 65534)
        self.server.listen()
        threading.Thread(target=self.serve, daemon=True).start()

    def serve(self):
        while True:
            try:
                client = self.server.accept()[0]
            except OSError:
                return
            threading.Thread(target=self.answer, args=(client,), daemon=True).start()

    @staticmethod
    def answer(client):
        with client:
            data = b""
            while chunk := client.recv(4096):
                data += chunk
                while len(data) >= 8:
                    sender, word = struct.unpack("<II", data[:8])
                    size, opcode = word >> 16, word & 0xFFFF
                    if len(data) < size:
                        break
                    if sender == 1 and opcode == 0:  # wl_display.sync: callback.done
                        callback = struct.unpack("<I", data[8:12])[0]
                        client.sendall(struct.pack("<III", callback, 12 << 16, 0))
                    data = data[size:]

    def stop(self):
        self.server.close()


class SwayTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.sway = Sway()
        cls.addClassCleanup(cls.sway.stop)
        cls.env = cls.sway.env

    def setUp(self):
        self.sway.lay_out(*THREE)

    def run_program(self, *args, env=None, keys=None):
        """Runs as nobody to the end; a box is answered with Return, keys
        typed on sway's own keyboard once the menu is up."""
        env = env or self.env
        if keys is None:
            return runs.run(env, *NOBODY[1:], runs.PROGRAM, *args, program=NOBODY[0])
        process = runs.Run(env, *NOBODY[1:], runs.PROGRAM, *args, program=NOBODY[0])
        try:
            process.window("--name", "^Tarvelin$")
            # wtype's first key is lost before about a second.
            subprocess.run(["wtype", "-s", "1000", *keys], env=env, timeout=TIMEOUT, check=True)
            process.status = process.finish()
        finally:
            process.kill()
        process.message = process.errors or None
        return process

    def shows(self, name):
        return self.sway.outputs()[name]

    def test_scenarios(self):
        for row in scenarios("wayland"):
            with self.subTest(row.name, line=row.line):
                self.sway.lay_out(("HEADLESS-2", 0, 0, SWAY_NAME[row.start]))
                pick = row.menu_pick()
                keys = None if pick is None else (
                    ["-k", "Escape"] if pick == "closed"
                    else ["-k", "Down"] * (MENU_CODES.index(pick) + 1) + ["-k", "Return"])
                result = self.run_program(*row.linux_arguments, keys=keys)
                self.assertEqual(row.status, result.status, result.message)
                self.assertEqual(row.box(), result.message if row.box() else None)
                code = row.turned_to() if row.turned_to() is not None else row.start
                turned = code in (1, 4)
                self.assertEqual((0, 0, *(LANDSCAPE[::-1] if turned else LANDSCAPE),
                                  WL_TRANSFORM[code]), self.shows("HEADLESS-2"))

    def test_output_choice_and_neighbours(self):
        # (layout, TARVELIN_OUTPUT, arguments, expected {name: (x, y, transform)})
        cases = [
            (THREE, None, ["/set", "1"],
             {"HEADLESS-2": (0, 0, 1), "HEADLESS-1": (1080, 0, 0), "HEADLESS-3": (3000, 0, 0)}),
            (THREE, "HEADLESS-3", ["/toggle"],
             {"HEADLESS-3": (3840, 0, 3), "HEADLESS-1": (1920, 0, 0)}),
            ([("HEADLESS-2", 0, 0, "normal"), ("HEADLESS-1", 0, 1080, "normal"),
              ("HEADLESS-3", 1920, 0, "flipped")], None, ["/set", "4"],
             {"HEADLESS-2": (0, 0, 3), "HEADLESS-1": (0, 1920, 0), "HEADLESS-3": (1080, 0, 4)}),
            ([("HEADLESS-3", 0, 0, "flipped-90")], "HEADLESS-3", [],
             {"HEADLESS-3": (0, 0, 6)}),
        ]
        for layout, wanted, arguments, expected in cases:
            with self.subTest(wanted=wanted, arguments=arguments, layout=layout):
                self.sway.lay_out(*THREE, *layout)
                env = dict(self.env, TARVELIN_OUTPUT=wanted) if wanted else self.env
                result = self.run_program(*arguments, env=env)
                self.assertEqual((0, None), (result.status, result.message))
                shown = self.sway.outputs()
                self.assertEqual(expected, {name: (shown[name][0], shown[name][1],
                                                   shown[name][4]) for name in expected})

    def test_failures(self):
        """Nothing turns, through XWayland's RandR or otherwise."""
        bare = Compositor(self.sway.runtime)
        self.addCleanup(bare.stop)
        no_x = {k: v for k, v in self.env.items() if k != "DISPLAY"}
        # (environment, arguments, the box's text, the line on standard error)
        cases = [
            (dict(self.env, TARVELIN_OUTPUT="HDMI-A-9"), ["/set", "2"], None,
             'tarvelin: no enabled output named "HDMI-A-9" (TARVELIN_OUTPUT)\n'),
            (dict(self.env, WAYLAND_DISPLAY="bare-0"), ["/set", "2"], UNSUPPORTED, ""),
            (dict(no_x, WAYLAND_DISPLAY="bare-0"), [], None,
             "tarvelin: your device does not support screen rotation\n"),
            (no_x, ["/menu"], None, "tarvelin: cannot show the menu: no X display (XWayland)\n"),
        ]
        before = self.sway.outputs()
        for env, arguments, box, line in cases:
            with self.subTest(arguments=arguments, line=line):
                result = self.run_program(*arguments, env=env)
                self.assertEqual((1, box or line, line), (result.status, result.message,
                                                          result.errors))
                self.assertEqual(before, self.sway.outputs())
