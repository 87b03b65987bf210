"""A headless KWin with three virtual outputs, Virtual-0 to Virtual-2, all
1280x720, laid out with kscreen-doctor."""

import os
import shutil

from headless import Headless, socket_in

# kscreen-doctor's names for the wl_output transforms: it sets no flipped one.
ROTATION = {0: "normal", 1: "left", 2: "inverted", 3: "right"}


class Kwin(Headless):
    def __init__(self):
        super().__init__("kwin", bus=True)
        try:
            # The installed binary carries a file capability that a container
            # may not grant; a copy has none. KWin knows itself by its name.
            program = os.path.join(self.runtime, "bin", "kwin_wayland")
            os.mkdir(os.path.dirname(program))
            shutil.copy(shutil.which("kwin_wayland"), program)
            self.env.update(WAYLAND_DISPLAY="wayland-tarvelin", QT_QPA_PLATFORM="wayland")
            self.start([program, "--socket", "wayland-tarvelin", "--virtual", "--xwayland",
                        "--width", "1280", "--height", "720", "--output-count", "3",
                        "--no-lockscreen"])
            self.wait("KWin's socket", lambda: socket_in(self.runtime, "wayland-tarvelin"))
            self.open_x()
        except Exception:
            self.stop()
            raise

    def lay_out(self, *outputs):
        """(name, x, y, transform, first in KWin's order) each."""
        self.call("kscreen-doctor", *(
            f"output.{name}.{setting}" for name, x, y, transform, first in outputs
            for setting in (f"position.{x},{y}", f"rotation.{ROTATION[transform]}",
                            f"priority.{1 if first else 2}")))
