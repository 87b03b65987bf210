"""tarvelin.exe under Wine on the wine rows of tests/scenarios.txt, and its headers and
resources. Outcomes are read back from X: under Wine a change reported as done has not always
happened. TARVELIN_WINDOWS and TARVELIN_WINDOWS_X86 name the presets' builds, TARVELIN_WINE_BITS
the one that runs (32 needs wine32:i386 and a kernel that runs i386 programs, or the run ends
with status 77, skipped, and says why); screenshots go to TARVELIN_WINE_OUTPUT."""

import contextlib
import os
import re
import select
import shutil
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from scenarios import (MENU_CODES, QUARTER_TURNS, UNSUPPORTED, WIDE_LABELS, XRANDR_NAME,  # noqa: E402
                       Scenario, scenarios)
from xdisplays import rotation, start_rotating, start_xvfb, stop_rotating, wait_for  # noqa: E402
from wine_loaders import WINE64, WINESERVER, i386_unavailable  # noqa: E402

# What xrandr reports at each code on the display that turns.
SHAPE = {c: (XRANDR_NAME[c], *[(800, 480), (480, 800)][QUARTER_TURNS[c] % 2]) for c in XRANDR_NAME}
PROBE = os.path.join(os.environ["TARVELIN_WINDOWS"], "e2e", "probe.exe")
PROGRAMS = {bits: os.path.join(os.environ[name], "tarvelin.exe") for bits, name in
            [("64", "TARVELIN_WINDOWS"), ("32", "TARVELIN_WINDOWS_X86")]}
BITS = os.environ.get("TARVELIN_WINE_BITS", "64")
OUTPUT = os.path.join(os.environ["TARVELIN_WINE_OUTPUT"], BITS)
# A smoke set for 32 bits: 32-bit Wine's display driver here answers every change with
# DISP_CHANGE_BADMODE (turns are refused) and misreads a display turned elsewhere (rows start at 0).
SMOKE_32 = {"cycle starts at 270, as a toggle does", "set 3 is invalid",
            "fixed display refuses the cycle"}
# No Mono or Gecko installer dialogs while a prefix is made.
ENV = dict({k: v for k, v in os.environ.items() if k != "DISPLAY"}, WINEARCH="win64",
           WINELOADER=WINE64, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")


def run(argv, env=ENV, check=False, timeout=60):
    return subprocess.run(argv, env=env, stdin=subprocess.DEVNULL, capture_output=True, text=True,
                          timeout=timeout, check=check)


def stop_wineserver():  # the test prefix's, and no other prefix's
    run([WINESERVER, "-k"])
    run([WINESERVER, "-w"])


def setUpModule():
    """A throwaway prefix with no window manager and the Chinese font."""
    if missing := [path for path in [PROBE, PROGRAMS[BITS]] if not os.path.isfile(path)]:
        raise FileNotFoundError(f"{missing}: build the windows and windows-x86 presets first")
    shutil.rmtree(OUTPUT, ignore_errors=True)
    os.makedirs(OUTPUT)
    ENV["WINEPREFIX"] = prefix = tempfile.mkdtemp(prefix="tarvelin-wine-")
    unittest.addModuleCleanup(shutil.rmtree, prefix, ignore_errors=True)
    unittest.addModuleCleanup(stop_wineserver)
    run([WINE64, "wineboot", "--init"], check=True, timeout=180)
    # Managed=N: with no window manager each closed box would cost a two-second wait.
    for key, name, value in [("X11 Driver", "Managed", "N"),
                             (r"Fonts\Replacements", "SimSun", "WenQuanYi Micro Hei")]:
        run([WINE64, "reg", "add", "HKCU\\Software\\Wine\\" + key, "/v", name, "/d", value, "/f"],
            check=True)
    stop_wineserver()


class FixedDisplay(unittest.TestCase):

    rotating = False

    @classmethod
    def setUpClass(cls):
        cls.server = host = start_xvfb(1024, 1024)
        cls.addClassCleanup(host.stop)
        if cls.rotating:
            cls.server = start_rotating(host, *SHAPE[0][1:])
            cls.addClassCleanup(stop_rotating, cls.server)
        cls.env = dict(ENV, DISPLAY=cls.server.display)
        # Nothing starts before the keeper answers: a program racing the start of Wine's desktop
        # process can stall. The keeper keeps it up between runs, or the next would race a restart.
        keeper = cls.enterClassContext(subprocess.Popen(
            [WINE64, PROBE, "keep"], env=cls.env, stdin=subprocess.PIPE, stdout=subprocess.PIPE))
        cls.addClassCleanup(stop_wineserver)
        if (not select.select([keeper.stdout], [], [], 60)[0]
                or keeper.stdout.readline().strip() != b"ready"):
            raise RuntimeError("Wine did not start")

    def box_text(self):
        result = run([WINE64, PROBE, "box"], self.env)
        return bytes.fromhex(result.stdout).decode("utf-16-be") if result.returncode == 0 else None

    def expect_rotation(self, expected):
        with contextlib.suppress(RuntimeError):
            wait_for("the display's turn", lambda: rotation(self.server.display) == expected, 5)
        self.assertEqual(expected, rotation(self.server.display))

    def screenshot(self, name):
        run(["import", "-window", "root", os.path.join(OUTPUT, name)], self.env, check=True)

    def window(self):  # its box or its menu, as xdotool's shell variables
        search = ["xdotool", "search", "--onlyvisible", "--classname", r"^tarvelin\.exe$",
                  "getwindowgeometry", "--shell", "%@"]
        shell = wait_for("tarvelin.exe's window", lambda: run(search, self.env).stdout, 20)
        self.assertEqual(1, shell.count("WINDOW="), shell)
        return {key: int(value) for key, value in (line.split("=") for line in shell.split())}

    def press(self, *keys):
        run(["xdotool", "windowfocus", "--sync", str(self.window()["WINDOW"]),
             "key", "--delay", "100", *keys], self.env, check=True)

    def close_box(self, shot):  # the box's text, once it has closed
        shown = wait_for("box", self.box_text, 20)
        self.screenshot(shot)
        # A key can arrive before the box is ready for it.
        for _ in range(3):
            self.press("Return")
            with contextlib.suppress(RuntimeError):
                wait_for("the box to close", lambda: self.box_text() is None, 3)
                return shown
        self.fail(f"the box showing {shown!r} did not close")

    def check(self, row, bits, env=None):
        if row.start is not None:
            # Through Wine: after a turn behind its back its screen metrics can stay stale.
            turn = map(str, (QUARTER_TURNS[row.start], *SHAPE[row.start][1:]))
            self.assertEqual(0, run([WINE64, PROBE, "turn", *turn], self.env).returncode, "refused")
            self.expect_rotation(SHAPE[row.start])
        before = rotation(self.server.display)
        line = '"Z:%s" %s' % (PROGRAMS[bits].replace("/", "\\"), row.windows_line)
        trace = self.enterContext(tempfile.TemporaryFile("w+"))
        process = subprocess.Popen([WINE64, PROBE, "run", line.encode("utf-16-be").hex()], stderr=trace,
                                   env=dict(env or self.env, WINEDEBUG="+menu"), stdin=subprocess.DEVNULL)
        try:
            if (pick := row.menu_pick()) is not None:
                menu, (_, width, height) = self.window(), rotation(self.server.display)
                # Centred on the screen, give or take a pixel.
                self.assertLessEqual(max(abs(2 * menu["X"] + menu["WIDTH"] - width),
                                         abs(2 * menu["Y"] + menu["HEIGHT"] - height)), 2, menu)
                self.screenshot(f"menu_{bits}.png")
                # No item is lit until the first Down.
                self.press(*["Escape"] if pick == "closed" else
                           ["Down"] * (MENU_CODES.index(pick) + 1) + ["Return"])
            box = row.box() or (UNSUPPORTED if row.outcome.endswith(" refused") else None)
            if box is not None:
                self.assertEqual(box, self.close_box(f"box_{row.outcome.split()[-1]}_{bits}.png"))
        finally:
            status = process.wait(timeout=60)  # 124: probe.exe ended a run left waiting
        self.assertEqual(row.status, status)
        if row.menu_pick() is not None:  # Wine's screen is wide; its menu channel traces each item
            trace.seek(0)
            text = re.sub(r"\\([0-9a-f]{4})", lambda m: chr(int(m[1], 16)), trace.read())
            self.assertEqual([(f"{100 + c:04x}", label) for c, label in zip(MENU_CODES, WIDE_LABELS)],
                             re.findall(r"InsertMenuW .* id (\w+), str L\"(.*)\"$", text, re.M))
        self.expect_rotation(before if row.turned_to() is None else SHAPE[row.turned_to()])

    def test_scenarios(self):
        for row in scenarios("wine"):
            if BITS == "32" and row.start is not None:
                row = row._replace(start=0)
            if BITS == "32" and row.turned_to() is not None:
                row = row._replace(outcome=row.outcome + " refused", status=1)
            if (row.start is not None) == self.rotating and (BITS == "64" or row.name in SMOKE_32):
                with self.subTest(bits=BITS, row=row.name, line=row.line):
                    self.check(row, BITS)


class RotatingDisplay(FixedDisplay):
    rotating = True

    def test_the_display_named_turns(self):
        # Wine's one display is \\.\DISPLAY1; a name no display has changes nothing.
        rows = [(r"\\.\DISPLAY1", "/set 1", "turn 1", 0), (r"\\.\DISPLAY1", "/menu", "menu 2", 0),
                (r"\\.\DISPLAY9", "/set 1", "box unsupported", 1)]
        for name, line, outcome, status in rows if BITS == "64" else []:
            with self.subTest(name=name, line=line):
                self.check(Scenario(0, name, line, None, 0, outcome, status), BITS,
                           dict(self.env, TARVELIN_OUTPUT=name))


class Executable(unittest.TestCase):
    """What Windows reads from the file before it runs a line of it."""

    def test_headers_and_resources(self):
        version = os.environ["TARVELIN_VERSION"]
        for bits, program in PROGRAMS.items():
            with self.subTest(bits=bits), open(program, "rb") as file:
                data = file.read()
                dump = run(["x86_64-w64-mingw32-objdump", "-p", program], None, True).stdout
                self.assertTrue({"DYNAMIC_BASE", "NX_COMPAT"} <= set(dump.split()))
                self.assertEqual({"KERNEL32.dll", "msvcrt.dll", "USER32.dll"},
                                 set(re.findall(r"DLL Name: (\S+)", dump)))
                # Icon, icon group, version, manifest: one of each type.
                self.assertEqual(["0x000003", "0x00000e", "0x000010", "0x000018"],
                                 re.findall(r"^[0-9a-f]{3}   Entry: ID: (\w+)", dump, re.M))
                self.assertIn(b'<requestedExecutionLevel level="asInvoker"', data)
                for key, value in [("ProductName", "Tarvelin"), ("ProductVersion", version),
                                   ("FileVersion", version), ("OriginalFilename", "tarvelin.exe")]:
                    self.assertRegex(data, re.escape(key.encode("utf-16-le")) + b"(\0\0)+" +
                                     re.escape((value + "\0").encode("utf-16-le")), key)


if __name__ == "__main__":
    if BITS == "32" and (reason := i386_unavailable()):
        print(f"skipped: the 32-bit rows: {reason}")
        sys.exit(77)  # skipped
    # The 64-bit run also reads both programs' headers.
    unittest.main(defaultTest=["FixedDisplay", "RotatingDisplay", *["Executable"][:BITS == "64"]],
                  verbosity=2)
