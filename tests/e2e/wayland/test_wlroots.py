"""The Linux program on headless wlroots compositors, sway and phoc (the phones'): outputs turned
through wlr-output-management; the box and the menu are layer surfaces, found on screenshots of
the output that turns and answered on the compositor's own keyboard."""

import itertools
import os
import pathlib
import re
import shutil
import socketserver
import struct
import subprocess
import socket
import threading
import time

import headless
from scenarios import BOXES, UNSUPPORTED
from test_memcheck import SUPPRESSIONS, memcheck

SHOTS = os.environ.get("TARVELIN_SHOTS", ".")
# sway's transforms count clockwise: its "90" is wl_output's 270.
SWAY_NAME = ["normal", "270", "180", "90", "flipped", "flipped-270", "flipped-180", "flipped-90"]
# wlr-randr's are wl_output's, as wayland-info names them.
WLR_RANDR_NAME = [name.replace("°", "").replace(" ", "-") for name in headless.TRANSFORMS]


def stretched(grey, width, height):
    """Whether one of the four 2x2 grids over the image has every cell of one grey."""
    return any(all(len({grey[(top + j) * width + left + i] for i in (0, 1) for j in (0, 1)}) == 1
                   for top in range(dy, height - 1, 2) for left in range(dx, width - 1, 2))
               for dx, dy in itertools.product((0, 1), repeat=2))


def click(env, x, y, extent):
    """Clicks the left button at x, y of a layout extent (width, height) wide through a virtual
    pointer of sway's: its headless seat has none of its own."""
    with socket.socket(socket.AF_UNIX) as sock:
        sock.connect(os.path.join(env["XDG_RUNTIME_DIR"], env["WAYLAND_DISPLAY"]))

        def send(sender, opcode, *words, text=b""):  # text: a string after the first word
            body = struct.pack(f"<{len(words)}I", *words)
            if text:
                body = (body[:4] + struct.pack("<I", len(text) + 1) + text +
                        bytes(4 - len(text) % 4) + body[4:])
            sock.sendall(struct.pack("<II", sender, (8 + len(body)) << 16 | opcode) + body)

        def synced(callback):  # the globals seen until callback's done
            send(1, 0, callback)
            found, data = {}, b""
            while True:
                data += sock.recv(65536)
                while len(data) >= 8 and len(data) >= (size := struct.unpack_from("<I", data, 4)[0] >> 16):
                    sender, body, data = struct.unpack_from("<I", data)[0], data[8:size], data[size:]
                    if sender == callback:
                        return found
                    if sender == 2:  # wl_registry.global
                        found[body[8:8 + struct.unpack_from("<I", body, 4)[0] - 1]] = body[:4]
        send(1, 1, 2)
        manager = struct.unpack("<I", synced(3)[b"zwlr_virtual_pointer_manager_v1"])[0]
        send(2, 0, manager, 1, 4, text=b"zwlr_virtual_pointer_manager_v1")
        send(4, 0, 0, 5)  # on the default seat
        time.sleep(0.5)  # the program binds the pointer the seat now has
        send(5, 1, 0, x, y, *extent)
        send(5, 4)
        for state in (1, 0):
            send(5, 2, 0, 0x110, state)
            send(5, 4)
        synced(6)


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
    CENTRES_DOWN = True

    @classmethod
    def start(cls):
        config = pathlib.Path(cls.runtime, "config")
        config.write_text(f"xwayland {'enable' if cls.XWAYLAND else 'disable'}\n",
                          encoding="utf-8")
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

    def wtype(self, env, *keys):
        # wtype's first key is lost before about a second.
        subprocess.run([*headless.NOBODY, "wtype", "-s", "1000", *keys], env=env,
                       timeout=headless.runs.TIMEOUT, check=True)

    def frame(self, output, process, path=None):
        """(x, y, width, height) of what covers output's background, in the layout's pixels;
        None when the program has ended. Waits while only the background shows."""
        path = path or os.path.join(self.runtime, "shot.png")
        place = self.outputs()[output][:2]

        def drawn():
            self.call("grim", "-o", output, path)
            found = subprocess.run(["convert", path, "-format", "%@", "info:"],
                                   capture_output=True, text=True, check=True).stdout
            box = found.strip()
            if box.startswith("0x0"):  # the background only
                return process.process.poll() is not None
            w, h, x, y = map(int, box.replace("x", "+").split("+"))
            return x + place[0], y + place[1], w, h
        found = self.wait(f"a dialog on {output}", drawn)
        return None if found is True else found

    def run_program(self, env, *args, keys=(), wrapper=()):
        """As on X, through screenshots of the output that turns: the menu's frame is kept.
        wrapper: the command that runs the program."""
        if env.get("WAYLAND_DISPLAY") != self.env["WAYLAND_DISPLAY"]:
            return super().run_program(env, *args, keys=keys)
        output = env.get("TARVELIN_OUTPUT") or self.DEFAULT
        output = output if output in self.ROW else self.DEFAULT  # none turns then
        process = headless.runs.Run(env, *headless.NOBODY[1:], *wrapper, self.program, *args,
                                    program=headless.NOBODY[0])
        try:
            if keys:
                self.menu = self.frame(output, process)
                if self.menu is None:
                    self.fail(f"no menu: {process.finish()} {process.errors}")
                self.wtype(env, *(a for key in keys for a in ("-k", key)))
                self.wait("the menu gone", lambda: self.frame(output, process) != self.menu)
            box = self.frame(output, process)
            if box:
                self.box = box
                self.wtype(env, "-M", "ctrl", "-k", "c", "-m", "ctrl")
                text = self.wait("the box's text copied", lambda: self.call(
                    "wl-paste", "--no-newline", check=False).stdout)
                self.wtype(env, "-k", "Return")
            process.status = process.finish()
        finally:
            process.kill()
        process.message = text if box else process.errors or None
        return process

    def test_layer_dialogs_on_the_turned_output_not_the_focused_one(self):
        # (TARVELIN_OUTPUT, arguments, menu keys, status, box text, the turn made)
        cases = [(None, ["/menu"], ["Down"] * 2 + ["Return"], 0, None, 1),
                 ("HEADLESS-1", ["/menu"], ["Escape"], 0, None, 0),
                 (None, ["/set", "3"], [], 2, BOXES["invalid"], 0),
                 ("HEADLESS-3", ["/set", "7"], [], 2, BOXES["invalid"], 0)]
        for wanted, arguments, keys, status, box, turn in cases:
            with self.subTest(wanted=wanted, arguments=arguments, keys=keys):
                turned = wanted or self.DEFAULT
                self.lay_out(self.laid())
                self.call("swaymsg", "focus output " + next(n for n in self.ROW if n != turned))
                env = self.env if wanted is None else dict(self.env, TARVELIN_OUTPUT=wanted)
                result = self.run_program(env, *arguments, keys=keys)
                self.assertEqual((status, box), (result.status, result.message if box else None))
                self.assert_centred(self.menu if keys else self.box, turned)
                self.assertEqual(self.laid(turns={turned: turn}), self.outputs())

    def test_pointer_picks_an_item_presses_ok_and_closes_the_menu_from_outside(self):
        # (arguments, where to click down the frame, status, the turn made)
        for arguments, down, status, turn in ((["/menu"], 1.5 / 4, 0, 1),
                                              (["/set", "3"], 0.8, 2, 0), (["/menu"], -1, 0, 0)):
            with self.subTest(arguments=arguments):
                self.lay_out(self.laid())
                process = headless.runs.Run(self.env, *headless.NOBODY[1:],
                                            self.program, *arguments,
                                            program=headless.NOBODY[0])
                try:
                    x, y, width, height = self.frame(self.DEFAULT, process)
                    click(self.env, x + width // 2, y + int(height * down),
                          (sum(w for w, _ in self.SIZES.values()),
                           max(h for _, h in self.SIZES.values())))
                    self.assertEqual(status, process.finish())
                finally:
                    process.kill()
                self.assertEqual(self.laid(turns={self.DEFAULT: turn}), self.outputs())

    def test_scale_two_draws_the_dialogs_sharp(self):
        """Twice as large at scale 2, and no 2x stretch: some 2x2 cell of each grid differs."""
        sizes = {}
        for scale, (arguments, key) in itertools.product((1, 2), ((["/set", "3"], "Return"),
                                                                  (["/menu"], "Escape"))):
            with self.subTest(scale=scale, arguments=arguments):
                self.lay_out(self.laid())
                self.call("swaymsg", f"output {self.DEFAULT} scale {scale}")
                self.addCleanup(self.call, "swaymsg", f"output {self.DEFAULT} scale 1")
                path = os.path.join(self.runtime, "shot.png")
                process = headless.runs.Run(self.env, *headless.NOBODY[1:],
                                            self.program, *arguments,
                                            program=headless.NOBODY[0])
                try:
                    x, y, width, height = sizes[scale, key] = self.frame(self.DEFAULT, process)
                    self.wtype(self.env, "-k", key)
                    self.assertEqual(2 if key == "Return" else 0, process.finish())
                finally:
                    process.kill()
                shutil.copy(path, os.path.join(SHOTS, f"{arguments[0][1:]}-scale-{scale}.png"))
                grey = subprocess.run(["convert", path, "-crop", f"{width}x{height}+{x}+{y}",
                                       "gray:-"], capture_output=True, check=True).stdout
                self.assertFalse(stretched(grey, width, height), path)
                if scale == 2:  # the font's metrics at twice the size round apart a little
                    self.assertAlmostEqual(2 * sizes[1, key][2], width, delta=width / 20)
                    self.assertAlmostEqual(2 * sizes[1, key][3], height, delta=height / 20)

    def test_failures(self):
        """Nothing turns, through XWayland's RandR or otherwise. First by name: xdotool's keys
        miss after wtype has left its keymap on the seat."""
        path = os.path.join(self.runtime, "bare-0")
        bare = socketserver.ThreadingUnixStreamServer(path, Bare)
        os.chown(path, 65534, 65534)
        threading.Thread(target=bare.serve_forever, daemon=True).start()
        self.addCleanup(bare.shutdown)
        no_x = {k: v for k, v in self.env.items() if k != "DISPLAY"} | {"WAYLAND_DISPLAY": "bare-0"}
        # (environment, arguments, the box's text, the line on standard error): without the
        # layer shell the box is XWayland's.
        cases = [(dict(self.env, WAYLAND_DISPLAY="bare-0"), ["/set", "2"], UNSUPPORTED, ""),
                 (no_x, [], None, "tarvelin: your device does not support screen rotation\n")]
        before = self.outputs()
        for env, arguments, box, line in cases:
            with self.subTest(arguments=arguments, line=line):
                result = self.run_program(env, *arguments)
                self.assertEqual((1, box or line, line),
                                 (result.status, result.message, result.errors))
                self.assertEqual(before, self.outputs())


class PhocTest(SwayTest):
    SIZES = dict.fromkeys(SwayTest.ROW, (1280, 720))
    # Focus and scale are set through sway's own commands.
    test_layer_dialogs_on_the_turned_output_not_the_focused_one = None
    test_scale_two_draws_the_dialogs_sharp = None

    @classmethod
    def start(cls):
        cls.env.update(WLR_BACKENDS="headless", WLR_HEADLESS_OUTPUTS=str(len(cls.ROW)),
                       WLR_RENDERER="pixman")
        # Its own settings, which nobody can read wherever the checkout is.
        config = os.path.join(cls.runtime, "phoc.ini")
        open(config, "w").close()
        cls.spawn("phoc", "-C", config)
        cls.env["WAYLAND_DISPLAY"] = os.path.basename(
            cls.wait_file("phoc's socket", "wayland-[0-9]")[0])

    @classmethod
    def lay_out(cls, placed):
        cls.call("wlr-randr", *(a for name, (x, y, turn) in placed.items() for a in (
            "--output", name, "--pos", f"{x},{y}", "--transform", WLR_RANDR_NAME[turn])))


class SwayWithoutXWaylandTest(SwayTest):
    """The box and the menu need no XWayland."""

    XWAYLAND = False
    test_scenarios = test_output_choice_and_neighbours = test_failures = None
    test_scale_two_draws_the_dialogs_sharp = None

    def test_dialogs_under_memcheck(self):
        """No memory error, definite or indirect loss, or descriptor left open but the standard
        three and Valgrind's log."""
        log = os.path.join(self.runtime, "memcheck.log")
        # Valgrind reads it as nobody, who may not reach the checkout.
        suppressions = shutil.copy(SUPPRESSIONS, self.runtime)
        # (arguments, menu keys, status, the box's text, the turn made)
        cases = [(["/set", "3"], [], 2, BOXES["invalid"], 0), (["/menu"], ["Escape"], 0, None, 0),
                 (["/menu"], ["Down", "Down", "Return"], 0, None, 1)]
        for arguments, keys, status, box, turn in cases:
            with self.subTest(arguments=arguments, keys=keys):
                self.lay_out(self.laid())
                result = self.run_program(self.env, *arguments, keys=keys,
                                          wrapper=["valgrind", *memcheck(log, suppressions)[:-1]])
                report = pathlib.Path(log).read_text("utf-8")
                self.assertEqual((status, box), (result.status, box and result.message), report)
                self.assertIn("ERROR SUMMARY: 0 errors", report)
                self.assertEqual([log], re.findall(r"Open [\w ]+ \d+: (.*)", report), report)
                self.assertEqual(self.laid(turns={self.DEFAULT: turn}), self.outputs())
