"""What the turn benches share: timing a run with little of the harness in
it, peak memory, building a floor client from C, and where one run's time
goes, read from an strace of its calls on the display's socket."""

import dataclasses
import os
import re
import subprocess
import tempfile
import time

_CALL = re.compile(r"^(\d+) +(\d+\.\d+) (?:<\.\.\. )?(\w+)(?: resumed>|\()(.*?)(?: <(\d+\.\d+)>)?$")
_CONNECT = re.compile(r"^(\d+), \{sa_family=AF_UNIX, sun_path=@?\"([^\"]*)\"")
_FD = re.compile(r"^\[?\{?(?:fd=)?(\d+)")
WRITES = {"write", "writev", "sendmsg", "sendto"}
READS = {"read", "readv", "recvmsg", "recvfrom"}
WAITS = {"poll", "ppoll"}
TRACED = {"execve", "connect", "exit_group"} | WRITES | READS | WAITS


def spawn_ms(argv, env):
    """Wall time of one run in ms, from the spawn to its status: posix_spawn
    keeps the harness's own cost small beside the run's."""
    start = time.perf_counter()
    pid = os.posix_spawnp(argv[0], argv, env, file_actions=[
        (os.POSIX_SPAWN_OPEN, 1, os.devnull, os.O_WRONLY, 0)])
    status = os.waitpid(pid, 0)[1]
    elapsed = (time.perf_counter() - start) * 1000
    if os.waitstatus_to_exitcode(status) != 0:
        raise RuntimeError(f"{argv} exited with {os.waitstatus_to_exitcode(status)}")
    return elapsed


def print_startup(program, runs=200):
    """The program's start-up alone: --version, which ends before any
    backend is chosen, against /bin/true, alternating."""
    times = {"/bin/true": [], f"{os.path.basename(program)} --version": []}
    for i in range(runs):
        for label in (list(times) if i % 2 else list(times)[::-1]):
            times[label].append(spawn_ms(label.split() if label[0] == "/" else
                                         [program, "--version"], dict(os.environ)))
    print("start-up, " + ", ".join(f"{label} {sorted(values)[len(values) // 2]:.2f} ms"
                                   for label, values in times.items()))


def peak_rss_kib(argv, env, wrapper=()):
    """Peak resident memory of one run, from GNU time in a process of its
    own: a child of this Python would count Python's pages. wrapper runs
    time (one that changes the user, say) and is not counted."""
    result = subprocess.run([*wrapper, "/usr/bin/time", "-f", "%M", *argv], env=env, check=True,
                            capture_output=True, text=True)
    return int(result.stderr.split()[-1])


def _package_flags(packages):
    return subprocess.run(["pkg-config", "--cflags", "--libs", *packages], check=True,
                          capture_output=True, text=True).stdout.split()


def build_floor(source, packages, directory):
    """The floor client compiled from source against pkg-config's packages."""
    program = os.path.join(directory, os.path.splitext(os.path.basename(source))[0])
    subprocess.run(["cc", "-O2", "-Wall", "-Werror", "-o", program, source,
                    *_package_flags(packages)], check=True)
    return program


def build_run_time_floor(source, packages, directory):
    """The floor's command prefix when its libraries are loaded at run time,
    as the program loads its own: the floor built as a shared object whose
    main is called by bench/floors/run_time_loader.c after a dlopen."""
    library = os.path.join(directory, os.path.splitext(os.path.basename(source))[0] + ".so")
    subprocess.run(["cc", "-O2", "-Wall", "-Werror", "-shared", "-fPIC", "-Dmain=floor_main",
                    "-o", library, source, *_package_flags(packages)], check=True)
    loader = os.path.join(directory, "run_time_loader")
    subprocess.run(["cc", "-O2", "-Wall", "-Werror", "-o", loader,
                    os.path.join(os.path.dirname(os.path.abspath(__file__)), "floors",
                                 "run_time_loader.c"), "-ldl"], check=True)
    return [loader, library]


@dataclasses.dataclass
class Profile:
    round_trips: int  # a write to the socket, then a read from it
    start_ms: float  # the program's exec to its first write to the socket
    waiting_ms: float  # blocked on the socket for an answer
    exit_ms: float  # the last word on the socket to the end of the process
    total_ms: float


def _calls(log):
    """(pid, time, name, arguments, duration) of each finished call, the
    arguments of one split by another thread's taken from its first half."""
    begun = {}
    with open(log, encoding="utf-8", errors="replace") as trace:
        for line in trace:
            if "+++ exited" in line:
                pid, at = line.split()[:2]
                yield int(pid), float(at), "exited", "", 0.0
                continue
            match = _CALL.match(line.rstrip())
            if not match:
                continue
            pid, at, name, rest, duration = match.groups()
            if rest.endswith("<unfinished ...>"):
                begun[pid] = (float(at), rest)
                continue
            if " resumed>" in line:
                at, begun_rest = begun.pop(pid, (float(at), ""))
                rest = begun_rest + rest
            yield int(pid), float(at), name, rest, float(duration or 0)


def profile(argv, env, socket_path):
    """Where one run's time goes, on the socket whose path holds socket_path.
    strace slows each traced call, so the parts are for comparing runs
    traced alike, not for adding up to an untraced run."""
    with tempfile.TemporaryDirectory() as directory:
        log = os.path.join(directory, "trace")
        subprocess.run(["strace", "--seccomp-bpf", "-f", "-q", "-ttt", "-T", "-o", log,
                        "-e", "trace=" + ",".join(sorted(TRACED)), *argv],
                       env=env, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        calls = list(_calls(log))
    # The traced process's own last exec: a child's, or one that failed, is
    # not the program starting.
    started = max(at for pid, at, name, rest, _ in calls
                  if name == "execve" and pid == calls[0][0] and rest.endswith("= 0"))
    ended = max(at for _, at, name, _, _ in calls if name == "exited")
    sockets, trips, written = set(), 0, False
    first = last = None
    waiting = 0.0
    for _, at, name, rest, duration in calls:
        if at < started:
            continue
        if name == "connect" and (found := _CONNECT.match(rest)) and socket_path in found[2]:
            sockets.add(found[1])
            continue
        fd = _FD.match(rest)
        if fd is None or fd[1] not in sockets:
            continue
        if name in WAITS or name in READS:
            waiting += duration
        if name in WRITES:
            first = at if first is None else first
            written = True
        elif name in READS and not rest.endswith("EAGAIN (Resource temporarily unavailable)"):
            trips += written
            written = False
        last = at + duration
    if first is None:
        raise RuntimeError(f"{argv} wrote nothing to a socket at {socket_path}")
    return Profile(trips, (first - started) * 1000, waiting * 1000, (ended - last) * 1000,
                   (ended - started) * 1000)


def print_profiles(profiles):
    """profiles: label -> Profile, medians of runs traced alike."""
    width = max(len(label) for label in profiles)
    print(f"{'under strace':<{width}} {'round trips':>11} {'exec to 1st':>11} {'waiting':>9}"
          f" {'to exit':>8} {'total':>8}")
    for label, found in profiles.items():
        print(f"{label:<{width}} {found.round_trips:>11} {found.start_ms:>9.2f}ms"
              f" {found.waiting_ms:>7.2f}ms {found.exit_ms:>6.2f}ms {found.total_ms:>6.2f}ms")


def median_profile(runs):
    """The median of each part over runs of one command."""
    def middle(values):
        values = sorted(values)
        return values[len(values) // 2]
    return Profile(middle([r.round_trips for r in runs]), middle([r.start_ms for r in runs]),
                   middle([r.waiting_ms for r in runs]), middle([r.exit_ms for r in runs]),
                   middle([r.total_ms for r in runs]))
