"""The Linux program on a headless sway: outputs turned through
wlr-output-management, boxes and the menu through XWayland, the menu's
keys typed on sway's own keyboard."""

import os
import socket
import struct
import subprocess
import threading
import unittest

import desktop_test
import runs
from headless import NOBODY, TIMEOUT
from scenarios import UNSUPPORTED
from sway import Sway


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


class SwayTest(desktop_test.DesktopTest):
    DESKTOP, LAYER = Sway, "wayland"
    # sway has no choice of its own: the program takes the output at (0,0),
    # here neither the first by name nor the newest.
    ROW = ("HEADLESS-2", "HEADLESS-1", "HEADLESS-3")
    DEFAULT = "HEADLESS-2"
    SIZES = dict.fromkeys(ROW, (1920, 1080))
    PLACES_MENU = False  # sway centres it on the focused output

    def run_program(self, env, *args, keys=()):
        """As on the other desktops, but keys come from sway's own keyboard."""
        if not keys:
            return super().run_program(env, *args)
        process = runs.Run(env, *NOBODY[1:], runs.PROGRAM, *args, program=NOBODY[0])
        try:
            process.menu()
            # wtype's first key is lost before about a second.
            subprocess.run(["wtype", "-s", "1000", *(a for key in keys for a in ("-k", key))],
                           env=env, timeout=TIMEOUT, check=True)
            process.status = process.finish()
        finally:
            process.kill()
        process.message = process.errors or None
        return process

    def test_failures(self):
        """Nothing turns, through XWayland's RandR or otherwise."""
        bare = Compositor(self.desktop.runtime)
        self.addCleanup(bare.stop)
        env = self.desktop.env
        no_x = {k: v for k, v in env.items() if k != "DISPLAY"}
        # (environment, arguments, the box's text, the line on standard error)
        cases = [
            (dict(env, WAYLAND_DISPLAY="bare-0"), ["/set", "2"], UNSUPPORTED, ""),
            (dict(no_x, WAYLAND_DISPLAY="bare-0"), [], None,
             "tarvelin: your device does not support screen rotation\n"),
            (no_x, ["/menu"], None, "tarvelin: cannot show the menu: no X display (XWayland)\n"),
        ]
        before = self.desktop.outputs()
        for env, arguments, box, line in cases:
            with self.subTest(arguments=arguments, line=line):
                result = self.run_program(env, *arguments)
                self.assertEqual((1, box or line, line), (result.status, result.message,
                                                          result.errors))
                self.assertEqual(before, self.desktop.outputs())


if __name__ == "__main__":
    unittest.main()
