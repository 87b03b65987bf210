#!/usr/bin/env python3
"""Times the turn on a headless Mutter (GNOME) or KWin (KDE) against the
desktop's own tool making the same turn (GetCurrentState and
ApplyMonitorsConfig through gdbus; kscreen-doctor), in alternating runs,
each result read back. Three outputs in a row, the desktop's default one
turning.

    unshare --mount --net --propagation private \\
        python3 bench/desktop_turns.py [gnome|kde] [PATH_TO_TARVELIN] [PAIRS]

Mutter 43 grows slower with every configuration it applies, for both
tools alike (about 15 and 23 ms at first, 70 and 80 ms after 80 turns), so
the default is a dozen pairs on a fresh desktop.

Needs root (the servers and the program run as nobody) and what the
Wayland end-to-end tests need.
"""

import os
import statistics
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e", "wayland"))

# The test modules read the program under test from the environment; the
# bench names its own.
os.environ.setdefault("TARVELIN", "")
os.environ.setdefault("TARVELIN_FAILING", "")
from headless import NOBODY  # noqa: E402
from test_kwin import KwinTest  # noqa: E402
from test_mutter import MutterTest  # noqa: E402

DESKTOPS = {"gnome": MutterTest, "kde": KwinTest}


def main():
    desktop = sys.argv[1] if len(sys.argv) > 1 else "gnome"
    program = os.path.abspath(sys.argv[2] if len(sys.argv) > 2 else os.path.join(
        ROOT, "build", "default", "src", "entry", "tarvelin"))
    pairs = int(sys.argv[3]) if len(sys.argv) > 3 else 12
    kind = DESKTOPS[desktop]
    first = kind.DEFAULT
    kind.setUpClass()
    try:
        server = kind()
        env = {k: v for k, v in server.env.items() if k != "DISPLAY"}
        ours = {transform: lambda code=code: subprocess.run(
            NOBODY + [program, "/set", code], env=env, check=True)
            for transform, code in ((0, "0"), (1, "1"))}
        times = {"tarvelin": [], "peer": []}
        for i in range(pairs):
            runners = [("tarvelin", ours[1]),
                       ("peer", lambda: server.lay_out(server.laid(turns={first: 1})))]
            for label, turn in runners if i % 2 else runners[::-1]:
                # Back untimed and read back; the desktop redraws for a while
                # after a change, which would be charged to the next turn.
                ours[0]()
                if server.outputs()[first][2] != 0:
                    sys.exit(f"{first} did not turn back: {server.outputs()}")
                time.sleep(0.3)
                start = time.perf_counter()
                turn()
                times[label].append(time.perf_counter() - start)
                if server.outputs()[first][2] != 1:
                    sys.exit(f"{label} did not turn {first}: {server.outputs()}")
        median = {label: statistics.median(spent) * 1000 for label, spent in times.items()}
        print(f"{desktop}: a quarter turn of {first}, {pairs} alternating runs each")
        for label, value in median.items():
            print(f"  {label:9} median {value:6.2f} ms")
        print(f"  ratio {median['tarvelin'] / median['peer']:.2f} (below 1 is faster)")
    finally:
        kind.doClassCleanups()


if __name__ == "__main__":
    main()
