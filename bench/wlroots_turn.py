"""The turn on a wlroots compositor against wlr-randr doing the same turn:
one headless sway with one output enabled, runs alternating between the two, each result read back and checked.
Run as root in namespaces of its own, as the end-to-end test does:
  unshare --mount --net --propagation private python3 bench/wlroots_turn.py TARVELIN [PAIRS]"""

import os
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests",
                                "e2e", "wayland"))
# The test modules read the program under test from the environment; the
# bench names its own.
os.environ.setdefault("TARVELIN", "")
os.environ.setdefault("TARVELIN_FAILING", "")
from headless import NOBODY  # noqa: E402
from test_wlroots import SwayTest  # noqa: E402

# The turns, taken in turn: (arguments of the program, of wlr-randr, the
# wl_output transform each leaves)
TURNS = [(["/set", "1"], ["--transform", "90"], 1), (["/set", "0"], ["--transform", "normal"], 0)]


def timed(env, argv, transform, sway):
    start = time.perf_counter()
    subprocess.run(NOBODY + argv, env=env, check=True, stdout=subprocess.DEVNULL)
    elapsed = time.perf_counter() - start
    shown = sway.outputs()["HEADLESS-1"][2]
    if shown != transform:
        raise SystemExit(f"{argv[0]} left transform {shown}, not {transform}")
    return elapsed


def main():
    program, pairs = sys.argv[1], int(sys.argv[2]) if len(sys.argv) > 2 else 40
    # With an output disabled, sway refuses wlr-randr's configuration.
    class OneOutput(SwayTest):
        ROW = ("HEADLESS-1",)

    OneOutput.setUpClass()
    try:
        sway = OneOutput()
        env = {k: v for k, v in sway.env.items() if k != "DISPLAY"}
        times = {"tarvelin": [], "wlr-randr": []}
        for i in range(pairs):
            arguments, randr, transform = TURNS[i % 2]
            order = [("tarvelin", [program, *arguments]),
                     ("wlr-randr", ["wlr-randr", "--output", "HEADLESS-1", "--on", *randr])]
            for name, argv in order if i % 4 < 2 else order[::-1]:
                times[name].append(timed(env, argv, transform, sway))
        medians = {name: statistics.median(values) * 1000 for name, values in times.items()}
        for name, median in medians.items():
            print(f"{name:10} median {median:.2f} ms over {pairs} turns")
        print(f"tarvelin / wlr-randr: {medians['tarvelin'] / medians['wlr-randr']:.2f}")
    finally:
        OneOutput.doClassCleanups()


if __name__ == "__main__":
    main()
