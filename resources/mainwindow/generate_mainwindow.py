#!/usr/bin/python3
"""Draws the main window's artwork: toolbar glyphs, the palette frames and the
display-position screen.

Usage: /usr/bin/python3 generate_mainwindow.py [outdir]
Writes into outdir (default: this file's folder):

  <glyph>.png, <glyph>@2x.png   16 x 16 and 32 x 32 RGBA toolbar glyphs.
      font_color, shadow_color and shadow_depth keep rows 12-15 empty: the
      editor paints a colour strip there.
  bar_template.png          16 x 16 shading of the popularity bar: blue / 255
      is the intensity in columns 3-12 (no @2x: the bar is built at 16 x 16).
  palette_glyphs.png (@2x)  68 x 13: four 17 x 13 open/close glyphs at
      x = 0 closed, 17 closed pressed, 34 open, 51 open pressed.
  palette_title.png (@2x)   221 x 21 title bar background.
  screen.png                the display-position picture.
  screen_positions.json     per position code 0..10: centre of its 13 x 13
      radio button on screen.png and the picture's colour under it.
  toolbar_<n>.png           the main tool bar's glyphs side by side, n x n
      each, in the tool bar's order (TOOLBAR), for n = 16, 20, 24, 28, 32:
      a Windows tool bar at 100 % to 200 % takes its own size, never a
      stretched one.

Glyphs are drawn on a grid of 16 units, supersampled, so edges that sit on
whole units stay sharp at both sizes. Deterministic for one Pillow build.
"""

import json
import math
import os
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFont

FONTS = "/usr/share/fonts/truetype/dejavu/"
SS = 8  # subpixels per output pixel

# Fill ramps: (light, dark, outline). Light comes from the top left.
BLUE = ((156, 204, 250), (34, 100, 182), (14, 42, 92))
NAVY = ((92, 146, 214), (20, 62, 130), (10, 28, 66))
GREEN = ((170, 236, 130), (44, 148, 40), (16, 74, 16))
RED = ((255, 156, 136), (204, 38, 30), (100, 14, 10))
ORANGE = ((255, 214, 120), (236, 108, 24), (110, 40, 6))
GOLD = ((255, 236, 150), (228, 160, 30), (116, 76, 6))
PAPER = ((255, 255, 255), (212, 220, 232), (70, 80, 98))
STEEL = ((240, 244, 250), (146, 156, 172), (58, 66, 82))
BROWN = ((226, 168, 104), (150, 92, 40), (76, 42, 12))
INK = (26, 32, 46)
GREY_INK = (120, 130, 146)


def lerp(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(len(a)))


def font(name, size):
    return ImageFont.truetype(os.path.join(FONTS, name), size)


class Glyph:
    """A picture of w x h units drawn at `scale` output pixels per unit."""

    def __init__(self, scale, w=16, h=16):
        self.scale = scale
        self.u = round(scale * SS)  # whole subpixels per unit: 1.25, 1.5 and 1.75 times fit too
        self.W, self.H = w * self.u, h * self.u
        self.out = (round(w * scale), round(h * scale))
        self.img = Image.new("RGBA", (self.W, self.H), (0, 0, 0, 0))

    # --- masks, in unit coordinates (edges, not pixel centres) ---
    def new_mask(self):
        m = Image.new("L", (self.W, self.H), 0)
        return m, ImageDraw.Draw(m)

    def _box(self, x0, y0, x1, y1):
        u = self.u
        return (x0 * u, y0 * u, x1 * u - 1, y1 * u - 1)

    def rect(self, x0, y0, x1, y1, r=0, mask=None):
        m, d = mask if mask else self.new_mask()
        if r:
            d.rounded_rectangle(self._box(x0, y0, x1, y1), r * self.u, fill=255)
        else:
            d.rectangle(self._box(x0, y0, x1, y1), fill=255)
        return m, d

    def ellipse(self, x0, y0, x1, y1, mask=None, fill=255):
        m, d = mask if mask else self.new_mask()
        d.ellipse(self._box(x0, y0, x1, y1), fill=fill)
        return m, d

    def poly(self, pts, mask=None, fill=255):
        m, d = mask if mask else self.new_mask()
        d.polygon([(x * self.u, y * self.u) for x, y in pts], fill=fill)
        return m, d

    def line(self, pts, width, mask=None, fill=255):
        m, d = mask if mask else self.new_mask()
        d.line([(x * self.u, y * self.u) for x, y in pts], fill=fill, width=int(width * self.u), joint="curve")
        return m, d

    def arc_band(self, cx, cy, r_out, r_in, a0, a1, mask=None):
        """Part of a ring; angles in degrees, clockwise from three o'clock."""
        m, d = mask if mask else self.new_mask()
        band = Image.new("L", (self.W, self.H), 0)
        bd = ImageDraw.Draw(band)
        u = self.u
        bd.pieslice((u * (cx - r_out), u * (cy - r_out), u * (cx + r_out), u * (cy + r_out)), a0, a1, fill=255)
        bd.ellipse((u * (cx - r_in), u * (cy - r_in), u * (cx + r_in), u * (cy + r_in)), fill=0)
        m.paste(255, (0, 0), band)
        return m, d

    def text(self, ch, face, box, mask=None, italic_shift=0.0):
        """The ink of `ch` stretched to fill box exactly, so its edges fall on units."""
        m, d = mask if mask else self.new_mask()
        x0, y0, x1, y1 = box
        big = font(face, 40 * self.u // SS * 4)
        tmp = Image.new("L", (big.size * 2, big.size * 2), 0)
        ImageDraw.Draw(tmp).text((big.size // 2, big.size // 2), ch, font=big, fill=255)
        ink = tmp.crop(tmp.getbbox())
        w, h = int((x1 - x0) * self.u), int((y1 - y0) * self.u)
        ink = ink.resize((w, h), Image.LANCZOS).point(lambda v: 255 if v >= 128 else 0)
        m.paste(255, (int(x0 * self.u), int(y0 * self.u)), ink)
        return m, d

    # --- painting ---
    def erode(self, m, width):
        """Shrinks a mask by `width` units (a disc, approximated by rings of shifts)."""
        r = width * self.u
        out = m.copy()
        for frac in (1.0, 0.66, 0.33):
            rr = r * frac
            steps = 32
            for i in range(steps):
                a = 2 * math.pi * i / steps
                dx, dy = int(round(rr * math.cos(a))), int(round(rr * math.sin(a)))
                out = ImageChops.darker(out, ImageChops.offset(m, dx, dy))
        # offset wraps around; nothing is drawn near the opposite edge that could wrap in,
        # but clear the borders to be safe.
        ImageDraw.Draw(out).rectangle((0, 0, self.W - 1, self.H - 1), outline=0, width=int(r))
        return out

    def shift(self, m, dx, dy):
        out = Image.new("L", m.size, 0)
        out.paste(m, (int(dx * self.u), int(dy * self.u)))
        return out

    def gradient(self, light, dark, bbox, vertical=False):
        x0, y0, x1, y1 = bbox
        g = Image.new("RGBA", (self.W, self.H))
        px = g.load()
        step = SS // 2
        span = (x1 - x0) + (y1 - y0) if not vertical else (y1 - y0)
        span = max(1, span)
        # Coarse steps are enough: the result is downsampled by SS.
        for y in range(0, self.H, step):
            for x in range(0, self.W, step):
                t = ((x - x0) + (y - y0)) / span if not vertical else (y - y0) / span
                c = lerp(light, dark, min(1.0, max(0.0, t))) + (255,)
                for yy in range(y, min(self.H, y + step)):
                    for xx in range(x, min(self.W, x + step)):
                        px[xx, yy] = c
        return g

    def paint(self, mask, ramp=None, fill=None, outline=None, ow=1.0, bevel=True, vertical=False):
        """Fills mask[0] with the ramp's gradient (or a flat fill) inside a dark outline."""
        m = mask[0] if isinstance(mask, tuple) else mask
        if not m.getbbox():
            return
        if ramp and outline is None:
            outline = ramp[2]
        inner = self.erode(m, ow) if outline else m
        if fill is not None:
            layer = Image.new("RGBA", (self.W, self.H), tuple(fill) + (255,))
        else:
            layer = self.gradient(ramp[0], ramp[1], inner.getbbox() or m.getbbox(), vertical)
        self.img.paste(layer, (0, 0), inner)
        if bevel and outline:
            light = ramp[0] if ramp else lerp(fill, (255, 255, 255), 0.6)
            hl = ImageChops.subtract(inner, self.shift(inner, 1, 1))
            glow = Image.new("RGBA", (self.W, self.H), lerp(light, (255, 255, 255), 0.55) + (255,))
            self.img.paste(glow, (0, 0), hl.point(lambda v: v * 150 // 255))
        if outline:
            ring = ImageChops.subtract(m, inner)
            self.img.paste(Image.new("RGBA", (self.W, self.H), tuple(outline) + (255,)), (0, 0), ring)

    def flat(self, mask, colour, alpha=255):
        m = mask[0] if isinstance(mask, tuple) else mask
        a = m if alpha == 255 else m.point(lambda v: v * alpha // 255)
        self.img.paste(Image.new("RGBA", (self.W, self.H), tuple(colour) + (255,)), (0, 0), a)

    def clear(self, mask):
        m = mask[0] if isinstance(mask, tuple) else mask
        self.img.paste((0, 0, 0, 0), (0, 0), m)

    def add_halo(self, alpha=80):
        """A faint light rim, so dark ink still reads on a dark toolbar."""
        a = self.img.getchannel("A").point(lambda v: 255 if v >= 128 else 0)
        grown = a
        r = self.u
        for i in range(24):
            ang = 2 * math.pi * i / 24
            grown = ImageChops.lighter(grown, ImageChops.offset(a, int(round(r * math.cos(ang))),
                                                                int(round(r * math.sin(ang)))))
        rim = Image.new("RGBA", (self.W, self.H), (255, 255, 255, 0))
        rim.putalpha(grown.point(lambda v: v * alpha // 255))
        rim.alpha_composite(self.img)
        self.img = rim

    def result(self):
        small = self.img.resize(self.out, Image.BOX)
        # Drop near-invisible fringe so glyphs sit cleanly on any toolbar.
        a = small.getchannel("A").point(lambda v: 0 if v < 14 else v)
        small.putalpha(a)
        return small


# ---------------------------------------------------------------- glyph parts

def small_button(g, x0, y0, x1, y1):
    """The product's rounded blue menu button."""
    g.paint(g.rect(x0, y0, x1, y1, r=2), BLUE, vertical=True)


def page(g, x0, y0, x1, y1, fold=3, lines=False):
    g.paint(g.poly([(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)]), PAPER)
    g.paint(g.poly([(x1 - fold - 0.5, y0), (x1, y0 + fold + 0.5), (x1 - fold - 0.5, y0 + fold + 0.5)]),
            ((250, 252, 255), (186, 196, 212), PAPER[2]), bevel=False)
    if lines:
        for y in range(y0 + 4, y1 - 2, 2):
            g.flat(g.rect(x0 + 2, y, x1 - 2 - (2 if (y // 2) % 2 else 0), y + 1), GREY_INK)


def plus(g, x0, y0, size, ramp):
    a = size // 2 - 2
    m = g.rect(x0 + a, y0, x0 + size - a, y0 + size)
    g.rect(x0, y0 + a, x0 + size, y0 + size - a, mask=m)
    g.paint(m, ramp, bevel=False)


def cross(g, x0, y0, size, ramp, w=3.2):
    m = g.line([(x0 + 1.2, y0 + 1.2), (x0 + size - 1.2, y0 + size - 1.2)], w)
    g.line([(x0 + size - 1.2, y0 + 1.2), (x0 + 1.2, y0 + size - 1.2)], w, mask=m)
    g.paint(m, ramp, bevel=False)


def arrow_v(g, cx, y0, y1, up, ramp, head_w=8, shaft_w=4, head_h=4):
    """A vertical arrow on whole units; cx is its centre line."""
    hw, sw = head_w / 2, shaft_w / 2
    if up:
        pts = [(cx, y0), (cx + hw, y0 + head_h), (cx + sw, y0 + head_h), (cx + sw, y1),
               (cx - sw, y1), (cx - sw, y0 + head_h), (cx - hw, y0 + head_h)]
    else:
        pts = [(cx, y1), (cx + hw, y1 - head_h), (cx + sw, y1 - head_h), (cx + sw, y0),
               (cx - sw, y0), (cx - sw, y1 - head_h), (cx - hw, y1 - head_h)]
    g.paint(g.poly(pts), ramp)


def arrow_h(g, x0, x1, cy, left, ramp, head_w=10, shaft_w=4, head_l=5):
    hw, sw = head_w / 2, shaft_w / 2
    if left:
        pts = [(x0, cy), (x0 + head_l, cy - hw), (x0 + head_l, cy - sw), (x1, cy - sw),
               (x1, cy + sw), (x0 + head_l, cy + sw), (x0 + head_l, cy + hw)]
    else:
        pts = [(x1, cy), (x1 - head_l, cy - hw), (x1 - head_l, cy - sw), (x0, cy - sw),
               (x0, cy + sw), (x1 - head_l, cy + sw), (x1 - head_l, cy + hw)]
    g.paint(g.poly(pts), ramp)


def mirror(img):
    return img.transpose(Image.FLIP_LEFT_RIGHT)


# ---------------------------------------------------------------- glyphs

def g_new(g):
    page(g, 3, 0, 14, 16, fold=4)


def g_open(g):
    g.paint(g.poly([(0, 2), (6, 2), (7, 4), (14, 4), (14, 14), (0, 14)]), GOLD)
    g.paint(g.rect(2, 5, 12, 9), PAPER, bevel=False)
    g.paint(g.poly([(3, 7), (16, 7), (13.5, 14), (0, 14), (0, 13)]),
            ((255, 240, 170), (240, 184, 50), GOLD[2]))


def g_save(g):
    g.paint(g.poly([(1, 1), (13, 1), (15, 3), (15, 15), (1, 15)]), BLUE)
    g.paint(g.rect(4, 1, 12, 7), STEEL, bevel=False)
    g.flat(g.rect(9, 2, 11, 6), NAVY[1])
    g.paint(g.rect(3, 9, 13, 15), PAPER, bevel=False)
    g.flat(g.rect(5, 11, 11, 12), GREY_INK)


def g_undo(g):
    m = g.arc_band(8.5, 9, 6.5, 2.5, -90, 100)
    g.rect(5, 2.5, 9, 6.5, mask=m)
    g.poly([(0.5, 4.5), (6, -0.5), (6, 9.5)], mask=m)
    g.paint(m, BLUE)


def g_cut(g):
    blade = ((250, 252, 255), (160, 170, 186), STEEL[2])
    g.paint(g.poly([(4, 0), (6, 0), (10, 9), (8.5, 11)]), blade)
    g.paint(g.poly([(12, 0), (10, 0), (6, 9), (7.5, 11)]), blade)
    for x in (0, 9):
        ring = g.ellipse(x, 9, x + 7, 16)
        g.ellipse(x + 2, 11, x + 5, 14, mask=ring, fill=0)
        # Too thin for an outline: a plain bright red reads better at this size.
        g.paint(ring, ((255, 110, 90), (200, 30, 24), None), outline=False, bevel=False)
    g.flat(g.ellipse(7, 8, 9, 10), STEEL[2])
    g.add_halo(90)


def g_copy(g):
    page(g, 1, 0, 10, 11, fold=3)
    page(g, 6, 5, 15, 16, fold=3)
    for y in (9, 11, 13):
        g.flat(g.rect(8, y, 13, y + 1), GREY_INK)


def g_paste(g):
    g.paint(g.rect(1, 2, 13, 16, r=1), BROWN)
    page(g, 6, 6, 15, 16, fold=3)
    for y in (10, 12):
        g.flat(g.rect(8, y, 13, y + 1), GREY_INK)
    g.paint(g.rect(4, 0, 10, 4, r=1), STEEL, bevel=False)


def g_add_button(g):
    small_button(g, 0, 2, 13, 11)
    plus(g, 8, 8, 8, GREEN)


def g_delete_button(g):
    small_button(g, 0, 2, 13, 11)
    cross(g, 8, 8, 8, RED)


def g_move(g, up):
    small_button(g, 0, 5, 11, 13)
    arrow_v(g, 12, 1, 15, up, GREEN, head_w=8, shaft_w=4, head_h=5)


def g_autorun(g):
    disc = g.ellipse(0, 0, 14, 14)
    g.paint(disc, ((252, 252, 255), (150, 164, 196), (56, 64, 88)))
    # A touch of colour in the sheen, as on a real disc.
    sheen = g.new_mask()
    sheen[1].pieslice(g._box(1, 1, 13, 13), 20, 70, fill=255)
    g.flat(sheen, (200, 170, 236), alpha=120)
    sheen = g.new_mask()
    sheen[1].pieslice(g._box(1, 1, 13, 13), 200, 250, fill=255)
    g.flat(sheen, (170, 226, 240), alpha=140)
    hub = g.ellipse(4, 4, 10, 10)
    g.paint(hub, STEEL, bevel=False)
    g.clear(g.ellipse(6, 6, 8, 8))
    g.paint(g.poly([(11, 4), (16, 4), (13.5, 8.5), (16, 8.5), (9, 16), (11, 10.5), (8.5, 10.5)]), GOLD,
            bevel=False)


def g_animate(g):
    small_button(g, 5, 0, 16, 7)
    small_button(g, 5, 9, 16, 16)
    for y, x0 in ((2, 1), (4, 0), (11, 1), (13, 0)):
        g.flat(g.rect(x0, y, 4, y + 1), (60, 130, 210))


def g_help(g):
    g.paint(g.ellipse(0, 0, 16, 16), BLUE)
    m = g.text("?", "DejaVuSans-Bold.ttf", (5, 3, 11, 13))
    g.flat(m, (255, 255, 255))


def g_prevnext(g, left):
    arrow_h(g, 2, 14, 8, left, GREEN, head_w=10, shaft_w=4, head_l=6)


def g_font_color(g):
    g.flat(g.text("A", "DejaVuSans-Bold.ttf", (2, 0, 14, 12)), INK)
    g.add_halo()


def g_shadow_color(g):
    g.flat(g.text("S", "DejaVuSans-Bold.ttf", (4, 2, 14, 12)), (150, 156, 170))
    g.flat(g.text("S", "DejaVuSans-Bold.ttf", (2, 0, 12, 10)), NAVY[1])
    g.add_halo()


def g_shadow_depth(g):
    for i, c in enumerate(((200, 204, 212), (152, 158, 170), (104, 110, 124))):
        o = 3 - i
        g.flat(g.rect(1 + 2 * o, 1 + o, 11 + 2 * o, 8 + o, r=1), c)
    g.paint(g.rect(1, 0, 11, 8, r=1), BLUE)


def g_bold(g):
    g.flat(g.text("B", "DejaVuSans-Bold.ttf", (3, 2, 13, 14)), INK)
    g.add_halo()


def g_italic(g):
    g.flat(g.text("I", "DejaVuSerif-Italic.ttf", (4, 2, 12, 14)), INK)
    g.add_halo()


def g_underline(g):
    g.flat(g.text("U", "DejaVuSans.ttf", (3, 1, 13, 12)), INK)
    g.flat(g.rect(2, 14, 14, 15), INK)
    g.add_halo()


def g_align(g, how):
    for i, y in enumerate((2, 5, 8, 11, 14)):
        w = 14 if i % 2 == 0 else 9
        x0 = {"left": 1, "right": 15 - w, "center": (16 - w) // 2}[how]
        g.flat(g.rect(x0, y, x0 + w, y + 1) if w == 14 or how != "center" else
               g.rect(x0, y, x0 + w + 1, y + 1), INK)
    g.add_halo(55)  # lighter: the gaps between the lines are only two pixels


def g_font_safe(g):
    shield = g.poly([(8, 0), (15, 2), (15, 7), (14, 11), (11, 14), (8, 16), (5, 14), (2, 11), (1, 7), (1, 2)])
    g.paint(shield, GREEN)
    tick = g.line([(4.2, 8), (7, 11), (12, 4.5)], 2.2)
    g.flat(tick, (255, 255, 255))


def g_font_low(g):
    g.paint(g.poly([(8, 0), (16, 15.5), (0, 15.5)]), ((255, 200, 110), (226, 70, 24), (104, 24, 6)))
    g.flat(g.rect(7, 5, 9, 11), (255, 255, 255))
    g.flat(g.rect(7, 12, 9, 14), (255, 255, 255))


def g_set_background(g):
    frame = g.rect(0, 2, 16, 14)
    g.paint(frame, PAPER, bevel=False)
    g.paint(g.rect(2, 4, 14, 12), ((170, 214, 250), (80, 150, 220), (40, 70, 110)), bevel=False, vertical=True)
    hill = g.poly([(3, 12), (7, 7), (10, 10), (11, 9), (13, 11), (13, 12)])
    g.flat(hill, (60, 150, 50))
    g.flat(g.ellipse(9, 5, 12, 8), (255, 220, 60))


def g_wizard(g):
    wand = g.line([(2, 14), (11, 5)], 3.2)
    g.paint(wand, ((90, 96, 110), (20, 22, 30), (8, 8, 12)), bevel=False)
    tip = g.line([(9.6, 6.4), (11.2, 4.8)], 3.2)
    g.flat(tip, (250, 250, 255))
    for cx, cy, r in ((13, 3, 3), (6, 3, 1.6), (13.5, 10, 1.6)):
        star = g.poly([(cx, cy - r), (cx + r * 0.3, cy - r * 0.3), (cx + r, cy), (cx + r * 0.3, cy + r * 0.3),
                       (cx, cy + r), (cx - r * 0.3, cy + r * 0.3), (cx - r, cy), (cx - r * 0.3, cy - r * 0.3)])
        g.flat(star, (255, 208, 40))
    g.add_halo(80)


GLYPHS = {
    "new": g_new, "open": g_open, "save": g_save,
    "undo": g_undo, "redo": None,
    "cut": g_cut, "copy": g_copy, "paste": g_paste,
    "add_button": g_add_button, "delete_button": g_delete_button,
    "move_up": lambda g: g_move(g, True), "move_down": lambda g: g_move(g, False),
    "autorun": g_autorun, "animate": g_animate, "help": g_help,
    "previous": lambda g: g_prevnext(g, True), "next": lambda g: g_prevnext(g, False),
    "font_color": g_font_color, "shadow_color": g_shadow_color, "shadow_depth": g_shadow_depth,
    "bold": g_bold, "italic": g_italic, "underline": g_underline,
    "align_left": lambda g: g_align(g, "left"), "align_center": lambda g: g_align(g, "center"),
    "align_right": lambda g: g_align(g, "right"),
    "font_safe": g_font_safe, "font_low": g_font_low,
    "set_background": g_set_background, "wizard": g_wizard,
}

# Their rows 12-15 are painted over by the editor's colour strip.
STRIP_GLYPHS = ("font_color", "shadow_color", "shadow_depth")


def draw_glyph(name, scale):
    if name == "redo":
        return mirror(draw_glyph("undo", scale))
    g = Glyph(scale)
    GLYPHS[name](g)
    img = g.result()
    if name in STRIP_GLYPHS:
        img.paste((0, 0, 0, 0), (0, round(12 * scale), round(16 * scale), round(16 * scale)))
    return img


# The main tool bar's buttons, left to right, as the editor's tool bar table has them.
TOOLBAR = ("new", "open", "save", "undo", "redo", "cut", "copy", "paste", "add_button", "delete_button",
           "move_up", "move_down", "autorun", "animate", "help")
TOOLBAR_SIZES = (16, 20, 24, 28, 32)


def toolbar_strip(size):
    strip = Image.new("RGBA", (size * len(TOOLBAR), size), (0, 0, 0, 0))
    for i, name in enumerate(TOOLBAR):
        strip.paste(draw_glyph(name, size / 16), (i * size, 0))
    return strip


def bar_template(scale):
    """Cylinder lit from the upper left: brightest at columns 5-6, darker at the sides."""
    n = 16 * scale
    img = Image.new("RGBA", (n, n), (0, 0, 0, 0))
    px = img.load()
    for X in range(3 * scale, 13 * scale):
        x = (X + 0.5) / scale  # column centre in units
        t = (x - 8.0) / 5.0  # -1 .. 1 across columns 3..12
        nz = math.sqrt(max(0.0, 1 - t * t))
        diffuse = max(0.0, -0.45 * t + 0.893 * nz)  # the normal faces the light at column 5.75
        specular = diffuse ** 12
        v = 0.30 + 0.56 * diffuse + 0.14 * specular
        b = max(0, min(255, int(v * 255)))
        for y in range(n):
            px[X, y] = (b, b, b, 255)
    return img


# ---------------------------------------------------------------- palette frames

def palette_glyph(scale, is_open, pressed):
    g = Glyph(scale, 17, 13)
    face = ((206, 226, 250), (92, 140, 204), (8, 26, 62))
    if pressed:
        face = ((74, 114, 176), (150, 186, 230), (8, 26, 62))
    g.paint(g.rect(1, 0, 16, 13, r=3), face, vertical=True, bevel=not pressed)
    if pressed:
        # Pushed in: a dark inner edge at the top and left.
        inner = g.erode(g.rect(1, 0, 16, 13, r=3)[0], 1)
        edge = ImageChops.subtract(inner, g.shift(inner, 1, 1))
        g.flat(edge, (30, 58, 110), alpha=200)
    d = 1 if pressed else 0
    cy = 6.5 + d
    cx = 8.5 + d
    if is_open:  # up chevron: collapse
        pts = [(cx - 4, cy + 2), (cx, cy - 2), (cx + 4, cy + 2)]
    else:  # down chevron: expand
        pts = [(cx - 4, cy - 2), (cx, cy + 2), (cx + 4, cy - 2)]
    shadow = g.line([(x + 0.6, y + 0.6) for x, y in pts], 2.4)
    g.flat(shadow, (10, 30, 70), alpha=150)
    g.flat(g.line(pts, 2.2), (255, 255, 255))
    return g.result()


def palette_strip(scale):
    strip = Image.new("RGBA", (68 * scale, 13 * scale), (0, 0, 0, 0))
    for s in (0, 1):
        for p in (0, 1):
            strip.paste(palette_glyph(scale, s == 1, p == 1), ((34 * s + 17 * p) * scale, 0))
    return strip


def palette_title(scale):
    w, h = 221 * scale, 21 * scale
    img = Image.new("RGB", (w, h))
    d = ImageDraw.Draw(img)
    stops = [(0.0, (70, 132, 200)), (0.48, (34, 96, 166)), (0.52, (24, 82, 152)), (1.0, (18, 62, 124))]
    for y in range(h):
        t = (y + 0.5) / h
        for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
            if t0 <= t <= t1:
                c = lerp(c0, c1, (t - t0) / (t1 - t0))
                break
        d.line((0, y, w, y), fill=c)
    d.rectangle((0, 0, w, scale - 1), fill=(150, 194, 238))
    d.rectangle((0, h - scale, w, h), fill=(10, 34, 78))
    return img


# ---------------------------------------------------------------- display-position screen

SCREEN_W, SCREEN_H = 190, 130
DESKTOP = (58, 110, 165)
# The visible desktop inside the bezel: left, top, right, bottom (exclusive).
DESK = (13, 10, 178, 104)


def screen_positions():
    x0, y0, x1, y1 = DESK
    m = 11  # radio centre to desktop edge
    left, right, top, bottom = x0 + m, x1 - 1 - m, y0 + m, y1 - 1 - m - 5  # keep clear of the taskbar
    cx, cy = (x0 + x1 - 1) // 2, (y0 + y1 - 1 - 5) // 2
    midl, midr = (left + cx) // 2, (right + cx + 1) // 2
    upper, lower = (top + cy) // 2, (bottom + cy + 1) // 2
    return {
        0: (cx, cy), 1: (left, top), 2: (right, top), 3: (left, bottom), 4: (right, bottom),
        5: (midl, upper), 6: (midr, upper), 7: (midl, lower), 8: (midr, lower),
        9: (left, upper), 10: (right, upper),
    }


NAMES = ["Middle of Screen", "Top Left Corner", "Top Right Corner", "Bottom Left Corner",
         "Bottom Right Corner", "Middle Top Left", "Middle Top Right", "Middle Bottom Left",
         "Middle Bottom Right", "Upper Middle Left", "Upper Middle Right"]


def draw_screen(out):
    S = 4
    W, H = SCREEN_W * S, SCREEN_H * S
    img = Image.new("RGBA", (W, H), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    # Stand: neck and foot.
    d.polygon([(80 * S, 108 * S), (110 * S, 108 * S), (114 * S, 122 * S), (76 * S, 122 * S)],
              fill=(120, 128, 142), outline=(52, 58, 70), width=S)
    d.rounded_rectangle((52 * S, 120 * S, 138 * S, 128 * S), 3 * S, fill=(150, 158, 172),
                        outline=(52, 58, 70), width=S)
    d.line((56 * S, 121.5 * S, 134 * S, 121.5 * S), fill=(206, 212, 222), width=S)
    # Bezel: light from the top left.
    bezel = Image.new("RGBA", (W, H), (0, 0, 0, 0))
    bp = bezel.load()
    for y in range(H):
        for x in range(W):
            t = (x / W) * 0.35 + (y / H) * 0.65
            c = lerp((214, 220, 230), (132, 140, 156), t)
            bp[x, y] = c + (255,)
    mask = Image.new("L", (W, H), 0)
    ImageDraw.Draw(mask).rounded_rectangle((2 * S, 1 * S, 188 * S - 1, 112 * S - 1), 7 * S, fill=255)
    img.paste(bezel, (0, 0), mask)
    d = ImageDraw.Draw(img)
    d.rounded_rectangle((2 * S, 1 * S, 188 * S - 1, 112 * S - 1), 7 * S, outline=(52, 58, 70), width=S)
    d.rounded_rectangle((3 * S, 2 * S, 187 * S - 1, 111 * S - 1), 6 * S, outline=(240, 244, 250), width=S)
    # Power light.
    d.ellipse((170 * S, 105 * S, 174 * S, 109 * S), fill=(90, 210, 90), outline=(40, 90, 40), width=S // 2)
    img = img.resize((SCREEN_W, SCREEN_H), Image.BOX)

    # The desktop is pasted after downsampling so it stays one exact colour.
    x0, y0, x1, y1 = DESK
    d = ImageDraw.Draw(img)
    d.rectangle((x0 - 1, y0 - 1, x1, y1), fill=(44, 50, 62))  # inner frame
    d.rectangle((x0, y0, x1 - 1, y1 - 1), fill=DESKTOP + (255,))
    # A taskbar along the bottom, clear of every radio button.
    d.rectangle((x0, y1 - 5, x1 - 1, y1 - 1), fill=(34, 66, 112, 255))
    d.line((x0, y1 - 5, x1 - 1, y1 - 5), fill=(96, 140, 196, 255))
    d.rectangle((x0 + 1, y1 - 4, x0 + 12, y1 - 2), fill=(70, 160, 70, 255))

    pos = screen_positions()
    for code, (x, y) in pos.items():
        for yy in range(y - 6, y + 7):
            for xx in range(x - 6, x + 7):
                assert img.getpixel((xx, yy))[:3] == DESKTOP, (code, xx, yy)
    img.save(os.path.join(out, "screen.png"), optimize=True)

    data = {
        "picture": "screen.png",
        "size": [SCREEN_W, SCREEN_H],
        "radio_size": 13,
        "positions": [
            {"code": c, "name": NAMES[c], "x": pos[c][0], "y": pos[c][1],
             "color": list(img.getpixel(pos[c])[:3])}
            for c in range(11)
        ],
    }
    # One position a line keeps the file easy to read and to diff.
    rows = [json.dumps(p) for p in data.pop("positions")]
    head = json.dumps(data)[:-1]
    with open(os.path.join(out, "screen_positions.json"), "w", encoding="ascii") as f:
        f.write(head + ',\n "positions": [\n  ' + ",\n  ".join(rows) + "\n ]\n}\n")


def save(img, out, name):
    img.save(os.path.join(out, name), optimize=True)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    os.makedirs(out, exist_ok=True)
    only = sys.argv[2:]  # optional glyph names, for quick redraws while drawing
    for name in GLYPHS:
        if only and name not in only:
            continue
        save(draw_glyph(name, 1), out, name + ".png")
        save(draw_glyph(name, 2), out, name + "@2x.png")
    if only:
        return
    for size in TOOLBAR_SIZES:
        save(toolbar_strip(size), out, "toolbar_%d.png" % size)
    save(bar_template(1), out, "bar_template.png")
    save(palette_strip(1), out, "palette_glyphs.png")
    save(palette_strip(2), out, "palette_glyphs@2x.png")
    save(palette_title(1), out, "palette_title.png")
    save(palette_title(2), out, "palette_title@2x.png")
    draw_screen(out)


if __name__ == "__main__":
    main()
