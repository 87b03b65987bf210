"""Touch input follows the picture. Xephyr has no touchscreen: a build of the
program that takes every pointer attached to the core pointer for one shows
the matrices each turn sets, through the real server."""

import os
import re
import subprocess
import unittest

from runs import DONE, RotatingDisplayTest

EVERY_POINTER_ABSOLUTE = os.environ["TARVELIN_EVERY_POINTER_ABSOLUTE"]

MATRIX = {
    "normal": [1, 0, 0, 0, 1, 0, 0, 0, 1],
    "left": [0, -1, 1, 1, 0, 0, 0, 0, 1],
    "inverted": [-1, 0, 1, 0, -1, 1, 0, 0, 1],
    "right": [0, 1, 0, -1, 0, 1, 0, 0, 1],
}

_DEVICE = re.compile(r"id=(\d+)\s+\[(\w+)\s+(\w+)")


class TouchInput(RotatingDisplayTest):
    def devices(self):
        """Each device's (role, matrix), role as xinput names it."""
        env = self.server.env()
        listing = subprocess.run(["xinput", "list", "--short"], env=env, capture_output=True,
                                 text=True, check=True).stdout
        found = {}
        for device, level, kind in _DEVICE.findall(listing):
            props = subprocess.run(["xinput", "list-props", device], env=env,
                                   capture_output=True, text=True, check=True).stdout
            line = re.search(r"Coordinate Transformation Matrix \(\d+\):(.*)", props)
            if line:
                matrix = [float(v) for v in line.group(1).split(",")]
                found[device] = (f"{level} {kind}", matrix)
        return found

    def test_touch_devices_follow_each_turn_and_nothing_else_moves(self):
        self.start_at("normal")
        # Quarter turns and half turns, which take another way through RandR.
        for code, name in (("1", "left"), ("4", "right"), ("2", "inverted"), ("0", "normal")):
            with self.subTest(name):
                turned = self.turn("/set", code, program=EVERY_POINTER_ABSOLUTE)
                self.assertEqual((DONE, None), turned)
                self.assertShows(name)
                devices = self.devices()
                self.assertIn("slave pointer", [role for role, _ in devices.values()])
                for device, (role, matrix) in devices.items():
                    expected = MATRIX[name] if role == "slave pointer" else MATRIX["normal"]
                    self.assertEqual(expected, matrix, f"device {device}, {role}")


if __name__ == "__main__":
    unittest.main()
