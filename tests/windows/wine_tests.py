#!/usr/bin/env python3
"""The Windows build's test programs under Wine, as ctest runs them (label
"windows"): one fresh prefix for the run, each program bounded in time.

    wine_tests.py prepare PREFIX          a new prefix (an old one is removed)
    wine_tests.py run PREFIX SECONDS EXE [ARG...]
    wine_tests.py finish PREFIX           ends Wine and removes the prefix

The prefix maps Arial, Times New Roman and Courier New onto the Liberation
fonts, as fontconfig does for the Linux build, and Wine's FreeType hints with
the classic interpreter (as the Linux build's does), so GDI measures text as
Windows measures those fonts.
"""

import os
import shutil
import signal
import subprocess
import sys
import tempfile

WINE_FOLDER = "/usr/lib/wine"

FONTS = r"""REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Arial"="Liberation Sans"
"Times New Roman"="Liberation Serif"
"Courier New"="Liberation Mono"
"""


def tool(name):
    found = os.path.join(WINE_FOLDER, name)
    if not os.path.exists(found):
        found = shutil.which(name) or found
    if not os.path.exists(found):
        sys.exit("wine_tests: %s is missing (scripts/install-deps installs wine64)" % name)
    return found


def environment(prefix):
    env = dict(os.environ)
    env.update({
        "WINEPREFIX": prefix,
        "WINEARCH": "win64",
        "WINEDEBUG": "-all",
        # No Mono or Gecko installers, nothing added to the user's desktop.
        "WINEDLLOVERRIDES": "mscoree,mshtml=;winemenubuilder.exe=d",
        "FREETYPE_PROPERTIES": "truetype:interpreter-version=35",
    })
    # Console programs: no window is ever shown.
    env.pop("DISPLAY", None)
    env.pop("WAYLAND_DISPLAY", None)
    return env


def bounded(command, env, seconds, cwd=None):
    """Runs command in a process group of its own; ends the group when time is up."""
    process = subprocess.Popen(command, env=env, cwd=cwd, start_new_session=True)
    try:
        return process.wait(timeout=seconds)
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, signal.SIGKILL)
        process.wait()
        print("wine_tests: %s did not finish in %d s" % (os.path.basename(command[-1]), seconds), flush=True)
        return 124


def stop_wine(prefix):
    if os.path.isdir(prefix):
        bounded([tool("wineserver"), "-k"], environment(prefix), 30)


def prepare(prefix):
    stop_wine(prefix)
    shutil.rmtree(prefix, ignore_errors=True)
    os.makedirs(prefix)
    env = environment(prefix)
    if bounded([tool("wine64"), "wineboot", "--init"], env, 180) != 0:
        return 1
    with tempfile.NamedTemporaryFile("w", suffix=".reg", dir=prefix, delete=False) as reg:
        reg.write(FONTS.replace("\n", "\r\n"))
    code = bounded([tool("wine64"), "regedit", "/S", "Z:" + reg.name.replace("/", "\\")], env, 60)
    os.remove(reg.name)
    # Everything written before the first program starts.
    bounded([tool("wineserver"), "-w"], env, 60)
    return code


def run(prefix, seconds, program, args):
    if not os.path.isfile(program):
        print("wine_tests: %s is missing: build it with `make windows`" % program, flush=True)
        return 1
    folder = os.path.dirname(os.path.abspath(program))
    code = bounded([tool("wine64"), program] + args, environment(prefix), seconds, cwd=folder)
    if code == 124:
        stop_wine(prefix)  # what the program left running in the prefix
    return code


def finish(prefix):
    stop_wine(prefix)
    shutil.rmtree(prefix, ignore_errors=True)
    return 0


def main(argv):
    if len(argv) >= 2 and argv[0] == "prepare":
        return prepare(argv[1])
    if len(argv) >= 4 and argv[0] == "run":
        return run(argv[1], int(argv[2]), argv[3], argv[4:])
    if len(argv) >= 2 and argv[0] == "finish":
        return finish(argv[1])
    print(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
