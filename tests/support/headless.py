"""What the headless Wine tests share: a time budget, checks that say what
held, and a private X display."""

import os
import struct
import subprocess
import time
import zlib


class Failure(Exception):
    pass


class Budget:
    """Seconds left for the whole test; running out is a failure."""

    def __init__(self, seconds):
        self.deadline = time.monotonic() + seconds

    def remaining(self):
        left = self.deadline - time.monotonic()
        if left <= 0:
            raise Failure("out of time")
        return left


def check(what, ok, detail=""):
    print(("ok    " if ok else "FAIL  ") + what + ("" if ok else ": " + detail), flush=True)
    if not ok:
        raise Failure(what + (": " + detail if detail else ""))


def start_display(width, height, screen_folder=None):
    """Starts Xvfb on a free display; returns the process and the DISPLAY value.
    With screen_folder, Xvfb keeps its screen there, for a FrameBuffer to read,
    without the pointer's picture, which a screenshot leaves out too."""
    read, write = os.pipe()
    keep = ["-fbdir", screen_folder, "-nocursor"] if screen_folder else []
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "%dx%dx24" % (width, height),
                             "-nolisten", "tcp"] + keep, pass_fds=(write,), stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    os.close(write)
    number = b""
    while not number.endswith(b"\n"):
        chunk = os.read(read, 16)
        if not chunk:
            raise Failure("Xvfb did not start")
        number += chunk
    os.close(read)
    return xvfb, ":" + number.decode().strip()


class FrameBuffer:
    """The screen of an Xvfb started with a screen_folder: read in a few
    milliseconds, where a screenshot program takes a tenth of a second."""

    def __init__(self, screen_folder):
        with open(os.path.join(screen_folder, "Xvfb_screen0"), "rb") as f:
            fields = struct.unpack(">25I", f.read(100))
        # The file is an XWD picture: header, colour map, 32-bit pixels.
        header_size, self.height, self.stride, colours = fields[0], fields[5], fields[12], fields[19]
        self.width = self.stride // 4
        self.offset = header_size + 12 * colours
        self.file = open(os.path.join(screen_folder, "Xvfb_screen0"), "rb")

    def rows(self, top=0, bottom=None):
        bottom = self.height if bottom is None else bottom
        self.file.seek(self.offset + top * self.stride)
        return self.file.read((bottom - top) * self.stride)

    def digest(self, top=0, bottom=None):
        """A checksum of rows top to bottom (exclusive), to tell changes."""
        return zlib.crc32(self.rows(top, bottom))

    def picture(self):
        from PIL import Image
        return Image.frombuffer("RGB", (self.width, self.height), self.rows(), "raw", "BGRX", self.stride, 1)

    def close(self):
        self.file.close()
