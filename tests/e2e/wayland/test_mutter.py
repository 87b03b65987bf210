"""The Linux program on a headless Mutter: monitors turned through its
DisplayConfig service, boxes and the menu through XWayland."""

import unittest

import desktop_test
from mutter import MODES, Mutter


class MutterTest(desktop_test.DesktopTest):
    DESKTOP, LAYER = Mutter, "gnome"
    ROW = ("Meta-0", "Meta-1", "Meta-2")
    DEFAULT = "Meta-1"  # primary
    SIZES = {name: (width, height) for name, (_, width, height) in MODES.items()}

    def test_scale(self):
        """A scaled monitor's size is its mode's divided, from the first read."""
        self.desktop.lay_out(("Meta-0", 0, 0, 0, False), ("Meta-2", 1280, 0, 0, False, 2),
                             ("Meta-1", 2240, 0, 0, True))
        env = dict(self.desktop.env, TARVELIN_OUTPUT="Meta-2")
        result = self.run_program(env, "/set", "1")
        self.assertEqual((0, ""), (result.status, result.errors))
        self.assertEqual({"Meta-0": (0, 0, 0), "Meta-2": (1280, 0, 1), "Meta-1": (1820, 0, 0)},
                         self.shown())


if __name__ == "__main__":
    unittest.main()
