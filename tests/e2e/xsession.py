"""A private X display with a light window manager, and the input and screenshots of the runs."""

import os
import re
import subprocess
import time


class StepFailed(Exception):
    """A step of a scenario that did not happen; the message says which."""


def _run(args, **kw):
    return subprocess.run(args, check=False, capture_output=True, text=True, **kw)


class XSession:
    def __init__(self, width=1600, height=1000):
        self.procs = []
        read_fd, write_fd = os.pipe()
        # Xvfb picks a free display itself and writes its number to the pipe.
        self.procs.append(subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", f"{width}x{height}x24",
             "-nolisten", "tcp"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        os.close(write_fd)
        number = b""
        while not number.endswith(b"\n"):
            chunk = os.read(read_fd, 16)
            if not chunk:
                raise StepFailed("Xvfb exited at start")
            number += chunk
        os.close(read_fd)
        self.env = dict(os.environ, DISPLAY=":" + number.decode().strip())
        self.env.pop("QT_QPA_PLATFORM", None)
        self.procs.append(subprocess.Popen(["openbox", "--sm-disable"], env=self.env,
                                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        # A window mapped while the window manager is still starting may never be managed.
        self.wait(lambda: self.xdo("get_num_desktops").returncode == 0, 30,
                  "the window manager to start")

    def close(self):
        for p in reversed(self.procs):
            p.kill()
            p.wait()

    @staticmethod
    def wait(predicate, timeout, what):
        deadline = time.monotonic() + timeout
        while not (value := predicate()):
            if time.monotonic() > deadline:
                raise StepFailed(f"timed out after {timeout} s waiting for {what}")
            time.sleep(0.1)
        return value

    def xdo(self, *args):
        return _run(["xdotool", *[str(a) for a in args]], env=self.env)

    def windows(self, title):
        """Visible windows titled `title`, or matching it as a pattern when it starts with ^."""
        pattern = title if title.startswith("^") else "^" + re.escape(title) + "$"
        found = self.xdo("search", "--onlyvisible", "--name", pattern).stdout
        return [int(w) for w in found.split()]

    def wait_window(self, title, timeout=20):
        return self.wait(lambda: (self.windows(title) or [None])[0], timeout, f'window "{title}"')

    def wait_gone(self, title, timeout=20):
        self.wait(lambda: not self.windows(title), timeout, f'window "{title}" to close')

    def geometry(self, wid):
        """The client area on the screen (xwininfo's: xdotool adds a framed window's offset)."""
        out = _run(["xwininfo", "-id", str(wid)], env=self.env).stdout
        values = dict(line.strip().split(": ", 1) for line in out.splitlines() if ": " in line)
        return tuple(int(values[k]) for k in
                     ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))

    def frame(self, wid):
        """The outer frame, from the window manager's extents."""
        x, y, w, h = self.geometry(wid)
        out = _run(["xprop", "-id", str(wid), "_NET_FRAME_EXTENTS"], env=self.env).stdout
        if "=" not in out:
            return x, y, w, h
        left, right, top, bottom = (int(v) for v in out.split("=", 1)[1].split(","))
        return x - left, y - top, w + left + right, h + top + bottom

    def settled(self, measure, timeout=5):
        """The value of `measure` once it has stayed the same for half a second."""
        last, since = None, time.monotonic()
        while time.monotonic() < since + timeout:
            value = measure()
            if value != last:
                last, since = value, time.monotonic()
            elif time.monotonic() - since >= 0.5:
                break
            time.sleep(0.1)
        return last

    def activate(self, wid):
        self.xdo("windowactivate", "--sync", wid)
        self.wait(lambda: self.xdo("getactivewindow").stdout.strip() == str(wid), 5,
                  f"window {wid} to become active")

    def key(self, wid, *keys):
        self.activate(wid)
        self.xdo("key", "--clearmodifiers", *keys)

    def capture(self, path):
        """Writes the screen to `path` in xwd's format (GIMP and xwud read it)."""
        xwd = _run(["xwd", "-root", "-silent", "-out", str(path)], env=self.env)
        if xwd.returncode != 0:
            raise StepFailed(f"xwd could not read the screen: {xwd.stderr.strip()}")
