"""The Linux program on a headless KWin: outputs turned through KDE's output
management, boxes and the menu through XWayland."""

import unittest

import desktop_test
from kwin import Kwin


class KwinTest(desktop_test.DesktopTest):
    DESKTOP, LAYER = Kwin, "kde"
    ROW = ("Virtual-0", "Virtual-1", "Virtual-2")
    DEFAULT = "Virtual-1"  # first in KWin's order
    SIZES = dict.fromkeys(ROW, (1280, 720))
    FLIPS = False


if __name__ == "__main__":
    unittest.main()
