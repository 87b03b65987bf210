"""The Debian package: what it holds, what it depends on, and that its man
page reads without a warning.

Arguments: the build directory's CPackConfig.cmake, a scratch directory.
"""

import glob
import os
import re
import subprocess
import sys
import unittest

CONFIG, SCRATCH = sys.argv[1:3]


def run(*argv, **kwargs):
    return subprocess.run(argv, capture_output=True, text=True, check=True, **kwargs).stdout


class PackageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        for old in glob.glob(os.path.join(SCRATCH, "*.deb")):
            os.remove(old)
        run("cpack", "--config", CONFIG, "-B", SCRATCH)
        (cls.deb,) = glob.glob(os.path.join(SCRATCH, "tarvelin_*.deb"))
        cls.fields = dict(re.findall(r"^ (\w[\w-]*): (.*)$", run("dpkg-deb", "-I", cls.deb),
                                     re.MULTILINE))

    def test_depends_on_what_the_program_loads_and_a_chinese_font(self):
        depends = [alternatives.split("|") for alternatives in self.fields["Depends"].split(",")]
        names = [[a.split("(")[0].strip() for a in group] for group in depends]
        flat = {name for group in names for name in group}
        for library in ("libc6", "libx11-6", "libxrandr2", "libxft2"):
            with self.subTest(library):
                self.assertIn(library, flat)
        self.assertIn("fonts-wqy-microhei", flat)
        # The C++ library is linked in: it must not be asked for.
        self.assertNotIn("libstdc++6", flat)
        self.assertEqual(self.fields["Package"], "tarvelin")

    def test_holds_the_program_and_its_man_page(self):
        listing = run("dpkg-deb", "-c", self.deb)
        self.assertRegex(listing, r"-rwxr-xr-x .* \./usr/bin/tarvelin\n")
        self.assertRegex(listing, r" \./usr/share/man/man1/tarvelin\.1\.gz\n")

    def test_man_page_reads_without_warnings(self):
        unpacked = os.path.join(SCRATCH, "unpacked")
        run("dpkg-deb", "-x", self.deb, unpacked)
        page = os.path.join(unpacked, "usr/share/man/man1/tarvelin.1.gz")
        env = dict(os.environ, LC_ALL="C.UTF-8", MANWIDTH="80")
        result = subprocess.run(["man", "--warnings", "-l", page], env=env, capture_output=True,
                                text=True, check=True)
        self.assertEqual(result.stderr, "")
        for heading in ("SYNOPSIS", "OPTIONS", "ORIENTATION CODES", "MESSAGES", "EXIT STATUS"):
            with self.subTest(heading):
                self.assertIn(heading, result.stdout)
        # Both messages, exactly as the program shows them, with their gloss.
        self.assertIn("你的设备不支持屏幕旋转!", result.stdout)
        self.assertIn("无效的旋转模式!", result.stdout)
        self.assertIn("Invalid rotation mode!", result.stdout)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1] + sys.argv[3:])
