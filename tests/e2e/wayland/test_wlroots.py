"""The Linux program on headless wlroots compositors, sway and phoc (the phones'): outputs turned
through wlr-output-management, the menu's keys typed on the compositor's own keyboard."""

import os
import pathlib
import socketserver
import struct
import subprocess
import threading

import headless
from scenarios import UNSUPPORTED

# sway's transforms count clockwise: its "90" is wl_output's 270.
SWAY_NAME = ["normal", "270", "180", "90", "flipped", "flipped-270", "flipped-180", "flipped-90"]
# wlr-randr's are wl_output's, as wayland-info names them.
WLR_RANDR_NAME = [name.replace("°", "").replace(" ", "-") for name in headless.TRANSFORMS]


class Bare(socketserver.StreamRequestHandler):
    """A client of a Wayland display that offers no global: each sync is answered."""

    def handle(self):
        while header := self.rfile.read(8):
            sender, word = struct.unpack("<II", header)
            body = self.rfile.read((word >> 16) - 8)
            if sender == 1 and word & 0xFFFF == 0:  # wl_display.sync: callback.done
                self.wfile.write(struct.pack("<III", *struct.unpack("<I", body), 12 << 16, 0))


class SwayTest(headless.DesktopTest):
    LAYER = "wayland"
    # sway has no choice of its own: the program takes the output at (0,0),
    # here neither the first by name nor the newest.
    ROW = ("HEADLESS-2", "HEADLESS-1", "HEADLESS-3")
    DEFAULT = "HEADLESS-2"
    SIZES = dict.fromkeys(ROW, (1920, 1080))
    PLACES_MENU = False  # sway centres it on the focused output

    @classmethod
    def start(cls):
        config = pathlib.Path(cls.runtime, "config")
        config.write_text("xwayland enable\n", encoding="utf-8")
        cls.env.update(WLR_BACKENDS="headless", WLR_LIBINPUT_NO_DEVICES="1", WLR_RENDERER="pixman")
        cls.spawn("sway", "-c", str(config))
        cls.env["WAYLAND_DISPLAY"] = os.path.basename(
            cls.wait_file("sway's socket", "wayland-[0-9]")[0])
        cls.env["SWAYSOCK"] = cls.wait_file("sway's IPC", "sway-ipc.*")[0]
        for _ in cls.ROW[1:]:  # sway starts with one
            cls.call("swaymsg", "create_output")

    @classmethod
    def lay_out(cls, placed):
        cls.call("swaymsg", "; ".join(
            f"output {name} mode 1920x1080 pos {x} {y} transform {SWAY_NAME[transform]}"
            for name, (x, y, transform) in placed.items()))

    @staticmethod
    def type_keys(env, keys):
        # wtype's first key is lost before about a second.
        subprocess.run(["wtype", "-s", "1000", *(a for key in keys for a in ("-k", key))],
                       env=env, timeout=headless.runs.TIMEOUT, check=True)
        return ["sleep", "0"]  # nothing left for xdotool

    def test_failures(self):
        """Nothing turns, through XWayland's RandR or otherwise."""
        path = os.path.join(self.runtime, "bare-0")
        bare = socketserver.ThreadingUnixStreamServer(path, Bare)
        os.chown(path, 65534, 65534)
        threading.Thread(target=bare.serve_forever, daemon=True).start()
        self.addCleanup(bare.shutdown)
        no_x = {k: v for k, v in self.env.items() if k != "DISPLAY"}
        no_menu = "tarvelin: cannot show the menu: no X display (XWayland)\n"
        # (environment, arguments, the box's text, the line on standard error)
        cases = [(dict(self.env, WAYLAND_DISPLAY="bare-0"), ["/set", "2"], UNSUPPORTED, ""),
                 (dict(no_x, WAYLAND_DISPLAY="bare-0"), [], None,
                  "tarvelin: your device does not support screen rotation\n"),
                 (no_x, ["/menu"], None, no_menu)]
        before = self.outputs()
        for env, arguments, box, line in cases:
            with self.subTest(arguments=arguments, line=line):
                result = self.run_program(env, *arguments)
                self.assertEqual((1, box or line, line),
                                 (result.status, result.message, result.errors))
                self.assertEqual(before, self.outputs())


class PhocTest(SwayTest):
    SIZES = dict.fromkeys(SwayTest.ROW, (1280, 720))

    @classmethod
    def start(cls):
        cls.env.update(WLR_BACKENDS="headless", WLR_HEADLESS_OUTPUTS=str(len(cls.ROW)),
                       WLR_RENDERER="pixman")
        cls.spawn("phoc")
        cls.env["WAYLAND_DISPLAY"] = os.path.basename(
            cls.wait_file("phoc's socket", "wayland-[0-9]")[0])

    @classmethod
    def lay_out(cls, placed):
        cls.call("wlr-randr", *(a for name, (x, y, turn) in placed.items() for a in (
            "--output", name, "--pos", f"{x},{y}", "--transform", WLR_RANDR_NAME[turn])))
