"""The Debian package: what it holds and depends on, and its man page. Environment:
CPACK_CONFIG, the build's CPackConfig.cmake; WORK, a directory to pack and unpack in."""

import glob
import os
import re
import subprocess
import unittest


def run(*argv, **kwargs):
    return subprocess.run(argv, capture_output=True, text=True, check=True, **kwargs)


class PackageTest(unittest.TestCase):
    def test_contents_depends_and_man_page(self):
        work = os.environ["WORK"]
        for old in glob.glob(os.path.join(work, "*.deb")):
            os.remove(old)
        run("cpack", "--config", os.environ["CPACK_CONFIG"], "-B", work)
        (deb,) = glob.glob(os.path.join(work, "tarvelin_*.deb"))
        fields = dict(re.findall(r"^ ([\w-]+): (.*)$", run("dpkg-deb", "-I", deb).stdout, re.M))
        self.assertEqual("tarvelin", fields["Package"])
        # libc6 stands for what the binary links; the dialogs' libraries load at run time,
        # so it does not name them. The C++ library is linked in: it must not be asked for.
        wanted = {"libc6", "libfcft4", "libpixman-1-0", "libxkbcommon0", "libxcb1",
                  "libxkbcommon-x11-0", "fonts-wqy-microhei"}
        depends = set(re.findall(r"(?:^|[,|])\s*([\w.+-]+)", fields["Depends"]))
        self.assertEqual(wanted, depends & (wanted | {"libstdc++6"}))
        self.assertRegex(run("dpkg-deb", "-c", deb).stdout, r"-rwxr-xr-x .* \./usr/bin/tarvelin\n")
        run("dpkg-deb", "-x", deb, f"{work}/unpacked")
        # Every other library, the dialogs' included, is loaded at run time.
        needed = re.findall(r"\(NEEDED\).*\[(.*)\]",
                            run("readelf", "-d", f"{work}/unpacked/usr/bin/tarvelin").stdout)
        self.assertEqual(["libc.so.6", "ld-linux-x86-64.so.2"], needed)
        page = run("man", "--warnings", "-l", f"{work}/unpacked/usr/share/man/man1/tarvelin.1.gz",
                   env=dict(os.environ, LC_ALL="C.UTF-8", MANWIDTH="80"))
        self.assertEqual("", page.stderr)
        # Both messages as the program shows them, with their English gloss.
        for text in ("SYNOPSIS", "OPTIONS", "ORIENTATION CODES", "MESSAGES", "EXIT STATUS",
                     "你的设备不支持屏幕旋转!", "无效的旋转模式!", "Invalid rotation mode!",
                     "--help", "--version", "is not an orientation code"):
            self.assertIn(text, page.stdout)
