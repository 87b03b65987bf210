"""Virtual X displays: Xvfb cannot rotate, Xephyr nested in an Xvfb can. Servers pick free
display numbers (-displayfd), and only servers started here are ever stopped."""

import contextlib
import os
import re
import select
import subprocess
import time


class XServer:
    def __init__(self, argv, env=None, timeout=10.0):
        reader, writer = os.pipe()
        self.process = subprocess.Popen(argv + ["-displayfd", str(writer)], pass_fds=(writer,),
                                        env=env, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
        os.close(writer)
        # It may never come, or come in more than one write.
        with open(reader, "rb") as pipe:
            number = select.select([pipe], [], [], timeout)[0] and pipe.readline()
        if not number:
            self.stop()
            raise RuntimeError(f"{argv[0]} ended or gave no display within {timeout} s")
        self.display = ":" + number.decode().strip()

    def env(self, **extra):
        return dict(os.environ, DISPLAY=self.display, **extra)

    def stop(self):
        stop_process(self.process)


def stop_process(process):
    process.terminate()  # none once it has ended
    try:
        process.wait(timeout=5)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


def start_xvfb(width, height, *options):
    # -noreset: a server that resets when its last client leaves refuses the next one meanwhile.
    return XServer(["Xvfb", "-noreset", "-screen", "0", f"{width}x{height}x24",
                    "-nolisten", "tcp", *options])


def start_rotating(host, width, height, *options, depth=24):
    # -noreset: Xephyr crashes when its last client leaves a turned screen otherwise.
    server = XServer(["Xephyr", "-noreset", "-screen", f"{width}x{height}x{depth}", "-nolisten",
                      "tcp", *options], env=host.env())
    with contextlib.ExitStack() as failed:
        failed.callback(server.stop)
        wait_for(f"RandR answer from {server.display}", lambda: rotation(server.display))
        failed.pop_all()
    return server


def stop_rotating(server):
    # Xephyr can crash when stopped while turned.
    subprocess.run(["xrandr", "-o", "normal"], env=server.env(), capture_output=True)
    server.stop()


@contextlib.contextmanager
def rotating_display(width=800, height=600, depth=24):
    """(host, server): a display that turns nested in a 1024x768 Xvfb; both end with the block."""
    with contextlib.ExitStack() as stack:
        host = start_xvfb(1024, 768)
        stack.callback(host.stop)
        server = start_rotating(host, width, height, depth=depth)
        stack.callback(stop_rotating, server)
        yield host, server


def wait_for(what, found, timeout=10.0):
    deadline = time.monotonic() + timeout
    while not (value := found()):
        if time.monotonic() > deadline:
            raise RuntimeError(f"no {what} within {timeout} s")
        time.sleep(0.02)
    return value


_OUTPUT = re.compile(r"^\S+ connected (?:primary )?(\d+)x(\d+)\+\d+\+\d+ (?:\(0x[0-9a-f]+\) )?"
                     r"(normal|left|inverted|right)", re.MULTILINE)


def rotation(display):
    """The first connected output's (rotation, width, height), or None. --current: a plain
    xrandr probes, which on Xephyr switches a CRTC back on and hides one left off."""
    listing = subprocess.run(["xrandr", "--current", "--verbose"], capture_output=True, text=True,
                             env=dict(os.environ, DISPLAY=display), check=False).stdout
    match = _OUTPUT.search(listing)
    return match and (match.group(3), int(match.group(1)), int(match.group(2)))
