"""The Linux program on a headless Mutter: monitors turned through its
DisplayConfig service, boxes and the menu through XWayland."""

import unittest

import desktop_test
from mutter import MODES, Mutter


class MutterTest(desktop_test.DesktopTest):
    DESKTOP, LAYER = Mutter, "gnome"
    ROW = ("Meta-0", "Meta-1", "Meta-2")  # Meta-1 primary
    SIZES = {name: (width, height) for name, (_, width, height) in MODES.items()}


if __name__ == "__main__":
    unittest.main()
