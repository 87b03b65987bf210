"""Headless compositors for the end-to-end tests, each started from a
process that runs in a mount and network namespace of its own (see
CMakeLists.txt), so that its XWayland's sockets meet no display of the
machine. They refuse root or want a user session: each, its bus and
every program under test run as nobody, and each is ended by its PID."""

import glob
import os
import re
import signal
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
from xdisplays import wait_for  # noqa: E402

NOBODY = ["setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"]
TIMEOUT = 10
TRANSFORMS = {"normal": 0, "90°": 1, "180°": 2, "270°": 3, "flipped": 4, "flipped 90°": 5,
              "flipped 180°": 6, "flipped 270°": 7}


class Headless:
    """A private XDG_RUNTIME_DIR (and HOME) owned by nobody, a fresh
    /tmp/.X11-unix, and, with bus, a session bus of its own."""

    def __init__(self, name, bus=False):
        self.processes = []
        subprocess.run(["mount", "-t", "tmpfs", "tmpfs", "/tmp/.X11-unix"], check=True)
        self.runtime = tempfile.mkdtemp(prefix=f"tarvelin-{name}-")
        os.chown(self.runtime, 65534, 65534)
        self.env = dict(os.environ, XDG_RUNTIME_DIR=self.runtime, HOME=self.runtime)
        self.env.pop("WAYLAND_DISPLAY", None)
        self.env.pop("DISPLAY", None)
        if bus:
            path = os.path.join(self.runtime, "bus")
            self.start(["dbus-daemon", "--session", "--nofork", "--address=unix:path=" + path])
            self.env["DBUS_SESSION_BUS_ADDRESS"] = "unix:path=" + path
            self.wait("the session bus", lambda: os.path.exists(path))

    def start(self, argv):
        """Starts argv as nobody; its PID is kept: a compositor may outlive
        its launcher."""
        self.processes.append(subprocess.Popen(
            NOBODY + argv, env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))

    def wait(self, what, found):
        def running():
            if any(p.poll() is not None for p in self.processes):
                raise RuntimeError(f"{self.processes} ended before {what}")
            return found()
        return wait_for(what, running, TIMEOUT)

    def open_x(self):
        """Waits for XWayland, takes its display and lets in the tests'
        xdotool, which runs as root. Its number is the lowest socket's here:
        the lock files in /tmp, which other servers share, may move it."""
        sockets = self.wait("XWayland's socket", lambda: glob.glob("/tmp/.X11-unix/X*"))
        self.env["DISPLAY"] = ":" + str(min(int(path[16:]) for path in sockets))
        self.wait("XWayland", lambda: self.call(
            "xhost", "+si:localuser:root", check=False).returncode == 0)

    def call(self, *argv, check=True, env=None):
        return subprocess.run(NOBODY + list(argv), env=env or self.env, capture_output=True,
                              text=True, timeout=TIMEOUT, check=check)

    def outputs(self):
        """{name: (x, y, logical width, logical height, wl_output transform)},
        as a Wayland client sees them."""
        text = self.call("wayland-info").stdout
        transforms = {name: TRANSFORMS[value] for name, value in re.findall(
            r"wl_output'.*?\n\s+name: (\S+)\n.*?output_transform: ([^,\n]+)", text, re.S)}
        return {name: (int(x), int(y), int(w), int(h), transforms[name])
                for name, x, y, w, h in re.findall(
                    r"name: '(\S+)'\n.*?logical_x: (-?\d+), logical_y: (-?\d+)\n"
                    r"\s+logical_width: (\d+), logical_height: (\d+)", text, re.S)}

    def stop(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.send_signal(signal.SIGTERM)
                try:
                    process.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        subprocess.run(["umount", "/tmp/.X11-unix"], check=False)


def socket_in(runtime, pattern):
    """The first file in runtime that matches pattern, or None."""
    found = glob.glob(os.path.join(runtime, pattern))
    return found and found[0]

