"""A screen whose turned size is beyond its size range: Xephyr at 1600x1200
can only turn through RandR 1.0's one request."""

import unittest

from runs import XRANDR_NAME, run, set_orientation, shown_message, xdisplays

WIDTH, HEIGHT = 1600, 1200


class FallbackDisplay(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.host = xdisplays.start_xvfb(1024, 768)
        try:
            cls.server = xdisplays.start_rotating(cls.host, WIDTH, HEIGHT)
        except Exception:
            cls.host.stop()
            raise

    @classmethod
    def tearDownClass(cls):
        xdisplays.stop_rotating(cls.server)
        cls.host.stop()

    def assertShows(self, name):
        size = (HEIGHT, WIDTH) if name in ("left", "right") else (WIDTH, HEIGHT)
        self.assertEqual((name, *size), xdisplays.rotation(self.server.display))

    def turn(self, *args):
        result = run(self.server.env(), *args)
        self.assertEqual(0, result.returncode)
        self.assertIsNone(shown_message(result))

    def test_cycle_over_four_runs(self):
        set_orientation(self.server, "normal")
        for expected in ("right", "inverted", "left", "normal"):
            self.turn()
            self.assertShows(expected)

    def test_set_each_code(self):
        for code, expected in XRANDR_NAME.items():
            with self.subTest(code=code):
                set_orientation(self.server, "normal")
                self.turn("/set", code)
                self.assertShows(expected)


if __name__ == "__main__":
    unittest.main()
