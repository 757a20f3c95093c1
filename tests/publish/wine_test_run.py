#!/usr/bin/python3
"""`orvane-menu test-autorun` under Wine, headless, as the editor runs it.

    wine_test_run.py BIN_DIR

Makes a disc folder with orvane-menu (a menu whose button opens
docs\\notes.txt, a path without a drive) and runs `orvane-menu test-autorun`
on a private X display with XDG_CACHE_HOME in a fresh temporary folder, so the
editor's own Wine prefix is made from nothing. It checks that the menu shows,
that its button opens the document from the CD drive in Notepad, and that
when the run is ended the drive is gone from the prefix and the disc folder
is as it was. Bounded in time; everything is removed at the end. Needs
wine64, Xvfb and xdotool.
"""

import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from headless import Budget, Failure, check, start_display  # noqa: E402

BUDGET = Budget(110)
DEADLINE = BUDGET.deadline
remaining = BUDGET.remaining
SCREEN = (1024, 768)


def listing(folder):
    return sorted((os.path.relpath(os.path.join(d, n), folder), os.path.getsize(os.path.join(d, n)))
                  for d, dirs, files in os.walk(folder) for n in files + dirs)


def main():
    bin_dir = os.path.abspath(sys.argv[1])
    tool = os.path.join(bin_dir, "orvane-menu")
    work = tempfile.mkdtemp(prefix="orvane-test-run-")
    env = dict(os.environ, XDG_CACHE_HOME=os.path.join(work, "cache"))
    xvfb = run = None
    try:
        def menu_tool(*args):
            return subprocess.run([tool] + list(args), env=env, check=True, capture_output=True, text=True,
                                  timeout=remaining()).stdout

        disc = os.path.join(work, "disc")
        os.makedirs(os.path.join(disc, "docs"))
        with open(os.path.join(disc, "docs", "notes.txt"), "w") as f:
            f.write("Notes on the disc\r\n")
        main_menu = os.path.join(disc, "Main.mng")
        menu_tool("new", main_menu, "--title", "Test Run Disc", "--button", "&Notes")
        menu = json.loads(menu_tool("export", main_menu))
        menu["buttons"][0]["Command"] = "docs\\notes.txt"
        menu["properties"]["Position"] = 0  # the middle of the screen
        with open(main_menu + ".json", "w") as f:
            json.dump(menu, f)
        menu_tool("import", main_menu + ".json", main_menu, "--force")
        os.remove(main_menu + ".json")
        menu_tool("build-autorun", os.path.join(disc, "Autorun.exe"), main_menu, "--force")
        info = json.loads(menu_tool("info", main_menu))
        before = listing(disc)

        xvfb, env["DISPLAY"] = start_display(*SCREEN)

        def xdotool(*args, check_ok=True):
            return subprocess.run(["xdotool"] + [str(a) for a in args], env=env, capture_output=True, text=True,
                                  timeout=remaining(), check=check_ok).stdout

        def wait_window(name, seconds):
            end = min(time.monotonic() + seconds, DEADLINE)
            while time.monotonic() < end:
                found = xdotool("search", "--name", name, check_ok=False).split()
                if found:
                    return found[0]
                if run.poll() is not None:
                    raise Failure("test-autorun ended early:\n" + run.stderr.read())
                time.sleep(0.3)
            return None

        started = time.monotonic()
        run = subprocess.Popen([tool, "test-autorun", disc, "--screen", "%dx%d" % SCREEN], env=env,
                               stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        window = wait_window("^Test Run Disc$", 90)
        check("the menu shows under Wine", window is not None)
        print("menu shown %.1f s after the start (a new prefix)" % (time.monotonic() - started), flush=True)
        prefix = os.path.join(work, "cache", "orvane-graphic", "wine")
        drives = [d for d in os.listdir(os.path.join(prefix, "dosdevices")) if os.path.islink(
            os.path.join(prefix, "dosdevices", d)) and os.path.realpath(os.path.join(prefix, "dosdevices", d)) == disc]
        check("the disc folder is a drive of the prefix", len(drives) == 1, str(drives))

        button = info["buttons"][0]
        pictures = {p["number"]: p for p in info["pictures"]}
        x = (SCREEN[0] - pictures[0]["width"]) // 2 + button["Left"] + pictures[1]["width"] // 2
        y = (SCREEN[1] - pictures[0]["height"]) // 2 + button["Top"] + pictures[1]["height"] // 2
        xdotool("mousemove", x, y)
        time.sleep(0.3)
        xdotool("click", 1)
        check("the button opens docs\\notes.txt from the CD drive in Notepad",
              wait_window("notes.txt - Notepad", 30) is not None)

        run.send_signal(signal.SIGTERM)
        try:
            out, err = run.communicate(timeout=min(45, remaining()))
        except subprocess.TimeoutExpired:
            raise Failure("test-autorun did not end")
        check("test-autorun ends cleanly", run.returncode == 0, err)
        check("the drive is gone from the prefix",
              not any(os.path.lexists(os.path.join(prefix, "dosdevices", d)) for d in drives))
        with open(os.path.join(prefix, "system.reg"), encoding="utf-8", errors="replace") as f:
            check("the drive's type is gone from the registry", '"cdrom"' not in f.read())
        check("the disc folder is as it was", listing(disc) == before, str(listing(disc)))
        print("all checks held in %.1f s" % (time.monotonic() - started))
        return 0
    except (Failure, subprocess.SubprocessError) as e:
        print("wine_test_run: " + str(e), file=sys.stderr)
        return 1
    finally:
        if run and run.poll() is None:
            run.kill()
            run.wait()
        server = shutil.which("wineserver") or "/usr/lib/wine/wineserver"
        prefix = os.path.join(work, "cache", "orvane-graphic", "wine")
        if os.path.isdir(prefix) and os.access(server, os.X_OK):
            subprocess.run([server, "-k"], env=dict(env, WINEPREFIX=prefix), capture_output=True, timeout=20)
        if xvfb:
            xvfb.kill()
            xvfb.wait()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
