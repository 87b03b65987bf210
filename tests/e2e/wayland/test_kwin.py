"""The Linux program on a headless KWin: outputs turned through KDE's output
management, laid out with kscreen-doctor. The menu is a layer surface that
KWin's scripting finds and closes: nothing here can type on KWin's keyboard."""

import os
import pathlib
import re
import shutil

import headless

# Prints the program's windows as KWin has them, with a mark to find them by, and may close them.
SCRIPT = """for (const w of workspace.clientList()) if (w.resourceClass == "tarvelin") {
    const g = w.frameGeometry; print("%s " + [g.x, g.y, g.width, g.height].join(" ")); %s }
print("%s end");"""
# kscreen-doctor's names for the wl_output transforms: it sets no flipped one.
ROTATION = ["normal", "left", "inverted", "right"]


class KwinTest(headless.DesktopTest):
    LAYER = "kde"
    ROW = ("Virtual-0", "Virtual-1", "Virtual-2")
    DEFAULT = "Virtual-1"  # first in KWin's order
    SIZES = dict.fromkeys(ROW, (1280, 720))
    FLIPS = False
    CENTRES_DOWN = True

    @classmethod
    def start(cls):
        # The installed binary carries a file capability that a container may
        # not grant; a copy has none. KWin knows itself by its name.
        program = shutil.copy(shutil.which("kwin_wayland"), cls.runtime)
        cls.env.update(WAYLAND_DISPLAY="wayland-tarvelin", QT_QPA_PLATFORM="wayland",
                       QT_LOGGING_RULES="kwin_scripting=true")
        cls.log = os.path.join(cls.runtime, "kwin.log")
        with open(cls.log, "wb") as log:
            cls.spawn(program, "--socket", "wayland-tarvelin", "--virtual", "--xwayland",
                      "--width", "1280", "--height", "720", "--output-count", "3",
                      "--no-lockscreen", log=log)
        cls.scripts = 0

    @classmethod
    def lay_out(cls, placed):
        cls.call("kscreen-doctor", *(
            f"output.{name}.{setting}" for name, (x, y, transform) in placed.items()
            for setting in (f"position.{x},{y}", f"rotation.{ROTATION[transform]}",
                            f"priority.{1 if name == cls.DEFAULT else 2}")))

    def program_window(self, close=False):
        """(x, y, width, height) of the program's window in the layout, or None; closed if asked."""
        KwinTest.scripts += 1
        mark = f"tarvelin-{self.scripts}"
        script = pathlib.Path(self.runtime, mark + ".js")
        script.write_text(SCRIPT % (mark, "w.closeWindow();" if close else "", mark), "utf-8")
        scripting = ["gdbus", "call", "--session", "-d", "org.kde.KWin", "-o", "/Scripting",
                     "-m", "org.kde.kwin.Scripting."]
        self.call(*scripting[:-1], scripting[-1] + "loadScript", str(script), mark)
        self.call(*scripting[:-1], scripting[-1] + "start")
        lines = self.wait("KWin's script", lambda: (found := re.findall(
            mark + r" (.*)", pathlib.Path(self.log).read_text("utf-8", "replace"))) and
            found[-1] == "end" and found)
        self.call(*scripting[:-1], scripting[-1] + "unloadScript", mark)
        return tuple(map(int, lines[0].split())) if len(lines) > 1 else None

    def run_program(self, env, *args, keys=()):
        """Runs the program as nobody to its end; a menu is kept and closed, as Escape does."""
        process = headless.runs.Run(env, *headless.NOBODY[1:], self.program, *args,
                                    program=headless.NOBODY[0])
        try:
            if keys:
                self.assertEqual(["Escape"], keys)
                self.menu = self.wait("the menu", lambda: self.program_window() or
                                      process.process.poll() is not None)
                self.program_window(close=True)
            process.status = process.finish()
        finally:
            process.kill()
        process.message = process.errors or None
        return process

    def test_menu_centred_on_the_turned_output(self):
        for wanted in (None, "Virtual-2"):
            with self.subTest(wanted=wanted):
                self.lay_out(self.laid())
                env = self.env if wanted is None else dict(self.env, TARVELIN_OUTPUT=wanted)
                self.assertEqual(0, self.run_program(env, "/menu", keys=["Escape"]).status)
                self.assert_centred(self.menu, wanted or self.DEFAULT)
