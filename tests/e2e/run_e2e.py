#!/usr/bin/env python3
"""Usage: run_e2e.py BUILD_DIR [SCENARIO ...]

Runs the real program on a private X display with a window manager and real input, each
scenario in a scratch folder: only what a real X server shows (start-up language, window
frames, focus, real close); the rest is tested in process. A failed
step leaves a screenshot in BUILD_DIR/e2e-failures/; with SPECTRANE_E2E_SHOTS=DIR a passed
scenario leaves its last screen in DIR/SCENARIO.xwd."""

import os
import shutil
import subprocess
import sys
import tempfile
import time
import traceback
from pathlib import Path

from xsession import StepFailed, XSession

MAIN_TITLE = "Spectrane  ver.3.02"
GRADATION = "^Gradation BitMap"


class App:
    """One run of the program in its own scratch folder."""

    def __init__(self, x, build, folder):
        self.x, self.build, self.folder = x, Path(build), Path(folder)
        # The settings and default folders land beside the executable, so it runs from here.
        self.exe = self.folder / "spectrane"
        shutil.copy2(self.build / "src/app/spectrane", self.exe)

    def start(self, lang="C.UTF-8", dismiss_title=True):
        """Starts the program under locale `lang` (the C locale gives its Japanese texts)."""
        env = {k: v for k, v in self.x.env.items()
               if k not in ("LANGUAGE", "LC_ALL", "LC_MESSAGES")}
        self.proc = subprocess.Popen([str(self.exe)], cwd=self.folder, env=dict(env, LANG=lang),
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.main = self.x.wait_window(MAIN_TITLE)
        if dismiss_title:
            self.answer("Welcome")

    def after_popup(self, open_it, item_key):
        """Opens a menu or popup with `open_it`, waits for it to be mapped, picks an item."""
        def mapped():
            return set(self.x.xdo("search", "--onlyvisible", "--pid", self.proc.pid).stdout.split())
        before = mapped()
        open_it()
        self.x.wait(lambda: mapped() - before, 10, "the menu to open")
        self.x.xdo("key", item_key)

    def menu(self, menu_key, item_key):
        self.after_popup(lambda: self.x.key(self.main, f"alt+{menu_key}"), item_key)

    def answer(self, title, text=None):
        """Types `text`, if any, over the focused field of window `title` and presses Enter."""
        window = self.x.wait_window(title)
        if text is not None:
            self.x.key(window, "ctrl+a")
            self.x.xdo("type", "--delay", "20", str(text))
        self.x.key(window, "Return")
        self.x.wait_gone(title)


def scenario_first_start(x, build, work):
    app = App(x, build, work)
    app.start()
    x.wait_window(GRADATION)
    x.key(app.main, "alt+F4")
    x.wait(lambda: app.proc.poll() is not None, 20, "the program to exit")
    settings = Path(work) / "Setting.ini"
    if not settings.exists() or settings.stat().st_size != 52:
        raise StepFailed("closing the main window did not leave a 52-byte Setting.ini")
    app.start()
    x.wait_window(GRADATION)


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
    app.start(dismiss_title=False)
    welcome = x.wait_window("Welcome")
    screen_w, screen_h = map(int, x.xdo("getdisplaygeometry").stdout.split())
    main = x.settled(lambda: x.frame(app.main))
    expect_frame("main window", main, x=(screen_w - main[2]) // 2, y=(screen_h - main[3]) // 3)
    title = x.settled(lambda: x.frame(welcome))
    expect_frame("title window", title, x=main[0] + (main[2] - title[2]) // 2,
                 y=main[1] + (main[3] - title[3]) // 2)
    x.key(welcome, "alt+F4")
    time.sleep(1)
    if not x.windows("Welcome"):
        raise StepFailed("Alt+F4 closed the title window")
    app.answer("Welcome")

    # A vertical gradation of 1600 dots is cut to the work area, frame included, both when New
    # lays it out and when the window is opened again from the menu.
    app.menu("f", "n")
    app.answer("新規作成", "1600")
    for reopen in (False, True):
        if reopen:
            app.menu("v", "b")
            x.wait_gone(GRADATION, 10)
            app.menu("v", "b")
        gradation = x.wait_window(GRADATION)
        expect_frame("gradation window", x.settled(lambda: x.frame(gradation)), y=0,
                     bottom=screen_h)

    app.menu("v", "w")  # the gradation window on top
    app.menu("h", "a")
    app.answer("Version Info.")
    x.wait(lambda: x.xdo("getactivewindow").stdout.strip() == str(app.main), 5,
           "the main window to become active")


def scenario_english_length_window(x, build, work):
    """Under an English locale the menus speak English and keep their mnemonics."""
    app = App(x, build, work)
    app.start("en_US.UTF-8")
    app.menu("e", "l")  # "&Edit" -> "Gradation &Length..."
    x.key(x.wait_window("Gradation Length"), "Escape")
    x.wait_gone("Gradation Length")


SCENARIOS = {name[len("scenario_"):]: f for name, f in globals().items()
             if name.startswith("scenario_")}


def main():
    build = Path(sys.argv[1]).resolve()
    failures_dir = build / "e2e-failures"
    shutil.rmtree(failures_dir, ignore_errors=True)
    x = XSession()
    failed = 0
    try:
        for name in sys.argv[2:] or SCENARIOS:
            work = Path(tempfile.mkdtemp(prefix=f"spectrane-e2e-{name}-"))
            started = time.monotonic()
            try:
                SCENARIOS[name](x, build, work)
                if shots := os.environ.get("SPECTRANE_E2E_SHOTS"):
                    x.capture(Path(shots) / f"{name}.xwd")
                print(f"PASS {name} ({time.monotonic() - started:.1f} s)", flush=True)
            except Exception as error:  # any failure is reported with its step and a picture
                failed += 1
                failures_dir.mkdir(exist_ok=True)
                shot = failures_dir / f"{name}.xwd"
                try:
                    x.capture(shot)
                except StepFailed:
                    shot = "(no screenshot)"
                print(f"FAIL {name}: {error}\n  screenshot: {shot}", flush=True)
                if not isinstance(error, StepFailed):
                    traceback.print_exc()
            finally:  # the program started from this scenario's folder, if it still runs
                exe = str(work / "spectrane")
                subprocess.run(["pkill", "-KILL", "-f", exe], check=False)
                x.wait(lambda: subprocess.run(["pgrep", "-f", exe], capture_output=True).returncode,
                       10, "the program to end")
                shutil.rmtree(work, ignore_errors=True)
    finally:
        x.close()
    print(f"e2e: {len(sys.argv[2:] or SCENARIOS) - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
