#!/usr/bin/env python3
"""Times the Linux program's quarter turn against xrandr's two ways of doing
it, on one Xephyr (nested in an Xvfb), and prints its peak memory, stripped
size and shared libraries.

    bench/x11_rotation.py [PATH_TO_TARVELIN] [RUNS]

Needs what the end-to-end tests need, and GNU time (Debian: time) for the
peak memory.
"""

import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))

import xdisplays  # noqa: E402


def timed_run(argv, env):
    """Wall time of one run, in ms."""
    start = time.perf_counter()
    subprocess.run(argv, env=env, check=True, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)
    return (time.perf_counter() - start) * 1000


def peak_memory(argv, env):
    """Peak resident memory of one run, in KiB. Measured by GNU time from a
    process of its own: a child of this Python counts Python's pages."""
    result = subprocess.run(["/usr/bin/time", "-f", "%M", *argv], env=env,
                            check=True, capture_output=True, text=True)
    return int(result.stderr.split()[-1])


def turn_from_normal(server, measure, argv):
    env = server.env()
    subprocess.run(["xrandr", "-o", "normal"], env=env, check=True)
    # Let the server finish drawing the reset, so no run pays for it.
    time.sleep(0.02)
    value = measure(argv, env)
    shown = xdisplays.rotation(server.display)
    if shown != ("left", 600, 800):
        raise RuntimeError(f"{argv} left the display at {shown}")
    return value


def output_name(env):
    listing = subprocess.run(["xrandr", "--current"], env=env, capture_output=True,
                             text=True, check=True).stdout
    for line in listing.splitlines():
        if " connected" in line:
            return line.split()[0]
    raise RuntimeError("no connected output")


def stripped_size(program):
    with tempfile.TemporaryDirectory() as directory:
        copy = os.path.join(directory, "tarvelin")
        shutil.copy(program, copy)
        subprocess.run(["strip", "--strip-all", copy], check=True)
        return os.path.getsize(copy)


def shared_libraries(program):
    listing = subprocess.run(["ldd", program], capture_output=True, text=True,
                             check=True).stdout
    return [line.split()[0] for line in listing.splitlines() if line.strip()]


def main():
    program = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        ROOT, "build", "default", "src", "entry", "tarvelin"))
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 40
    with xdisplays.rotating_display() as (_, server):
        name = output_name(server.env())
        commands = {
            "tarvelin /set 1": [program, "/set", "1"],
            "xrandr -o left": ["xrandr", "-o", "left"],
            f"xrandr --output {name} --rotate left": [
                "xrandr", "--output", name, "--rotate", "left"],
        }
        times = {label: [] for label in commands}
        memory = {label: [] for label in commands}
        for i in range(runs):
            # Alternate, and rotate the order, so drift hits all alike.
            labels = list(commands)
            labels = labels[i % 3:] + labels[:i % 3]
            for label in labels:
                times[label].append(turn_from_normal(server, timed_run, commands[label]))
        for label, argv in commands.items():
            for _ in range(5):
                memory[label].append(turn_from_normal(server, peak_memory, argv))

    own = statistics.median(times["tarvelin /set 1"])
    print(f"Quarter turn normal -> left on Xephyr 800x600, {runs} alternating runs each")
    print(f"{'command':<40} {'median ms':>10} {'ratio':>7} {'peak RSS KiB':>13}")
    for label in commands:
        median = statistics.median(times[label])
        print(f"{label:<40} {median:>10.2f} {own / median:>7.2f} {max(memory[label]):>13}")
    print("(ratio: tarvelin's median over the command's; below 1 is faster)")
    print(f"stripped size of {program}: {stripped_size(program)} bytes")
    print("shared libraries: " + ", ".join(shared_libraries(program)))


if __name__ == "__main__":
    main()
