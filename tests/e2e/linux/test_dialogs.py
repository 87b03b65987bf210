"""The message box and the menu, answered with keys, clicks and a window
manager's close; screenshots of both go to TARVELIN_E2E_OUTPUT."""

import os
import subprocess
import time
import unittest

from runs import (BOX, NO_FONTS, NOT_TURNED, UNSUPPORTED, XRANDR_NAME, RotatingDisplayTest, Run,
                  box_text, geometry, output_of, run, xdisplays, xdotool)

WM_CLOSE, OUTPUT = os.environ["WM_CLOSE"], os.environ["TARVELIN_E2E_OUTPUT"]


def off_centre(env, window, width, height):
    """How far the window's centre is from that of a width x height screen."""
    x, y, w, h = geometry(env, window)
    return max(abs(x + w / 2 - width / 2), abs(y + h / 2 - height / 2))


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

    def test_box_is_a_modal_dialog_titled_tarvelin_centred(self):
        _, box = self.show_box()
        properties = output_of(self.env, "xprop", "-id", box).splitlines()
        for line in ('WM_NAME(STRING) = "Tarvelin"', '_NET_WM_NAME(UTF8_STRING) = "Tarvelin"',
                     "_NET_WM_WINDOW_TYPE(ATOM) = _NET_WM_WINDOW_TYPE_DIALOG",
                     "_NET_WM_STATE(ATOM) = _NET_WM_STATE_MODAL",
                     "WM_PROTOCOLS(ATOM): protocols  WM_DELETE_WINDOW"):
            self.assertIn(line, properties)
        self.assertLessEqual(off_centre(self.env, box, 800, 600), 1)
        output_of(self.env, "import", "-window", "root", os.path.join(OUTPUT, "message-box.png"))

    def test_return_escape_a_click_on_the_button_and_the_close_answer_it(self):
        ways = {
            "Return": lambda box: ["xdotool", "key", "Return"],
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

    def test_other_clicks_and_keys_leave_it_up(self):
        run, box = self.show_box()
        x, y = geometry(self.env, box)[:2]
        for action in (["mousemove", str(x + 5), self.button(box)[1], "click", "1"], ["key", "a"]):
            xdotool(self.env, *action)
            with self.assertRaises(subprocess.TimeoutExpired, msg=f"{action} closed it"):
                run.process.wait(timeout=0.2)


class Menu(RotatingDisplayTest):
    """"/menu" on a display that rotates: each pick turns it, dismissal leaves it."""

    def show_menu(self):
        run = Run(self.env, "/menu")
        self.addCleanup(run.kill)
        menu = run.window("--classname", "^tarvelin-menu$")
        time.sleep(0.2)  # the grabs follow the map at once; let them land
        return run, menu

    def test_menu_is_an_override_redirect_popup_centred_on_the_turned_screen(self):
        self.start_at("left")
        _, menu = self.show_menu()
        self.assertIn("Override Redirect State: yes", output_of(self.env, "xwininfo", "-id", menu))
        self.assertLessEqual(off_centre(self.env, menu, self.HEIGHT, self.WIDTH), 1)
        output_of(self.env, "import", "-window", "root", os.path.join(OUTPUT, "menu.png"))

    def item(self, menu, position):
        # Four items of equal height fill the menu but for a thin frame.
        x, y, width, height = geometry(self.env, menu)
        return str(x + width // 2), str(y + height * (2 * position + 1) // 8)

    def test_each_item_picked_by_keys_and_by_click_turns_the_display(self):
        # The four items list the codes in XRANDR_NAME's order.
        for position, name in enumerate(XRANDR_NAME.values()):
            picks = {"Down": lambda menu: ["key", *["Down"] * (position + 1), "Return"],
                     "Up": lambda menu: ["key", *["Up"] * (4 - position), "Return"],
                     "click": lambda menu: ["mousemove", *self.item(menu, position), "click", "1"]}
            for how, pick in picks.items():
                with self.subTest(name=name, how=how):
                    self.start_at("normal" if name == "inverted" else "inverted")
                    run, menu = self.show_menu()
                    xdotool(self.env, *pick(menu))
                    self.assertEqual(0, run.finish())
                    self.assertShows(name)

    def test_escape_or_a_click_outside_closes_it_without_a_choice(self):
        self.start_at("right")
        for action in (["key", "Escape"], ["mousemove", "5", "5", "click", "1"]):
            with self.subTest(action):
                run, _ = self.show_menu()
                xdotool(self.env, *action)
                self.assertEqual(0, run.finish())
                self.assertShows("right")

    def test_without_a_font_it_is_not_shown_and_says_so(self):
        self.start_at("right")
        result = run(dict(self.env, FONTCONFIG_FILE=NO_FONTS), "/menu")
        self.assertEqual((NOT_TURNED, "tarvelin: cannot show the menu: no usable font\n"),
                         (result.status, result.message))
        self.assertShows("right")
