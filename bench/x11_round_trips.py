#!/usr/bin/env python3
"""Counts the round trips to the X server of one turn, for the Linux program
and for xrandr, on one Xephyr (nested in an Xvfb). A round trip is a write
to the server's socket followed by a read from it: what strace sees.

    bench/x11_round_trips.py [PATH_TO_TARVELIN]
"""

import os
import re
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))

import xdisplays  # noqa: E402

_CALL = re.compile(r"^\d+ +(\w+)\((\d+)(.*)")
WRITES = {"write", "writev", "sendmsg", "sendto"}
READS = {"read", "readv", "recvmsg", "recvfrom"}


def round_trips(argv, env):
    with tempfile.TemporaryDirectory() as directory:
        log = os.path.join(directory, "trace")
        subprocess.run(["strace", "-f", "-qq", "-o", log, "-e",
                        "trace=connect," + ",".join(sorted(WRITES | READS)), *argv],
                       env=env, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        with open(log, encoding="utf-8", errors="replace") as trace:
            calls = [m.groups() for m in map(_CALL.match, trace) if m]
    sockets = {fd for name, fd, rest in calls if name == "connect" and "X11-unix" in rest}
    count, written = 0, False
    for name, fd, _ in calls:
        if fd in sockets and name in WRITES:
            written = True
        elif fd in sockets and name in READS and written:
            count, written = count + 1, False
    return count


def main():
    program = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        ROOT, "build", "default", "src", "entry", "tarvelin"))
    with xdisplays.rotating_display() as (_, server):
        env = server.env()
        print("Round trips of one turn from normal on Xephyr 800x600")
        for label, argv in (("tarvelin /set 1 (quarter turn)", [program, "/set", "1"]),
                            ("tarvelin /set 2 (half turn)", [program, "/set", "2"]),
                            ("xrandr -o left", ["xrandr", "-o", "left"])):
            subprocess.run(["xrandr", "-o", "normal"], env=env, check=True)
            print(f"{label:<32} {round_trips(argv, env):>3}")


if __name__ == "__main__":
    main()
