"""Runs tarvelin.exe under Wine on a virtual X display, and looks at what it did.

A throwaway WINEPREFIX serves one test run. The program is started through
launch.exe with an exact raw argument line; probe.exe reads Wine's side (the
message box's text, the menu's place) and keeps one Wine process alive between
runs, because Wine's desktop process shuts down a second after the last
program ends and the next run would race its restart. xrandr reads back what
the X server really did, xdotool answers the boxes and the menu.
"""

import os
import select
import shutil
import subprocess
import tempfile
import time

from xdisplays import rotation

WINE_TIMEOUT = 60.0
RUN_TIMEOUT = 20.0


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def wait_for(what, probe, timeout=RUN_TIMEOUT, interval=0.1):
    """Calls probe until it answers something other than None."""
    deadline = time.monotonic() + timeout
    while True:
        answer = probe()
        if answer is not None:
            return answer
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out waiting for {what}")
        time.sleep(interval)


class WinePrefix:
    """A fresh prefix set for tests: no window manager, the Chinese font."""

    def __init__(self):
        self.path = tempfile.mkdtemp(prefix="tarvelin-wine-")
        self.env = dict(
            os.environ,
            WINEPREFIX=self.path,
            WINEARCH="win64",
            WINEDEBUG="-all",
            # No Mono or Gecko installer dialogs while the prefix is made.
            WINEDLLOVERRIDES="mscoree,mshtml=",
        )
        self.env.pop("DISPLAY", None)
        try:
            self.wine("wineboot", "--init", timeout=180)
            # Without a window manager every closed box otherwise costs a
            # two-second wait.
            self.wine("wine", "reg", "add", r"HKCU\Software\Wine\X11 Driver",
                      "/v", "Managed", "/d", "N", "/f")
            self.wine("wine", "reg", "add", r"HKCU\Software\Wine\Fonts\Replacements",
                      "/v", "SimSun", "/d", "WenQuanYi Micro Hei", "/f")
            self.stop_server()
        except Exception:
            self.remove()
            raise

    def wine(self, *argv, display=None, timeout=WINE_TIMEOUT):
        env = dict(self.env, DISPLAY=display) if display else self.env
        return subprocess.run(argv, env=env, capture_output=True, text=True,
                              timeout=timeout, check=True)

    def stop_server(self):
        """Ends this prefix's wineserver, and with it every Wine process of
        the prefix; other prefixes' servers are not touched."""
        subprocess.run(["wineserver", "-k"], env=self.env, check=False,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-w"], env=self.env, check=False, timeout=WINE_TIMEOUT,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def remove(self):
        self.stop_server()
        shutil.rmtree(self.path, ignore_errors=True)


class WineDisplay:
    """The programs of one prefix on one X display."""

    def __init__(self, prefix, server, build_dir):
        self.prefix = prefix
        self.display = server.display
        self.env = dict(prefix.env, DISPLAY=server.display)
        self.tarvelin = windows_path(os.path.join(build_dir, "tarvelin.exe"))
        self.launch_exe = os.path.join(build_dir, "e2e", "launch.exe")
        self.probe_exe = os.path.join(build_dir, "e2e", "probe.exe")
        # Nothing else starts before the keeper is up: a second program
        # racing the desktop process's start can stall.
        self.keeper = subprocess.Popen(["wine", self.probe_exe, "keep"], env=self.env,
                                       stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                       stderr=subprocess.DEVNULL)
        ready = select.select([self.keeper.stdout], [], [], WINE_TIMEOUT)[0]
        if not ready or self.keeper.stdout.readline().strip() != b"ready":
            self.close()
            raise RuntimeError("Wine did not start")

    def close(self):
        if self.keeper.poll() is None:
            self.keeper.stdin.close()
            try:
                self.keeper.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.keeper.kill()
                self.keeper.wait()
        self.keeper.stdout.close()
        self.prefix.stop_server()

    def probe(self, *argv):
        """probe.exe's answer, or None when it reports nothing there."""
        result = subprocess.run(["wine", self.probe_exe, *argv], env=self.env,
                                stdin=subprocess.DEVNULL, capture_output=True, text=True,
                                timeout=WINE_TIMEOUT)
        return result.stdout if result.returncode == 0 else None

    # The program.

    def start(self, line):
        """Starts tarvelin.exe with exactly this raw argument line."""
        return subprocess.Popen(
            ["wine", self.launch_exe, self.tarvelin, line.encode("utf-8").hex()],
            env=self.env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL)

    def finish(self, process):
        """The exit status of a run that must end on its own. A run left
        waiting on a box or a menu is closed, ended and reported."""
        try:
            return process.wait(timeout=RUN_TIMEOUT)
        except subprocess.TimeoutExpired:
            pass
        box = self.message_box_text()
        # Escape closes the menu and the one-button box alike.
        for window in self._windows("--classname", r"^tarvelin\.exe$"):
            self.press(window, "Escape")
        try:
            process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()
        raise AssertionError(f"the run did not end by itself; box showed {box!r}")

    def run(self, line):
        return self.finish(self.start(line))

    # What it shows.

    def message_box_text(self):
        answer = self.probe("box")
        if answer is None:
            return None
        units = answer.strip()
        return "".join(chr(int(units[i:i + 4], 16)) for i in range(0, len(units), 4))

    def wait_for_message_box(self):
        return wait_for("the message box", self.message_box_text)

    def menu_rectangle(self):
        """(left, top, right, bottom) of the open menu, and the screen's
        (width, height) as Wine sees it."""
        answer = self.probe("menu")
        if answer is None:
            return None
        left, top, right, bottom, width, height = map(int, answer.split())
        return (left, top, right, bottom), (width, height)

    def wait_for_menu(self):
        return wait_for("the popup menu", self.menu_rectangle)

    def screenshot(self, path):
        subprocess.run(["import", "-window", "root", path], env=self.env, check=True,
                       timeout=WINE_TIMEOUT, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    # Answering it, as a user would: focus the window, then press keys.

    def _windows(self, *criteria):
        result = subprocess.run(["xdotool", "search", "--onlyvisible", *criteria],
                                env=self.env, capture_output=True, text=True, check=False)
        return result.stdout.split()

    def press(self, window, *keys):
        subprocess.run(["xdotool", "windowfocus", "--sync", window], env=self.env, check=True,
                       timeout=WINE_TIMEOUT)
        subprocess.run(["xdotool", "key", "--delay", "100", *keys], env=self.env, check=True,
                       timeout=WINE_TIMEOUT)

    def _window(self, what, *criteria):
        """The one X window that matches, once it is there."""
        windows = wait_for(what, lambda: self._windows(*criteria) or None, timeout=10)
        if len(windows) != 1:
            raise AssertionError(f"expected one window for {what}, found {windows}")
        return windows[0]

    def dismiss(self, attempts=3):
        """Presses the box's OK until the box has gone: a key can arrive
        before the box's window is ready for it."""
        for _ in range(attempts):
            self.press(self._window("the message box", "--name", "^Tarvelin$"), "Return")
            try:
                wait_for("the box to close", lambda: self.message_box_text() is None or None,
                         timeout=3)
                return
            except AssertionError:
                pass
        raise AssertionError("the message box did not close")

    def answer_menu(self, *keys):
        self.press(self._window("the menu", "--classname", r"^tarvelin\.exe$"), *keys)

    # The display.

    def rotation(self):
        return rotation(self.display)

    def wait_for_rotation(self, expected, timeout=5.0):
        """The display's rotation once it equals expected, or whatever it is
        when the time is up."""
        deadline = time.monotonic() + timeout
        while True:
            now = self.rotation()
            if now == expected or time.monotonic() > deadline:
                return now
            time.sleep(0.05)

    def turn(self, desktop_orientation):
        """Sets the starting orientation through Wine itself: after a turn
        made behind its back Wine's screen metrics can stay stale."""
        if self.probe("turn", str(desktop_orientation)) is None:
            raise AssertionError(f"Wine refused to turn to {desktop_orientation}")
