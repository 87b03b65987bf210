"""The message box, closed with keys, clicks and a window manager's close,
and where both it and the menu show; screenshots of both go to
TARVELIN_E2E_OUTPUT."""

import os
import subprocess
import unittest

from runs import (BOX, NO_FONTS, NOT_TURNED, RotatingDisplayTest, Run, box_text, geometry,
                  off_centre, output_of, run, xdisplays, xdotool)
from scenarios import UNSUPPORTED

WM_CLOSE, OUTPUT = os.environ["WM_CLOSE"], os.environ["TARVELIN_E2E_OUTPUT"]


class MessageBox(unittest.TestCase):
    """On a display that cannot rotate every run shows the unsupported box."""

    @classmethod
    def setUpClass(cls):
        server = xdisplays.start_xvfb(800, 600)
        cls.addClassCleanup(server.stop)
        cls.env = server.env()

    def show_box(self):
        run = Run(self.env)
        self.addCleanup(run.kill)
        box = run.window(*BOX)
        self.assertEqual(UNSUPPORTED, box_text(self.env, box))
        return run, box

    def button(self, box):
        # Centred in the bottom fifth of the box.
        x, y, width, height = geometry(self.env, box)
        return str(x + width // 2), str(y + height - height // 5)

    def test_box_is_a_centred_modal_dialog_that_other_clicks_and_keys_leave_up(self):
        run, box = self.show_box()
        properties = output_of(self.env, "xprop", "-id", box).splitlines()
        for line in ('WM_NAME(STRING) = "Tarvelin"', '_NET_WM_NAME(UTF8_STRING) = "Tarvelin"',
                     "_NET_WM_WINDOW_TYPE(ATOM) = _NET_WM_WINDOW_TYPE_DIALOG",
                     "_NET_WM_STATE(ATOM) = _NET_WM_STATE_MODAL",
                     "WM_PROTOCOLS(ATOM): protocols  WM_DELETE_WINDOW"):
            self.assertIn(line, properties)
        self.assertLessEqual(off_centre(self.env, box, 800, 600), 1)
        output_of(self.env, "import", "-window", "root", os.path.join(OUTPUT, "message-box.png"))
        x = geometry(self.env, box)[0]
        for action in (["mousemove", str(x + 5), self.button(box)[1], "click", "1"], ["key", "a"]):
            xdotool(self.env, *action)
            with self.assertRaises(subprocess.TimeoutExpired, msg=f"{action} closed it"):
                run.process.wait(timeout=0.2)

    def test_escape_a_click_on_the_button_and_the_close_answer_it(self):
        # Return answers each box of the table walk.
        ways = {
            "Escape": lambda box: ["xdotool", "key", "Escape"],
            "a click on the button": lambda box: ["xdotool", "mousemove", *self.button(box),
                                                  "click", "1"],
            "the window manager's close": lambda box: [WM_CLOSE, box],
        }
        for way, answer in ways.items():
            with self.subTest(way):
                run, box = self.show_box()
                output_of(self.env, *answer(box))
                self.assertEqual((NOT_TURNED, ""), (run.finish(), run.errors))
                self.assertEqual("", xdotool(self.env, "search", "--onlyvisible", *BOX))


class Menu(RotatingDisplayTest):
    """"/menu" on a display that rotates; the table walk picks from it."""

    def test_menu_is_an_override_redirect_popup_centred_on_the_turned_screen(self):
        self.start_at(1)
        run = Run(self.env, "/menu")
        self.addCleanup(run.kill)
        menu = run.menu()
        self.assertIn("Override Redirect State: yes", output_of(self.env, "xwininfo", "-id", menu))
        self.assertLessEqual(off_centre(self.env, menu, self.HEIGHT, self.WIDTH), 1)
        output_of(self.env, "import", "-window", "root", os.path.join(OUTPUT, "menu.png"))

    def test_without_a_font_it_is_not_shown_and_says_so(self):
        self.start_at(4)
        result = run(dict(self.env, FONTCONFIG_FILE=NO_FONTS), "/menu")
        self.assertEqual((NOT_TURNED, "tarvelin: cannot show the menu: no usable font\n"),
                         (result.status, result.message))
        self.assertShows(4)
