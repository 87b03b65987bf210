"""A headless sway for the end-to-end tests (see headless.py)."""

import os
import subprocess

from headless import TIMEOUT, Headless, socket_in

# sway's names for the wl_output transforms: it counts clockwise, so "90"
# is wl_output's 270.
SWAY_NAME = ["normal", "270", "180", "90", "flipped", "flipped-270", "flipped-180", "flipped-90"]


class Sway(Headless):
    def __init__(self, extra_outputs=2):
        super().__init__("sway")
        try:
            config = os.path.join(self.runtime, "config")
            with open(config, "w", encoding="utf-8") as file:
                file.write("xwayland enable\n")
            self.env.update(WLR_BACKENDS="headless", WLR_LIBINPUT_NO_DEVICES="1",
                            WLR_RENDERER="pixman")
            self.start(["sway", "-c", config])
            display = self.wait("sway's socket", lambda: socket_in(self.runtime, "wayland-[0-9]"))
            self.env["WAYLAND_DISPLAY"] = os.path.basename(display)
            self.env["SWAYSOCK"] = self.wait("sway's IPC",
                                             lambda: socket_in(self.runtime, "sway-ipc.*"))
            for _ in range(extra_outputs):
                self.swaymsg("create_output")
            self.open_x()
        except Exception:
            self.stop()
            raise

    def swaymsg(self, *command):
        subprocess.run(["swaymsg", *command], env=self.env, check=True, timeout=TIMEOUT,
                       stdout=subprocess.DEVNULL)

    def lay_out(self, *outputs):
        """(name, x, y, wl_output transform, primary) each, at 1920x1080:
        sway has no primary output."""
        for name, x, y, transform, _ in outputs:
            self.swaymsg("output", name, "mode", "1920x1080", "pos", str(x), str(y),
                         "transform", SWAY_NAME[transform])
