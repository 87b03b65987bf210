#!/usr/bin/env python3
"""Plants one fault at a time in the product code and runs the fast tests
(no display needed), printing which faults they catch.

    scripts/mutants.py [BUILD_DIR]     (default build/mutants)

Each fault is one exact text replacement; the file is restored after each
run, whatever happens. Exits non-zero when a fault is not caught, or when a
fault's text no longer matches the code (update the list then).
"""

import os
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TESTS = ["unit_tests", "linux_unit_tests"]

# (file, text, replacement, what the fault means)
MUTANTS = [
    # The dispatcher and its outcomes.
    ("src/orientation/rotation_commands.cpp", "current == kOrientation0 ? kOrientation270 : current >> 1",
     "current == kOrientation0 ? kOrientation90 : current >> 1", "cycle starts the wrong way"),
    ("src/orientation/rotation_commands.cpp", "current >> 1;", "current << 1;", "cycle steps the wrong way"),
    ("src/orientation/rotation_commands.cpp", "current != kOrientation0 ? kOrientation0 : kOrientation270",
     "current != kOrientation0 ? kOrientation270 : kOrientation0", "toggle inverted"),
    ("src/orientation/rotation_commands.cpp", "argc >= 3 && IsOption(argv[1], kSetOption)",
     "argc >= 2 && IsOption(argv[1], kSetOption)", "/set alone reads past the arguments"),
    ("src/orientation/rotation_commands.cpp", "return *argument == *option;", "return true;",
     "an option with a tail matches"),
    ("src/orientation/rotation_commands.cpp", "return *argument == *option;", "return *option == 0;",
     "an option matches as a prefix"),
    ("src/orientation/rotation_commands.cpp", "*argument != 0 && *argument == *option",
     "*argument != 0 && (*argument | 0x20) == (*option | 0x20)", "options matched whatever their case"),
    ("src/orientation/rotation_commands.cpp", "argc >= 2 && IsOption(argv[1], kToggleOption)",
     "argc >= 2 && IsOption(argv[argc - 1], kToggleOption)", "/toggle read from the last argument"),
    ("src/orientation/rotation_commands.cpp", "argc >= 2 && IsOption(argv[1], kMenuOption)",
     "argc >= 2 && (IsOption(argv[1], kMenuOption) || IsOption(argv[argc - 1], kMenuOption))",
     "/menu read from argument 2 too"),
    ("src/orientation/rotation_commands.cpp", "|| supported == 0)", ")", "an empty set passes"),
    ("src/orientation/rotation_commands.cpp", "kInvalidModeMessage, kStatusInvalidMode",
     "kInvalidModeMessage, kStatusNotTurned", "invalid /set ends with 1"),
    ("src/orientation/outcomes.cpp", "return Refuse(port, kUnsupportedRotationMessage, kStatusNotTurned);",
     "return kStatusDone;", "a refused turn passes silently"),
    ("src/orientation/orientation_menu.cpp", "case kMenuClosed:\n        return kStatusDone;",
     "case kMenuClosed:\n        return kStatusNotTurned;", "a closed menu fails"),
    ("src/orientation/orientation_menu.cpp", "        break;\n    }\n    return kStatusNotTurned;",
     "        break;\n    }\n    return kStatusDone;", "a menu not shown passes"),
    ("src/orientation/decimal.cpp", "magnitude = limit;", "magnitude = 0;", "/set wraps instead of saturating"),
    ("src/orientation/decimal.cpp", "negative = *text == '-';", "negative = false;", "minus sign ignored"),
    ("src/orientation/texts.cpp", "{kOrientation180, kMenuLabel180}", "{kOrientation270, kMenuLabel180}",
     "menu item stands for the wrong code"),
    ("src/orientation/texts.cpp", "{kOrientation90, kWideMenuLabel90}", "{kOrientation90, kMenuLabel90}",
     "a wide display's 90 item says landscape"),
    ("src/orientation/orientation_menu.cpp", "== kShapeWide ? kWideMenuItems", "!= kShapeTall ? kWideMenuItems",
     "a square or unread display gets the wide labels"),
    ("src/orientation/orientation_table.cpp",
     "current->quarterTurn ? height : width;\n    const int high = current->quarterTurn ? width : height;",
     "width;\n    const int high = height;", "a turned display's shape read as it shows now"),
    ("src/orientation/orientation_table.cpp", "wide > high ? kShapeWide", "wide >= high ? kShapeWide",
     "a square display taken for wide"),
    # Start-up and splitting.
    ("src/startup/split_argument_line.cpp", "quoted = !quoted;", "quoted = false;", "quotes do not group"),
    ("src/startup/split_argument_line.cpp", "if (room[i] != kQuote) {", "if (true) {", "quotes kept"),
    ("src/startup/split_argument_line.cpp", "room += rawLength + 1;", "room += rawLength;",
     "arguments overlap"),
    ("src/startup/argument_block.cpp", "if (a > kMaxSize - *sum) {", "if (false) {", "size overflow unchecked"),
    ("src/startup/start_from_arguments.cpp", "*failure = kNoArgumentBlock;", "*failure = kNoModulePath;",
     "a start without memory blamed on the path"),
    ("src/startup/module_path.cpp", "kModulePathUnits - 1] = 0;", "kModulePathUnits] = 0;",
     "long path terminated past its buffer"),
    ("src/text/utf.cpp", "const bool surrogate = value >= 0xD800 && value <= 0xDFFF;",
     "const bool surrogate = false;", "UTF-8 surrogates accepted"),
    # The CE adapter.
    ("src/platform/win32/ce/ce_port.cpp", "record.dmFields = CE_DM_DISPLAYQUERYORIENTATION;",
     "record.dmFields = CE_DM_DISPLAYORIENTATION;", "support query asks for the orientation"),
    ("src/platform/win32/ce/ce_port.cpp", "    if (*set != 0) {\n", "    if (*set == 0) {\n",
     "orientation mode never entered"),
    ("src/platform/win32/ce/ce_port.cpp", "memset(&record, 0, sizeof record);", "",
     "record not cleared before the read"),
    ("src/platform/win32/ce/ce_port.cpp", "return CeChangeDisplaySettingsEx(NULL, &record, NULL, 0, NULL) == CE_DISP_CHANGE_SUCCESSFUL;",
     "CeChangeDisplaySettingsEx(NULL, &record, NULL, 0, NULL);\n    return true;", "apply result ignored"),
    ("src/platform/win32/ce/ce_port.cpp", "const int height = CeGetSystemMetrics(CE_SM_CYSCREEN);\n    const int width = CeGetSystemMetrics(CE_SM_CXSCREEN);",
     "const int width = CeGetSystemMetrics(CE_SM_CYSCREEN);\n    const int height = CeGetSystemMetrics(CE_SM_CXSCREEN);", "anchor axes swapped"),
    ("src/platform/win32/menu_identifiers.h", "const Uint32 kFirstMenuIdentifier = 100;",
     "const Uint32 kFirstMenuIdentifier = 0;", "identifiers from 0"),
    # The desktop translator.
    ("src/platform/win32/desktop/desktop_modes.cpp", "const bool swapped = now->quarterTurn != next->quarterTurn;",
     "const bool swapped = next->quarterTurn;", "size swapped on every quarter turn"),
    ("src/platform/win32/desktop/desktop_modes.cpp", "target->orientation = next->desktopCode;",
     "target->orientation = next->code;", "CE code sent to the desktop driver"),
    ("src/orientation/orientation_table.cpp", "{kOrientation270, 3, 3, 8, true,", "{kOrientation270, 4, 3, 8, true,",
     "desktop 270 mapped wrong"),
    # The X11 turn's arithmetic and what it reads.
    ("src/orientation/orientation_table.cpp", "{kOrientation90, 1, 1, 2, true,", "{kOrientation90, 1, 1, 8, true,",
     "90 mapped to RandR's 270"),
    ("src/platform/x11/display/turn_plan.cpp", "XCB_RANDR_ROTATION_REFLECT_X | XCB_RANDR_ROTATION_REFLECT_Y;",
     "XCB_RANDR_ROTATION_REFLECT_X;", "the Y reflection dropped"),
    ("src/platform/linux/output_areas.cpp", "b.x == a.x + a.width && b.y < a.y + a.height",
     "b.x == a.x + a.width && b.y <= a.y + a.height", "a CRTC at the corner taken for a neighbour"),
    ("src/platform/linux/output_areas.cpp", "if (moving[m] && Touches(",
     "if (m == start && Touches(", "a neighbour's neighbour left behind"),
    ("src/platform/linux/output_areas.cpp", "return at + span - 1 - from;", "return at + span - from;",
     "a neighbour slides back to a corner only"),
    ("src/platform/linux/output_areas.cpp", "Touches(was, areas[i], true) || Touches(areas[i], was, true)",
     "Touches(was, areas[i], true)", "a left neighbour left without an edge"),
    ("src/platform/linux/output_areas.cpp", "Follow(areas, count, i, turned, !beside, shift, placed);", "",
     "what touched a sliding neighbour stays behind"),
    ("src/platform/x11/display/turn_plan.cpp", "return ScreenSize{width, height, screen.mmHeight, screen.mmWidth};",
     "return ScreenSize{width, height, screen.mmWidth, screen.mmHeight};", "millimetres not swapped"),
    ("src/platform/x11/display/turn_plan.cpp", "(pixels * 254 + 480) / 960", "(pixels * 254 + 480) / 96",
     "unknown millimetres taken at the wrong density"),
    ("src/platform/x11/input/xi_devices.cpp", "if (bytes < sizeof any || bytes > reader->left) {",
     "if (bytes > reader->left) {", "a class of no length is read"),
    ("src/platform/x11/input/pointer_kind.cpp", "== XIDirectTouch;", "!= XIDirectTouch;",
     "touchpads taken for touchscreens"),
    ("src/platform/x11/input/pointer_kind.cpp", "return device.absoluteX && device.absoluteY;",
     "return device.absoluteX;",
     "one absolute axis is enough"),
    ("src/platform/x11/input/touch_matrix.cpp", "return root.count == 1 ? 0 : -1;", "return 0;",
     "an unmapped touchscreen taken for the first output's"),
    ("src/platform/x11/input/touch_matrix.cpp", "x = static_cast<double>(area.x) / root.width;",
     "x = 0;", "an output's place in the root left out of its share"),
    ("src/platform/x11/input/touch_matrix.cpp", "a = matrix[column], b = matrix[3 + column], c = matrix[6 + column]",
     "a = column == 0, b = column == 1, c = column == 2", "a device's own mapping overwritten"),
    ("src/platform/x11/input/touch_matrix.cpp", "if (Same(was, now)) {", "if (Same(was, now) && output < 0) {",
     "devices on outputs that did not change rewritten"),
    ("src/platform/linux/process_services.cpp", "unit == 0x3000;", "unit == 0x3001;",
     "ideographic space is no white space"),
    # The Wayland layout.
    ("src/platform/wayland/output_layout.cpp", "if (output.x == 0 && output.y == 0) {",
     "if (output.x == 0) {", "an output on the left edge taken for the one at 0,0"),
    ("src/platform/wayland/output_layout.cpp", "preferred < count && outputs[preferred].enabled)",
     "preferred < count)", "the compositor's choice turns while it is off"),
    ("src/platform/wayland/output_layout.cpp", "(turned ? height : width) / scale + 0.5)",
     "(turned ? height : width) / scale)", "logical width cut instead of rounded"),
    ("src/platform/wayland/output_layout.cpp", "output.transform = (output.transform & 4) | (transform & 3);",
     "output.transform = transform & 3;", "a turn drops the flip"),
    # The Wayland dialogs' buffers.
    ("src/platform/wayland/dialogs/shm_buffer.cpp", "scale <= 0 || width > INT_MAX / scale",
     "width > INT_MAX / scale", "a zero scale divides"),
    ("src/platform/wayland/dialogs/shm_buffer.cpp", "height > INT_MAX / scale) {", "false) {",
     "a scaled height overflows"),
    ("src/platform/wayland/dialogs/shm_buffer.cpp", "return *pixelWidth <= INT_MAX / 4 / *pixelHeight;",
     "return true;", "a buffer past wl_shm's sizes"),
    ("src/platform/wayland/dialogs/shm_buffer.cpp", "version < WL_SURFACE_SET_BUFFER_SCALE_SINCE_VERSION ||",
     "version < 1 ||", "a scale sent to a compositor without it"),
    ("src/platform/wayland/dialogs/shm_buffer.cpp", "outputScale < kMaxBufferScale ? outputScale : kMaxBufferScale",
     "outputScale", "the compositor's scale unbounded"),
    # The bound on a connection.
    ("src/platform/linux/connect_within.cpp", "    shutdown(gConnecting, SHUT_RDWR);\n", "",
     "a silent server holds the run for good"),
    ("src/platform/linux/connect_within.cpp", "    gLate = 1;\n", "", "a connection made too late is kept"),
    ("src/platform/linux/connect_within.cpp", "        sigaction(SIGALRM, &previous, nullptr);\n    }\n    if (gLate",
     "    }\n    if (gLate", "the alarm's handler is left in place"),
    # The dialogs' model.
    ("src/platform/linux/dialogs/dialog_model.cpp", "event.control && IsOneOf(event.keysym, XKB_KEY_c, XKB_KEY_Insert)",
     "IsOneOf(event.keysym, XKB_KEY_c, XKB_KEY_Insert)", "the box copies without Ctrl"),
    ("src/platform/linux/dialogs/dialog_model.cpp", "IsOneOf(event.keysym, XKB_KEY_Escape, XKB_KEY_space)",
     "IsOneOf(event.keysym, XKB_KEY_Escape, XKB_KEY_Escape)", "space leaves the box up"),
    ("src/platform/linux/dialogs/dialog_model.cpp", "return primary && Inside(box->layout.button, x, y)",
     "return (primary || x >= 0) && Inside(box->layout.button, x, y)", "any button presses OK"),
    ("src/platform/linux/dialogs/dialog_model.cpp", "    return SetButtonDown(box, false);\n", "    return kDialogClosed;\n",
     "OK let go elsewhere closes the box"),
    ("src/platform/linux/dialogs/dialog_model.cpp", "return menu->selected != kNoItem ? kDialogPicked : kDialogUnchanged;",
     "return kDialogPicked;", "Return picks with nothing selected"),
    ("src/platform/linux/dialogs/dialog_model.cpp", "(menu->selected == kNoItem ? 0 : menu->selected) +", "(menu->selected) +",
     "Up from nothing selected starts past the end"),
    ("src/platform/linux/dialogs/dialog_model.cpp", "x >= layout.width - layout.frameWidth", "x > layout.width",
     "the menu's frame counts as an item"),
    ("src/platform/linux/dialogs/dialog_model.cpp", "return index < menu.count ? index : kNoItem;", "return index;",
     "below the last item picks past it"),
    ("src/platform/linux/dialogs/dialog_model.cpp", "if (!InDialog(menu->layout, x, y)) {\n        return kDialogClosed;",
     "if (!InDialog(menu->layout, x, y) && false) {\n        return kDialogClosed;",
     "a click outside leaves the menu up"),
    ("src/platform/linux/dialogs/dialog_model.cpp", "return Release(state, true, state->touchX, state->touchY);",
     "return kDialogUnchanged;", "a tap does not click"),
    ("src/platform/linux/dialogs/dialog_model.cpp", "return state->kind == kPopupMenu && state->focused ? kDialogClosed",
     "return state->kind == kPopupMenu ? kDialogClosed", "the menu closes on a focus it never had"),
]


def run(argv, **kwargs):
    return subprocess.run(argv, cwd=ROOT, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, **kwargs)


def fast_tests(build):
    """None when the fast tests pass, else what stopped them."""
    if run(["cmake", "--build", build, "-j2", "--target", *TESTS]).returncode != 0:
        return "does not build"
    for path in (os.path.join(build, "tests", "unit_tests"),
                 os.path.join(build, "tests", "platform", "linux_unit_tests")):
        try:
            if run([path], timeout=120).returncode != 0:
                return "caught"
        except subprocess.TimeoutExpired:
            return "caught (hung)"
    return None


def main():
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build", "mutants"))
    run(["cmake", "-S", ROOT, "-B", build, "-DCMAKE_BUILD_TYPE=Debug", "-DTARVELIN_MEMCHECK=OFF"], check=True)
    if fast_tests(build) is not None:
        sys.exit("the fast tests fail without any planted fault")
    missed = 0
    for number, (name, text, replacement, meaning) in enumerate(MUTANTS, 1):
        path = os.path.join(ROOT, name)
        with open(path, encoding="utf-8") as f:
            original = f.read()
        if original.count(text) != 1:
            print(f"{number:2} STALE     {name}: {meaning}")
            missed += 1
            continue
        try:
            with open(path, "w", encoding="utf-8") as f:
                f.write(original.replace(text, replacement))
            verdict = fast_tests(build) or "MISSED"
            verdict = "NO BUILD" if verdict == "does not build" else verdict
        finally:
            with open(path, "w", encoding="utf-8") as f:
                f.write(original)
        missed += not verdict.startswith("caught")
        print(f"{number:2} {verdict:9} {name}: {meaning}", flush=True)
    run(["cmake", "--build", build, "-j2", "--target", *TESTS])
    print(f"{len(MUTANTS) - missed} of {len(MUTANTS)} planted faults caught")
    sys.exit(1 if missed else 0)


if __name__ == "__main__":
    main()
