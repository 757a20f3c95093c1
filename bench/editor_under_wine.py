#!/usr/bin/python3
"""The start of the Windows editor under a warm Wine, against the smallest
Win32 window built the same way.

    editor_under_wine.py WINDOWS_BIN [--runs N]

WINDOWS_BIN holds orvane-graphic.exe. Each run starts the editor from a fresh
copy of its folder (so its first-use tips and splash show as on a first
start) and times, from the start of the process, its first picture and the
moment its screen holds still (the start-up tip up, the new menu drawn); the
minimal window's first picture is timed in the same run. Medians of N runs
(default 5). Fresh prefix, private display, bounded.
"""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

from player_under_wine import WINE, Bench


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("windows_bin")
    parser.add_argument("--runs", type=int, default=5)
    args = parser.parse_args()
    work = tempfile.mkdtemp(prefix="orvane-editor-bench-")
    bench = Bench(os.path.abspath(args.windows_bin), work)
    try:
        bench.start()
        minimal = bench.minimal_window()
        # Wine's desktop stays up between the programs, so none of them pays for it.
        keeper = os.path.join(work, "Keeper.exe")
        shutil.copy(minimal, keeper)
        subprocess.Popen([WINE, keeper, "hidden"], env=bench.env, stdout=subprocess.DEVNULL,
                         stderr=subprocess.DEVNULL)
        time.sleep(5)
        editor = os.path.join(bench.bin, "orvane-graphic.exe")
        print("orvane-graphic.exe: %d bytes" % os.path.getsize(editor), flush=True)
        times = {"editor, first picture": [], "editor, still with its tip": [], "minimal window": []}
        for run in range(args.runs):
            folder = os.path.join(work, "app%d" % run)
            os.makedirs(folder)
            shutil.copy(editor, folder)
            started, first, end, _ = bench.watch(os.path.join(folder, "orvane-graphic.exe"), settle=1.0, limit=60)
            if first is not None:
                times["editor, first picture"].append(first - started)
                times["editor, still with its tip"].append(end - started)
            started, first, _, _ = bench.watch(minimal, settle=0.5, limit=30)
            if first is not None:
                times["minimal window"].append(first - started)
        for name, values in times.items():
            if values:
                print("start under a warm Wine, %s: median %.3f s of %s" %
                      (name, statistics.median(values), " ".join("%.3f" % v for v in values)), flush=True)
        return 0
    finally:
        bench.close()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
