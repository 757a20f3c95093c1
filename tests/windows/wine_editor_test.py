#!/usr/bin/python3
"""The Windows editor under Wine, driven by the keyboard as a user drives it.

    wine_editor_test.py WINDOWS_BIN ORVANE_MENU [--linux-road LINUX_ROAD] [--keep DIR]

WINDOWS_BIN holds orvane-graphic.exe, orvane-menu.exe and the help pages;
ORVANE_MENU is the Linux command-line tool, which reads what the editor wrote.
In a fresh prefix with a 1024 x 768 virtual desktop on a private X display:

  - start-up shows its tips, and Enter dismisses them;
  - the design surface shows, pixel for pixel, what `orvane-menu.exe render`
    draws of the same new menu, the selection box aside;
  - the typical road by keys: add a button, the command wizard starts a
    program on the disc (saving the menu as disc.mng on the way), build the
    autorun application into the disc folder; the files say what was done;
  - the Linux editor's model takes the same road (LINUX_ROAD): disc.mng,
    Autorun.inf and the menus packed in Autorun.exe are the same, but for the
    pixels of the pictures that hold text (GDI and FreeType draw glyphs
    differently);
  - each tool window opens and closes with Escape, Test Autorun among them;
  - the main tool bar shows its glyphs and its help button drops its menu
    down; a label's access key moves the focus to its control; the Menu
    Title's tip closes for good; Enter clicks a palette's header;
  - the colour picker (from the Menu Color box and the toolbar's shadow
    colour) and the shadow-set pop-up open by keys and close with Escape; a
    menu colour and a shadow depth chosen by keys change the menu, undo takes
    them back;
  - the button style designer takes a name, an italic caption and a shadow
    colour (from its picker) by keys and saves them in a button style file
    that the core reads back;
  - at 192 DPI the menu on the design surface, the tip window and the pop-ups
    are twice their size, the picker's swatches pixel for pixel, and both tool
    bars fit the 1024-pixel screen;
  - at 192 DPI, on a screen that holds it, the designer is twice its size.

Bounded in time, removed at the end; exit code 0 when every check held.
Needs wine64, Xvfb, xdotool and Pillow.
"""

import argparse
import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

from PIL import Image, ImageChops

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from headless import Budget, Failure, FrameBuffer, start_display  # noqa: E402
from headless import check as say  # noqa: E402

BUDGET = Budget(540)
remaining = BUDGET.remaining
SCREEN = (1024, 768)
# The display is larger than the virtual desktop, so the desktop can grow for
# a window that needs more room at 200 %.
DISPLAY = (2048, 1536)
WINE = "/usr/lib/wine/wine64"
WINESERVER = "/usr/lib/wine/wineserver"
RESOURCES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources")
TOOLBAR_HELP = 14  # the help button's glyph in the tool bar strips
WORK_AREA = (128, 128, 128)  # a fresh prefix's work area colour, around the menu on the design surface


def linux_font(family):
    """The family fontconfig gives for a font Linux lacks."""
    done = subprocess.run(["fc-match", "-f", "%{family[0]}", family], capture_output=True, text=True, timeout=20)
    return done.stdout.strip() or family


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


class Session:
    def __init__(self, bin_dir, menu_tool, work):
        self.bin = bin_dir
        self.menu_tool = menu_tool
        self.work = work
        self.env = dict(os.environ)
        self.xvfb = None
        self.fb = None
        self.editor = None

    def start(self):
        screen = os.path.join(self.work, "screen")
        os.makedirs(screen)
        self.xvfb, self.env["DISPLAY"] = start_display(*DISPLAY, screen_folder=screen)
        self.fb = FrameBuffer(screen)
        self.env.update({"WINEPREFIX": os.path.join(self.work, "prefix"), "WINEARCH": "win64", "WINEDEBUG": "-all",
                         "WINEDLLOVERRIDES": "mscoree,mshtml=;winemenubuilder.exe=d"})
        self.run([WINE, "wineboot", "--init"], timeout=min(remaining(), 90))
        self.run([WINESERVER, "-w"])
        # A virtual desktop gives windows the keyboard focus without a window manager.
        # The styles' Verdana, which neither system has, is the font fontconfig
        # gives Linux for it: both editors then measure text with one font, and
        # auto-sized buttons come out the same size.
        for key, value, data in (("HKCU\\Software\\Wine\\Explorer", "Desktop", "Default"),
                                 ("HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes", "Verdana",
                                  linux_font("Verdana"))):
            self.run([WINE, "reg", "add", key, "/v", value, "/d", data, "/f"])
        self.set_desktop(SCREEN)

    def set_desktop(self, size):
        self.stop_editor()
        self.run([WINE, "reg", "add", "HKCU\\Software\\Wine\\Explorer\\Desktops", "/v", "Default", "/d",
                  "%dx%d" % size, "/f"])
        self.run([WINESERVER, "-k"], check=False)
        self.run([WINESERVER, "-w"], check=False)

    def set_dpi(self, dpi):
        self.stop_editor()
        self.run([WINE, "reg", "add", "HKCU\\Control Panel\\Desktop", "/v", "LogPixels", "/t", "REG_DWORD",
                  "/d", str(dpi), "/f"])
        self.run([WINESERVER, "-k"], check=False)
        self.run([WINESERVER, "-w"], check=False)

    def run(self, command, timeout=None, cwd=None, check=True):
        result = subprocess.run(command, env=self.env, cwd=cwd, capture_output=True, text=True,
                                timeout=timeout if timeout is not None else remaining())
        if check and result.returncode != 0:
            raise Failure("%s exited with %d:\n%s%s" % (" ".join(command), result.returncode, result.stdout,
                                                        result.stderr))
        return result

    def start_editor(self, app):
        self.editor = subprocess.Popen([WINE, os.path.join(app, "orvane-graphic.exe")], env=self.env, cwd=app,
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)

    def stop_editor(self):
        # Ending the launcher leaves the Windows program running: end the prefix's processes.
        self.run([WINESERVER, "-k"], check=False)
        if self.editor:
            try:
                self.editor.wait(timeout=10)
            except subprocess.TimeoutExpired:
                os.killpg(self.editor.pid, signal.SIGKILL)
                self.editor.wait()
            self.editor = None

    def close(self):
        if self.env.get("WINEPREFIX") and os.path.isdir(self.env["WINEPREFIX"]):
            subprocess.run([WINESERVER, "-k"], env=self.env, capture_output=True, timeout=20)
        for process in (self.editor, self.xvfb):
            if process and process.poll() is None:
                process.kill()
                process.wait()

    def grab(self):
        return self.fb.picture().copy()

    def keys(self, *keys):
        before = self.grab()
        subprocess.run(["xdotool", "key", "--delay", "60"] + list(keys), env=self.env, check=True,
                       timeout=remaining())
        shot = self.settle(before)
        # Each step's screen, for whoever looks into a failure (--keep).
        self.step = getattr(self, "step", 0) + 1
        shot.save(os.path.join(self.work, "step%02d-%s.png" % (self.step, "-".join(keys).replace("+", ""))))
        return shot

    def type(self, text):
        subprocess.run(["xdotool", "type", "--delay", "15", text], env=self.env, check=True, timeout=remaining())

    def settle(self, before=None, seconds=8.0, quiet=0.4):
        """Waits for the screen to change from `before` (when given), then to
        hold still for a moment; returns the still screen."""
        end = time.monotonic() + min(seconds, remaining())
        shot = self.grab()
        while before is not None and self.same(shot, before) and time.monotonic() < end:
            time.sleep(0.05)
            shot = self.grab()
        still_since = time.monotonic()
        while time.monotonic() < end:
            time.sleep(0.1)
            now = self.grab()
            if not self.same(now, shot):
                shot, still_since = now, time.monotonic()
            elif time.monotonic() - still_since >= quiet:
                break
        return shot

    @staticmethod
    def same(a, b):
        return ImageChops.difference(a, b).getbbox() is None


def find(shot, picture):
    """Where picture's first row lies in shot and the rest follows, or None."""
    width = shot.width
    row0 = picture.crop((0, 0, picture.width, 1)).tobytes()
    data = shot.tobytes()
    stride = width * 3
    for y in range(shot.height - picture.height + 1):
        line = data[y * stride:(y + 1) * stride]
        at = line.find(row0)
        while at >= 0:
            if at % 3 == 0:
                x = at // 3
                region = shot.crop((x, y, x + picture.width, y + picture.height))
                if outline_only(region, picture):
                    return x, y
            at = line.find(row0, at + 1)
    return None


def outline_only(region, picture):
    """True when region equals picture but for the outline of one rectangle
    (the selection box), or nothing at all."""
    diff = ImageChops.difference(region, picture).convert("L").point(lambda v: 255 if v else 0)
    box = diff.getbbox()
    if box is None:
        return True
    left, top, right, bottom = box
    inner = diff.crop((left + 1, top + 1, right - 1, bottom - 1))
    return right - left > 2 and bottom - top > 2 and inner.getbbox() is None


def popup_box(before, after):
    """The box of a window that opened between two screens: the last band of
    changed rows (the caption above turns inactive as it takes the focus)."""
    diff = ImageChops.difference(before, after).convert("L").point(lambda v: 255 if v else 0)
    width = diff.width
    changed = [diff.crop((0, y, width, y + 1)).getbbox() is not None for y in range(diff.height)]
    if not any(changed):
        return None
    bottom = max(y for y, c in enumerate(changed) if c) + 1
    top = bottom
    while top > 0 and changed[top - 1]:
        top -= 1
    left, _, right, _ = diff.crop((0, top, width, bottom)).getbbox()
    return left, top, right, bottom


def popup_check(session, what, before, opened, after, reference):
    """A pop-up opened and closed with Escape, leaving the menu as it was."""
    box = popup_box(before, opened)
    session.check(what + " opens and closes with Escape, the menu unchanged",
                  box is not None and find(after, reference) is not None, str(box))
    return box


def popups(session, reference):
    """The colour picker and the shadow-set pop-up, by keys: each opens from
    its drop-down and closes with Escape; a choice by keys changes the menu,
    and undo takes it back. Returns the pop-ups' boxes and screens."""
    seen = {}
    # The Menu Style palette's colour box follows its style list.
    session.keys("ctrl+F3")
    session.keys("ctrl+F3")
    before = session.keys("Tab")
    opened = session.keys("Return")
    popup_check(session, "the colour picker of the Menu Color box", before, opened, session.keys("Escape"), reference)
    session.keys("Return")
    session.keys("Right")  # the first swatch, dark red
    session.keys("Return")
    changed = session.keys("Return")  # the menu colour's first-use tip
    session.check("a menu colour picked by keys recolours the menu", find(changed, reference) is None)
    session.check("undo takes the menu colour back", find(session.keys("ctrl+z"), reference) is not None)
    # From the design surface, Tab goes round to the formatting toolbar: the
    # font, its size, its colour, B, I, U, the alignments, "Shadow Color",
    # "Shadow Depth".
    session.keys("Escape")
    before = session.keys(*["Tab"] * 9)
    opened = session.keys("Return")
    seen["shadow"] = popup_check(session, "the shadow-set pop-up", before, opened, session.keys("Escape"), reference)
    before = session.keys("shift+Tab")
    opened = session.keys("Return")
    seen["picker"] = popup_check(session, "the shadow colour's picker", before, opened, session.keys("Escape"),
                                 reference)
    seen["picker screen"] = opened
    session.keys("Tab")
    session.keys("Return")
    session.keys("Down")  # from "None" to "1",
    session.keys("Right")  # to "2"
    changed = session.keys("Return")
    session.check("a shadow depth picked by keys changes the buttons", find(changed, reference) is None)
    session.check("undo takes the shadow depth back", find(session.keys("ctrl+z"), reference) is not None)
    return seen


def popups_at_192(session, seen):
    """At 192 DPI the pop-ups are twice as large, whole, and each pixel of the
    swatches is a 2 x 2 block of the 96 DPI one."""
    before = session.keys(*["Tab"] * 8)  # from the design surface to "Shadow Color"
    opened = session.keys("Return")
    opened.save(os.path.join(session.work, "picker-192.png"))
    picker = popup_box(before, opened)
    session.keys("Escape")
    session.keys("Tab")
    before = session.grab()
    shadow_screen = session.keys("Return")
    shadow_screen.save(os.path.join(session.work, "shadow-sets-192.png"))
    shadow = popup_box(before, shadow_screen)
    session.keys("Escape")
    for what, small, big in (("colour picker", seen.get("picker"), picker),
                             ("shadow-set pop-up", seen.get("shadow"), shadow)):
        ratios = ((big[2] - big[0]) / (small[2] - small[0]), (big[3] - big[1]) / (small[3] - small[1])) \
            if small and big else (0, 0)
        session.check("at 192 DPI the %s is twice as large and not clipped" % what,
                      all(1.95 <= r <= 2.05 for r in ratios), "%.2f x %.2f" % ratios)
    small = seen.get("picker")
    crisp = False
    if small and picker:
        # Well inside the swatches, whatever the window's edge is drawn with.
        swatches = seen["picker screen"].crop((small[0] + 6, small[1] + 6, small[0] + 150, small[1] + 115))
        crisp = find(opened, swatches.resize((swatches.width * 2, swatches.height * 2), Image.NEAREST)) is not None
    session.check("at 192 DPI the picker's swatches are crisp", crisp)


def active_caption(shot, colour=(50, 150, 250), run=200):
    """The box of the active window's caption bar: the rows mostly in the
    caption colour, which only a title bar fills so widely."""
    mask = ImageChops.difference(shot, Image.new("RGB", shot.size, colour)).convert("L").point(
        lambda v: 255 if v == 0 else 0)
    rows = [y for y in range(shot.height) if mask.crop((0, y, shot.width, y + 1)).histogram()[255] >= run]
    if not rows:
        return None
    left, _, right, _ = mask.crop((0, rows[0], shot.width, rows[-1] + 1)).getbbox()
    return left, rows[0], right, rows[-1] + 1


def glyph_on_screen(shot, strip_path, index, band):
    """Where the tool bar glyph `index` of a strip shows inside band (left,
    top, right, bottom), matched by its opaque pixels, which the tool bar
    draws unblended; or None."""
    strip = Image.open(strip_path).convert("RGBA")
    n = strip.height
    glyph = strip.crop((index * n, 0, (index + 1) * n, n))
    opaque = [(x, y, glyph.getpixel((x, y))[:3]) for y in range(n) for x in range(n) if glyph.getpixel((x, y))[3] == 255]
    if not opaque:
        return None
    gx, gy, colour = opaque[0]
    region = shot.crop(band)
    data, width = region.tobytes(), region.width
    at = data.find(bytes(colour))
    while at >= 0:
        if at % 3 == 0:
            x, y = (at // 3) % width - gx, (at // 3) // width - gy
            if x >= 0 and y >= 0 and all(
                    x + px < region.width and y + py < region.height and region.getpixel((x + px, y + py)) == c
                    for px, py, c in opaque):
                return band[0] + x, band[1] + y
        at = data.find(bytes(colour), at + 1)
    return None


def records(data):
    """A record file's header and its records, as (kind, bytes): fields of
    kinds 1 to 4, pictures of kind 5 (kind, 3 bytes, frame, width and height,
    the data's length, the zlib data), then the end byte."""
    out, at = [("header", data[:11])], 11
    u32 = lambda i: int.from_bytes(data[i:i + 4], "little")
    sizes = {1: lambda: 6, 2: lambda: 9, 3: lambda: 9, 4: lambda: 5 + u32(at + 1), 5: lambda: 20 + u32(at + 16)}
    while at < len(data) and data[at] in sizes:
        size = sizes[data[at]]()
        out.append((data[at], data[at:at + size]))
        at += size
    out.append(("rest", data[at:]))
    return out


def menu_differences(windows, linux, info):
    """Where two menu files differ, but for the zlib data of the pictures
    that hold text (the menu picture, number 0, with the title and the menu
    text, and each button's state pictures, numbers 1 to 30, with its
    caption): GDI and FreeType draw the same glyphs differently. Every field,
    every picture record's header, and the other pictures' data count."""
    a, b = records(windows), records(linux)
    if len(a) != len(b):
        return ["%d records against %d" % (len(a), len(b))]
    texts = {0} | set(range(1, 1 + len(info["buttons"])))
    found = []
    for i, ((kind, x), (_, y)) in enumerate(zip(a, b)):
        if kind == 5 and x[:16] == y[:16] and int.from_bytes(x[4:8], "little") in texts:
            continue  # the same picture, place and size: its pixels hold text
        if x != y:
            found.append("record %d (kind %s)" % (i, kind))
    return found


def menu_on_screen(session, reference):
    shot = session.grab()
    return find(shot, reference), shot


def start_up(session, reference, keep=None):
    """Dismisses the start-up tips with Enter until the new menu shows.
    Returns the presses, where the menu is, and the last tip's box."""
    empty = session.settle(seconds=3)
    shots = [session.settle(empty, seconds=30)]
    place = None
    while len(shots) <= 4:
        place = find(shots[-1], reference)
        if place:
            # The start-up tip waits for the splash: the menu must stay uncovered.
            shots[-1] = session.settle(quiet=2.5)
            place = find(shots[-1], reference)
        if place:
            break
        if keep and len(shots) == 2:
            shots[-1].save(os.path.join(session.work, keep))
        shots.append(session.keys("Return"))
    # The last tip comes after the splash has gone: below the editor's caption
    # (which turns active as the tip goes) the difference is the tip alone.
    work_area = (0, 120, SCREEN[0], SCREEN[1])
    tip_box = (ImageChops.difference(shots[-2].crop(work_area), shots[-1].crop(work_area)).getbbox()
               if len(shots) >= 2 else None)
    return len(shots) - 1, place, tip_box


def run(session):
    work = session.work
    app = os.path.join(work, "app")
    os.makedirs(app)
    for name in ("orvane-graphic.exe", "orvane-menu.exe"):
        shutil.copy(os.path.join(session.bin, name), app)
    shutil.copytree(os.path.join(session.bin, "help"), os.path.join(app, "help"))
    tool = os.path.join(work, "tool")
    os.makedirs(tool)
    shutil.copy(os.path.join(session.bin, "orvane-menu.exe"), tool)
    disc = os.path.join(work, "disc")
    os.makedirs(os.path.join(disc, "tools"))
    with open(os.path.join(disc, "tools", "setup.exe"), "wb") as f:
        f.write(b"MZ")

    session.start()
    # What the editor's new menu must look like, drawn by the command-line tool.
    ref_menu, ref_png = os.path.join(work, "ref.mng"), os.path.join(work, "ref.png")
    exe = os.path.join(tool, "orvane-menu.exe")
    session.run([WINE, exe, "new", windows_path(ref_menu)], cwd=tool)
    session.run([WINE, exe, "render", windows_path(ref_menu), "-o", windows_path(ref_png)], cwd=tool)
    reference = Image.open(ref_png).convert("RGB")

    subprocess.run(["xdotool", "mousemove", str(SCREEN[0] - 1), str(SCREEN[1] - 1)], env=session.env, check=True)
    session.start_editor(app)
    tips, place, tip_box = start_up(session, reference)
    session.check("start-up shows its tips and Enter dismisses them", place is not None and tips > 0,
                  "%d presses" % tips)
    session.check("the design surface shows what orvane-menu.exe render draws, pixel for pixel", place is not None)

    # Each tool window opens and closes with Escape, leaving the editor as it was.
    for what, keys, after_escape in (
            ("the about box", ["alt+h", "Up", "Return"], []),
            # Closed, it applies the style again, which has its first-use tip.
            ("the copy-custom window", ["alt+t", "Up", "Up", "Up", "Up", "Up", "Return"], ["Return"]),
            ("the open dialog", ["ctrl+o"], []),
            ("the autorun wizard (with its save question)", ["ctrl+e"], []),
            # Closed, the button styles are read again, which has its first-use tip.
            ("the button style designer", ["alt+t", "Return", "wait"], ["Return"])):
        before = session.grab()
        for key in keys:  # a menu takes its next key once it is up
            # "wait": a window that shows a moment after the menu has gone
            opened = session.settle(quiet=2) if key == "wait" else session.keys(key)
        after = session.keys("Escape")
        for key in after_escape:
            after = session.keys(key)
        # Closed, nothing covers the menu on the design surface any more.
        session.check(what + " opens and closes with Escape",
                      not session.same(opened, before) and find(after, reference) is not None)

    seen = popups(session, reference)
    # The button style designer: a name and an italic caption by keys, saved
    # under a typed name into the buttons folder, where the core reads it.
    before = session.grab()
    session.keys("alt+t")
    session.keys("Return")  # "Custom Button Style...", the caret after "MyStyle"
    opened = session.settle(quiet=2)
    designer_box = active_caption(opened)
    session.keys(*["BackSpace"] * len("MyStyle"))
    session.type("Keys")
    session.keys("alt+o")
    session.keys("i")  # Format, Italic
    # From the name, Tab reaches the formatting row at "Bold"; Left goes round
    # to "Shadow Depth", then "Shadow Color", whose picker takes the next swatch.
    session.keys(*["Tab"] * 8)
    session.keys("Left", "Left")
    session.keys("Return")
    session.keys("Right")
    session.keys("Return")
    session.keys("ctrl+s")  # a new style: the save dialog
    session.type("keys")
    session.keys("Return")
    after = session.keys("Escape")  # saved: no question
    if find(after, reference) is None:
        after = session.keys("Return")  # its first-use tip
    saved = os.path.join(app, "buttons", "keys.ovgbtn")
    session.check("the designer closes with Escape once its style is saved", find(after, reference) is not None)
    style = {}
    if os.path.isfile(saved):
        style = json.loads(session.run([session.menu_tool, "info", saved]).stdout)
    records = style.get("records", {})
    session.check("the designer saved keys.ovgbtn with the name, the italic caption and the shadow colour chosen",
                  records.get("Name") == "Keys" and records.get("Font", {}).get("Italic") is True and
                  records.get("ShadowColor") not in (None, 0x00FFFF),  # yellow before
                  json.dumps(records)[:400])

    # The typical road, by keys.
    session.keys("ctrl+F3")  # the Menu Style palette closes,
    session.keys("ctrl+F3")  # and opens with the focus in its style list
    session.keys("Down")  # "Blue Ribbon", after "XP Style"
    session.keys("Escape")  # back to the design surface
    session.keys("ctrl+b")  # a new button, and its first-use tip
    session.keys("Return")
    session.keys("Escape")  # from its caption back to the design surface
    before = session.grab()
    session.keys("shift+F10")  # the menu's context menu
    session.keys("Down", "Down", "Down", "Return")  # Launch Command Wizard, and its tip
    wizard = session.keys("Return")
    escaped = session.keys("Escape")
    session.check("the command wizard opens and closes with Escape",
                  not session.same(wizard, before) and session.same(escaped, before))
    session.keys("shift+F10")
    session.keys("Down", "Down", "Down", "Return")
    session.keys("Return")  # the tip again: it shows until the user asks not to see it
    session.keys("Down")  # "Start an application."
    session.keys("Return")
    session.keys("Return")
    session.keys("alt+o")  # Browse: the menu is saved first
    session.keys("Return")  # Yes
    session.type(windows_path(os.path.join(disc, "disc.mng")))
    session.keys("Return")
    session.type(windows_path(os.path.join(disc, "tools", "setup.exe")))
    session.keys("Return")
    session.keys("Return")  # Finish
    session.keys("Return")  # the wizard's last word
    session.keys("Escape")
    session.keys("ctrl+s")
    session.keys("ctrl+e")
    for _ in range(3):
        session.keys("Return")
    session.keys("Escape")
    session.settle(quiet=3.5).save(os.path.join(work, "editor-96.png"))  # once "Saved!" has gone

    menu = os.path.join(disc, "disc.mng")
    session.check("the menu is saved as disc.mng", os.path.isfile(menu), str(os.listdir(disc)))
    exported = json.loads(session.run([session.menu_tool, "export", menu]).stdout)
    session.check("disc.mng has the style Blue Ribbon", exported["properties"]["StyleId"] == 6,
                  str(exported["properties"]["StyleId"]))
    buttons = [(b["Caption"], b["Command"]) for b in exported["buttons"]]
    session.check("disc.mng has the new button starting the program on the disc, without a drive",
                  buttons == [("&Close Menu", ""), ("Button 2", "\\tools\\setup.exe")], str(buttons))
    session.check("the autorun application and Autorun.inf are in the disc folder",
                  os.path.isfile(os.path.join(disc, "Autorun.exe")) and
                  os.path.isfile(os.path.join(disc, "Autorun.inf")), str(os.listdir(disc)))
    unpacked = os.path.join(work, "unpacked")
    session.run([session.menu_tool, "unpack", os.path.join(disc, "Autorun.exe"), unpacked])
    with open(menu, "rb") as a, open(os.path.join(unpacked, "disc.mng"), "rb") as b:
        session.check("the autorun application carries disc.mng as saved", a.read() == b.read())
    if session.linux_road:
        same_as_linux(session, disc)

    # The main tool bar: its glyphs show, its help button drops its menu down and Escape takes it away.
    strip16 = os.path.join(RESOURCES, "mainwindow", "toolbar_16.png")
    shot = session.grab()
    new_at = glyph_on_screen(shot, strip16, 0, (0, 0, SCREEN[0], 200))
    help_at = glyph_on_screen(shot, strip16, TOOLBAR_HELP, (0, 0, SCREEN[0], 200))
    session.check("the main tool bar shows its glyphs", new_at is not None and help_at is not None,
                  "%s %s" % (new_at, help_at))
    if help_at:
        subprocess.run(["xdotool", "mousemove", str(help_at[0] + 8), str(help_at[1] + 8), "click", "1"],
                       env=session.env, check=True, timeout=remaining())
        dropped = session.settle(shot)
        closed = session.keys("Escape")
        subprocess.run(["xdotool", "mousemove", str(SCREEN[0] - 1), str(SCREEN[1] - 1)], env=session.env, check=True)
        below = (help_at[0], help_at[1] + 20, help_at[0] + 120, help_at[1] + 120)
        session.check("the tool bar's help button drops its menu down, and Escape closes it",
                      not session.same(dropped.crop(below), shot.crop(below)) and
                      session.same(session.settle(closed).crop(below), shot.crop(below)))

    # "Menu St&yle": its access key takes the focus to the list below it; Escape goes back.
    before = session.grab()
    focused = session.keys("alt+y")
    back = session.keys("Escape")
    session.check("a palette label's access key moves the focus to its control",
                  not session.same(focused, before) and session.same(back, before))

    # The Menu Title's tip, once closed, stays closed while the focus comes
    # back to the title; Enter on a palette's header closes the palette.
    before = session.grab()
    session.keys("ctrl+F1")  # Menu Description opens, the focus in the title: its tip
    session.keys("Return")
    session.keys("shift+Tab")  # the palette's header
    session.keys("Return")
    back = session.keys("Escape")
    # As before but for the header's frame, which shows it was the last button pressed.
    changed = ImageChops.difference(back, before).getbbox()
    session.check("the Menu Title tip closes for good, and Enter on a palette header closes the palette",
                  changed is None or (changed[3] - changed[1] <= 30 and changed[2] - changed[0] <= 260),
                  "the screen differs in %s" % (changed,))

    # Test Autorun, with the menu saved and the application built: the window itself opens.
    before = session.grab()
    session.keys("alt+f")
    for _ in range(5):
        session.keys("Down")
    tested = session.keys("Return")
    closed = session.keys("Escape")
    session.check("Test Autorun opens and closes with Escape",
                  not session.same(tested, before) and session.same(closed, before),
                  "" if session.same(closed, before) else "the screen differs after Escape")

    # At 192 DPI the windows grow with it.
    session.set_dpi(192)
    fresh = os.path.join(work, "app192")  # a new settings file: the tips show again
    os.makedirs(fresh)
    for name in ("orvane-graphic.exe", "orvane-menu.exe"):
        shutil.copy(os.path.join(app, name), fresh)
    session.start_editor(fresh)
    double = reference.resize((reference.width * 2, reference.height * 2), Image.NEAREST)
    # The 1024 x 768 screen is 512 x 384 at 200 %: the menu's top left is what shows.
    _, big_place, big_box = start_up(session, double.crop((0, 0, 400, 360)), "editor-192-tip.png")
    session.grab().save(os.path.join(work, "editor-192.png"))
    session.check("at 192 DPI the design surface shows the menu twice as large, as the player does, each pixel whole",
                  big_place is not None)
    ratio = (big_box[2] - big_box[0]) / (tip_box[2] - tip_box[0]) if tip_box and big_box else 0
    session.check("at 192 DPI the tip window is twice as wide", 1.8 <= ratio <= 2.2, "%.2f" % ratio)
    # Both tool bars fit the screen: the main one's last glyph shows whole, and
    # no formatting control reaches the window's right edge (they wrap instead).
    shot = session.grab()
    help_big = glyph_on_screen(shot, os.path.join(RESOURCES, "mainwindow", "toolbar_32.png"), TOOLBAR_HELP,
                               (0, 0, SCREEN[0], 300))
    session.check("at 192 DPI the main tool bar fits the screen", help_big is not None)
    if help_big:
        # Down the window's right edge from the tool bar: its face, unbroken by any
        # control, until the design surface's work area (the prefix's grey).
        x, y = SCREEN[0] - 40, help_big[1] + 40
        face = shot.getpixel((x, y))
        while y < SCREEN[1] - 1 and shot.getpixel((x, y)) == face:
            y += 1
        session.check("at 192 DPI the formatting toolbar wraps rather than run off the right edge",
                      shot.getpixel((x, y)) == WORK_AREA, "%s at y %d" % (shot.getpixel((x, y)), y))


    popups_at_192(session, seen)

    # A screen of 1024 x 768 at 200 % cannot hold the designer; a larger one
    # shows it whole, every text in full (designer-192.png).
    session.set_desktop((DISPLAY[0], DISPLAY[1]))
    large = os.path.join(work, "app192-large")
    shutil.copytree(fresh, large, ignore=shutil.ignore_patterns("*.ini", "*.und"))
    session.start_editor(large)
    start_up(session, double.crop((0, 0, 400, 360)))
    session.keys("alt+t")
    session.keys("Return")
    opened = session.settle(quiet=2)
    big_designer = active_caption(opened)
    opened.save(os.path.join(work, "designer-192.png"))
    ratio = ((big_designer[2] - big_designer[0]) / (designer_box[2] - designer_box[0])
             if big_designer and designer_box else 0)
    session.check("at 192 DPI the designer is twice as wide and whole on the screen",
                  1.8 <= ratio <= 2.2 and big_designer[0] >= 0 and big_designer[2] <= DISPLAY[0],
                  "%.2f, %s against %s" % (ratio, big_designer, designer_box))
    session.keys("Escape")


def same_as_linux(session, disc):
    """The Linux editor's model takes the road the keys took; the files it
    writes are the Windows editor's."""
    work = session.work
    linux_disc = os.path.join(work, "linux", "disc")
    app = os.path.join(work, "linux", "app")
    os.makedirs(os.path.join(linux_disc, "tools"))
    os.makedirs(app)
    shutil.copy(os.path.join(disc, "tools", "setup.exe"), os.path.join(linux_disc, "tools"))
    # A stand-in editor file with a small player block: the menus packed are what is compared.
    with open(os.path.join(app, "orvane-graphic"), "wb") as f:
        f.write(b"\xee" * 16 + b"ApEXMZ\t\t" + (16).to_bytes(4, "little"))
    session.run([session.linux_road, app, linux_disc])
    read = lambda *p: open(os.path.join(*p), "rb").read()
    info = json.loads(session.run([session.menu_tool, "info", os.path.join(disc, "disc.mng")]).stdout)
    differ = menu_differences(read(disc, "disc.mng"), read(linux_disc, "disc.mng"), info)
    session.check("disc.mng is the Linux editor's, but for the pixels of text", not differ, ", ".join(differ))
    session.check("Autorun.inf is the Linux editor's", read(disc, "Autorun.inf") == read(linux_disc, "Autorun.inf"))
    packed = []
    for name, folder in (("windows", disc), ("linux", linux_disc)):
        out = os.path.join(work, "packed-" + name)
        session.run([session.menu_tool, "unpack", os.path.join(folder, "Autorun.exe"), out])
        packed.append({f: read(out, f) for f in sorted(os.listdir(out))})
    session.check("Autorun.exe packs the menus the Linux editor's packs",
                  list(packed[0]) == list(packed[1]) and
                  all(not menu_differences(packed[0][f], packed[1][f], info) for f in packed[0]),
                  "%s against %s" % (list(packed[0]), list(packed[1])))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("bin_dir")
    parser.add_argument("menu_tool")
    parser.add_argument("--linux-road", help="the Linux editor's model taking the same road")
    parser.add_argument("--keep", help="copy the work folder here (screenshots) when done")
    args = parser.parse_args()
    work = tempfile.mkdtemp(prefix="orvane-wine-editor-")
    session = Session(os.path.abspath(args.bin_dir), os.path.abspath(args.menu_tool), work)
    session.linux_road = os.path.abspath(args.linux_road) if args.linux_road else None
    session.checks = []
    session.check = lambda what, ok, detail="": (session.checks.append(ok), say(what, ok, detail))
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    try:
        if not os.path.isfile(os.path.join(args.bin_dir, "orvane-graphic.exe")):
            raise Failure("orvane-graphic.exe is missing: build it with `make windows`")
        run(session)
        print("all %d checks held" % len(session.checks))
        return 0
    except (Failure, subprocess.SubprocessError, OSError) as e:
        print("wine_editor_test: " + str(e), file=sys.stderr)
        return 1
    finally:
        session.close()
        if args.keep:
            shutil.rmtree(args.keep, ignore_errors=True)
            shutil.copytree(work, args.keep, ignore=shutil.ignore_patterns("prefix"))
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
