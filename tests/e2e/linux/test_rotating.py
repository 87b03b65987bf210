"""A display that turns: Xephyr, nested in an Xvfb."""

import subprocess
import unittest

from runs import FAILING, INVALID, XRANDR_NAME, RotatingDisplayTest


class RotatingDisplay(RotatingDisplayTest):
    def setUp(self):
        self.start_at("normal")

    def test_cycle_over_four_runs(self):
        for expected in ("right", "inverted", "left", "normal"):
            self.assertIsNone(self.turn())
            self.assertShows(expected)

    def test_unrecognised_options_cycle(self):
        for args in (["/SET", "1"], ["/set4"], ["/Toggle"], ["/set"], ["x", "/set", "1"]):
            with self.subTest(args=args):
                self.start_at("inverted")
                self.assertIsNone(self.turn(*args))
                self.assertShows("left")

    def test_toggle_both_ways(self):
        cases = [("normal", "right"), ("right", "normal"), ("left", "normal"),
                 ("inverted", "normal")]
        for start, expected in cases:
            with self.subTest(start=start):
                self.start_at(start)
                self.assertIsNone(self.turn("/toggle", "ignored"))
                self.assertShows(expected)

    def test_set_each_code_from_each_orientation(self):
        for start in XRANDR_NAME.values():
            for code, expected in XRANDR_NAME.items():
                with self.subTest(start=start, code=code):
                    self.start_at(start)
                    self.assertIsNone(self.turn("/set", code))
                    self.assertShows(expected)

    def test_set_reads_the_value_as_a_decimal(self):
        cases = [(" \t2", "inverted"), ("\u30004", "right"), ("+1", "left"),
                 ("2px", "inverted"), ("abc", "normal"), ("", "normal"),
                 ("-0", "normal"), ("0004", "right"), ("\u200b4", "normal")]
        for value, expected in cases:
            with self.subTest(value=value):
                self.start_at("left" if expected == "normal" else "normal")
                self.assertIsNone(self.turn("/set", value))
                self.assertShows(expected)

    def test_set_refuses_what_is_no_orientation(self):
        for value in ("3", "5", "8", "-1", "-4", "16", "4294967297"):
            with self.subTest(value=value):
                self.start_at("left")
                self.assertEqual(INVALID, self.turn("/set", value))
                self.assertShows("left")

    def test_relative_pointers_keep_their_matrix(self):
        self.turn("/set", "1")
        self.assertShows("left")
        env = self.server.env()
        listing = subprocess.run(["xinput", "list", "--id-only"], env=env,
                                 capture_output=True, text=True, check=True)
        checked = 0
        for device in listing.stdout.split():
            props = subprocess.run(["xinput", "list-props", device], env=env,
                                   capture_output=True, text=True, check=True).stdout
            for line in props.splitlines():
                if "Coordinate Transformation Matrix" in line:
                    values = [float(v) for v in line.split(":", 1)[1].split(",")]
                    self.assertEqual([1, 0, 0, 0, 1, 0, 0, 0, 1], values, device)
                    checked += 1
        self.assertGreater(checked, 0, "no pointer to look at")

    def test_a_failed_step_leaves_the_previous_configuration(self):
        for step in ("size", "crtc"):
            for start, code in (("normal", "1"), ("left", "2"), ("inverted", "4")):
                with self.subTest(step=step, start=start, code=code):
                    self.start_at(start)
                    env = self.server.env(TARVELIN_FAILING_STEP=step)
                    self.assertIsNone(self.turn("/set", code, program=FAILING, env=env))
                    self.assertShows(start)
        # The same program turns when no step is made to fail.
        self.start_at("normal")
        self.turn("/set", "1", program=FAILING)
        self.assertShows("left")


if __name__ == "__main__":
    unittest.main()
