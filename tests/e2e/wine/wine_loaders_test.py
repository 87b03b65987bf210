"""The decision whether the 32-bit Wine rows run, on stand-in loaders."""

import os
import tempfile
import unittest

from wine_loaders import i386_unavailable

# (stand-in loader, or None for none; the reason expected, or None to run)
CASES = [(None, "is missing: wine32:i386 is not installed"),
         # An ELF file for no machine this kernel runs, as an i386 loader is on some.
         (b"\x7fELF\x01\x01\x01" + bytes(9) + b"\x02\x00\xff\xff" + bytes(32), "Exec format error"),
         (b"#!/bin/sh\necho broken >&2\nexit 3\n", "ended with status 3: broken"),
         (b"#!/bin/sh\necho wine-8.0\n", None)]


class I386Decision(unittest.TestCase):
    def test_a_loader_that_cannot_run_here_skips_with_the_reason(self):
        for content, reason in CASES:
            with self.subTest(reason=reason), tempfile.TemporaryDirectory() as folder:
                loader = os.path.join(folder, "wine")
                if content is not None:
                    with open(os.open(loader, os.O_WRONLY | os.O_CREAT, 0o700), "wb") as file:
                        file.write(content)
                found = i386_unavailable(loader)
                self.assertTrue(reason in (found or "") if reason else found is None, found)
