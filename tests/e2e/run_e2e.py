#!/usr/bin/env python3
"""End-to-end runs of the real spectrane program on a private X display: real windows, a real
window manager, real mouse and keyboard input. Results are checked through the files the program
writes and through spectrane-cli, never through its internals.

Usage: run_e2e.py BUILD_DIR [SCENARIO ...]
Each scenario starts the program from a scratch folder of its own. A failed step names itself
and leaves a screenshot in BUILD_DIR/e2e-failures/; with SPECTRANE_E2E_SHOTS=DIR every passed
scenario leaves its last screen in DIR/SCENARIO.png.
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

    def start(self, lang="C.UTF-8"):
        """Starts the program under locale `lang` (the C locale gives its Japanese texts)."""
        env = {k: v for k, v in self.x.env.items() if k not in ("LANGUAGE", "LC_ALL", "LC_MESSAGES")}
        env["LANG"] = lang
        self.proc = subprocess.Popen([str(self.exe)], cwd=self.folder, env=env,
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
    def canvas_origin(self, length=512):
        """Screen position of content (0, 0), from the plot frame's top edge: it runs from
        content x 56 to L + 55 at y 32. Its right end is used, as another window may cover
        the left part."""
        mx, my, mw, mh = self.x.geometry(self.main)
        screen = self.x.capture()
        for y in range(max(my, 0), min(my + mh, screen.height)):
            run, end = 0, None
            for x in range(max(mx, 0), min(mx + mw, screen.width)):
                if screen.pixel(x, y) == FRAME_COLOR:
                    run += 1
                    if run >= 100:
                        end = x
                else:
                    if end is not None:
                        break
                    run = 0
            if end is not None:
                return end - (length + 55), y - 32
        raise StepFailed("the plot frame is not on the screen")

    # ---- menus and dialogs -------------------------------------------------------------------
    def visible_windows(self):
        out = self.x.xdo("search", "--onlyvisible", "--pid", self.proc.pid)
        return set(out.stdout.split())

    def after_popup(self, open_it, item_key):
        """Opens a menu or popup with `open_it`, waits for it to be mapped, picks an item."""
        before = self.visible_windows()
        open_it()
        self.x.wait(lambda: self.visible_windows() - before, 10, "the menu to open")
        self.x.xdo("key", item_key)

    def menu(self, menu_key, item_key, window=None):
        self.after_popup(lambda: self.x.key(window or self.main, f"alt+{menu_key}"), item_key)

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
    data = struct.pack("<10i", 0, 0, length, direction, loop, 0, 0, 0, 0, 0)
    data += struct.pack("<3i", *(len(c) for c in channels))
    for c in channels:
        for x, y in c:
            data += struct.pack("<2d", x, y)
    Path(path).write_bytes(data)


# Three open channels, flat at levels 128, 70 and 220; the control points are evenly spaced, so
# interior anchor 2 of every channel lies on its control point, at dot 255.5.
XS = [56.0, 183.75, 311.5, 439.25, 567.0]
LEVEL_Y = [192.0, 250.0, 100.0]
KNOWN = [[(x, y) for x in XS] for y in LEVEL_Y]


def known_file(folder):
    path = Path(folder) / "known.spd"
    write_spd(path, 512, 1, 0, KNOWN)
    return path


def open_file(app, path):
    app.menu("f", "o")
    app.file_dialog("RGBラインデータ・ファイルを開く", path)


def save_file(app, path):
    app.menu("f", "s")
    app.file_dialog("RGBラインデータ・ファイルの保存", path)
    app.dismiss("メッセージ")  # "RGBラインデータを保存しました。"
    app.x.wait(lambda: Path(path).exists(), 10, f"{path} to be written")


def expect_near(what, value, wanted, tolerance=0.01):
    if abs(value - wanted) > tolerance:
        raise StepFailed(f"{what} is {value}, expected {wanted}")


def started_with_known_file(x, build, work):
    app = App(x, build, work)
    app.start()
    x.wait_window_matching(GRADATION_PATTERN)
    welcome = x.wait_window("Welcome")
    x.key(welcome, "Return")
    x.wait_gone("Welcome")
    path = known_file(work)
    open_file(app, path)
    app.origin = app.canvas_origin()
    return app, path


def screen_of(app, cx, cy):
    return app.origin[0] + int(cx), app.origin[1] + int(cy)


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
    if not settings.exists() or settings.stat().st_size != 52:
        raise StepFailed("closing the main window did not leave a 52-byte Setting.ini")
    app.start()
    x.wait_window_matching(GRADATION_PATTERN)
    app.stop()


def scenario_open_drag_save(x, build, work):
    app, _ = started_with_known_file(x, build, work)
    x.drag(*screen_of(app, 311, 192), *screen_of(app, 311, 120))
    saved = Path(work) / "dragged.spd"
    save_file(app, saved)
    points = app.points(saved)
    cx, cy, ax, ay = points[(0, 2)]
    expect_near("channel 0 anchor 2 y", ay, 120.0)
    # The grab offset is whole (trunc(311.5 - 311) = 0), so the anchor lands on the pointer.
    expect_near("channel 0 anchor 2 x", ax, 311.0)
    for ch in (1, 2):
        for i, (kx, ky) in enumerate(KNOWN[ch]):
            got = points[(ch, i)][:2]
            if got != (kx, ky):
                raise StepFailed(f"channel {ch} point {i} changed: {got}")
    app.stop()


def read_bmp(path):
    data = Path(path).read_bytes()
    width, height = struct.unpack("<ii", data[18:26])
    return width, height, data


def scenario_save_bitmap(x, build, work):
    app, _ = started_with_known_file(x, build, work)
    app.menu("f", "b")
    width_window = x.wait_window("ビットマップ画像として保存")
    x.key(width_window, "Return")  # OK with the save width shown (32)
    out = Path(work) / "picture.bmp"
    app.file_dialog("ビットマップ・ファイルの保存", out)
    app.dismiss("Message")  # "ビットマップを保存しました。"
    width, height, data = read_bmp(out)
    if (width, height) != (32, 512):
        raise StepFailed(f"the bitmap is {width} x {height}, expected 32 x 512 (direction 1)")
    levels = [list(map(int, line.split()))
              for line in app.cli("levels", Path(work) / "known.spd").splitlines()]
    stride = 96
    for dot in (0, 255, 511):
        row = 511 - dot  # bottom-up rows; dot 0 is the top row in direction 1
        b, g, r = data[54 + row * stride: 54 + row * stride + 3]
        if (r, g, b) != tuple(levels[dot][1:]):
            raise StepFailed(f"dot {dot} is RGB{(r, g, b)}, expected {tuple(levels[dot][1:])}")
    app.stop()


def scenario_length_from_gradation_popup(x, build, work):
    app, _ = started_with_known_file(x, build, work)
    gradation = x.wait_window_matching(GRADATION_PATTERN)
    gx, gy, gw, gh = x.geometry(gradation)
    x.activate(gradation)
    x.move(gx + gw // 2, gy + gh // 2)
    app.after_popup(lambda: x.xdo("click", 3), "l")
    length_window = x.wait_window("グラデーションの長さの変更")
    x.key(length_window, "ctrl+a")
    x.type_text(length_window, "600")
    x.key(length_window, "Return")
    x.wait_gone("グラデーションの長さの変更")
    saved = Path(work) / "longer.spd"
    save_file(app, saved)
    length = app.info(saved)["length"]
    if length != "600":
        raise StepFailed(f"the saved length is {length}, expected 600")
    app.stop()


def scenario_stuck_drag_ends(x, build, work):
    """A right click during a drag opens the point menu, which takes the left release: the drag
    must end all the same, and a bare pointer must move nothing."""
    app, _ = started_with_known_file(x, build, work)
    x.move(*screen_of(app, 311, 192))
    time.sleep(0.2)
    x.xdo("mousedown", 1)
    for y in range(190, 150, -8):
        x.move(*screen_of(app, 311, y))
        time.sleep(0.05)
    app.after_popup(lambda: x.xdo("click", 3), "Escape")
    time.sleep(0.3)
    x.xdo("mouseup", 1)
    held = Path(work) / "held.spd"
    save_file(app, held)
    for y in (250, 300, 120):  # the bare pointer over the plot and beyond
        x.move(*screen_of(app, 311, y))
        time.sleep(0.1)
    after = Path(work) / "after.spd"
    save_file(app, after)
    if after.read_bytes() != held.read_bytes():
        raise StepFailed("moving the pointer without a button still moved the point")
    app.stop()


def expect_frame(what, frame, x=None, y=None, bottom=None):
    fx, fy, fw, fh = frame
    for name, got, wanted in (("x", fx, x), ("y", fy, y), ("bottom", fy + fh, bottom)):
        if wanted is not None and abs(got - wanted) > 1:
            raise StepFailed(f"{what}: frame {name} is {got}, expected {wanted} ({frame})")


def scenario_window_frames(x, build, work):
    """Placements count the window manager's frame: the main window at first start, the title
    window centred, the gradation window cut to the work area; the title window ignores its
    close request; after the about box the main window is the active one."""
    app = App(x, build, work)
    app.start()
    welcome = x.wait_window("Welcome")
    screen_w, screen_h = x.screen_size()
    main = x.settled(lambda: x.frame(app.main))
    expect_frame("main window", main, x=(screen_w - main[2]) // 2, y=(screen_h - main[3]) // 3)
    title = x.settled(lambda: x.frame(welcome))
    expect_frame("title window", title, x=main[0] + (main[2] - title[2]) // 2,
                 y=main[1] + (main[3] - title[3]) // 2)
    x.key(welcome, "alt+F4")
    time.sleep(1)
    if not x.windows("Welcome"):
        raise StepFailed("Alt+F4 closed the title window")
    x.key(welcome, "Return")
    x.wait_gone("Welcome")

    # A vertical gradation of 1600 dots is cut to the work area, frame included, both when it
    # is laid out by New and when the window is opened again from the menu.
    app.menu("f", "n")
    new = x.wait_window("新規作成")
    x.key(new, "ctrl+a")
    x.type_text(new, "1600")
    x.key(new, "Return")
    x.wait_gone("新規作成")
    for reopen in (False, True):
        if reopen:
            app.menu("v", "b")
            x.wait(lambda: not x.windows_matching(GRADATION_PATTERN), 10, "the window to close")
            app.menu("v", "b")
        gradation = x.wait_window_matching(GRADATION_PATTERN)
        expect_frame("gradation window", x.settled(lambda: x.frame(gradation)), y=0,
                     bottom=screen_h)

    # Topmost gradation window and the about box: the main window becomes active afterwards.
    app.menu("v", "w")
    app.menu("h", "a")
    x.key(x.wait_window("Version Info."), "Return")
    x.wait_gone("Version Info.")
    x.wait(lambda: x.active() == app.main, 5, "the main window to become active")
    app.stop()


def scenario_english_length_window(x, build, work):
    """Under an English locale the menus speak English and keep their mnemonics."""
    app = App(x, build, work)
    app.start("en_US.UTF-8")
    x.key(x.wait_window("Welcome"), "Return")
    x.wait_gone("Welcome")
    app.menu("e", "l")  # "&Edit" -> "Gradation &Length..."
    length_window = x.wait_window("Gradation Length")
    x.key(length_window, "Escape")
    x.wait_gone("Gradation Length")
    app.stop()


SCENARIOS = {
    "first_start": scenario_first_start,
    "open_drag_save": scenario_open_drag_save,
    "save_bitmap": scenario_save_bitmap,
    "length_from_gradation_popup": scenario_length_from_gradation_popup,
    "stuck_drag_ends": scenario_stuck_drag_ends,
    "window_frames": scenario_window_frames,
    "english_length_window": scenario_english_length_window,
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
                if os.environ.get("SPECTRANE_E2E_SHOTS"):
                    x.screenshot(Path(os.environ["SPECTRANE_E2E_SHOTS"]) / f"{name}.png")
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
