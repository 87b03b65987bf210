"""Debian's Wine loaders, called directly: the `wine` wrapper takes the
32-bit loader whenever wine32:i386 is installed, even on a kernel that cannot
run it. The 64-bit loader starts 32-bit programs through the one beside it."""

import subprocess

WINE64 = "/usr/lib/wine/wine64"
WINE32 = "/usr/lib/wine/wine"
WINESERVER = "/usr/lib/wine/wineserver64"


def i386_unavailable(loader=WINE32):
    """Why 32-bit Windows programs cannot run here, or None when they can."""
    try:
        ran = subprocess.run([loader, "--version"], stdin=subprocess.DEVNULL,
                             capture_output=True, text=True, timeout=60)
    except FileNotFoundError:
        return f"{loader} is missing: wine32:i386 is not installed"
    except OSError as error:
        return f"this machine cannot run {loader}: {error.strerror}"
    if ran.returncode != 0:
        return f"{loader} --version ended with status {ran.returncode}: {ran.stderr.strip()}"
    return None
