#!/usr/bin/env python3
"""First paint and peak memory of the Linux program's message box and menu.

Each run is timed from the program's start until its window is on the screen
and fully drawn as another client reads it back. Goals: first paint at most
10 ms on X11; peak memory at most 10 % above the X11 box drawn with Xlib and
Xft before (8.37 MiB median on the machine this was first measured on). The message box is the
unsupported-rotation box on a plain Xvfb; the menu ("/menu") needs a display
that rotates, so it runs on Xephyr nested in Xvfb.

Under Wayland (layer shell, on a headless sway without XWayland, run as
nobody in namespaces of its own when the script runs as root): first paint is
from the program's start until it commits its first drawn buffer, as
WAYLAND_DEBUG stamps its requests (goal at most 15 ms); each run is then
stopped.

The floor printed first is the least any such dialog costs here: a C client,
built by the script (needs libfcft-dev), that only opens the same font
through fcft and fontconfig and draws the box's glyphs, from exec to exit.

Usage: bench/dialogs.py [RUNS]   (after building: cmake --build --preset default)
"""

import os
import re
import signal
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e", "wayland"))
os.environ.setdefault("TARVELIN_FAILING", "")
import xdisplays  # noqa: E402

BUILD = os.path.join(ROOT, "build", "default")
PROGRAM = os.path.join(BUILD, "src", "entry", "tarvelin")
HELPER = os.path.join(BUILD, "bench", "first_paint")
os.environ.setdefault("TARVELIN", PROGRAM)  # for the tests' modules
from headless import NOBODY  # noqa: E402
from test_wlroots import SwayTest  # noqa: E402


def measure(server, args, runs):
    rows = []
    for _ in range(runs):
        result = subprocess.run([HELPER, PROGRAM, *args], env=server.env(),
                                capture_output=True, text=True, timeout=30, check=False)
        if result.returncode != 0:
            sys.exit(f"first_paint failed: {result.stderr.strip()}")
        out = result.stdout.split()
        rows.append((float(out[0]), float(out[1]), int(out[2])))
    return rows


X11_PAINT_GOAL_MS = 10
WAYLAND_PAINT_GOAL_MS = 15
MEMORY_GOAL_KIB = 8.37 * 1024 * 1.10


def report(name, rows, paint_goal_ms):
    mapped, painted, rss = zip(*rows)
    print(f"{name}: {len(rows)} runs")
    if mapped[0] is not None:  # a Wayland surface has no map of its own
        print(f"  window mapped   median {statistics.median(mapped):6.2f} ms"
              f"  (min {min(mapped):.2f}, max {max(mapped):.2f})")
    print(f"  first paint     median {statistics.median(painted):6.2f} ms"
          f"  (min {min(painted):.2f}, max {max(painted):.2f})  goal <= {paint_goal_ms} ms")
    print(f"  peak memory     median {statistics.median(rss) / 1024:6.2f} MiB"
          f"  (max {max(rss) / 1024:.2f} MiB, resident set)"
          f"  goal <= {MEMORY_GOAL_KIB / 1024:.2f} MiB")


FLOOR = r"""
#include <fcft/fcft.h>
#include <uchar.h>
int main(void) {
    const char *names[] = {"sans-serif:lang=zh-cn:size=11"};
    fcft_init(FCFT_LOG_COLORIZE_NEVER, false, FCFT_LOG_CLASS_ERROR);
    struct fcft_font *font = fcft_from_name(1, names, "dpi=96");
    for (const char32_t *c = U"你的设备不支持屏幕旋转!确定"; font != NULL && *c != 0; ++c)
        if (fcft_rasterize_char_utf32(font, *c, FCFT_SUBPIXEL_NONE) == NULL) return 1;
    return font == NULL;
}
"""


def font_floor(runs):
    with tempfile.TemporaryDirectory() as work:
        source, client = os.path.join(work, "floor.c"), os.path.join(work, "floor")
        with open(source, "w", encoding="utf-8") as file:
            file.write(FLOOR)
        flags = subprocess.run(["pkg-config", "--cflags", "--libs", "fcft"], capture_output=True,
                               text=True, check=True).stdout.split()
        subprocess.run(["cc", "-O2", "-o", client, source, *flags], check=True)
        times = []
        for _ in range(runs):
            start = time.perf_counter()
            subprocess.run([client], check=True)
            times.append((time.perf_counter() - start) * 1000)
    print(f"floor (fcft opens the font, draws the box's glyphs): median "
          f"{statistics.median(times):6.2f} ms  (min {min(times):.2f})")


def first_commit(env, args):
    """(ms to the first commit of a drawn buffer, peak memory in KiB) of one run."""
    # WAYLAND_DEBUG stamps in microseconds of the real-time clock, cut to 32 bits.
    start = time.clock_gettime_ns(time.CLOCK_REALTIME) // 1000 % 2**32
    process = subprocess.Popen(NOBODY + [PROGRAM, *args], env=dict(env, WAYLAND_DEBUG="1"),
                               stderr=subprocess.PIPE, text=True)
    attached, stamp = False, None
    for line in process.stderr:
        attached = attached or re.search(r"-> wl_surface@\d+\.attach\(wl_buffer", line)
        if attached and (found := re.match(r"\[ *(\d+)\.(\d+)\]  -> wl_surface@\d+\.commit", line)):
            stamp = int(found[1]) * 1000 + int(found[2])
            break
    # The peak since the program's exec, not the fork's, which is this script's.
    with open(f"/proc/{process.pid}/status", encoding="utf-8") as status:
        rss = int(re.search(r"VmHWM:\s+(\d+)", status.read())[1])
    process.send_signal(signal.SIGKILL)
    process.stderr.close()
    process.wait()
    if stamp is None:
        sys.exit(f"{args}: no buffer committed")
    return (stamp - start) % 2**32 / 1000, rss


def wayland_rows(runs):
    class OneOutput(SwayTest):
        ROW = ("HEADLESS-1",)
        XWAYLAND = False

    OneOutput.setUpClass()
    try:
        env = OneOutput.env
        for name, args in (("message box", ["/set", "3"]), ("menu", ["/menu"])):
            rows = [(None, painted, rss) for painted, rss in
                    (first_commit(env, args) for _ in range(runs))]
            report(f"Wayland {name} (layer shell, headless sway)", rows, WAYLAND_PAINT_GOAL_MS)
    finally:
        OneOutput.doClassCleanups()


def main():
    if sys.argv[1:2] == ["--wayland"]:
        wayland_rows(int(sys.argv[2]))
        return
    runs = int(sys.argv[1]) if len(sys.argv) > 1 else 30
    for built in (PROGRAM, HELPER):
        if not os.access(built, os.X_OK):
            sys.exit(f"build first: {built} is missing")
    font_floor(runs)
    host = xdisplays.start_xvfb(1024, 768)
    try:
        report("X11 message box (Xvfb)", measure(host, [], runs), X11_PAINT_GOAL_MS)
        rotating = xdisplays.start_rotating(host, 800, 600)
        try:
            report("X11 menu (Xephyr in Xvfb)", measure(rotating, ["/menu"], runs),
                   X11_PAINT_GOAL_MS)
        finally:
            xdisplays.stop_rotating(rotating)
    finally:
        host.stop()
    if os.getuid() != 0:
        print("Wayland: skipped: only root can run sway as nobody in namespaces of its own")
        return
    subprocess.run(["unshare", "--mount", "--net", "--propagation", "private", sys.executable,
                    __file__, "--wayland", str(runs)], check=True)


if __name__ == "__main__":
    main()
