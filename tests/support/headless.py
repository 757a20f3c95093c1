"""What the headless Wine tests share: a time budget, checks that say what
held, and a private X display."""

import os
import subprocess
import time


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


def start_display(width, height):
    """Starts Xvfb on a free display; returns the process and the DISPLAY value."""
    read, write = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "%dx%dx24" % (width, height),
                             "-nolisten", "tcp"], pass_fds=(write,), stdout=subprocess.DEVNULL,
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
