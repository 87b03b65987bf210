#!/usr/bin/env python3
"""End-to-end tests of tarvelin.exe under Wine on the wine rows of
tests/scenarios.txt, and a check of the programs' headers and resources.

usage: wine_test.py WINDOWS_BUILD_DIR OUTPUT_DIR [WINDOWS_X86_BUILD_DIR] [unittest arguments]

An 800x480 Xephyr nested in an Xvfb really turns; a plain Xvfb cannot. Every
outcome is read back from the X server: under Wine a change reported as done
has not always happened. probe.exe, from the 64-bit build, starts each run
and reads Wine's side; the 32-bit program needs Debian's
wine32:i386. Screenshots of each box and of the menu go to OUTPUT_DIR.
"""

import os
import re
import select
import shutil
import subprocess
import sys
import tempfile
import time
import unittest
from subprocess import DEVNULL, PIPE

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import xdisplays  # noqa: E402
from scenarios import MENU_CODES, QUARTER_TURNS, UNSUPPORTED, XRANDR_NAME, scenarios  # noqa: E402

TIMEOUT = 60.0  # for any one command
W, H = 800, 480
# The rows the 32-bit program runs: a turn, the invalid box, the fixed display's box.
SMOKE_32 = {"no argument cycles 0 to 270", "set 3 is invalid",
            "fixed display refuses the cycle"}
DIRS = {}
PROGRAMS = {}  # tarvelin.exe of each build, by its word size
ENV = {}


def run(argv, env=ENV, timeout=TIMEOUT, check=False):
    return subprocess.run(argv, env=env, stdin=DEVNULL, capture_output=True, text=True,
                          timeout=timeout, check=check)


def poll(probe, done=lambda answer: answer is not None, timeout=20.0):
    """probe's first answer that is done, or its last one when the time is up."""
    deadline = time.monotonic() + timeout
    while not done(answer := probe()) and time.monotonic() < deadline:
        time.sleep(0.05)
    return answer


def stop_wineserver():
    """Ends the test prefix's Wine processes, and no other prefix's."""
    run(["wineserver", "-k"])
    run(["wineserver", "-w"])


def setUpModule():
    """A throwaway prefix with no window manager and the Chinese font."""
    prefix = tempfile.mkdtemp(prefix="tarvelin-wine-")
    unittest.addModuleCleanup(shutil.rmtree, prefix, ignore_errors=True)
    unittest.addModuleCleanup(stop_wineserver)
    # No Mono or Gecko installer dialogs while the prefix is made.
    ENV.update(os.environ, WINEPREFIX=prefix, WINEARCH="win64", WINEDEBUG="-all",
               WINEDLLOVERRIDES="mscoree,mshtml=")
    ENV.pop("DISPLAY", None)
    run(["wineboot", "--init"], timeout=180, check=True)
    # Managed=N: with no window manager each closed box would cost a two-second wait.
    for key, name, value in [("X11 Driver", "Managed", "N"),
                             (r"Fonts\Replacements", "SimSun", "WenQuanYi Micro Hei")]:
        run(["wine", "reg", "add", "HKCU\\Software\\Wine\\" + key, "/v", name, "/d", value, "/f"],
            check=True)
    stop_wineserver()


def shape(code):
    """What xrandr reports after a turn to code."""
    return (XRANDR_NAME[code], *((H, W) if code in (1, 4) else (W, H)))


def rows(bits, rotating):
    """The wine rows for one display and one program. The 32-bit program
    runs only SMOKE_32: 32-bit Wine's display driver here answers every
    change with DISP_CHANGE_BADMODE, so its turn is refused; and once another
    process has turned the display it misreads it, so its rows start at 0."""
    for row in scenarios("wine"):
        if (row.start is not None) != rotating or bits == "32" and row.name not in SMOKE_32:
            continue
        if bits == "32" and row.start is not None:
            row = row._replace(start=0)
        if bits == "32" and row.turned_to() is not None:
            row = row._replace(outcome=row.outcome + " refused", status=1)
        yield row


class FixedDisplay(unittest.TestCase):
    """One X display, and one Wine session on it, for the whole class."""

    rotating = False

    @classmethod
    def setUpClass(cls):
        cls.server = cls.host = xdisplays.start_xvfb(1024, 1024)
        cls.addClassCleanup(cls.host.stop)
        if cls.rotating:
            cls.server = xdisplays.start_rotating(cls.host, W, H)
            cls.addClassCleanup(xdisplays.stop_rotating, cls.server)
        cls.env = dict(ENV, DISPLAY=cls.server.display)
        # Nothing starts before the keeper answers: a program racing the start
        # of Wine's desktop process can stall. The keeper keeps that process up
        # between runs, or the next run would race its restart.
        cls.keeper = subprocess.Popen(["wine", cls.tool("probe"), "keep"], env=cls.env,
                                      stdin=PIPE, stdout=PIPE, stderr=DEVNULL)
        cls.addClassCleanup(cls.stop_wine)
        if (not select.select([cls.keeper.stdout], [], [], TIMEOUT)[0]
                or cls.keeper.stdout.readline().strip() != b"ready"):
            raise RuntimeError("Wine did not start")

    @classmethod
    def stop_wine(cls):
        cls.keeper.stdin.close()  # the keeper's cue to end
        cls.keeper.wait(timeout=10)
        cls.keeper.stdout.close()
        stop_wineserver()

    @staticmethod
    def tool(name):
        return os.path.join(DIRS["build"], "e2e", name + ".exe")

    def probe(self, *argv):
        """probe.exe's answer, or None when it finds nothing there."""
        result = run(["wine", self.tool("probe"), *argv], self.env)
        return result.stdout.strip() if result.returncode == 0 else None

    def box_text(self):
        units = self.probe("box")
        return None if units is None else bytes.fromhex(units).decode("utf-16-be")

    def rotation(self):
        return xdisplays.rotation(self.server.display)

    def expect_rotation(self, expected):
        self.assertEqual(expected, poll(self.rotation, lambda now: now == expected, timeout=5))

    def screenshot(self, name):
        """The first of each name in this run."""
        if not os.path.exists(path := os.path.join(DIRS["output"], name)):
            run(["import", "-window", "root", path], self.env, check=True)

    def windows(self):
        return run(["xdotool", "search", "--onlyvisible", "--classname", r"^tarvelin\.exe$"],
                   self.env).stdout.split()

    def press(self, window, *keys):
        run(["xdotool", "windowfocus", "--sync", window], self.env, check=True)
        run(["xdotool", "key", "--delay", "100", *keys], self.env, check=True)

    def answer(self, *keys):
        """Focuses the program's one window, its box or its menu, and presses keys."""
        windows = poll(lambda: self.windows() or None, timeout=10) or []
        self.assertEqual(1, len(windows), "tarvelin.exe's windows")
        self.press(windows[0], *keys)

    def pick(self, code, shot):
        windows = poll(lambda: self.windows() or None, timeout=20) or []
        self.assertEqual(1, len(windows), "tarvelin.exe's windows")
        shell = run(["xdotool", "getwindowgeometry", "--shell", windows[0]], self.env).stdout
        menu = {key: int(value) for key, value in (line.split("=") for line in shell.split())}
        _, width, height = self.rotation()
        # Centred on the X screen, give or take a pixel.
        self.assertLessEqual(abs(2 * menu["X"] + menu["WIDTH"] - width), 2, menu)
        self.assertLessEqual(abs(2 * menu["Y"] + menu["HEIGHT"] - height), 2, menu)
        self.screenshot(shot)
        # No item is lit until the first Down.
        self.answer(*["Escape"] if code == "closed" else
                    ["Down"] * (MENU_CODES.index(code) + 1) + ["Return"])

    def close_box(self, text, shot):
        shown = poll(self.box_text)
        self.screenshot(shot)
        # A key can arrive before the box is ready for it.
        for _ in range(3):
            self.answer("Return")
            if poll(self.box_text, lambda text: text is None, timeout=3) is None:
                break
        else:
            self.fail("the message box did not close")
        self.assertEqual(text, shown)

    def check(self, row, bits):
        """Runs row's command line, answers its menu and its box, and checks
        the exit status and the display after."""
        if row.start is not None:
            # Through Wine: after a turn behind its back its screen metrics can stay stale.
            turn = map(str, (QUARTER_TURNS[row.start], *shape(row.start)[1:]))
            self.assertIsNotNone(self.probe("turn", *turn), "Wine refused")
            self.expect_rotation(shape(row.start))
        before = self.rotation()
        line = '"Z:%s" %s' % (PROGRAMS[bits].replace("/", "\\"), row.windows_line)
        process = subprocess.Popen(
            ["wine", self.tool("probe"), "run", line.encode("utf-16-be").hex()],
            env=self.env, stdin=DEVNULL, stdout=DEVNULL, stderr=DEVNULL)
        try:
            if row.menu_pick() is not None:
                self.pick(row.menu_pick(), f"menu_{bits}.png")
            box = row.box() or (UNSUPPORTED if row.outcome.endswith(" refused") else None)
            if box is not None:
                kind = "unsupported" if box == UNSUPPORTED else "invalid"
                self.close_box(box, f"box_{kind}_{bits}.png")
        finally:
            status = process.wait(timeout=60)  # 124: probe.exe ended a run left waiting
        self.assertEqual(row.status, status)
        self.expect_rotation(before if row.turned_to() is None else shape(row.turned_to()))

    def test_scenarios(self):
        for bits in PROGRAMS:
            for row in rows(bits, self.rotating):
                with self.subTest(bits=bits, row=row.name, line=row.line):
                    self.check(row, bits)


class RotatingDisplay(FixedDisplay):
    rotating = True


class Executable(unittest.TestCase):
    """What Windows reads from the file before it runs a line of it."""

    def test_headers_and_resources(self):
        with open(os.path.join(os.path.dirname(__file__), "../../../CMakeLists.txt")) as lists:
            version = re.search(r"project\(tarvelin VERSION ([\d.]+)", lists.read())[1]
        for bits, program in PROGRAMS.items():
            with self.subTest(bits=bits):
                dump = run(["x86_64-w64-mingw32-objdump", "-p", program], None, check=True).stdout
                self.assertTrue({"DYNAMIC_BASE", "NX_COMPAT"} <= set(dump.split()))
                self.assertEqual({"KERNEL32.dll", "msvcrt.dll", "USER32.dll"},
                                 set(re.findall(r"DLL Name: (\S+)", dump)))
                # Icon, icon group, version, manifest: one of each type.
                self.assertEqual(["0x000003", "0x00000e", "0x000010", "0x000018"],
                                 re.findall(r"^[0-9a-f]{3}   Entry: ID: (\w+)", dump, re.M))
                with open(program, "rb") as file:
                    data = file.read()
                self.assertIn(b'<requestedExecutionLevel level="asInvoker"', data)
                for key, value in [("ProductName", "Tarvelin"), ("ProductVersion", version),
                                   ("FileVersion", version), ("OriginalFilename", "tarvelin.exe")]:
                    self.assertRegex(data, re.escape(key.encode("utf-16-le")) + b"(\0\0)+" +
                                     re.escape((value + "\0").encode("utf-16-le")), key)


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    DIRS.update(build=os.path.abspath(sys.argv[1]), output=os.path.abspath(sys.argv[2]))
    PROGRAMS["64"] = os.path.join(DIRS["build"], "tarvelin.exe")
    if len(sys.argv) > 3 and not sys.argv[3].startswith("-"):
        PROGRAMS["32"] = os.path.join(os.path.abspath(sys.argv.pop(3)), "tarvelin.exe")
    for program in [*PROGRAMS.values(), FixedDisplay.tool("probe")]:
        if not os.path.isfile(program):
            sys.exit(f"{program} is missing: build the windows and windows-x86 presets first")
    shutil.rmtree(DIRS["output"], ignore_errors=True)
    os.makedirs(DIRS["output"])
    unittest.main(argv=sys.argv[:1] + sys.argv[3:], verbosity=2)


if __name__ == "__main__":
    main()
