"""The Linux program on a headless phoc, the phones' compositor: laid out with wlr-randr, its
menu typed on phoc's own keyboard as sway's is."""

import os
import pathlib

import test_sway

# wl_output's transforms by number, as wlr-randr names them.
WLR_RANDR_NAME = ["normal", "90", "180", "270", "flipped", "flipped-90", "flipped-180",
                  "flipped-270"]


class PhocTest(test_sway.SwayTest):
    SIZES = dict.fromkeys(test_sway.SwayTest.ROW, (1280, 720))

    @classmethod
    def start(cls):
        config = pathlib.Path(cls.runtime, "phoc.ini")
        config.write_text("[core]\nxwayland=true\n", encoding="utf-8")
        cls.env.update(WLR_BACKENDS="headless", WLR_HEADLESS_OUTPUTS=str(len(cls.ROW)),
                       WLR_LIBINPUT_NO_DEVICES="1", WLR_RENDERER="pixman",
                       GSETTINGS_BACKEND="memory")
        cls.spawn("phoc", "-C", str(config))
        cls.env["WAYLAND_DISPLAY"] = os.path.basename(
            cls.wait_file("phoc's socket", "wayland-[0-9]")[0])

    @classmethod
    def lay_out(cls, placed):
        cls.call("wlr-randr", *(a for name, (x, y, transform) in placed.items() for a in (
            "--output", name, "--pos", f"{x},{y}", "--transform", WLR_RANDR_NAME[transform])))
