#!/usr/bin/env python3
"""How often SIGKILL mid-turn leaves the CRTC switched off, on one Xephyr
(nested in an Xvfb): killed at each request the program sends (strace
injects the signal as the write starts), then at random moments of a
quarter turn. SIGKILL cannot be blocked: the window is the time the CRTC is
off between the resize and the turned set.

    bench/x11_kill_window.py [PATH_TO_TARVELIN] [RANDOM_KILLS]
"""

import os
import random
import statistics
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))

import xdisplays  # noqa: E402


def left_off(server):
    """True when the CRTC shows nothing. Read with --current: a plain
    xrandr probes, which on Xephyr switches the CRTC back on."""
    return xdisplays.rotation(server.display) is None


def reset(env):
    subprocess.run(["xrandr", "-o", "normal"], env=env, check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def at_each_request(program, server):
    env, off = server.env(), []
    for boundary in range(1, 30):
        reset(env)
        status = subprocess.run(["strace", "-qq", "-o", "/dev/null", "-e", "trace=writev", "-e",
                                 f"inject=writev:signal=SIGKILL:when={boundary}",
                                 program, "/set", "1"], env=env, check=False).returncode
        if left_off(server):
            off.append(boundary)
        if status == 0:
            return boundary - 1, off
    raise RuntimeError("the run never ended on its own")


def at_random_moments(program, server, kills):
    env, durations = server.env(), []
    for _ in range(9):
        reset(env)
        start = time.perf_counter()
        subprocess.run([program, "/set", "1"], env=env, check=True)
        durations.append(time.perf_counter() - start)
    span = statistics.median(durations)
    off = 0
    for _ in range(kills):
        reset(env)
        run = subprocess.Popen([program, "/set", "1"], env=env)
        time.sleep(random.uniform(0, span))
        run.kill()
        run.wait()
        off += left_off(server)
    return off, span


def main():
    program = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        ROOT, "build", "default", "src", "entry", "tarvelin"))
    kills = int(sys.argv[2]) if len(sys.argv) > 2 else 300
    with xdisplays.rotating_display() as (_, server):
        requests, off = at_each_request(program, server)
        print(f"SIGKILL before each of the {requests} writes of a quarter turn: "
              f"{len(off)} left the CRTC off (before write {off})")
        off, span = at_random_moments(program, server, kills)
        print(f"SIGKILL at a random moment within a run's {span * 1000:.2f} ms: "
              f"{off} of {kills} left the CRTC off ({100 * off / kills:.1f} %, "
              f"a window of about {span * 1e6 * off / kills:.0f} us)")


if __name__ == "__main__":
    main()
