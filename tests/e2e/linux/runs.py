"""Running the Linux program on virtual X displays, its windows found with
xdotool and answered as a user would."""

import os
import re
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import xdisplays  # noqa: E402

PROGRAM, FAILING = os.environ["TARVELIN"], os.environ["TARVELIN_FAILING"]
TIMEOUT = 10
# Both windows are titled "Tarvelin"; their instance names tell them apart.
BOX, MENU = ("--classname", "^tarvelin$"), ("--classname", "^tarvelin-menu$")
# A fontconfig with no font: nothing to draw a box or the menu with.
NO_FONTS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "no_fonts.conf")


def output_of(env, *argv, check=True):
    return subprocess.run(argv, env=env, capture_output=True, text=True, timeout=TIMEOUT,
                          check=check).stdout


def xdotool(env, *args):
    return output_of(env, "xdotool", *args, check=False).strip()


def geometry(env, window):
    # xwininfo's, not xdotool's: xdotool adds a window manager's frame offset once more.
    values = dict(re.findall(r"^\s*(Absolute upper-left [XY]|Width|Height):\s*(-?\d+)$",
                             output_of(env, "xwininfo", "-id", window), re.M))
    return tuple(int(values[k]) for k in ("Absolute upper-left X", "Absolute upper-left Y",
                                          "Width", "Height"))


def screen_size(env):
    # A new connection learns the screen's size as it is now.
    return tuple(int(side) for side in xdotool(env, "getdisplaygeometry").split())


def off_centre(env, window):
    (x, y, width, height), (across, down) = geometry(env, window), screen_size(env)
    return max(abs(x + width / 2 - across / 2), abs(y + height / 2 - down / 2))


def screenshot(env, window, name):
    """The window as another client sees it, into the test output folder."""
    folder = os.environ["TARVELIN_LINUX_OUTPUT"]
    os.makedirs(folder, exist_ok=True)
    output_of(env, "import", "-window", window, os.path.join(folder, f"{name}.png"))


def box_text(env, box):
    # With no window manager the box takes the keyboard itself.
    xdisplays.wait_for("keyboard for the box", lambda: xdotool(env, "getwindowfocus") == box)
    xdotool(env, "key", "ctrl+c")
    return output_of(env, "xclip", "-selection", "clipboard", "-o", "-t", "UTF8_STRING")


class Run:
    def __init__(self, env, *args, program=PROGRAM):
        self.env = env
        self.process = subprocess.Popen([program, *args], env=env, stdout=subprocess.PIPE,
                                        stderr=subprocess.PIPE, text=True)

    def window(self, *search, needed=True):
        """The first visible window search finds, or None if the program ends first."""
        found = xdisplays.wait_for(f"window {search}", lambda: self.process.poll() is not None
                                   or xdotool(self.env, "search", "--onlyvisible", *search).split())
        if found is True and needed:
            raise AssertionError(f"ended with no window {search}: {self.process.stderr.read()}")
        return None if found is True else found[0]

    def finish(self):
        """The exit status, keeping what the program wrote in out and errors."""
        self.out, self.errors = self.process.communicate(timeout=TIMEOUT)
        return self.process.returncode

    def kill(self):
        self.process.kill()  # nothing once it has ended
        self.process.communicate()


def run(env, *args, program=PROGRAM, answer_menu=None):
    """Runs the program to its end, its menu answered with answer_menu(menu)'s xdotool
    arguments, a box with Return. message: the box's text, else standard error, else None."""
    process = Run(env, *args, program=program)
    try:
        if answer_menu:
            menu = process.window(*MENU)
            time.sleep(0.2)  # the grabs follow the map at once; let them land
            xdotool(env, *answer_menu(menu))
        box = process.window(*BOX, needed=False)
        text = box and box_text(env, box)
        process.box_off_centre = box and off_centre(env, box)
        if box:
            xdotool(env, "key", "Return")
        process.status = process.finish()
    finally:
        process.kill()
    process.message = text if box else process.errors or None
    return process
