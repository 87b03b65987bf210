"""Displays the program must refuse: one that offers only the normal
orientation, one without RandR, and none at all."""

import unittest

from runs import (UNSUPPORTED, run, shown_message, unused_display,
                  without_display, xdisplays)

COMMAND_LINES = [[], ["/toggle"], ["/set", "1"], ["/set", "0"], ["/set", "9"],
                 ["/menu"], ["/bogus"]]


class RefusingDisplays(unittest.TestCase):
    def check_refused(self, server):
        before = xdisplays.rotation(server.display)
        for args in COMMAND_LINES:
            with self.subTest(args=args):
                result = run(server.env(), *args)
                self.assertEqual(0, result.returncode)
                self.assertEqual(UNSUPPORTED, shown_message(result))
                self.assertEqual("", result.stdout)
                self.assertEqual(before, xdisplays.rotation(server.display))

    def test_display_that_cannot_rotate(self):
        server = xdisplays.start_xvfb(640, 480)
        try:
            self.assertEqual(("normal", 640, 480), xdisplays.rotation(server.display))
            self.check_refused(server)
        finally:
            server.stop()

    def test_display_without_randr(self):
        server = xdisplays.start_xvfb(640, 480, "-extension", "RANDR")
        try:
            self.check_refused(server)
        finally:
            server.stop()

    def test_no_display(self):
        for env in (without_display(), without_display(DISPLAY=unused_display())):
            for args in COMMAND_LINES:
                with self.subTest(display=env.get("DISPLAY"), args=args):
                    result = run(env, *args)
                    self.assertEqual(1, result.returncode)
                    self.assertEqual(UNSUPPORTED + "\n", result.stderr)
                    self.assertEqual("", result.stdout)


if __name__ == "__main__":
    unittest.main()
