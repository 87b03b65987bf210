"""What the tests check alike on the headless desktops, whose boxes and menu are X windows
of their XWayland. The desktops refuse root or want a user session: they, their session
buses and the program run as nobody, in namespaces where XWayland meets no other display."""

import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

E2E = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path[:0] = [E2E, os.path.join(E2E, "linux")]
import runs  # noqa: E402
from scenarios import MENU_CODES, QUARTER_TURNS, scenarios  # noqa: E402
from xdisplays import stop_process, wait_for  # noqa: E402

NOBODY = ["setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"]
TRANSFORMS = {"normal": 0, "90°": 1, "180°": 2, "270°": 3, "flipped": 4, "flipped 90°": 5,
              "flipped 180°": 6, "flipped 270°": 7}


class DesktopTest(unittest.TestCase):
    """The rows of LAYER and the output choice on the desktop start() runs: lay_out() puts its
    outputs ROW, of SIZES, left to right, DEFAULT among them the desktop's own choice."""

    LAYER, ROW, DEFAULT, SIZES = None, (), None, {}
    FLIPS = True  # whether the tests can lay out a flipped output
    PLACES_MENU = True  # whether the menu stays where the program puts it
    XWAYLAND = True  # whether the desktop starts one
    CENTRES_DOWN = False  # whether no title bar pushes it down

    @classmethod
    def setUpClass(cls):
        cls.processes = []
        cls.addClassCleanup(cls.stop)
        subprocess.run(["mount", "-t", "tmpfs", "tmpfs", "/tmp/.X11-unix"], check=True)
        cls.runtime = tempfile.mkdtemp(prefix="tarvelin-")
        os.chown(cls.runtime, 65534, 65534)
        # Run by nobody from a checkout nobody may not read, the program could not be read
        # back: Valgrind could not load it, and KWin would not know it by its name.
        cls.program = shutil.copy(runs.PROGRAM, cls.runtime)
        cls.env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
        bus = "unix:path=" + os.path.join(cls.runtime, "bus")
        cls.env.update(XDG_RUNTIME_DIR=cls.runtime, HOME=cls.runtime, DBUS_SESSION_BUS_ADDRESS=bus)
        cls.spawn("dbus-daemon", "--session", "--nofork", "--address=" + bus)
        cls.wait_file("the session bus", "bus")
        cls.start()
        if cls.XWAYLAND:
            cls.wait_xwayland()

    @classmethod
    def wait_xwayland(cls):
        # XWayland's number is its lowest socket's: lock files other servers share may move it.
        sockets = cls.wait_file("XWayland's socket", "/tmp/.X11-unix/X*")
        cls.env["DISPLAY"] = ":" + str(min(int(path[16:]) for path in sockets))
        # The tests' xdotool runs as root.
        cls.wait("XWayland", lambda: cls.call(
            "xhost", "+si:localuser:root", check=False).returncode == 0)

    @classmethod
    def spawn(cls, *argv, log=subprocess.DEVNULL):
        """Starts argv as nobody, kept by PID: a compositor may outlive its launcher."""
        cls.processes.append(subprocess.Popen(NOBODY + list(argv), env=cls.env,
                                              stdout=subprocess.DEVNULL, stderr=log))

    @classmethod
    def wait(cls, what, found):
        def running():
            if ended := [p.args for p in cls.processes if p.poll() is not None]:
                raise RuntimeError(f"{ended} ended before {what}")
            return found()
        return wait_for(what, running, runs.TIMEOUT)

    @classmethod
    def wait_file(cls, what, pattern):  # in the runtime directory unless absolute
        return cls.wait(what, lambda: glob.glob(os.path.join(cls.runtime, pattern)))

    @classmethod
    def call(cls, *argv, check=True):
        return subprocess.run(NOBODY + list(argv), env=cls.env, capture_output=True, text=True,
                              timeout=runs.TIMEOUT, check=check)

    @classmethod
    def stop(cls):
        for process in reversed(cls.processes):
            stop_process(process)
        subprocess.run(["umount", "/tmp/.X11-unix"], check=False)

    def outputs(self):
        """{name: (x, y, wl_output transform)}: Mutter's wl_output has no name."""
        text = self.call("wayland-info").stdout
        turns = dict(re.findall(r"'wl_output',.*?name: +(\d+)\n.*?output_transform: ([^,\n]+)",
                                text, re.S))
        return {name: (int(x), int(y), TRANSFORMS[turns[output]]) for output, name, x, y in
                re.findall(r"output: (\d+)\n\s+name: '(\S+)'\n.*?logical_x: (-?\d+), "
                           r"logical_y: (-?\d+)", text, re.S)}

    def run_program(self, env, *args, keys=()):
        """Runs the program as nobody to its end; keys go to its menu, whose geometry is kept."""
        def answer(window):
            self.menu = runs.geometry(env, window)
            return self.type_keys(env, keys)

        return runs.run(env, *NOBODY[1:], self.program, *args, program=NOBODY[0],
                        answer_menu=keys and answer)

    @staticmethod
    def type_keys(env, keys):  # xdotool's arguments
        return ["key", *keys]

    def assert_centred(self, frame, output, turn=0):
        """frame, (x, y, width, height), centred on output within 2 px."""
        (x, y), (across, down) = self.outputs()[output][:2], self.size(output, turn)
        self.assertAlmostEqual(x + across / 2, frame[0] + frame[2] / 2, delta=2)
        self.assertAlmostEqual(y + down / 2, frame[1] + frame[3] / 2, delta=2)

    def size(self, name, transform):
        width, height = self.SIZES[name]
        return (height, width) if transform & 1 else (width, height)

    def laid(self, order=None, turns=None, down=False):
        """{name: (x, y, transform)}: the outputs of order (ROW) side by side,
        or one below the other, each at its transform in turns, else 0."""
        placed, at = {}, 0
        for name in order or self.ROW:
            transform = (turns or {}).get(name, 0)
            placed[name] = (0, at, transform) if down else (at, 0, transform)
            at += self.size(name, transform)[down]
        return placed

    def test_scenarios(self):
        for row in scenarios(self.LAYER):
            with self.subTest(row.name, line=row.line):
                turn = QUARTER_TURNS[row.start]
                self.lay_out(self.laid(turns={self.DEFAULT: turn}))
                pick = row.menu_pick()
                keys = [] if pick is None else ["Escape"] if pick == "closed" else (
                    ["Down"] * (MENU_CODES.index(pick) + 1) + ["Return"])
                result = self.run_program(self.env, *row.linux_arguments, keys=keys)
                # Centred across the output that turns (a title bar may push it down).
                if keys and self.PLACES_MENU:
                    x, y, width, height = self.menu
                    across, down = self.size(self.DEFAULT, turn)
                    self.assertAlmostEqual(self.laid()[self.DEFAULT][0] + across / 2,
                                           x + width / 2, delta=1)
                    if self.CENTRES_DOWN:
                        self.assertAlmostEqual(down / 2, y + height / 2, delta=2)
                    self.assertTrue(0 <= y <= y + height <= down, self.menu)
                self.assertEqual((row.status, row.box()), (result.status, result.message))
                end = row.turned_to() if row.turned_to() is not None else row.start
                self.assertEqual(self.laid(turns={self.DEFAULT: QUARTER_TURNS[end]}),
                                 self.outputs())

    def test_output_choice_and_neighbours(self):
        column = [self.DEFAULT, *(name for name in self.ROW if name != self.DEFAULT)]
        # (layout, TARVELIN_OUTPUT, arguments, status, line, layout after)
        cases = [(self.laid(), column[1], ["/set", "1"], 0, "", self.laid(turns={column[1]: 1})),
                 # Empty is unset.
                 (self.laid(column, down=True), "", ["/set", "4"], 0, "",
                  self.laid(column, {self.DEFAULT: 3}, down=True)),
                 (self.laid(), "HDMI-A-9", ["/set", "2"], 1,
                  'tarvelin: no enabled output named "HDMI-A-9" (TARVELIN_OUTPUT)\n', self.laid())
                 ] + [(self.laid(turns={self.DEFAULT: 5}), None, [], 0, "",  # the flip stays
                       self.laid(turns={self.DEFAULT: 4}))] * self.FLIPS
        for layout, wanted, arguments, status, line, after in cases:
            with self.subTest(wanted=wanted, arguments=arguments, layout=layout):
                self.lay_out(layout)
                env = self.env if wanted is None else dict(self.env, TARVELIN_OUTPUT=wanted)
                result = self.run_program(env, *arguments)
                self.assertEqual((status, line), (result.status, result.errors))
                self.assertEqual(after, self.outputs())
