#!/usr/bin/env python3
"""Times the turn on a headless Mutter (GNOME) or KWin (KDE) against the
desktop's own tool making the same turn (GetCurrentState and
ApplyMonitorsConfig through gdbus; kscreen-doctor) and against a floor, the
least a client can do for that turn (bench/floors/, built here), in
alternating runs, each result read back. Three outputs in a row, the
desktop's default one turning. Then, for each, its peak memory, and where
a run's time goes on the session bus (GNOME) or the Wayland socket (KDE),
under strace.

    unshare --mount --net --propagation private \\
        python3 bench/desktop_turns.py [gnome|kde] [PATH_TO_TARVELIN] [ROUNDS]

Mutter 43 grows slower with every configuration it applies, for every
client alike (about 15 and 23 ms at first, 70 and 80 ms after 80 turns),
so the default is a dozen rounds on a fresh desktop.

Needs root (the servers and the programs run as nobody), what the Wayland
end-to-end tests need, strace, GNU time, a C compiler, libsystemd-dev and
libwayland-dev.
"""

import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e", "wayland"))

# The test modules read the program under test from the environment, and
# the desktop runs a copy nobody can read.
os.environ["TARVELIN"] = os.path.abspath(sys.argv[2] if len(sys.argv) > 2 else os.path.join(
    ROOT, "build", "default", "src", "entry", "tarvelin"))
os.environ.setdefault("TARVELIN_FAILING", "")
from headless import NOBODY  # noqa: E402
from test_kwin import ROTATION, KwinTest  # noqa: E402
from test_mutter import MutterTest  # noqa: E402
from turn_profile import (Profile, build_floor, median_profile, peak_rss_kib,  # noqa: E402
                          print_profiles, profile, spawn_ms)

DESKTOPS = {"gnome": MutterTest, "kde": KwinTest}
# The ratios to the peer and to the floor aimed at, and the peak memory.
GOALS = {"gnome": (0.70, 1.05), "kde": (0.33, 1.15)}
PEAK_KIB = 2253  # 2.2 MiB
PROTOCOLS = "/usr/share/plasma-wayland-protocols"
PROFILED = 3  # traced rounds
DISPLAY_CONFIG = "org.gnome.Mutter.DisplayConfig"


def gdbus(method, *args):
    return ["gdbus", "call", "--session", "--dest", DISPLAY_CONFIG, "--object-path",
            "/org/gnome/Mutter/DisplayConfig", "--method", f"{DISPLAY_CONFIG}.{method}", *args]


def logical(server, placed):
    """placed as ApplyMonitorsConfig's logical monitors in gdbus's text, as
    the tests lay them out."""
    return "[" + ", ".join(
        f"({x}, {y}, 1.0, uint32 {transform}, {str(name == server.DEFAULT).lower()}, "
        f"[('{name}', '{width}x{height}@60.000', @a{{sv}} {{}})])"
        for name, (x, y, transform) in placed.items()
        for width, height in [server.SIZES[name]]) + "]"


def doctor(server, placed):
    """The kscreen-doctor command that lays out placed, as the tests do."""
    return ["kscreen-doctor", *(
        f"output.{name}.{setting}" for name, (x, y, transform) in placed.items()
        for setting in (f"position.{x},{y}", f"rotation.{ROTATION[transform]}",
                        f"priority.{1 if name == server.DEFAULT else 2}"))]


def gnome_floor(directory):
    return build_floor(os.path.join(ROOT, "bench", "floors", "gnome_turn.c"), ["libsystemd"],
                       directory)


def kde_floor(directory):
    """Built beside the protocols' code, generated from the XML the program uses."""
    for name in ("kde-output-device-v2", "kde-output-management-v2"):
        xml = os.path.join(PROTOCOLS, name + ".xml")
        for kind, suffix in (("client-header", "-client-protocol.h"),
                             ("private-code", "-protocol.c")):
            subprocess.run(["wayland-scanner", kind, xml, os.path.join(directory, name + suffix)],
                           check=True)
    source = shutil.copy(os.path.join(ROOT, "bench", "floors", "kde_turn.c"), directory)
    return build_floor(source, ["wayland-client"], directory)


def rss(argv, env):
    """Peak memory of argv alone: GNU time runs as nobody, so the program
    that changes the user is not counted."""
    return peak_rss_kib(argv, dict(env, PATH=os.environ["PATH"]), NOBODY)


class Gdbus:
    """The peer on GNOME: gdbus reads the state, its serial is taken from
    the text, gdbus applies the layout."""

    def __init__(self, server, placed, directory):
        self.server, self.state = server, os.path.join(directory, "state")
        self.apply = lambda serial: gdbus(
            "ApplyMonitorsConfig", serial, "1", logical(server, placed), "@a{sv} {}")
        self.read = gdbus("GetCurrentState")

    @staticmethod
    def serial(text):
        return re.match(r"\(uint32 (\d+),", text).group(1)

    def current(self):
        return self.serial(self.server.display_config("GetCurrentState"))

    def ms(self, env):
        start = time.perf_counter()
        read = NOBODY + self.read
        pid = os.posix_spawnp(read[0], read, env, file_actions=[
            (os.POSIX_SPAWN_OPEN, 1, self.state, os.O_WRONLY | os.O_CREAT | os.O_TRUNC, 0o600)])
        if os.waitstatus_to_exitcode(os.waitpid(pid, 0)[1]) != 0:
            raise RuntimeError("gdbus could not read the state")
        with open(self.state, encoding="utf-8") as state:
            serial = self.serial(state.read())
        return (time.perf_counter() - start) * 1000 + spawn_ms(NOBODY + self.apply(serial), env)

    def profile(self, env, socket):
        """The two calls' profiles as one run's."""
        read = profile(NOBODY + self.read, env, socket)
        applied = profile(NOBODY + self.apply(self.current()), env, socket)
        return Profile(read.round_trips + applied.round_trips, read.start_ms,
                       read.waiting_ms + applied.waiting_ms, applied.exit_ms,
                       read.total_ms + applied.total_ms)

    def rss(self, env):
        return max(rss(self.read, env), rss(self.apply(self.current()), env))


class Single:
    """A turn one command makes; socket, when given, is where its own
    requests go, not the desktop's."""

    def __init__(self, argv, socket=None):
        self.argv, self.socket = argv, socket

    def ms(self, env):
        return spawn_ms(NOBODY + self.argv, env)

    def profile(self, env, socket):
        return profile(NOBODY + self.argv, env, self.socket or socket)

    def rss(self, env):
        return rss(self.argv, env)


def clients(desktop, server, directory):
    """label -> the client turning the default output a quarter turn."""
    first, placed, before = server.DEFAULT, server.laid(turns={server.DEFAULT: 1}), server.laid()
    if desktop == "gnome":
        floor = [gnome_floor(directory), *(
            f"{name}:{width}x{height}@60.000:{x}:{y}:{transform}:{int(name == first)}"
            for name, (x, y, transform) in placed.items()
            for width, height in [server.SIZES[name]])]
        peer = Gdbus(server, placed, directory)
    else:
        floor = [kde_floor(directory), *(f"{name}:{transform}:{x}:{y}" for name, (x, y, transform)
                                         in placed.items() if before[name] != (x, y, transform))]
        # It asks KScreen's backend over the bus to speak to KWin.
        peer = Single(doctor(server, placed), os.path.join(server.runtime, "bus"))
    return {"tarvelin": Single([server.program, "/set", "1"]), "peer": peer,
            "floor": Single(floor)}


def main():
    desktop = sys.argv[1] if len(sys.argv) > 1 else "gnome"
    rounds = int(sys.argv[3]) if len(sys.argv) > 3 else 12
    kind = DESKTOPS[desktop]
    first = kind.DEFAULT
    kind.setUpClass()
    try:
        server = kind()
        env = {k: v for k, v in server.env.items() if k != "DISPLAY"}
        env["QT_LOGGING_RULES"] = "*.debug=false"  # kscreen-doctor's chatter
        socket = os.path.join(server.runtime, "bus") if desktop == "gnome" else "wayland-"
        directory = tempfile.mkdtemp(prefix="floor-", dir=server.runtime)
        os.chmod(directory, 0o755)  # nobody runs the floor
        runners = clients(desktop, server, directory)
        server.lay_out(server.laid())  # the default output is the desktop's own

        def verified(label, run):
            # Back untimed and read back; the desktop redraws for a while
            # after a change, which would be charged to the next turn.
            subprocess.run(NOBODY + [server.program, "/set", "0"], env=env, check=True)
            if server.outputs()[first][2] != 0:
                sys.exit(f"{first} did not turn back: {server.outputs()}")
            time.sleep(0.3)
            result = run(runners[label])
            if server.outputs()[first][2] != 1:
                sys.exit(f"{label} did not turn {first}: {server.outputs()}")
            return result

        def alternating(count, run):
            found = {label: [] for label in runners}
            for i in range(count):
                order = list(runners)[i % 3:] + list(runners)[:i % 3]
                for label in order if i % 2 else order[::-1]:
                    found[label].append(verified(label, run))
            return found

        times = alternating(rounds, lambda runner: runner.ms(env))
        median = {label: statistics.median(spent) for label, spent in times.items()}
        peaks = {label: verified(label, lambda runner: runner.rss(env)) for label in runners}
        traced = alternating(PROFILED, lambda runner: runner.profile(env, socket))
        print(f"{desktop}: a quarter turn of {first}, {rounds} alternating runs each")
        for label, value in median.items():
            print(f"  {label:9} median {value:7.2f} ms   peak RSS {peaks[label]:6d} KiB")
        to_peer, to_floor = GOALS[desktop]
        print(f"  ratio to the peer {median['tarvelin'] / median['peer']:.2f} (goal {to_peer},"
              f" the floor's own {median['floor'] / median['peer']:.2f}), to the floor"
              f" {median['tarvelin'] / median['floor']:.2f} (goal {to_floor}); below 1 is faster")
        print(f"  peak RSS goal {PEAK_KIB} KiB, the floor's own {peaks['floor']} KiB")
        print_profiles({label + (" (on the bus)" if getattr(runners[label], "socket", None) and
                                 desktop != "gnome" else ""): median_profile(runs)
                        for label, runs in traced.items()})
    finally:
        kind.doClassCleanups()


if __name__ == "__main__":
    main()
