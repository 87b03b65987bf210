"""The Linux program on a headless Mutter: monitors turned through its
DisplayConfig service, in the layout mode where a monitor's scale divides its size."""

import pathlib
import re

import headless


class MutterTest(headless.DesktopTest):
    LAYER = "gnome"
    ROW = ("Meta-0", "Meta-1", "Meta-2")
    DEFAULT = "Meta-1"  # primary
    CENTRES_DOWN = True  # the menu's frame is kept off its place
    # Meta-2 is the one large enough for scale 2.
    SIZES = {"Meta-0": (1280, 720), "Meta-1": (800, 600), "Meta-2": (1920, 1080)}

    @classmethod
    def start(cls):
        keyfile = pathlib.Path(cls.runtime, ".config/glib-2.0/settings/keyfile")
        keyfile.parent.mkdir(parents=True)
        keyfile.write_text(
            "[org/gnome/mutter]\nexperimental-features=['scale-monitor-framebuffer']\n")
        cls.env.update(GSETTINGS_BACKEND="keyfile", WAYLAND_DISPLAY="wayland-tarvelin")
        cls.spawn("mutter", "--wayland", "--headless", "--wayland-display", "wayland-tarvelin",
                  *(f"--virtual-monitor={w}x{h}" for w, h in cls.SIZES.values()))
        # Its X clients need the file XWayland was started with.
        cls.env["XAUTHORITY"] = cls.wait_file("XWayland's authority", ".mutter-Xwaylandauth.*")[0]
        cls.wait("DisplayConfig", lambda: cls.display_config("GetCurrentState", check=False))

    @classmethod
    def display_config(cls, method, *args, check=True):
        return cls.call("gdbus", "call", "--session", "--dest", "org.gnome.Mutter.DisplayConfig",
                        "--object-path", "/org/gnome/Mutter/DisplayConfig", "--method",
                        "org.gnome.Mutter.DisplayConfig." + method, *args, check=check).stdout

    @classmethod
    def lay_out(cls, placed, scales=None):
        serial = re.match(r"\(uint32 (\d+),", cls.display_config("GetCurrentState")).group(1)
        logical = ", ".join(
            f"({x}, {y}, {float((scales or {}).get(name, 1))}, uint32 {transform}, "
            f"{str(name == cls.DEFAULT).lower()}, "
            f"[('{name}', '{width}x{height}@60.000', @a{{sv}} {{}})])"
            for name, (x, y, transform) in placed.items() for width, height in [cls.SIZES[name]])
        cls.display_config("ApplyMonitorsConfig", serial, "1", f"[{logical}]", "@a{sv} {}")

    def test_scale(self):
        """A scaled monitor's size is its mode's divided, from the first read."""
        self.lay_out({"Meta-0": (0, 0, 0), "Meta-2": (1280, 0, 0), "Meta-1": (2240, 0, 0)},
                     scales={"Meta-2": 2})
        result = self.run_program(dict(self.env, TARVELIN_OUTPUT="Meta-2"), "/set", "1")
        self.assertEqual((0, ""), (result.status, result.errors))
        self.assertEqual({"Meta-0": (0, 0, 0), "Meta-2": (1280, 0, 1), "Meta-1": (1820, 0, 0)},
                         self.outputs())

    def test_a_neighbour_left_without_an_edge_slides_back_to_one(self):
        """Mutter refuses a layout whose monitors are not adjacent."""
        self.lay_out({"Meta-1": (0, 0, 1), "Meta-0": (600, 700, 0), "Meta-2": (1880, 700, 0)})
        result = self.run_program(dict(self.env, TARVELIN_OUTPUT="Meta-1"), "/set", "0")
        self.assertEqual((0, ""), (result.status, result.errors))
        self.assertEqual({"Meta-1": (0, 0, 0), "Meta-0": (800, 599, 0), "Meta-2": (2080, 700, 0)},
                         self.outputs())
