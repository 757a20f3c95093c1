#!/usr/bin/python3
"""Times of the menu player under Wine: its start, and its button animations.

    player_under_wine.py BIN_DIR [--player PLAYER.exe]... [--runs N]

BIN_DIR holds orvane-menu and orvane-append-player-block. Each --player (the
default: the one the editor in BIN_DIR carries) is timed in the same run, so
their figures compare:

  - 30 buttons gliding into a 1000 x 760 photo menu, into the 1828 x 1219
    photo menu a 3000 x 2000 photo gives, and a 4096 x 4669 menu without
    animation: the time from the first picture of the window to the last
    change of the screen, and the CPU time the player used until then;
  - the start of a small menu under a warm Wine (from the start of the
    process to the first picture of its window), against the smallest Win32
    window built the same way; the median of N runs (default 5).

The screen is read from Xvfb's frame buffer file every 10 ms or so.
Everything runs in a fresh prefix on a private display, and is bounded.
"""

import argparse
import json
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

from PIL import Image, ImageDraw

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "support"))
from headless import FrameBuffer, start_display  # noqa: E402

SCREEN = (1024, 768)
HERE = os.path.dirname(os.path.abspath(__file__))
WINE = "/usr/lib/wine/wine64"
WINESERVER = "/usr/lib/wine/wineserver"
MINGW_FLAGS = ["-Os", "-municode", "-mwindows", "-static", "-static-libgcc", "-s"]


def cpu_seconds(pid):
    try:
        with open("/proc/%d/stat" % pid) as f:
            fields = f.read().rsplit(")", 1)[1].split()
        return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")
    except (OSError, IndexError, ValueError):
        return None


def windows_process(name, prefix):
    """The Linux process that runs a Windows program of that name (Wine names
    it so) in this Wine prefix, not another one on the same computer."""
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open("/proc/%s/cmdline" % entry, "rb") as f:
                first = f.read().split(b"\0")[0].decode(errors="replace")
            if first.replace("\\", "/").rsplit("/", 1)[-1].lower() != name.lower():
                continue
            with open("/proc/%s/environ" % entry, "rb") as f:
                if ("WINEPREFIX=" + prefix).encode() in f.read().split(b"\0"):
                    return int(entry)
        except OSError:
            continue
    return None


class Bench:
    def __init__(self, bin_dir, work):
        self.bin = bin_dir
        self.work = work
        self.env = dict(os.environ)
        self.xvfb = None
        self.fb = None

    def run(self, command, **kw):
        return subprocess.run(command, env=self.env, capture_output=True, text=True, check=True,
                              timeout=kw.pop("timeout", 120), **kw)

    def tool(self, *args):
        return self.run([os.path.join(self.bin, "orvane-menu")] + [str(a) for a in args]).stdout

    def start(self):
        screen = os.path.join(self.work, "screen")
        os.makedirs(screen)
        self.xvfb, self.env["DISPLAY"] = start_display(*SCREEN, screen_folder=screen)
        self.fb = FrameBuffer(screen)
        self.env.update({"WINEPREFIX": os.path.join(self.work, "prefix"), "WINEARCH": "win64", "WINEDEBUG": "-all",
                         "WINEDLLOVERRIDES": "mscoree,mshtml="})
        self.run([WINE, "wineboot", "--init"], timeout=120)
        self.run([WINESERVER, "-w"])
        for key, value, data in (("HKCU\\Software\\Wine\\Explorer", "Desktop", "Default"),
                                 ("HKCU\\Software\\Wine\\Explorer\\Desktops", "Default", "%dx%d" % SCREEN)):
            self.run([WINE, "reg", "add", key, "/v", value, "/d", data, "/f"])
        self.run([WINESERVER, "-w"])
        # A warm Wine: the server stays up between the programs.
        subprocess.Popen([WINESERVER, "-p"], env=self.env).wait(timeout=30)

    def close(self):
        if self.env.get("WINEPREFIX"):
            subprocess.run([WINESERVER, "-k"], env=self.env, capture_output=True, timeout=30)
        if self.xvfb:
            self.xvfb.kill()
            self.xvfb.wait()

    # -- menus and programs ----------------------------------------------

    def photo(self, width, height):
        path = os.path.join(self.work, "photo%dx%d.jpg" % (width, height))
        picture = Image.new("RGB", (width, height))
        draw = ImageDraw.Draw(picture)
        for y in range(0, height, 4):
            draw.line([(0, y), (width, y)], fill=(y * 255 // height, (y * 7) % 256, 200 - y * 150 // height))
        for x in range(0, width, 50):
            draw.ellipse([x, x * height // width, x + 40, x * height // width + 40], fill=(255, 255 - x * 255 // width, 0))
        picture.save(path, quality=90)
        return path

    def menu(self, name, style, photo=None, **properties):
        path = os.path.join(self.work, name + ".mng")
        args = ["new", path, "--style", style, "--force"]
        if photo:
            args += ["--photo", photo]
        for i in range(1, 30):
            args += ["--button", "Item %d" % i]
        self.tool(*args)
        menu = json.loads(self.tool("export", path))
        if "TitleSize" in properties:
            menu["properties"]["TitleFont"]["Size"] = properties.pop("TitleSize")
        menu["properties"].update(properties)
        with open(path + ".json", "w") as f:
            json.dump(menu, f)
        self.tool("import", path + ".json", path, "--force")
        size = json.loads(self.tool("info", path))["pictures"][0]
        return path, (size["width"], size["height"])

    def autorun(self, player, menu, name):
        """menu packed behind player."""
        folder = os.path.join(self.work, "app-" + name)
        os.makedirs(folder, exist_ok=True)
        editor = os.path.join(folder, "orvane-graphic")
        with open(editor, "wb") as f:
            f.write(b"\x7fELF not an editor, a carrier for the block")
        self.run([os.path.join(self.bin, "orvane-append-player-block"), editor, player])
        exe = os.path.join(folder, "Autorun.exe")
        self.tool("build-autorun", exe, menu, "--force", "--app-folder", folder)
        return exe

    def minimal_window(self):
        exe = os.path.join(self.work, "Minimal.exe")
        self.run(["x86_64-w64-mingw32-gcc-win32"] + MINGW_FLAGS +
                 [os.path.join(HERE, "MinimalWindow.c"), "-o", exe])
        return exe

    # -- timing -----------------------------------------------------------

    def watch(self, exe, settle, limit):
        """Starts exe and waits until neither the screen nor the program's CPU time changes for settle
        seconds; returns (start, first picture, end, CPU used), times from time.monotonic()."""
        def digest():
            return self.fb.digest()
        # Start from a still screen: the last program may still be leaving.
        still, since = digest(), time.monotonic()
        while time.monotonic() - since < 1.0:
            time.sleep(0.05)
            now = digest()
            if now != still:
                still, since = now, time.monotonic()
        empty = still
        started = time.monotonic()
        launcher = subprocess.Popen([WINE, exe], env=self.env, cwd=os.path.dirname(exe),
                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        pid = None
        first = end = None
        cpu = 0.0
        seen = empty
        while time.monotonic() - started < limit:
            now = time.monotonic()
            shown = digest()
            if pid is None:
                pid = windows_process(os.path.basename(exe), self.env["WINEPREFIX"])
            used = cpu_seconds(pid) if pid else None
            if used is not None and used > cpu:
                cpu = used
                if first is not None:
                    end = now
            if shown != seen:
                seen = shown
                end = now
                if first is None:
                    first = now
            elif end is not None and now - end > settle:
                break
            time.sleep(0.01)
        self.stop(launcher, pid)
        return started, first, end, cpu

    def stop(self, launcher, pid):
        subprocess.run(["xdotool", "key", "Escape"], env=self.env, capture_output=True, timeout=10)
        for _ in range(100):
            if pid is None or not os.path.exists("/proc/%d" % pid):
                break
            time.sleep(0.05)
        else:
            os.kill(pid, signal.SIGKILL)
        try:
            launcher.wait(timeout=10)
        except subprocess.TimeoutExpired:
            launcher.kill()
        # Back to the empty desktop before the next program.
        time.sleep(0.5)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("bin_dir")
    parser.add_argument("--player", action="append", help="a player.exe to time (more than one: side by side)")
    parser.add_argument("--runs", type=int, default=5)
    args = parser.parse_args()
    bin_dir = os.path.abspath(args.bin_dir)
    work = tempfile.mkdtemp(prefix="orvane-player-bench-")
    bench = Bench(bin_dir, work)
    try:
        players = args.player
        if not players:
            players = [os.path.join(bin_dir, "..", "player", "player.exe")]
        menus = [
            ("30 buttons gliding into a 1000 x 760 photo menu",
             bench.menu("photo1000", "MyPhoto Smooth", bench.photo(1000, 760), ButtonAnimation=1,
                        AutoSizeMenu=False, MenuWidth=1000, MenuHeight=760, AutoSizeButtons=False,
                        ButtonHeight=20, ButtonGap=2)),
            ("30 buttons gliding into a 3000 x 2000 photo",
             bench.menu("photo3000", "MyPhoto Smooth", bench.photo(3000, 2000), ButtonAnimation=1)),
            ("a 4096 x 4669 menu without animation",
             bench.menu("large", "Blue Ribbon", ButtonAnimation=0, AutoSizeButtons=False, ButtonHeight=120,
                        ButtonGap=32, TitleSize=72,
                        Title="The Complete Collection of Every Photo and Film on This Disc, Sorted by Year and Place")),
        ]
        small, _ = bench.menu("small", "Blue Ribbon", ButtonAnimation=0)
        bench.start()
        minimal = bench.minimal_window()
        # Wine's desktop stays up between the programs, so none of them pays for it.
        keeper = os.path.join(work, "Keeper.exe")
        shutil.copy(minimal, keeper)
        subprocess.Popen([WINE, keeper, "hidden"], env=bench.env, stdout=subprocess.DEVNULL,
                         stderr=subprocess.DEVNULL)
        time.sleep(5)
        for player in players:
            print("player %s: %d bytes" % (player, os.path.getsize(player)), flush=True)
            for what, (menu, size) in menus:
                exe = bench.autorun(player, menu, os.path.basename(menu))
                report = os.path.join(bench.work, "selftest.json")
                bench.run([WINE, exe, "/selftest", "Z:" + report.replace("/", "\\")], cwd=os.path.dirname(exe))
                with open(report) as f:
                    designed = json.load(f)["menus"][0].get("animationMs")
                if designed is not None:
                    what += ", %.2f s designed" % (designed / 1000)
                started, first, last, cpu = bench.watch(exe, settle=3.0, limit=150)
                if first is None:
                    print("  %s (%d x %d): nothing shown" % (what, *size), flush=True)
                    continue
                print("  %s (%d x %d): %.2f s from the first picture to the end, %.2f s CPU, first picture "
                      "after %.2f s" % (what, *size, last - first, cpu, first - started), flush=True)
            exe = bench.autorun(player, small, "small")
            starts = {"player": [], "minimal window": []}
            for _ in range(args.runs):
                for name, program in (("player", exe), ("minimal window", minimal)):
                    started, first, _, _ = bench.watch(program, settle=0.5, limit=30)
                    if first is not None:
                        starts[name].append(first - started)
            for name, times in starts.items():
                print("  start under a warm Wine, %s: median %.3f s of %s" %
                      (name, statistics.median(times), " ".join("%.3f" % t for t in times)), flush=True)
        return 0
    finally:
        bench.close()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
