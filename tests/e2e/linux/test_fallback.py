"""A screen whose turned size is beyond its size range: Xephyr at 1600x1200
can only turn through RandR 1.0's one request."""

import unittest

from runs import XRANDR_NAME, RotatingDisplayTest


class FallbackDisplay(RotatingDisplayTest):
    WIDTH, HEIGHT = 1600, 1200

    def test_cycle_over_four_runs(self):
        self.start_at("normal")
        for expected in ("right", "inverted", "left", "normal"):
            self.assertIsNone(self.turn())
            self.assertShows(expected)

    def test_set_each_code(self):
        for code, expected in XRANDR_NAME.items():
            with self.subTest(code=code):
                self.start_at("normal")
                self.assertIsNone(self.turn("/set", code))
                self.assertShows(expected)


if __name__ == "__main__":
    unittest.main()
