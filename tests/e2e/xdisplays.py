"""Virtual X displays for the end-to-end tests.

Xvfb is a display that cannot rotate; Xephyr nested in an Xvfb is one that
can. Servers pick their own display numbers (-displayfd), so parallel runs
never collide, and only the servers started here are ever stopped.
"""

import os
import re
import select
import subprocess
import time


class XServer:
    def __init__(self, argv, env=None, timeout=10.0):
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            argv + ["-displayfd", str(write_end)],
            pass_fds=(write_end,),
            env=env,
            stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL,
        )
        os.close(write_end)
        try:
            self.display = ":" + _read_display_number(read_end, timeout, argv[0])
        except Exception:
            self.stop()
            raise
        finally:
            os.close(read_end)

    @property
    def pid(self):
        return self.process.pid

    def env(self, **extra):
        env = dict(os.environ, DISPLAY=self.display)
        env.update(extra)
        return env

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()


def _read_display_number(fd, timeout, name):
    data = b""
    deadline = time.monotonic() + timeout
    while not data.endswith(b"\n"):
        remaining = deadline - time.monotonic()
        if remaining <= 0 or not select.select([fd], [], [], remaining)[0]:
            raise RuntimeError(f"{name} did not report its display in {timeout} s")
        chunk = os.read(fd, 64)
        if not chunk:
            raise RuntimeError(f"{name} exited before reporting its display")
        data += chunk
    return data.decode().strip()


def start_xvfb(width, height, *options):
    """A display that offers only the normal orientation.

    -noreset: a server that resets when its last client leaves refuses the
    next client that comes in meanwhile."""
    return XServer(["Xvfb", "-noreset", "-screen", "0", f"{width}x{height}x24",
                    "-nolisten", "tcp", *options])


def start_rotating(host, width, height):
    """Xephyr inside host: a display that turns through RandR 1.2.

    -noreset keeps it alive when its last client leaves a turned screen,
    which otherwise crashes it."""
    server = XServer(
        ["Xephyr", "-noreset", "-screen", f"{width}x{height}", "-nolisten", "tcp"],
        env=host.env(),
    )
    wait_for_randr(server.display)
    return server


def stop_rotating(server):
    # Xephyr can crash when stopped while turned.
    subprocess.run(["xrandr", "-o", "normal"], env=server.env(), check=False,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    server.stop()


def wait_for_randr(display, timeout=10.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if rotation(display) is not None:
            return
        time.sleep(0.05)
    raise RuntimeError(f"no RandR answer from {display}")


_OUTPUT = re.compile(
    r"^(\S+) connected (?:primary )?(\d+)x(\d+)\+\d+\+\d+ (?:\(0x[0-9a-f]+\) )?"
    r"(normal|left|inverted|right)",
    re.MULTILINE,
)


def rotation(display):
    """The first connected output's (rotation, width, height), as the server
    reports it now; None when it cannot be read."""
    result = subprocess.run(
        ["xrandr", "--current", "--verbose"],
        env=dict(os.environ, DISPLAY=display),
        capture_output=True,
        text=True,
        check=False,
    )
    match = _OUTPUT.search(result.stdout)
    if result.returncode != 0 or match is None:
        return None
    return match.group(4), int(match.group(2)), int(match.group(3))
