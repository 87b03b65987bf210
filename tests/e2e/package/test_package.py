"""The Debian package: what it holds, what it depends on, and that its man
page reads without a warning. Arguments: CPackConfig.cmake, a scratch
directory."""

import glob
import os
import re
import subprocess
import sys
import unittest

CONFIG, SCRATCH = sys.argv[1:3]


def run(*argv, **kwargs):
    return subprocess.run(argv, capture_output=True, text=True, check=True, **kwargs)


class PackageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        for old in glob.glob(os.path.join(SCRATCH, "*.deb")):
            os.remove(old)
        run("cpack", "--config", CONFIG, "-B", SCRATCH)
        (cls.deb,) = glob.glob(os.path.join(SCRATCH, "tarvelin_*.deb"))

    def test_depends_on_what_the_program_loads_and_a_chinese_font(self):
        fields = dict(re.findall(r"^ ([\w-]+): (.*)$", run("dpkg-deb", "-I", self.deb).stdout,
                                 re.MULTILINE))
        self.assertEqual("tarvelin", fields["Package"])
        names = set(re.findall(r"(?:^|[,|])\s*([\w.+-]+)", fields["Depends"]))
        # libc6 stands for the libraries the binary links; the dialogs' Xlib
        # and Xft are loaded at run time, so the binary does not name them.
        for package in ("libc6", "libx11-6", "libxft2", "fonts-wqy-microhei"):
            self.assertIn(package, names)
        # The C++ library is linked in: it must not be asked for.
        self.assertNotIn("libstdc++6", names)

    def test_holds_the_program_and_a_man_page_that_reads_without_warnings(self):
        self.assertRegex(run("dpkg-deb", "-c", self.deb).stdout,
                         r"-rwxr-xr-x .* \./usr/bin/tarvelin\n")
        unpacked = os.path.join(SCRATCH, "unpacked")
        run("dpkg-deb", "-x", self.deb, unpacked)
        page = run("man", "--warnings", "-l", f"{unpacked}/usr/share/man/man1/tarvelin.1.gz",
                   env=dict(os.environ, LC_ALL="C.UTF-8", MANWIDTH="80"))
        self.assertEqual("", page.stderr)
        # Both messages as the program shows them, with their English gloss.
        for text in ("SYNOPSIS", "OPTIONS", "ORIENTATION CODES", "MESSAGES", "EXIT STATUS",
                     "你的设备不支持屏幕旋转!", "无效的旋转模式!", "Invalid rotation mode!",
                     "--help", "--version", "is not an orientation code"):
            self.assertIn(text, page.stdout)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1] + sys.argv[3:])
