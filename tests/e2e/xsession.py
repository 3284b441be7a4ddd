"""A private X display with a light window manager, and the few things the end-to-end runs do
with it: find windows by title, wait for them, type, click, drag and take screenshots."""

import os
import re
import struct
import subprocess
import time
import zlib
from pathlib import Path


class StepFailed(Exception):
    """A step of a scenario did not happen in time; the message says which."""


def _run(args, text=True, **kw):
    return subprocess.run(args, check=False, capture_output=True, text=text, **kw)


class XSession:
    def __init__(self, width=1600, height=1000):
        self.procs = []
        read_fd, write_fd = os.pipe()
        # Xvfb picks a free display itself and writes its number to the pipe.
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", f"{width}x{height}x24",
             "-nolisten", "tcp"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        self.procs.append(xvfb)
        number = b""
        deadline = time.monotonic() + 20
        while not number.endswith(b"\n"):
            if time.monotonic() > deadline:
                raise StepFailed("Xvfb did not start")
            chunk = os.read(read_fd, 16)
            if not chunk:
                raise StepFailed("Xvfb exited at start")
            number += chunk
        os.close(read_fd)
        self.display = ":" + number.decode().strip()
        self.env = dict(os.environ, DISPLAY=self.display)
        self.env.pop("QT_QPA_PLATFORM", None)
        wm = subprocess.Popen(["openbox", "--sm-disable"], env=self.env,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.procs.append(wm)
        # A window mapped while the window manager is still starting may never be managed, so
        # wait until it has announced itself on the root window.
        self.wait(lambda: _run(["xdotool", "get_num_desktops"], env=self.env).returncode == 0,
                  30, "the window manager to start")

    def close(self):
        for p in reversed(self.procs):
            p.terminate()
            try:
                p.wait(5)
            except subprocess.TimeoutExpired:
                p.kill()

    # ---- waiting ---------------------------------------------------------------------------
    @staticmethod
    def wait(predicate, timeout, what):
        deadline = time.monotonic() + timeout
        while True:
            value = predicate()
            if value:
                return value
            if time.monotonic() > deadline:
                raise StepFailed(f"timed out after {timeout} s waiting for {what}")
            time.sleep(0.1)

    def xdo(self, *args):
        return _run(["xdotool", *[str(a) for a in args]], env=self.env)

    def windows(self, title):
        """Visible windows whose whole title is `title`."""
        pattern = "^" + re.escape(title) + "$"
        out = self.xdo("search", "--onlyvisible", "--name", pattern)
        return [int(w) for w in out.stdout.split()]

    def wait_window(self, title, timeout=20):
        return self.wait(lambda: (self.windows(title) or [None])[0], timeout,
                         f'window "{title}"')

    def wait_window_matching(self, pattern, timeout=20):
        def find():
            out = self.xdo("search", "--onlyvisible", "--name", pattern)
            ids = [int(w) for w in out.stdout.split()]
            return ids[0] if ids else None
        return self.wait(find, timeout, f"a window matching /{pattern}/")

    def windows_matching(self, pattern):
        out = self.xdo("search", "--onlyvisible", "--name", pattern)
        return [int(w) for w in out.stdout.split()]

    def screen_size(self):
        out = self.xdo("getdisplaygeometry").stdout.split()
        return int(out[0]), int(out[1])

    def wait_gone(self, title, timeout=20):
        self.wait(lambda: not self.windows(title), timeout, f'window "{title}" to close')

    def title(self, wid):
        return self.xdo("getwindowname", wid).stdout.rstrip("\n")

    def geometry(self, wid):
        """Position and size of a window's client area on the screen (xwininfo's absolute
        position: xdotool adds the frame's offset to a framed window's)."""
        out = _run(["xwininfo", "-id", str(wid)], env=self.env).stdout
        values = {k.strip(): v.strip() for k, v in
                  (line.split(":", 1) for line in out.splitlines() if ":" in line)}
        return (int(values["Absolute upper-left X"]), int(values["Absolute upper-left Y"]),
                int(values["Width"]), int(values["Height"]))

    def frame(self, wid):
        """Position and size of a window's outer frame, from the window manager's extents."""
        x, y, w, h = self.geometry(wid)
        out = _run(["xprop", "-id", str(wid), "_NET_FRAME_EXTENTS"], env=self.env).stdout
        if "=" not in out:
            return x, y, w, h
        left, right, top, bottom = (int(v) for v in out.split("=", 1)[1].split(","))
        return x - left, y - top, w + left + right, h + top + bottom

    def active(self):
        return int(self.xdo("getactivewindow").stdout.strip() or 0)

    def settled(self, measure, timeout=5):
        """The value of `measure` once it has stayed the same for half a second."""
        last, since = None, time.monotonic()
        deadline = since + timeout
        while time.monotonic() < deadline:
            value = measure()
            if value != last:
                last, since = value, time.monotonic()
            elif time.monotonic() - since >= 0.5:
                return value
            time.sleep(0.1)
        return last

    # ---- input -----------------------------------------------------------------------------
    def activate(self, wid):
        self.xdo("windowactivate", "--sync", wid)
        self.wait(lambda: self.xdo("getactivewindow").stdout.strip() == str(wid), 5,
                  f"window {wid} to become active")

    def key(self, wid, *keys):
        self.activate(wid)
        self.xdo("key", "--clearmodifiers", *keys)

    def type_text(self, wid, text):
        self.activate(wid)
        self.xdo("type", "--delay", "20", text)

    def move(self, x, y):
        self.xdo("mousemove", "--sync", x, y)

    def drag(self, x0, y0, x1, y1, steps=12):
        """Drags at a person's pace: the editor follows the pointer step by step, and the
        button is released only after the pointer has rested at the target."""
        self.move(x0, y0)
        time.sleep(0.2)
        self.xdo("mousedown", 1)
        for i in range(1, steps + 1):
            self.move(x0 + (x1 - x0) * i // steps, y0 + (y1 - y0) * i // steps)
            time.sleep(0.03)
        time.sleep(0.3)
        self.xdo("mouseup", 1)

    # ---- pictures --------------------------------------------------------------------------
    def capture(self):
        """The whole screen as a Screen."""
        xwd = _run(["xwd", "-root", "-silent"], env=self.env, text=False)
        if xwd.returncode != 0:
            raise StepFailed("xwd could not read the screen")
        return Screen.from_xwd(xwd.stdout)

    def screenshot(self, path):
        self.capture().save_png(path)


class Screen:
    """An RGB picture of the screen, read from xwd's output and written as PNG."""

    def __init__(self, width, height, rgb):
        self.width, self.height, self.rgb = width, height, rgb

    def pixel(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.rgb[i:i + 3])

    @classmethod
    def from_xwd(cls, data):
        order = ">" if struct.unpack(">I", data[4:8])[0] == 7 else "<"
        h = struct.unpack(order + "25I", data[:100])
        header_size, width, height = h[0], h[4], h[5]
        byte_order, bpp, bytes_per_line = h[7], h[11], h[12]
        masks, ncolors = h[14:17], h[19]
        if bpp not in (24, 32):
            raise StepFailed(f"unexpected screen depth: {bpp} bits per pixel")
        offset = header_size + 12 * ncolors
        shifts = [(m & -m).bit_length() - 1 for m in masks]
        step = bpp // 8
        rgb = bytearray(3 * width * height)
        for y in range(height):
            start = offset + y * bytes_per_line
            row = data[start:start + step * width]
            if step == 4:
                values = struct.unpack(("<" if byte_order == 0 else ">") + f"{width}I", row)
            else:
                big = byte_order != 0
                values = [int.from_bytes(row[3 * x:3 * x + 3], "big" if big else "little")
                          for x in range(width)]
            base = 3 * y * width
            for x, v in enumerate(values):
                rgb[base + 3 * x] = (v & masks[0]) >> shifts[0]
                rgb[base + 3 * x + 1] = (v & masks[1]) >> shifts[1]
                rgb[base + 3 * x + 2] = (v & masks[2]) >> shifts[2]
        return cls(width, height, bytes(rgb))

    def save_png(self, path):
        raw = b"".join(b"\0" + self.rgb[3 * y * self.width: 3 * (y + 1) * self.width]
                       for y in range(self.height))

        def chunk(kind, body):
            return (struct.pack(">I", len(body)) + kind + body +
                    struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

        Path(path).write_bytes(
            b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 6)) + chunk(b"IEND", b""))
