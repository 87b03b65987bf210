"""The Linux program on a headless KWin: outputs turned through KDE's output
management, laid out with kscreen-doctor."""

import shutil

import headless

# kscreen-doctor's names for the wl_output transforms: it sets no flipped one.
ROTATION = ["normal", "left", "inverted", "right"]


class KwinTest(headless.DesktopTest):
    LAYER = "kde"
    ROW = ("Virtual-0", "Virtual-1", "Virtual-2")
    DEFAULT = "Virtual-1"  # first in KWin's order
    SIZES = dict.fromkeys(ROW, (1280, 720))
    FLIPS = False

    @classmethod
    def start(cls):
        # The installed binary carries a file capability that a container may
        # not grant; a copy has none. KWin knows itself by its name.
        program = shutil.copy(shutil.which("kwin_wayland"), cls.runtime)
        cls.env.update(WAYLAND_DISPLAY="wayland-tarvelin", QT_QPA_PLATFORM="wayland")
        cls.spawn(program, "--socket", "wayland-tarvelin", "--virtual", "--xwayland",
                  "--width", "1280", "--height", "720", "--output-count", "3", "--no-lockscreen")

    @classmethod
    def lay_out(cls, placed):
        cls.call("kscreen-doctor", *(
            f"output.{name}.{setting}" for name, (x, y, transform) in placed.items()
            for setting in (f"position.{x},{y}", f"rotation.{ROTATION[transform]}",
                            f"priority.{1 if name == cls.DEFAULT else 2}")))
