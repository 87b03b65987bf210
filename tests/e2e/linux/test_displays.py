"""The Linux program on a display that turns (Xephyr nested in an Xvfb, the
host, which cannot), on RandR 1.0, and on displays without RandR, fonts or at all."""

import ctypes
import os
import pathlib
import re
import socket
import subprocess
import tempfile
import unittest

from runs import (BOX, FAILING, NO_FONTS, PROGRAM, Run, box_text, geometry, off_centre,
                  output_of, run, screen_size, screenshot, xdisplays, xdotool)
from scenarios import MENU_CODES, TOUCH_MATRIX, UNSUPPORTED, XRANDR_NAME, scenarios

TOUCH = os.environ["TARVELIN_EVERY_POINTER_ABSOLUTE"]
PROPERTIES = ['WM_NAME(STRING) = "Tarvelin"', '_NET_WM_NAME(UTF8_STRING) = "Tarvelin"',
              "_NET_WM_WINDOW_TYPE(ATOM) = _NET_WM_WINDOW_TYPE_DIALOG",
              "_NET_WM_STATE(ATOM) = _NET_WM_STATE_MODAL",
              "WM_PROTOCOLS(ATOM): protocols  WM_DELETE_WINDOW"]


def ways(pick):
    """Each way to answer the menu: xdotool arguments from its geometry."""
    if pick is None:
        return {"": None}
    if pick == "closed":
        return {"Escape": lambda menu: ["key", "Escape"],
                "click outside": lambda menu: ["mousemove", "5", "5", "click", "1"]}
    at, count = MENU_CODES.index(pick), len(MENU_CODES)
    # The items, of equal height, fill the menu but for a thin frame.
    return {"Down": lambda menu: ["key", *["Down"] * (at + 1), "Return"],
            "Up": lambda menu: ["key", *["Up"] * (count - at), "Return"],
            "click": lambda m: ["mousemove", str(m[0] + m[2] // 2),
                                str(m[1] + m[3] * (2 * at + 1) // (2 * count)), "click", "1"]}


def traced(env, injection, log):
    """/set 1, its writes through strace: injection on one, each logged as it starts."""
    return Run(env, "-qq", "-o", log, "-e", "trace=writev", "-e", f"inject=writev:{injection}",
               PROGRAM, "/set", "1", program="strace")


def close_as_a_window_manager(env, window):
    """Sends window WM_DELETE_WINDOW through WM_PROTOCOLS, as a close button does."""
    x11 = ctypes.CDLL("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    display = ctypes.c_void_p(x11.XOpenDisplay(env["DISPLAY"].encode()))
    protocols, delete = (x11.XInternAtom(display, name, False)
                         for name in (b"WM_PROTOCOLS", b"WM_DELETE_WINDOW"))
    # XClientMessageEvent: type, serial, send_event, display, window, message_type, format, data.
    event = (ctypes.c_long * 24)(33, 0, 0, 0, window, protocols, 32, delete)
    x11.XSendEvent(display, ctypes.c_ulong(window), False, 0, event)
    x11.XCloseDisplay(display)


class TableWalk(unittest.TestCase):
    """The table walked on one Xephyr of WIDTH x HEIGHT and its host."""

    WIDTH, HEIGHT = 800, 600

    @classmethod
    def setUpClass(cls):
        cls.host, cls.server = cls.enterClassContext(
            xdisplays.rotating_display(cls.WIDTH, cls.HEIGHT))
        cls.env = cls.server.env()

    def assertShows(self, *codes):
        """One of codes shown, never a CRTC left off or a screen size at odds."""
        shown, (w, h) = xdisplays.rotation(self.server.display), (self.WIDTH, self.HEIGHT)
        self.assertIn(shown, [(XRANDR_NAME[c], *((h, w) if c in (1, 4) else (w, h)))
                              for c in codes])
        self.assertEqual(shown[1:], screen_size(self.env))

    def start_at(self, code):
        output_of(self.env, "xrandr", "-o", XRANDR_NAME[code])
        self.assertShows(code)

    def test_each_row_of_the_table(self):
        # Each menu answered each way; the box and the menu centred on the screen as it is.
        for row in scenarios("linux"):
            display = self.host if row.start is None else self.server
            env = display.env()
            for way, answer in ways(row.menu_pick()).items():
                with self.subTest(row.name, line=row.line, way=way):
                    if row.start is not None:
                        self.start_at(row.start)
                    before = xdisplays.rotation(display.display)

                    def popup(menu):
                        screenshot(env, menu, f"menu-{self.WIDTH}x{self.HEIGHT}")
                        self.assertIn("Override Redirect State: yes",
                                      output_of(env, "xwininfo", "-id", menu))
                        self.assertLessEqual(off_centre(env, menu), 1)
                        return answer(geometry(env, menu))

                    result = run(env, *row.linux_arguments, answer_menu=answer and popup)
                    self.assertEqual((row.status, row.box()), (result.status, result.message))
                    self.assertLessEqual(result.box_off_centre or 0, 1)
                    if row.turned_to() is None:
                        self.assertEqual(before, xdisplays.rotation(display.display))
                    else:
                        self.assertShows(row.turned_to())


class RotatingDisplay(TableWalk):
    def test_failed_steps_outputs_by_name_fonts_and_touch(self):
        # A failed step leaves the display as it was; with none, the same build turns. The
        # real build leaves Xephyr's relative pointers be; TOUCH shows the matrices a turn
        # gives touchscreens, which Xephyr has none of. Half turns go another way than quarter.
        no_font = "tarvelin: cannot show the menu: no usable font\n"
        # (build, environment, code shown first, arguments, the message when it fails)
        cases = [(FAILING, {"TARVELIN_FAILING_STEP": step}, start, f"/set {start + 1}", UNSUPPORTED)
                 for step in ("size", "crtc") for start in (0, 1)] + [
                 (FAILING, {}, 0, "/set 2", None), (PROGRAM, {}, 0, "/set 1", None),
                 *[(TOUCH, {}, s, f"/set {c}", None) for s, c in [(1, 4), (4, 2), (2, 1), (1, 0)]],
                 (PROGRAM, {"TARVELIN_OUTPUT": "default"}, 0, "/set 1", None),
                 (PROGRAM, {"TARVELIN_OUTPUT": "VGA-9"}, 0, "/set 1",
                  'tarvelin: no output named "VGA-9"\n'),
                 (PROGRAM, {"FONTCONFIG_FILE": NO_FONTS}, 0, "/menu", no_font)]
        for build, extra, start, args, message in cases:
            with self.subTest(os.path.basename(build), **extra, start=start, args=args):
                self.start_at(start)
                result = run(dict(self.env, **extra), *args.split(), program=build)
                self.assertEqual((1, message) if message else (0, None),
                                 (result.status, result.message))
                self.assertShows(code := start if message else int(args[-1]))
                devices = dict(re.findall(r"id=(\d+)\s+\[(slave\s+pointer)?",
                                          output_of(self.env, "xinput", "list", "--short")))
                props = output_of(self.env, "xinput", "list-props", *devices)
                matrices = re.findall(r"Coordinate Transformation Matrix \(\d+\):(.*)", props)
                self.assertTrue(any(devices.values()))
                self.assertEqual([TOUCH_MATRIX[code if build == TOUCH and pointer else 0]
                                  for pointer in devices.values()],
                                 [[float(v) for v in m.split(",")] for m in matrices])

    def test_without_its_own_path_it_turns_and_without_memory_it_says_so(self):
        # Without /proc (a private mount namespace) argument 0 stands in, whatever it is.
        bare = ["unshare", "--mount", "bash", "-c", 'umount -l /proc && [ ! -e /proc/self ] && '
                'exec -a "$0" "$1" /set 1']
        if subprocess.run([*bare[:-1], "true"], capture_output=True).returncode != 0:
            self.skipTest("no private mount namespace here")
        deep = self.enterContext(tempfile.TemporaryDirectory())
        folder = os.open(deep, os.O_RDONLY)
        for _ in range(20):  # a path beyond PATH_MAX, which /proc cannot give
            os.mkdir("d" * 250, dir_fd=folder)
            folder = os.open("d" * 250, os.O_RDONLY, dir_fd=folder)
        with open(os.open("tarvelin", os.O_WRONLY | os.O_CREAT, 0o755, dir_fd=folder), "wb") as f:
            f.write(pathlib.Path(PROGRAM).read_bytes())
        no_memory = "tarvelin: cannot start: not enough memory for the arguments\n"
        cases = {"no /proc": ([*bare, PROGRAM, PROGRAM], None, 0, ""),
                 "empty argument 0": ([*bare, "", PROGRAM], None, 0, ""),
                 "long argument 0": ([*bare, "é" * 3000, PROGRAM], None, 0, ""),
                 "beyond PATH_MAX": (["./tarvelin", "/set", "1"], lambda: os.fchdir(folder), 0, ""),
                 "no memory": ([FAILING, "/set", "1", *["x" * 99999] * 8], None, 1, no_memory)}
        for case, (argv, start, status, errors) in cases.items():
            with self.subTest(case):
                self.start_at(0)
                ran = subprocess.run(argv, env=dict(self.env, TARVELIN_FAILING_STEP="allocate"),
                                     capture_output=True, text=True, timeout=10, preexec_fn=start)
                self.assertEqual((status, errors), (ran.returncode, ran.stderr))
                self.assertShows(1 if status == 0 else 0)

    def test_debug_lines_say_what_was_chosen_sent_and_answered(self):
        self.start_at(0)
        ran = run(dict(self.env, TARVELIN_DEBUG="1"), "/set", "1")
        self.assertEqual(0, ran.status)
        self.assertRegex(ran.errors, r"\A(tarvelin: debug: .*\n)+\Z")
        for expected in [r"backend: x11", r"output: CRTC \d+ at 0,0 800x600 rotation 1, the first active",
                         r"sent: CRTC \d+ at 0,0 rotation 2", r"answer: the CRTC shows the turn"]:
            self.assertRegex(ran.errors, expected)

    def test_runs_started_together_each_take_a_step(self):
        for count in (2, 5, 2, 5):
            with self.subTest(count=count):
                self.start_at(0)
                self.assertEqual({0}, {r.finish() for r in [Run(self.env) for _ in range(count)]})
                self.assertShows([0, 4, 2, 1][count % 4])

    def test_termination_at_each_request_completes_the_turn_or_changes_nothing(self):
        # Past the last request, the run ends on its own.
        for boundary in range(1, 20):
            with self.subTest(boundary=boundary):
                self.start_at(0)
                status = traced(self.env, f"signal=SIGTERM:when={boundary}", os.devnull).finish()
                self.assertIn(status, (0, -15))
                self.assertShows(*([1] if status == 0 else [0, 1]))
            if status == 0:
                break
        self.assertEqual(0, status, "the run never ended on its own")

    def test_a_server_killed_mid_turn_ends_the_run_with_a_line(self):
        # After the grab, and with the CRTC switched off for the resize.
        for boundary in (2, 5):
            with self.subTest(boundary=boundary), tempfile.NamedTemporaryFile() as log:
                server = xdisplays.start_rotating(self.host, self.WIDTH, self.HEIGHT)
                self.addCleanup(server.stop)
                ran = traced(server.env(), f"delay_enter=2000000:when={boundary}", log.name)
                xdisplays.wait_for("the run at its request", lambda: pathlib.Path(
                    log.name).read_text().count("writev(") >= boundary)
                server.stop()
                line = f'tarvelin: lost the connection to display "{server.display}"\n'
                self.assertEqual((1, line), (ran.finish(), ran.errors))

    def test_the_box_a_modal_dialog_that_only_escape_its_button_or_a_close_answer(self):
        # On the host; Return answers each box of the table walk.
        env = self.host.env()
        ways = {"Escape": lambda box, button: xdotool(env, "key", "Escape"),
                "its button": lambda box, button: xdotool(env, "mousemove", *button, "click", "1"),
                "a close": lambda box, button: close_as_a_window_manager(env, int(box))}
        for way, answer in ways.items():
            with self.subTest(way):
                shown = Run(env)
                self.addCleanup(shown.kill)
                box = shown.window(*BOX)
                self.assertEqual(UNSUPPORTED, box_text(env, box))
                screenshot(env, box, "box")
                properties = output_of(env, "xprop", "-id", box).splitlines()
                self.assertEqual(PROPERTIES, [p for p in PROPERTIES if p in properties])
                # The button is centred in the bottom fifth.
                x, y, width, height = geometry(env, box)
                button = [str(x + width // 2), str(y + height - height // 5)]
                for action in (["mousemove", str(x + 5), button[1], "click", "1"], ["key", "a"]):
                    xdotool(env, *action)
                    with self.assertRaises(subprocess.TimeoutExpired, msg=f"{action} closed it"):
                        shown.process.wait(timeout=0.2)
                answer(box, button)
                self.assertEqual((1, "", ""), (shown.finish(), shown.out, shown.errors))
                self.assertEqual("", xdotool(env, "search", "--onlyvisible", *BOX))


class FallbackDisplay(TableWalk):
    """Turned, 1600x1200 exceeds the size range: RandR 1.0's one request."""

    WIDTH, HEIGHT = 1600, 1200


class RefusingDisplays(unittest.TestCase):
    def test_a_display_without_randr_or_fonts(self):
        server = xdisplays.start_xvfb(640, 480, "-extension", "RANDR")
        self.addCleanup(server.stop)
        # No output: the box centres on the screen. No font: its English sense is on standard error.
        for env, message in ((server.env(), UNSUPPORTED), (server.env(FONTCONFIG_FILE=NO_FONTS),
                              "tarvelin: your device does not support screen rotation\n")):
            result = run(env)
            self.assertEqual((1, message, ""), (result.status, result.message, result.out))
            self.assertLessEqual(result.box_off_centre or 0, 1)

    def test_none_unreachable_or_silent_and_help_and_version_without_one(self):
        unused = next(f":{n}" for n in range(9000, 10000) if not os.path.exists(
            f"/tmp/.X11-unix/X{n}") and not os.path.exists(f"/tmp/.X{n}-lock"))
        # Display n is on port 6000 + n; this one never answers: after a second, none.
        silent = socket.create_server(("127.0.0.1", 0))
        quiet = f"127.0.0.1:{silent.getsockname()[1] - 6000}"
        version = re.escape(os.environ["TARVELIN_VERSION"])
        # (display, arguments, status, standard output as a pattern, error)
        cases = [(None, [], 1, "", "cannot open display: DISPLAY is not set"),
                 (unused, [], 1, "", f'cannot open display "{unused}"'),
                 (quiet, [], 1, "", f'cannot open display "{quiet}"'),
                 (None, ["--version"], 0, f"tarvelin {version}\n", None),
                 (None, ["--help", "/menu"], 0, ".*Exit status:.*", None),
                 (None, ["-h"], 0, ".*Exit status:.*", None)]
        unset = {k: v for k, v in os.environ.items() if k != "DISPLAY"}
        with silent:
            for display, args, status, out, error in cases:
                with self.subTest(display=display, args=args):
                    # Not run(): xdotool would wait on a silent display for good too.
                    ran = Run(dict(unset, DISPLAY=display) if display else unset, *args)
                    self.assertEqual((status, f"tarvelin: {error}\n" if error else ""),
                                     (ran.finish(), ran.errors))
                    self.assertRegex(ran.out, rf"(?s)\A{out}\Z")
