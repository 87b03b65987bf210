"""The real program under Valgrind memcheck on X: a turn, each box and the menu each way,
and no display, each without a memory error, a definite or indirect loss, or a descriptor
left open at exit but the standard three."""

import os
import re
import tempfile
import unittest

from runs import PROGRAM, run, xdisplays

SUPPRESSIONS = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))),
                            "memcheck.supp")


def memcheck(log, suppressions=SUPPRESSIONS, program=PROGRAM):
    return ["--leak-check=full", "--errors-for-leak-kinds=definite,indirect",
            "--error-exitcode=99", "--track-fds=yes", f"--suppressions={suppressions}",
            f"--log-file={log}", program]


class Memcheck(unittest.TestCase):
    def test_turn_boxes_menu_and_no_display(self):
        with xdisplays.rotating_display() as (host, server), tempfile.TemporaryDirectory() as work:
            unset = {k: v for k, v in os.environ.items() if k != "DISPLAY"}
            # (name, environment, arguments, menu keys, status)
            cases = [("a turn", server.env(), [], None, 0),
                     ("the invalid box", server.env(), ["/set", "9"], None, 2),
                     ("the menu escaped", server.env(), ["/menu"], ["Escape"], 0),
                     ("a pick", server.env(), ["/menu"], ["Down", "Down", "Return"], 0),
                     ("the unsupported box", host.env(), [], None, 1),
                     ("no display", unset, [], None, 1)]
            for name, env, args, keys, status in cases:
                with self.subTest(name):
                    log = os.path.join(work, name.replace(" ", "-") + ".log")
                    result = run(env, *memcheck(log), *args, program="valgrind",
                                 answer_menu=keys and (lambda menu, k=keys: ["key", *k]))
                    with open(log, encoding="utf-8") as logged:
                        report = logged.read()
                    self.assertEqual(status, result.status, report)
                    self.assertIn("ERROR SUMMARY: 0 errors", report)
                    # Valgrind's own log is open from before the program starts.
                    self.assertEqual([log], re.findall(r"Open file descriptor \d+: (.*)", report))
