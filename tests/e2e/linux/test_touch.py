"""Touch input follows the picture. Xephyr has no touchscreen: a build of the
program that takes every pointer attached to the core pointer for one shows
the matrices each turn sets, through the real server."""

import os
import re
import unittest

from runs import DONE, PROGRAM, RotatingDisplayTest, output_of, run
from scenarios import TOUCH_MATRIX

EVERY_POINTER_ABSOLUTE = os.environ["TARVELIN_EVERY_POINTER_ABSOLUTE"]

_DEVICE = re.compile(r"id=(\d+)\s+\[(\w+)\s+(\w+)")


class TouchInput(RotatingDisplayTest):
    def devices(self):
        """Each device's (role, matrix), role as xinput names it."""
        found = {}
        listing = output_of(self.env, "xinput", "list", "--short")
        for device, level, kind in _DEVICE.findall(listing):
            props = output_of(self.env, "xinput", "list-props", device)
            line = re.search(r"Coordinate Transformation Matrix \(\d+\):(.*)", props)
            if line:
                found[device] = (f"{level} {kind}", [float(v) for v in line.group(1).split(",")])
        return found

    def test_touch_devices_follow_each_turn_and_nothing_else_moves(self):
        # Xephyr's own pointers are relative: the real build leaves them be.
        # Half turns take another way through RandR than quarter turns.
        for program, code in ((PROGRAM, 1), *((EVERY_POINTER_ABSOLUTE, c) for c in (4, 2, 1, 0))):
            with self.subTest(program=program, code=code):
                result = run(self.env, "/set", str(code), program=program)
                self.assertEqual((DONE, None), (result.status, result.message))
                self.assertShows(code)
                devices = self.devices()
                self.assertIn("slave pointer", [role for role, _ in devices.values()])
                for device, (role, matrix) in devices.items():
                    touch = program == EVERY_POINTER_ABSOLUTE and role == "slave pointer"
                    self.assertEqual(TOUCH_MATRIX[code if touch else 0], matrix,
                                     f"device {device}, {role}")


if __name__ == "__main__":
    unittest.main()
