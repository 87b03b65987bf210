"""The turn under stress on Xephyr: runs started together, termination at
each request the program sends, its server killed mid-turn, and the output
chosen by name. State is read with `xrandr --current`: a plain xrandr
probes, which on Xephyr switches a CRTC back on and hides the fault."""

import os
import re
import subprocess
import tempfile
import unittest

from runs import PROGRAM, output_of, xdisplays

TIMEOUT = 30
NORMAL, LEFT = ("normal", 800, 600), ("left", 600, 800)
CYCLE = ["normal", "right", "inverted", "left"]


def screen_size(display):
    listing = subprocess.run(["xrandr", "--current"], capture_output=True, text=True,
                             env=dict(os.environ, DISPLAY=display), check=True).stdout
    return tuple(map(int, re.search(r"current (\d+) x (\d+)", listing).groups()))


def traced(env, injection, *args):
    """A run whose main thread's writes go through strace: injection on the
    one chosen, and each written to log as it starts."""
    log = os.path.join(env["TRACE_DIR"], "writes")
    argv = ["strace", "-qq", "-o", log, "-e", "trace=writev", "-e", f"inject=writev:{injection}",
            PROGRAM, *args]
    return subprocess.Popen(argv, env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                            text=True), log


class TurnSafety(unittest.TestCase):
    def setUp(self):
        self.host, self.server = self.enterContext(xdisplays.rotating_display())

    def env(self):
        directory = tempfile.TemporaryDirectory()
        self.addCleanup(directory.cleanup)
        return self.server.env(TRACE_DIR=directory.name)

    def start_at(self, name):
        output_of(self.server.env(), "xrandr", "-o", name)

    def assertConsistent(self, *allowed):
        """The CRTC shows one of allowed, on a screen of its size."""
        shown = xdisplays.rotation(self.server.display)
        self.assertIn(shown, allowed, "the CRTC is off or elsewhere")
        self.assertEqual(shown[1:], screen_size(self.server.display))

    def test_runs_started_together_each_take_a_step(self):
        for count in (2, 5, 2, 5):
            with self.subTest(count=count):
                self.start_at("normal")
                runs = [subprocess.Popen([PROGRAM], env=self.server.env()) for _ in range(count)]
                self.assertEqual([0] * count, [r.wait(timeout=TIMEOUT) for r in runs])
                self.assertEqual(CYCLE[count % 4], xdisplays.rotation(self.server.display)[0])

    def test_termination_at_each_request_completes_the_turn_or_changes_nothing(self):
        # Past the last request, the run ends on its own.
        for boundary in range(1, 20):
            with self.subTest(boundary=boundary):
                self.start_at("normal")
                run, _ = traced(self.env(), f"signal=SIGTERM:when={boundary}", "/set", "1")
                run.communicate(timeout=TIMEOUT)
                status = run.returncode
                self.assertConsistent(NORMAL, LEFT)
                if status == 0:
                    self.assertConsistent(LEFT)
                    break
                self.assertEqual(-15, status)
        else:
            self.fail("the run never ended on its own")

    def test_a_server_killed_mid_turn_ends_the_run_with_a_line(self):
        # After the grab, and with the CRTC switched off for the resize.
        for boundary in (2, 5):
            with self.subTest(boundary=boundary):
                env = self.env()
                run, log = traced(env, f"delay_enter=2000000:when={boundary}", "/set", "1")

                def held():
                    with open(log, encoding="utf-8") as written:
                        return written.read().count("writev(") >= boundary

                xdisplays.wait_for("the run at its request", lambda: os.path.exists(log) and held(),
                                   TIMEOUT)
                self.server.stop()
                _, errors = run.communicate(timeout=TIMEOUT)
                self.assertEqual((1, f'tarvelin: lost the connection to display "{env["DISPLAY"]}"\n'),
                                 (run.returncode, errors))
                self.server = xdisplays.start_rotating(self.host, 800, 600)
                self.addCleanup(xdisplays.stop_rotating, self.server)

    def test_an_output_named_turns_and_an_unknown_name_changes_nothing(self):
        for name, expected in (("default", (0, "", LEFT)),
                               ("VGA-9", (1, 'tarvelin: no output named "VGA-9"\n', NORMAL))):
            with self.subTest(name=name):
                self.start_at("normal")
                result = subprocess.run([PROGRAM, "/set", "1"], capture_output=True, text=True,
                                        timeout=TIMEOUT, env=self.server.env(TARVELIN_OUTPUT=name))
                shown = xdisplays.rotation(self.server.display)
                self.assertEqual(expected, (result.returncode, result.stderr, shown))


if __name__ == "__main__":
    unittest.main()
