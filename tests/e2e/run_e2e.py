#!/usr/bin/env python3
"""End-to-end runs of the real spectrane program on a private X display: real windows, a real
window manager, real mouse and keyboard input. Results are checked through the files the program
writes and through spectrane-cli, never through its internals.

Usage: run_e2e.py BUILD_DIR [SCENARIO ...]
Each scenario starts the program from a scratch folder of its own. A failed step names itself
and leaves a screenshot in BUILD_DIR/e2e-failures/.
"""

import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import traceback
from pathlib import Path

from xsession import StepFailed, XSession

MAIN_TITLE = "Spectrane  ver.3.02"
GRADATION_PATTERN = "^Gradation BitMap"
FRAME_COLOR = (160, 160, 160)  # the plot's frame; its top-left corner is content (56, 32)


class App:
    """One run of the program in its own scratch folder."""

    def __init__(self, x, build, folder):
        self.x, self.build, self.folder = x, Path(build), Path(folder)
        self.folder.mkdir(parents=True, exist_ok=True)
        # The settings and default folders land beside the executable, so it runs from here.
        self.exe = self.folder / "spectrane"
        if not self.exe.exists():
            shutil.copy2(self.build / "src/app/spectrane", self.exe)
        self.proc = None

    def start(self):
        self.proc = subprocess.Popen([str(self.exe)], cwd=self.folder, env=self.x.env,
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.main = self.x.wait_window(MAIN_TITLE)
        return self.main

    def wait_exit(self, timeout=20):
        self.x.wait(lambda: self.proc.poll() is not None, timeout, "the program to exit")

    def stop(self):
        if self.proc and self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait()

    def cli(self, *args):
        out = subprocess.run([str(self.build / "src/cli/spectrane-cli"), *map(str, args)],
                             capture_output=True, text=True)
        if out.returncode != 0:
            raise StepFailed(f"spectrane-cli {' '.join(map(str, args))}: {out.stderr.strip()}")
        return out.stdout

    def points(self, spd):
        """{(channel, index): (cx, cy, ax, ay)} of a line data file."""
        result = {}
        for line in self.cli("points", spd).splitlines():
            ch, i, cx, cy, ax, ay = line.split()
            result[(int(ch), int(i))] = tuple(float(v) for v in (cx, cy, ax, ay))
        return result

    def info(self, spd):
        return dict(line.split(": ", 1) for line in self.cli("info", spd).splitlines())

    # ---- the main window's canvas ------------------------------------------------------------
    def canvas_origin(self):
        """Screen position of content (0, 0), found from the plot frame's top-left corner."""
        mx, my, mw, mh = self.x.geometry(self.main)
        screen = self.x.capture()
        for y in range(max(my, 0), min(my + mh, screen.height)):
            run = 0
            for x in range(max(mx, 0), min(mx + mw, screen.width)):
                run = run + 1 if screen.pixel(x, y) == FRAME_COLOR else 0
                if run == 100:
                    return x - 99 - 56, y - 32
        raise StepFailed("the plot frame is not on the screen")

    # ---- menus and dialogs -------------------------------------------------------------------
    def menu(self, menu_key, item_key, window=None):
        self.x.key(window or self.main, f"alt+{menu_key}")
        time.sleep(0.3)
        self.x.xdo("key", item_key)

    def file_dialog(self, title, path):
        dialog = self.x.wait_window(title)
        self.x.key(dialog, "ctrl+a")
        self.x.type_text(dialog, str(path))
        self.x.key(dialog, "Return")
        self.x.wait_gone(title)

    def dismiss(self, title, timeout=20):
        box = self.x.wait_window(title, timeout)
        self.x.key(box, "Return")
        self.x.wait_gone(title)


def write_spd(path, length, direction, loop, channels):
    """A version 3 line data file: `channels` is three lists of control points."""
    data = struct.pack("<9i", 0, 0, length, direction, loop, 0, 0, 0, 0)
    data += struct.pack("<3i", *(len(c) for c in channels))
    for c in channels:
        for x, y in c:
            data += struct.pack("<2d", x, y)
    Path(path).write_bytes(data)


FLAT = [(56.0, 192.0), (200.0, 192.0), (311.0, 192.0), (420.0, 192.0), (567.0, 192.0)]


def scenario_first_start(x, build, work):
    app = App(x, build, work)
    app.start()
    welcome = x.wait_window("Welcome")
    x.wait_window_matching(GRADATION_PATTERN)
    x.key(welcome, "Return")
    x.wait_gone("Welcome")
    x.key(app.main, "alt+F4")
    app.wait_exit()
    settings = Path(work) / "Setting.ini"
    if settings.stat().st_size != 52:
        raise StepFailed(f"Setting.ini is {settings.stat().st_size} bytes, not 52")
    app.start()
    x.wait_window_matching(GRADATION_PATTERN)
    app.stop()


SCENARIOS = {
    "first_start": scenario_first_start,
}


def main():
    build = Path(sys.argv[1]).resolve()
    names = sys.argv[2:] or list(SCENARIOS)
    failures_dir = build / "e2e-failures"
    shutil.rmtree(failures_dir, ignore_errors=True)
    x = XSession()
    passed = failed = 0
    try:
        for name in names:
            work = Path(tempfile.mkdtemp(prefix=f"spectrane-e2e-{name}-"))
            started = time.monotonic()
            try:
                SCENARIOS[name](x, build, work)
                passed += 1
                print(f"PASS {name} ({time.monotonic() - started:.1f} s)", flush=True)
            except Exception as error:  # any failure is reported with its step and a picture
                failed += 1
                failures_dir.mkdir(exist_ok=True)
                shot = failures_dir / f"{name}.png"
                try:
                    x.screenshot(shot)
                except Exception:
                    shot = "(no screenshot)"
                print(f"FAIL {name}: {error}\n  screenshot: {shot}", flush=True)
                if not isinstance(error, StepFailed):
                    traceback.print_exc()
            finally:
                subprocess.run(["pkill", "-f", str(work / "spectrane")], check=False)
                shutil.rmtree(work, ignore_errors=True)
    finally:
        x.close()
    print(f"e2e: {passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
