#!/usr/bin/env python3
"""orvane-menu.exe under Wine against orvane-menu on Linux, on menus made on
Linux: `export` gives the same bytes, and `render` the same pixels wherever
there is no text (menus without text: every pixel).

    same_as_linux.py PREFIX LINUX_TOOL WINDOWS_TOOL
"""

import json
import os
import subprocess
import sys
import tempfile

from PIL import Image

import wine_tests

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "support"))
from headless import Failure, check  # noqa: E402


def linux(tool, args, cwd):
    done = subprocess.run([tool] + args, cwd=cwd, capture_output=True, timeout=120)
    check("linux " + " ".join(args[:2]), done.returncode == 0, done.stderr.decode(errors="replace"))
    return done.stdout


def windows(prefix, tool, args, cwd):
    # The work folder is on Wine's Z: drive, so the Linux paths inside the menus resolve.
    done = subprocess.run([wine_tests.tool("wine64"), tool] + args, cwd=cwd, env=wine_tests.environment(prefix),
                          capture_output=True, timeout=120)
    check("windows " + " ".join(args[:2]), done.returncode == 0, done.stderr.decode(errors="replace"))
    return done.stdout


def without_text(exported):
    menu = json.loads(exported)
    menu["properties"]["Title"] = ""
    menu["properties"]["MenuText"] = ""
    for button in menu["buttons"]:
        button["Caption"] = ""
    return json.dumps(menu)


def main(prefix, linux_tool, windows_tool):
    with tempfile.TemporaryDirectory(prefix="orvane-same-") as work:
        photo = Image.new("RGB", (320, 200))
        photo.putdata([((x * 7) % 256, (y * 5) % 256, (x + y) % 256) for y in range(200) for x in range(320)])
        photo.save(os.path.join(work, "photo.png"))
        menus = {
            "ribbon": ["--style", "Blue Ribbon", "--color", "82,164,214", "--title", "Holiday 2026",
                       "--text", "Photos and films\nof the summer", "--button", "&Photos", "--button", "&Videos"],
            "cushion": ["--style", "Cushion", "--button", "&Start"],
            "photo": ["--style", "MyPhoto Smooth", "--photo", "photo.png", "--button", "&Open"],
        }
        for name, options in menus.items():
            linux(linux_tool, ["new", name + ".mng"] + options, work)
            exported = linux(linux_tool, ["export", name + ".mng"], work)
            check("export of %s.mng: the same bytes" % name,
                  windows(prefix, windows_tool, ["export", name + ".mng"], work) == exported)
            with open(os.path.join(work, name + "-plain.json"), "w") as f:
                f.write(without_text(exported))
            linux(linux_tool, ["import", name + "-plain.json", name + "-plain.mng"], work)

            linux(linux_tool, ["render", name + "-plain.mng", "-o", name + "-linux.png"], work)
            windows(prefix, windows_tool, ["render", name + "-plain.mng", "-o", name + "-windows.png"], work)
            a = Image.open(os.path.join(work, name + "-linux.png")).convert("RGB")
            b = Image.open(os.path.join(work, name + "-windows.png")).convert("RGB")
            check("render of %s without text: the same pixels" % name, a.size == b.size and a.tobytes() == b.tobytes(),
                  "%s against %s" % (a.size, b.size))
    return 0


if __name__ == "__main__":
    if len(sys.argv) != 4:
        print(__doc__)
        sys.exit(2)
    try:
        sys.exit(main(*sys.argv[1:]))
    except Failure as failure:
        print("FAIL  " + str(failure))
        sys.exit(1)
