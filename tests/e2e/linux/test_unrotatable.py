"""Where the program must refuse: a display that offers only the normal
orientation, one without RandR, and none at all."""

import os
import unittest

from runs import UNSUPPORTED, run, xdisplays

COMMAND_LINES = [[], ["/toggle"], ["/set", "9"], ["/menu"]]


class RefusingDisplays(unittest.TestCase):
    def check_refused(self, env, status, message):
        for args in COMMAND_LINES:
            with self.subTest(display=env.get("DISPLAY"), args=args):
                result = run(env, *args)
                self.assertEqual((status, message, ""),
                                 (result.status, result.message, result.out))

    def test_displays_that_cannot_rotate(self):
        for options in ((), ("-extension", "RANDR")):
            server = xdisplays.start_xvfb(640, 480, *options)
            try:
                self.check_refused(server.env(), 0, UNSUPPORTED)
            finally:
                server.stop()

    def test_no_display(self):
        unused = next(n for n in range(9000, 10000) if not os.path.exists(f"/tmp/.X11-unix/X{n}")
                      and not os.path.exists(f"/tmp/.X{n}-lock"))
        without = {k: v for k, v in os.environ.items() if k != "DISPLAY"}
        for env in (without, dict(without, DISPLAY=f":{unused}")):
            self.check_refused(env, 1, UNSUPPORTED + "\n")


if __name__ == "__main__":
    unittest.main()
