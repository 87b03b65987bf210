"""What the end-to-end tests check alike on the headless desktops that
take the menu's keys through XWayland."""

import os
import sys
import unittest

E2E = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path[:0] = [E2E, os.path.join(E2E, "linux")]
import runs  # noqa: E402
from headless import NOBODY  # noqa: E402
from scenarios import MENU_CODES, scenarios  # noqa: E402


WL_TRANSFORM = {0: 0, 1: 1, 2: 2, 4: 3}


def run_as_nobody(env, *args, keys=()):
    """Runs the program to its end; keys are typed into its menu, whose
    geometry is kept as menu."""
    menu = []

    def answer(window):
        menu.append(runs.geometry(env, window))
        return ["key", *keys]

    result = runs.run(env, *NOBODY[1:], runs.PROGRAM, *args, program=NOBODY[0],
                      answer_menu=keys and answer)
    result.menu = menu and menu[0]
    return result


class DesktopTest(unittest.TestCase):
    """The scenario rows of LAYER and the choice of output on a DESKTOP
    whose outputs ROW, of SIZES, stand left to right, the middle one the
    desktop's own choice."""

    DESKTOP, LAYER, ROW, SIZES = None, None, (), {}
    FLIPS = True  # whether the tests can lay out a flipped output

    @classmethod
    def setUpClass(cls):
        if os.geteuid() != 0:
            raise unittest.SkipTest("the desktop runs as nobody: needs root to drop to it")
        cls.desktop = cls.DESKTOP()
        cls.addClassCleanup(cls.desktop.stop)

    def size(self, name, transform):
        width, height = self.SIZES[name]
        return (height, width) if transform & 1 else (width, height)

    def in_row(self, transform):
        """{name: (x, y, transform)}: the middle output at transform."""
        placed, x = {}, 0
        for name in self.ROW:
            placed[name] = (x, 0, transform if name == self.ROW[1] else 0)
            x += self.size(name, placed[name][2])[0]
        return placed

    def lay_out(self, placed):
        self.desktop.lay_out(*((name, x, y, transform, name == self.ROW[1])
                               for name, (x, y, transform) in placed.items()))

    def shown(self):
        return {name: (x, y, transform)
                for name, (x, y, _, _, transform) in self.desktop.outputs().items()}

    def test_scenarios(self):
        for row in scenarios(self.LAYER):
            with self.subTest(row.name, line=row.line):
                self.lay_out(self.in_row(WL_TRANSFORM[row.start]))
                pick = row.menu_pick()
                keys = [] if pick is None else ["Escape"] if pick == "closed" else (
                    ["Down"] * (MENU_CODES.index(pick) + 1) + ["Return"])
                result = run_as_nobody(self.desktop.env, *row.linux_arguments, keys=keys)
                # The menu is on the output that turns, centred across it (a
                # title bar may push it down).
                if keys:
                    x, y, width, height = result.menu
                    left = self.in_row(0)[self.ROW[1]][0]
                    turned = self.size(self.ROW[1], WL_TRANSFORM[row.start])
                    self.assertAlmostEqual(left + turned[0] / 2, x + width / 2, delta=1)
                    self.assertTrue(0 <= y <= y + height <= turned[1], result.menu)
                self.assertEqual(row.status, result.status, result.message)
                self.assertEqual(row.box(), result.message if row.box() else None)
                code = row.turned_to() if row.turned_to() is not None else row.start
                self.assertEqual(self.in_row(WL_TRANSFORM[code]), self.shown())

    def test_output_choice_and_neighbours(self):
        left, middle, right = self.ROW
        (_, lh), (mw, mh) = self.SIZES[left], self.SIZES[middle]
        turned_left = {left: (0, 0, 1), middle: (lh, 0, 0), right: (lh + mw, 0, 0)}
        column = {middle: (0, 0, 0), left: (0, mh, 0), right: (0, mh + lh, 0)}
        # (layout, TARVELIN_OUTPUT, arguments, status, line, layout after)
        cases = [
            (self.in_row(0), left, ["/set", "1"], 0, "", turned_left),
            (column, None, ["/set", "4"], 0, "",
             {middle: (0, 0, 3), left: (0, mw, 0), right: (0, mw + lh, 0)}),
            (self.in_row(0), "HDMI-A-9", ["/set", "2"], 1,
             'tarvelin: no enabled output named "HDMI-A-9" (TARVELIN_OUTPUT)\n', self.in_row(0)),
        ] + [(self.in_row(5), None, [], 0, "", self.in_row(4))] * self.FLIPS  # the flip stays
        for layout, wanted, arguments, status, line, after in cases:
            with self.subTest(wanted=wanted, arguments=arguments, layout=layout):
                self.lay_out(layout)
                env = dict(self.desktop.env, **({"TARVELIN_OUTPUT": wanted} if wanted else {}))
                result = run_as_nobody(env, *arguments)
                self.assertEqual((status, line), (result.status, result.errors))
                self.assertEqual(after, self.shown())
