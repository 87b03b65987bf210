"""A headless Mutter with three virtual monitors, Meta-0 to Meta-2, read and
laid out through its DisplayConfig service, in the logical layout mode, where
a monitor's scale divides its size."""

import os
import re

from headless import Headless, socket_in

# Meta-2 is the one large enough for scale 2.
MODES = {"Meta-0": ("1280x720@60.000", 1280, 720), "Meta-1": ("800x600@60.000", 800, 600),
         "Meta-2": ("1920x1080@60.000", 1920, 1080)}
SERVICE = ["--dest", "org.gnome.Mutter.DisplayConfig", "--object-path",
           "/org/gnome/Mutter/DisplayConfig", "--method"]


class Mutter(Headless):
    def __init__(self):
        super().__init__("mutter", bus=True)
        try:
            settings = os.path.join(self.runtime, ".config", "glib-2.0", "settings")
            os.makedirs(settings)
            with open(os.path.join(settings, "keyfile"), "w", encoding="utf-8") as file:
                file.write("[org/gnome/mutter]\n"
                           "experimental-features=['scale-monitor-framebuffer']\n")
            self.env["GSETTINGS_BACKEND"] = "keyfile"
            self.env["WAYLAND_DISPLAY"] = "wayland-tarvelin"
            self.start(["mutter", "--wayland", "--headless", "--wayland-display",
                        "wayland-tarvelin", *(f"--virtual-monitor={w}x{h}"
                                              for _, w, h in MODES.values())])
            # Its X clients need the file XWayland was started with.
            self.env["XAUTHORITY"] = self.wait(
                "XWayland's authority", lambda: socket_in(self.runtime, ".mutter-Xwaylandauth.*"))
            self.wait("DisplayConfig", lambda: self.state(check=False))
            self.open_x()
        except Exception:
            self.stop()
            raise

    def state(self, check=True):
        return self.call("gdbus", "call", "--session", *SERVICE,
                         "org.gnome.Mutter.DisplayConfig.GetCurrentState",
                         check=check).stdout

    def outputs(self):
        """{connector: (x, y, width, height, transform)}."""
        shown = {}
        for x, y, scale, transform, name in re.findall(
                r"\((-?\d+), (-?\d+), ([\d.]+), (?:uint32 )?(\d+), (?:true|false), \[\('([^']+)'",
                self.state()):
            _, width, height = MODES[name]
            size = (height, width) if int(transform) & 1 else (width, height)
            shown[name] = (int(x), int(y), *(round(n / float(scale)) for n in size),
                           int(transform))
        return shown

    def lay_out(self, *outputs):
        """(connector, x, y, transform, primary[, scale]) each: those not
        given are off."""
        serial = re.match(r"\(uint32 (\d+),", self.state()).group(1)
        logical = ", ".join(
            f"({x}, {y}, {float(scale[0]) if scale else 1.0}, uint32 {transform}, "
            f"{str(primary).lower()}, [('{name}', '{MODES[name][0]}', @a{{sv}} {{}})])"
            for name, x, y, transform, primary, *scale in outputs)
        self.call("gdbus", "call", "--session", *SERVICE,
                  "org.gnome.Mutter.DisplayConfig.ApplyMonitorsConfig", serial, "1",
                  f"[{logical}]", "@a{sv} {}")
