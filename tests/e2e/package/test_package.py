"""The Debian package installed in a fresh root: its version, dependencies and man page, and the
program it installs (lintian checks the rest). Environment: DEB, the package; TARVELIN_VERSION; TARVELIN_EMULATOR, what
runs a cross build's program; WORK, a directory to install in."""

import os
import re
import shutil
import subprocess
import unittest


def run(*argv, **kwargs):
    return subprocess.run(argv, capture_output=True, text=True, check=True, **kwargs)


class PackageTest(unittest.TestCase):
    def test_installed_in_a_fresh_root(self):
        root = os.path.join(os.environ["WORK"], "root")
        shutil.rmtree(root, ignore_errors=True)
        os.makedirs(f"{root}/var/lib/dpkg/updates")
        open(f"{root}/var/lib/dpkg/status", "w").close()
        # What it depends on is the host's, and a cross build's architecture is foreign to it.
        run("dpkg", f"--root={root}", "--force-depends,architecture", "-i", os.environ["DEB"])
        version, depends = run("dpkg-query", f"--root={root}", "-W", "-f=${Version}\n${Depends}",
                               "tarvelin").stdout.split("\n")
        program = [*os.environ["TARVELIN_EMULATOR"].split(), f"{root}/usr/bin/tarvelin"]
        self.assertEqual((os.environ["TARVELIN_VERSION"], f"tarvelin {version}\n"),
                         (version, run(*program, "--version").stdout))
        # libc6 stands for what the program links; the dialogs' libraries load at run time,
        # so it does not name them. The C++ library is linked in: it must not be asked for.
        wanted = {"libc6", "libfcft4", "libpixman-1-0", "libxkbcommon0", "libxcb1",
                  "libxkbcommon-x11-0", "fonts-wqy-microhei"}
        depends = set(re.findall(r"(?:^|[,|])\s*([\w.+-]+)", depends))
        self.assertEqual(wanted, depends & (wanted | {"libstdc++6"}))
        needed = re.findall(r"\(NEEDED\).*\[(.*)\]", run("readelf", "-d", program[-1]).stdout)
        self.assertEqual(["libc.so.6"], [name for name in needed if not name.startswith("ld-linux")])
        page = run("man", "--warnings", "-l", f"{root}/usr/share/man/man1/tarvelin.1.gz",
                   env=dict(os.environ, LC_ALL="C.UTF-8", MANWIDTH="80"))
        self.assertEqual("", page.stderr)
        # Both messages as the program shows them, with their English gloss.
        for text in ("SYNOPSIS", "OPTIONS", "ORIENTATION CODES", "MESSAGES", "EXIT STATUS",
                     "你的设备不支持屏幕旋转!", "无效的旋转模式!", "Invalid rotation mode!",
                     "--help", "--version", "is not an orientation code"):
            self.assertIn(text, page.stdout)
