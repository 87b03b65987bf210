"""A headless sway for the end-to-end tests, started from a process that
runs in a mount and network namespace of its own (see CMakeLists.txt), so
that its XWayland takes :0 without meeting a display of the machine. sway
refuses root: it and every program under test run as nobody."""

import glob
import os
import re
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
from xdisplays import wait_for  # noqa: E402

NOBODY = ["setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"]
TIMEOUT = 10


class Sway:
    def __init__(self, extra_outputs=2):
        subprocess.run(["mount", "-t", "tmpfs", "tmpfs", "/tmp/.X11-unix"], check=True)
        self.runtime = tempfile.mkdtemp(prefix="tarvelin-sway-")
        os.chown(self.runtime, 65534, 65534)
        config = os.path.join(self.runtime, "config")
        with open(config, "w", encoding="utf-8") as file:
            file.write("xwayland enable\n")
        self.env = dict(os.environ, XDG_RUNTIME_DIR=self.runtime, HOME=self.runtime,
                        WLR_BACKENDS="headless", WLR_LIBINPUT_NO_DEVICES="1",
                        WLR_RENDERER="pixman", DISPLAY=":0")
        self.env.pop("WAYLAND_DISPLAY", None)
        # Its PID is kept: sway outlives a launcher that is killed.
        self.process = subprocess.Popen(NOBODY + ["sway", "-c", config], env=self.env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            def sockets():
                if self.process.poll() is not None:
                    raise RuntimeError("sway ended at start")
                found = [glob.glob(os.path.join(self.runtime, pattern))
                         for pattern in ("wayland-[0-9]", "sway-ipc.*")]
                return all(found) and found

            display, ipc = wait_for("sway's sockets", sockets, TIMEOUT)
            self.env["WAYLAND_DISPLAY"] = os.path.basename(display[0])
            self.env["SWAYSOCK"] = ipc[0]
            for _ in range(extra_outputs):
                self.swaymsg("create_output")
            # XWayland lets in its own user only: the tests' xdotool runs as root.
            wait_for("XWayland", lambda: subprocess.run(
                NOBODY + ["xhost", "+si:localuser:root"], env=self.env, check=False,
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0, TIMEOUT)
        except Exception:
            self.stop()
            raise

    def swaymsg(self, *command):
        subprocess.run(["swaymsg", *command], env=self.env, check=True, timeout=TIMEOUT,
                       stdout=subprocess.DEVNULL)

    def lay_out(self, *outputs):
        """(name, x, y, sway transform) each, at 1920x1080: sway counts its
        transform names clockwise, so "90" is wl_output's 270."""
        for name, x, y, transform in outputs:
            self.swaymsg("output", name, "mode", "1920x1080", "pos", str(x), str(y),
                         "transform", transform)

    def outputs(self):
        """{name: (x, y, logical width, logical height, wl_output transform)},
        as a Wayland client sees them."""
        text = subprocess.run(["wayland-info"], env=self.env, capture_output=True, text=True,
                              timeout=TIMEOUT, check=True).stdout
        transforms = {name: TRANSFORMS[value] for name, value in re.findall(
            r"wl_output'.*?\n\s+name: (\S+)\n.*?output_transform: ([^,\n]+)", text, re.S)}
        return {name: (int(x), int(y), int(w), int(h), transforms[name])
                for name, x, y, w, h in re.findall(
                    r"name: '(\S+)'\n.*?logical_x: (-?\d+), logical_y: (-?\d+)\n"
                    r"\s+logical_width: (\d+), logical_height: (\d+)", text, re.S)}

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        subprocess.run(["umount", "/tmp/.X11-unix"], check=False)


TRANSFORMS = {"normal": 0, "90°": 1, "180°": 2, "270°": 3, "flipped": 4, "flipped 90°": 5,
              "flipped 180°": 6, "flipped 270°": 7}
