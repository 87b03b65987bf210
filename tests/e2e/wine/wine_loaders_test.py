"""The decision whether the 32-bit Wine rows run, on stand-in loaders."""

import os
import stat
import tempfile
import unittest

from wine_loaders import i386_unavailable


class I386Decision(unittest.TestCase):

    def test_a_loader_that_cannot_run_here_skips_with_the_reason(self):
        # (stand-in loader's content or None for none, the reason expected as a pattern or None)
        cases = [(None, r"is missing: wine32:i386 is not installed"),
                 # An ELF file for no machine this kernel runs, as an i386 loader is on some.
                 (b"\x7fELF\x01\x01\x01" + bytes(9) + b"\x02\x00\xff\xff" + bytes(32),
                  r"cannot run .*: Exec format error"),
                 (b"#!/bin/sh\necho broken >&2\nexit 3\n", r"ended with status 3: broken"),
                 (b"#!/bin/sh\necho wine-8.0\n", None)]
        for content, reason in cases:
            with self.subTest(reason=reason), tempfile.TemporaryDirectory() as folder:
                loader = os.path.join(folder, "wine")
                if content is not None:
                    with open(loader, "wb") as file:
                        file.write(content)
                    os.chmod(loader, stat.S_IRWXU)
                if reason is None:
                    self.assertIsNone(i386_unavailable(loader))
                else:
                    self.assertRegex(i386_unavailable(loader) or "", reason)
