"""Runs each of the program's actions once on a rotating virtual display
and makes a contact sheet of the screen after each step.

Usage: demo.py PROGRAM OUT-DIR [--display DISPLAY]
With --display the steps run on that existing display instead (turning it
for real); by default the demo brings up its own and never touches yours.
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import xdisplays  # noqa: E402

WIDTH, HEIGHT = 800, 600


class ExistingDisplay:
    def __init__(self, display):
        self.display = display

    def env(self):
        return dict(os.environ, DISPLAY=self.display)


class Demo:
    def __init__(self, program, rotating, fixed, scratch):
        self.program = program
        self.rotating = rotating  # the display the program turns
        self.fixed = fixed  # a display that cannot turn
        self.scratch = scratch
        self.shots = []

    def say(self, text):
        print(f"==> {text}", flush=True)

    def backdrop(self):
        # A picture with its top marked, so each shot shows which way it turned.
        rotation = xdisplays.rotation(self.rotating.display)
        width, height = (rotation[1], rotation[2]) if rotation else (WIDTH, HEIGHT)
        image = os.path.join(self.scratch, "backdrop.png")
        subprocess.run(["convert", "-size", f"{width}x{height}", "xc:#2b5797",
                        "-fill", "#f0c419", "-draw", f"polygon {width // 2 - 40},70 "
                        f"{width // 2},20 {width // 2 + 40},70",
                        "-fill", "white", "-font", "DejaVu-Sans", "-pointsize", "32",
                        "-gravity", "North", "-annotate", "+0+80", "top of the picture",
                        image], check=True)
        # display answers 1 even when it has set the background.
        subprocess.run(["display", "-window", "root", image], env=self.rotating.env(),
                       check=False, timeout=30)

    def shot(self, label):
        path = os.path.join(self.scratch, f"{len(self.shots):02d}.png")
        subprocess.run(["import", "-window", "root", path], env=self.fixed.env(), check=True,
                       timeout=30)
        self.shots.append((label, path))

    def run(self, *args):
        self.say("tarvelin " + " ".join(args))
        subprocess.run([self.program, *args], env=self.rotating.env(), check=True, timeout=30)
        self.backdrop()
        self.shot(f"tarvelin {' '.join(args)}".strip() + f"\n→ {self.orientation()}")

    def orientation(self):
        rotation = xdisplays.rotation(self.rotating.display)
        return rotation[0] if rotation else "?"

    def with_window(self, display, args, search, keys_before, keys_after, label):
        """Runs the program until its window shows, shoots, answers it."""
        self.say(label.replace("\n", ": "))
        process = subprocess.Popen([self.program, *args], env=display.env())
        try:
            subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", *search],
                           env=display.env(), check=True, timeout=10, stdout=subprocess.DEVNULL)
            time.sleep(0.3)
            if keys_before:
                subprocess.run(["xdotool", "key", "--delay", "150", *keys_before],
                               env=display.env(), check=True)
                time.sleep(0.2)
            self.shot(label)
            subprocess.run(["xdotool", "key", *keys_after], env=display.env(), check=True)
            process.wait(timeout=10)
        finally:
            if process.poll() is None:
                process.kill()
                process.wait()

    def steps(self):
        self.backdrop()
        self.shot(f"start\n→ {self.orientation()}")
        for _ in range(4):
            self.run()
        self.run("/toggle")
        self.run("/set", "2")
        self.with_window(self.rotating, ["/set", "9"], ["--name", "^Tarvelin$"], [],
                         ["Return"], "tarvelin /set 9\ninvalid-mode message")
        self.with_window(self.rotating, ["/menu"], ["--classname", "^tarvelin-menu$"],
                         ["Down", "Down"], ["Return"], "tarvelin /menu\nsecond item chosen")
        self.backdrop()
        self.shot(f"after the menu\n→ {self.orientation()}")
        self.with_window(self.fixed, [], ["--name", "^Tarvelin$"], [], ["Return"],
                         "tarvelin on a display\nthat cannot turn")

    def contact_sheet(self, path):
        argv = ["montage", "-font", "DejaVu-Sans", "-pointsize", "18", "-background", "#202020",
                "-fill", "white"]
        for label, shot in self.shots:
            argv += ["-label", label, shot]
        argv += ["-tile", "4x", "-geometry", "400x300+10+10", path]
        subprocess.run(argv, check=True, timeout=120)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("program")
    parser.add_argument("out")
    parser.add_argument("--display", help="run on this display instead of a virtual one")
    options = parser.parse_args()

    os.makedirs(options.out, exist_ok=True)
    sheet = os.path.abspath(os.path.join(options.out, "demo-contact-sheet.png"))
    scratch = tempfile.mkdtemp(prefix="tarvelin-demo-")
    servers = []
    try:
        if options.display:
            rotating = fixed = ExistingDisplay(options.display)
        else:
            print("==> starting a virtual screen (Xvfb) and a rotating display in it (Xephyr)",
                  flush=True)
            fixed = xdisplays.start_xvfb(WIDTH, HEIGHT)
            servers.append(fixed.stop)
            rotating = xdisplays.start_rotating(fixed, WIDTH, HEIGHT)
            servers.append(lambda: xdisplays.stop_rotating(rotating))
        demo = Demo(os.path.abspath(options.program), rotating, fixed, scratch)
        demo.steps()
        demo.contact_sheet(sheet)
    finally:
        for stop in reversed(servers):
            stop()
        shutil.rmtree(scratch, ignore_errors=True)
    print(f"==> contact sheet: {sheet}")


if __name__ == "__main__":
    main()
