"""What the end-to-end tests check alike on the headless desktops, whose
boxes and menu are X windows of their XWayland."""

import os
import sys
import unittest

E2E = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path[:0] = [E2E, os.path.join(E2E, "linux")]
import runs  # noqa: E402
from headless import NOBODY  # noqa: E402
from scenarios import MENU_CODES, QUARTER_TURNS, scenarios  # noqa: E402


class DesktopTest(unittest.TestCase):
    """The scenario rows of LAYER and the choice of output on a DESKTOP
    whose outputs ROW, of SIZES, stand left to right, DEFAULT among them
    the desktop's own choice."""

    DESKTOP, LAYER, ROW, DEFAULT, SIZES = None, None, (), None, {}
    FLIPS = True  # whether the tests can lay out a flipped output
    PLACES_MENU = True  # whether the menu stays where the program puts it

    @classmethod
    def setUpClass(cls):
        cls.desktop = cls.DESKTOP()
        cls.addClassCleanup(cls.desktop.stop)

    def run_program(self, env, *args, keys=()):
        """Runs the program as nobody to its end; keys are typed into its
        menu, whose geometry is kept as menu."""
        menu = []

        def answer(window):
            menu.append(runs.geometry(env, window))
            return ["key", *keys]

        result = runs.run(env, *NOBODY[1:], runs.PROGRAM, *args, program=NOBODY[0],
                          answer_menu=keys and answer)
        result.menu = menu and menu[0]
        return result

    def size(self, name, transform):
        width, height = self.SIZES[name]
        return (height, width) if transform & 1 else (width, height)

    def laid(self, order, turns=None, down=False):
        """{name: (x, y, transform)}: the outputs of order side by side, or
        one below the other, each at its transform in turns, else 0."""
        placed, at = {}, 0
        for name in order:
            transform = (turns or {}).get(name, 0)
            placed[name] = (0, at, transform) if down else (at, 0, transform)
            at += self.size(name, transform)[down]
        return placed

    def lay_out(self, placed):
        self.desktop.lay_out(*((name, x, y, transform, name == self.DEFAULT)
                               for name, (x, y, transform) in placed.items()))

    def shown(self):
        return {name: (x, y, transform)
                for name, (x, y, _, _, transform) in self.desktop.outputs().items()}

    def test_scenarios(self):
        for row in scenarios(self.LAYER):
            with self.subTest(row.name, line=row.line):
                self.lay_out(self.laid(self.ROW, {self.DEFAULT: QUARTER_TURNS[row.start]}))
                pick = row.menu_pick()
                keys = [] if pick is None else ["Escape"] if pick == "closed" else (
                    ["Down"] * (MENU_CODES.index(pick) + 1) + ["Return"])
                result = self.run_program(self.desktop.env, *row.linux_arguments, keys=keys)
                # The menu is on the output that turns, centred across it (a
                # title bar may push it down).
                if keys and self.PLACES_MENU:
                    x, y, width, height = result.menu
                    left = self.laid(self.ROW)[self.DEFAULT][0]
                    turned = self.size(self.DEFAULT, QUARTER_TURNS[row.start])
                    self.assertAlmostEqual(left + turned[0] / 2, x + width / 2, delta=1)
                    self.assertTrue(0 <= y <= y + height <= turned[1], result.menu)
                self.assertEqual(row.status, result.status, result.message)
                self.assertEqual(row.box(), result.message if row.box() else None)
                code = row.turned_to() if row.turned_to() is not None else row.start
                self.assertEqual(self.laid(self.ROW, {self.DEFAULT: QUARTER_TURNS[code]}),
                                 self.shown())

    def test_output_choice_and_neighbours(self):
        others = [name for name in self.ROW if name != self.DEFAULT]
        column = [self.DEFAULT, *others]
        # (layout, TARVELIN_OUTPUT, arguments, status, line, layout after)
        cases = [
            (self.laid(self.ROW), others[0], ["/set", "1"], 0, "",
             self.laid(self.ROW, {others[0]: 1})),
            # Empty is unset.
            (self.laid(column, down=True), "", ["/set", "4"], 0, "",
             self.laid(column, {self.DEFAULT: 3}, down=True)),
            (self.laid(self.ROW), "HDMI-A-9", ["/set", "2"], 1,
             'tarvelin: no enabled output named "HDMI-A-9" (TARVELIN_OUTPUT)\n',
             self.laid(self.ROW)),
        ] + [(self.laid(self.ROW, {self.DEFAULT: 5}), None, [], 0, "",  # the flip stays
              self.laid(self.ROW, {self.DEFAULT: 4}))] * self.FLIPS
        for layout, wanted, arguments, status, line, after in cases:
            with self.subTest(wanted=wanted, arguments=arguments, layout=layout):
                self.lay_out(layout)
                env = dict(self.desktop.env)
                if wanted is not None:
                    env["TARVELIN_OUTPUT"] = wanted
                result = self.run_program(env, *arguments)
                self.assertEqual((status, line), (result.status, result.errors))
                self.assertEqual(after, self.shown())
