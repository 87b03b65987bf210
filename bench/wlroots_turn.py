"""The turn on a wlroots compositor against wlr-randr and against the floor (a C client making
only the requests a turn needs, bench/floors/wlroots_turn.c): one headless sway with one output
enabled, runs alternating among the three, each result read back and checked. Prints the median
wall times and their ratios, where each run's time goes on the socket (under strace), peak memory,
and what start-up costs before any request.
Run as root in namespaces of its own, as the end-to-end test does:
  unshare --mount --net --propagation private python3 bench/wlroots_turn.py TARVELIN [ROUNDS]
TARVELIN is the program in its CMake build tree, whose cache names the protocol's XML."""

import os
import shutil
import statistics
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "e2e", "wayland"))
# The test modules read the program under test from the environment.
os.environ["TARVELIN"] = os.path.abspath(sys.argv[1]) if len(sys.argv) > 1 else ""
os.environ.setdefault("TARVELIN_FAILING", "")
from test_wlroots import SwayTest  # noqa: E402
import turn_profile  # noqa: E402

OUTPUT = "HEADLESS-1"
PROFILED = 7  # strace'd runs of each
RSS_GOAL_KIB = 2.2 * 1024


def protocol_xml(program):
    """The output-management XML the program was built from, read from its build tree's cache."""
    folder = os.path.dirname(os.path.abspath(program))
    while not os.path.exists(os.path.join(folder, "CMakeCache.txt")):
        if folder == os.path.dirname(folder):
            raise SystemExit(f"{program} is in no CMake build tree")
        folder = os.path.dirname(folder)
    with open(os.path.join(folder, "CMakeCache.txt"), encoding="utf-8") as cache:
        for line in cache:
            if line.startswith("WLR_OUTPUT_MANAGEMENT_XML:"):
                return line.split("=", 1)[1].strip()
    raise SystemExit("the build tree's cache names no WLR_OUTPUT_MANAGEMENT_XML")


def build_floor(program, directory):
    """The floor, with the protocol's header and code generated into directory beside it, and
    the command prefix of the same floor with libwayland-client loaded at run time."""
    xml, name = protocol_xml(program), "wlr-output-management-unstable-v1"
    subprocess.run(["wayland-scanner", "client-header", xml,
                    os.path.join(directory, name + "-client-protocol.h")], check=True)
    code = os.path.join(directory, name + "-protocol.c")
    subprocess.run(["wayland-scanner", "private-code", xml, code], check=True)
    source = shutil.copy(os.path.join(HERE, "floors", "wlroots_turn.c"), directory)
    with open(source, "a", encoding="utf-8") as floor, open(code, encoding="utf-8") as tables:
        floor.write(tables.read())
    return (turn_profile.build_floor(source, ["wayland-client"], directory),
            turn_profile.build_run_time_floor(source, ["wayland-client"], directory))


def commands(program, floors, transform):
    """Each client's command line for a turn to wl_output transform 0 or 1."""
    floor, run_time = floors
    return {"tarvelin": [program, "/set", "1" if transform else "0"],
            "wlr-randr": ["wlr-randr", "--output", OUTPUT, "--on",
                          "--transform", "90" if transform else "normal"],
            "floor": [floor, OUTPUT, str(transform)],
            "floor, run-time load": [*run_time, OUTPUT, str(transform)]}


def alternating(runs, program, floor, measure, sway):
    """measure(argv) for each client over runs rounds, each run a real turn from the transform
    the one before left, the order rotating each round, every turn read back: {name: [result]}."""
    found, names = {}, list(commands(program, floor, 0))
    transform = sway.outputs()[OUTPUT][2]
    for i in range(runs):
        for name in names[i % len(names):] + names[:i % len(names)]:
            transform = 1 - transform
            found.setdefault(name, []).append(measure(commands(program, floor, transform)[name]))
            shown = sway.outputs()[OUTPUT][2]
            if shown != transform:
                raise SystemExit(f"{name} left transform {shown}, not {transform}")
    return found


def main():
    program, rounds = os.environ["TARVELIN"], int(sys.argv[2]) if len(sys.argv) > 2 else 40

    # With an output disabled, sway refuses wlr-randr's configuration.
    class OneOutput(SwayTest):
        ROW = (OUTPUT,)

    OneOutput.setUpClass()
    try:
        sway = OneOutput()
        # Run as root, not through setpriv: the wall times are the clients' own.
        env = {k: v for k, v in sway.env.items() if k != "DISPLAY"}
        directory = tempfile.mkdtemp(dir=sway.runtime)
        floor = build_floor(program, directory)
        times = alternating(rounds, program, floor, lambda argv: turn_profile.spawn_ms(argv, env),
                            sway)
        medians = {name: statistics.median(values) for name, values in times.items()}
        print(f"wall time, median of {rounds} rounds of alternating turns, each read back:")
        for name, median in medians.items():
            print(f"  {name:20} {median:6.2f} ms")
        print(f"tarvelin / wlr-randr: {medians['tarvelin'] / medians['wlr-randr']:.2f}"
              " (goal <= 0.90)")
        print(f"tarvelin / floor:     {medians['tarvelin'] / medians['floor']:.2f}"
              " (goal <= 1.15)")
        # The least any turn costs, beside the peer: a goal below it cannot be met. The
        # program links only libc, so its own least loads libwayland-client at run time.
        print(f"floor / wlr-randr:    {medians['floor'] / medians['wlr-randr']:.2f}")
        loaded = medians["floor, run-time load"]
        print(f"tarvelin / floor loading at run time: {medians['tarvelin'] / loaded:.2f};"
              f" that floor / wlr-randr: {loaded / medians['wlr-randr']:.2f}")

        profiles = alternating(PROFILED, program, floor,
                               lambda argv: turn_profile.profile(argv, env, "wayland-"), sway)
        turn_profile.print_profiles({name: turn_profile.median_profile(runs)
                                     for name, runs in profiles.items()})

        peaks = alternating(3, program, floor, lambda argv: turn_profile.peak_rss_kib(argv, env),
                            sway)
        print(f"peak RSS of a turn, median of 3 (goal <= {RSS_GOAL_KIB:.0f} KiB):")
        for name, values in peaks.items():
            print(f"  {name:20} {statistics.median(values):6.0f} KiB")

        starts = {"tarvelin --version": [program, "--version"], "/bin/true": ["/bin/true"],
                  "floor, no request": [floor[0]],
                  "floor, run-time load, no request": floor[1]}
        spent = {label: [] for label in starts}
        for _ in range(rounds):
            for label, argv in starts.items():
                spent[label].append(turn_profile.spawn_ms(argv, env))
        print(f"start-up, median of {rounds} alternating runs:")
        for label, values in spent.items():
            print(f"  {label:32} {statistics.median(values):6.2f} ms")
    finally:
        OneOutput.doClassCleanups()


if __name__ == "__main__":
    main()
