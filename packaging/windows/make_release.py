#!/usr/bin/env python3
"""Builds the 64-bit and 32-bit Windows programs and packs them with the
README's Windows section and the licence into
tarvelin-VERSION-windows.zip.

usage: packaging/windows/make_release.py [OUTPUT_DIR]   (default: build/release)

The archive is reproducible: fixed member times and order.
"""

import os
import re
import subprocess
import sys
import zipfile

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
LICENSE = os.path.join(ROOT, "LICENSE")


def build(preset):
    for command in (["cmake", "--preset", preset], ["cmake", "--build", "--preset", preset]):
        subprocess.run(command, cwd=ROOT, check=True, stdout=subprocess.DEVNULL)
    with open(os.path.join(ROOT, "build", preset, "CMakeCache.txt")) as cache:
        version = re.search(r"^CMAKE_PROJECT_VERSION:STATIC=(.+)$", cache.read(), re.M)[1]
    with open(os.path.join(ROOT, "build", preset, "tarvelin.exe"), "rb") as program:
        return version, program.read()


def windows_section():
    with open(os.path.join(ROOT, "README.md"), encoding="utf-8") as readme:
        section = re.search(r"^## Windows\n.*?(?=^## |\Z)", readme.read(), re.M | re.S)
    if section is None:
        sys.exit("README.md has no '## Windows' section")
    return section[0].rstrip() + "\n"


def main():
    output = os.path.join(ROOT, "build", "release")
    if len(sys.argv) > 1:
        output = os.path.abspath(sys.argv[1])
    if not os.path.isfile(LICENSE):
        sys.exit(f"{LICENSE} is missing: the archive must carry the licence")
    version, program = build("windows")
    _, program_x86 = build("windows-x86")
    with open(LICENSE, encoding="utf-8") as licence:
        members = {"tarvelin.exe": program, "tarvelin-x86.exe": program_x86,
                   "README.txt": windows_section().replace("\n", "\r\n").encode(),
                   "LICENSE.txt": licence.read().replace("\n", "\r\n").encode()}
    name = f"tarvelin-{version}-windows"
    os.makedirs(output, exist_ok=True)
    archive = os.path.join(output, name + ".zip")
    with zipfile.ZipFile(archive, "w", zipfile.ZIP_DEFLATED) as zipped:
        for member, data in members.items():
            info = zipfile.ZipInfo(f"{name}/{member}", date_time=(1980, 1, 1, 0, 0, 0))
            info.compress_type = zipfile.ZIP_DEFLATED
            info.external_attr = 0o644 << 16
            zipped.writestr(info, data)
    print(archive)


if __name__ == "__main__":
    main()
