#!/usr/bin/env python3
"""Times the Linux program's quarter turn against xrandr's two ways of doing
it and against a floor client (bench/floors/x11_turn.c, the least RandR 1.2
asks of one turn), on one Xephyr nested in an Xvfb; prints where each run's
time goes, peak memory, stripped size and shared libraries.

    bench/x11_rotation.py [PATH_TO_TARVELIN] [RUNS]

Needs what the end-to-end tests need, GNU time (Debian: time), strace, and
libxcb-randr0-dev for the floor.
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
sys.path.insert(0, os.path.join(ROOT, "bench"))

import turn_profile  # noqa: E402
import xdisplays  # noqa: E402


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
    with tempfile.TemporaryDirectory() as directory, \
            xdisplays.rotating_display() as (_, server):
        floor = turn_profile.build_floor(os.path.join(ROOT, "bench", "floors", "x11_turn.c"),
                                         ["xcb", "xcb-randr"], directory)
        name = output_name(server.env())
        commands = {
            "tarvelin /set 1": [program, "/set", "1"],
            "xrandr -o left": ["xrandr", "-o", "left"],
            f"xrandr --output {name} --rotate left": [
                "xrandr", "--output", name, "--rotate", "left"],
            "floor": [floor, "2"],
        }
        times = {label: [] for label in commands}
        for i in range(runs):
            # Alternate, and rotate the order, so drift hits all alike.
            labels = list(commands)
            labels = labels[i % len(labels):] + labels[:i % len(labels)]
            for label in labels:
                times[label].append(
                    turn_from_normal(server, turn_profile.spawn_ms, commands[label]))
        memory = {label: max(turn_from_normal(server, turn_profile.peak_rss_kib, argv)
                             for _ in range(5)) for label, argv in commands.items()}
        profiles = {label: turn_profile.median_profile([turn_from_normal(
            server, lambda argv, env: turn_profile.profile(argv, env, "X11-unix"), argv)
            for _ in range(7)]) for label, argv in commands.items()}

    median = {label: statistics.median(values) for label, values in times.items()}
    own, peer = median["tarvelin /set 1"], median["xrandr -o left"]
    print(f"Quarter turn normal -> left on Xephyr 800x600, {runs} alternating runs each")
    print(f"{'command':<40} {'median ms':>10} {'ours/it':>8} {'peak RSS KiB':>13}")
    for label in commands:
        print(f"{label:<40} {median[label]:>10.2f} {own / median[label]:>8.2f}"
              f" {memory[label]:>13}")
    print(f"ratio to the peer (xrandr -o left) {own / peer:.2f}, to the floor"
          f" {own / median['floor']:.2f}; the floor to the peer {median['floor'] / peer:.2f}")
    turn_profile.print_profiles(profiles)
    turn_profile.print_startup(program)
    print(f"stripped size of {program}: {stripped_size(program)} bytes")
    print("shared libraries: " + ", ".join(shared_libraries(program)))


if __name__ == "__main__":
    main()
