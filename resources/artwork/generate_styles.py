#!/usr/bin/env python3
"""Draws the 18 built-in menu style pictures and the 7 photo-style masks.

Usage: python3 generate_styles.py [outdir]
Writes style_NN.png (NN = 00..17) and mask_NN.png (NN = 11..17), 136 x 194
RGB, into outdir (default: ../styles next to this file). Output is fully
deterministic: the same Pillow build gives byte-identical files.

Everything green-dominant (G > R and G > B) is a key pixel that the editor
recolours to the menu colour, so tintable artwork is drawn in greens and
neutral parts in greys, whites and blacks.
"""

import math
import os
import random
import sys

from PIL import Image, ImageChops, ImageDraw

W, H = 136, 194
SS = 4  # supersampling factor for free-form shapes

NAMES = [
    "Professional", "Classic Gamer", "Neo-Tribal", "Underground", "Panel Tablet",
    "XP Style", "Blue Ribbon", "Headlines", "Forum", "Vista Style", "Cushion",
    "MyPhoto Smooth", "MyPhoto Sharp", "MyPhoto Bevelled", "MyPhoto Light",
    "MyPhoto Fashion", "MyPhoto Frames", "My Background",
]

_P0 = [(0, 153, 255), (204, 153, 51), (133, 85, 191), (101, 206, 101), (206, 101, 101)]
PRESETS = [
    _P0,
    [(255, 168, 80), (199, 199, 105), (188, 181, 134), (148, 181, 174), (124, 181, 198)],
    [(168, 148, 43), (132, 165, 62), (53, 146, 168), (131, 131, 97), (149, 119, 91)],
    [(255, 203, 58), (210, 190, 58), (101, 208, 255), (198, 255, 69), (180, 12, 255)],
    [(146, 73, 73), (85, 57, 150), (84, 123, 85), (117, 117, 58), (0, 117, 175)],
    [(0, 84, 173), (68, 122, 67), (150, 107, 0), (76, 60, 121), (131, 63, 63)],
    [(82, 164, 214), (75, 179, 154), (76, 60, 121), (232, 137, 58), (135, 67, 89)],
    [(144, 197, 227), (102, 102, 204), (109, 202, 126), (107, 111, 62), (131, 63, 63)],
    [(255, 121, 75), (131, 63, 63), (32, 125, 192), (67, 202, 188), (0, 153, 0)],
    [(149, 224, 255), (0, 0, 0), (9, 143, 154), (255, 192, 255), (255, 204, 0)],
    [(226, 221, 49), (132, 117, 159), (119, 153, 120), (92, 145, 195), (218, 128, 62)],
] + [_P0] * 7

# Title, menu text and caption shadow switches (depth 2 / 1 / 1 when on).
SHADOWS = [
    (1, 0, 0), (0, 0, 0), (0, 0, 0), (0, 0, 0), (1, 0, 1), (1, 0, 0), (0, 0, 0),
    (1, 1, 1), (1, 1, 1), (0, 0, 0), (1, 1, 1), (1, 0, 0), (1, 0, 0), (1, 1, 0),
    (0, 0, 0), (0, 0, 0), (1, 0, 0), (0, 0, 0),
]

# Stretched bands: (box, axis). axis "x": every column identical, "y": every row.
STRETCH = [
    ((64, 0, 72, 76), "x"),
    ((33, 76, 46, 162), "x"), ((0, 117, 79, 129), "y"),
    ((103, 76, 112, 162), "x"),
    ((79, 92, 136, 124), "y"), ((79, 124, 136, 140), "y"), ((79, 140, 136, 146), "y"),
] + [((a + 11, 162, a + 21, 194), "x") for a in (0, 32, 64)] \
  + [((a, 173, a + 32, 183), "y") for a in (0, 32, 64)]

GLYPH_SPOT = (114, 5)  # where the menu shows the window controls, in sheet terms


# ---------------------------------------------------------------- colours

def c8(v):
    return 0 if v < 0 else 255 if v > 255 else int(v + 0.5)


def mix(a, b, t):
    return tuple(c8(a[i] + (b[i] - a[i]) * t) for i in range(3))


def K(v, c):
    """Key colour: green carries the lightness v, c is how far red/blue sit below."""
    c = min(c, v - 1) if v > 0 else 0
    return (c8(v - c), c8(v), c8(v - c))


def G(v):
    return (v, v, v)


def ramp(stops, t):
    """stops: [(t, colour), ...] ascending; t clamped."""
    if t <= stops[0][0]:
        return stops[0][1]
    for (t0, a), (t1, b) in zip(stops, stops[1:]):
        if t <= t1:
            return mix(a, b, (t - t0) / (t1 - t0) if t1 > t0 else 1)
    return stops[-1][1]


def sat(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def smooth(e0, e1, x):
    t = sat((x - e0) / (e1 - e0))
    return t * t * (3 - 2 * t)


# ---------------------------------------------------------------- geometry

def sd_box(px, py, box, r=0):
    """Signed distance to a rounded box (negative inside). r: radius or (tl, tr, br, bl)."""
    x0, y0, x1, y1 = box
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    if isinstance(r, tuple):
        rr = (r[0] if py < cy else r[3]) if px < cx else (r[1] if py < cy else r[2])
    else:
        rr = r
    qx = abs(px - cx) - ((x1 - x0) / 2 - rr)
    qy = abs(py - cy) - ((y1 - y0) / 2 - rr)
    return math.hypot(max(qx, 0), max(qy, 0)) + min(max(qx, qy), 0) - rr


def box_normal(px, py, box, r=0):
    e = 0.25
    nx = sd_box(px + e, py, box, r) - sd_box(px - e, py, box, r)
    ny = sd_box(px, py + e, box, r) - sd_box(px, py - e, box, r)
    n = math.hypot(nx, ny) or 1.0
    return nx / n, ny / n


def cov(d):
    return sat(0.5 - d)


def bez(p0, p1, p2, p3, n=40):
    pts = []
    for i in range(n + 1):
        t = i / n
        u = 1 - t
        pts.append((u * u * u * p0[0] + 3 * u * u * t * p1[0] + 3 * u * t * t * p2[0] + t * t * t * p3[0],
                    u * u * u * p0[1] + 3 * u * u * t * p1[1] + 3 * u * t * t * p2[1] + t * t * t * p3[1]))
    return pts


def path(*segs):
    """Joins bezier segments given as 4-point tuples into one point list."""
    pts = []
    for s in segs:
        p = bez(*s)
        pts.extend(p if not pts else p[1:])
    return pts


# ---------------------------------------------------------------- masks

def ss_mask(fn):
    big = Image.new("L", (W * SS, H * SS), 0)
    fn(ImageDraw.Draw(big), SS)
    return big.resize((W, H), Image.BOX)


def m_poly(pts):
    return ss_mask(lambda d, s: d.polygon([(x * s, y * s) for x, y in pts], fill=255))


def m_ellipse(box):
    x0, y0, x1, y1 = box
    return ss_mask(lambda d, s: d.ellipse([x0 * s, y0 * s, x1 * s - 1, y1 * s - 1], fill=255))


def m_stroke(pts, width):
    def fn(d, s):
        sp = [(x * s, y * s) for x, y in pts]
        d.line(sp, fill=255, width=max(1, int(width * s + 0.5)), joint="curve")
        r = width * s / 2
        for x, y in (sp[0], sp[-1]):
            d.ellipse([x - r, y - r, x + r, y + r], fill=255)
    return ss_mask(fn)


def m_blade(pts, wfun):
    """A filled stroke whose width follows wfun(t), t from 0 at the root to 1 at the tip."""
    n = len(pts)
    left, right = [], []
    for i, (x, y) in enumerate(pts):
        xa, ya = pts[max(i - 1, 0)]
        xb, yb = pts[min(i + 1, n - 1)]
        tx, ty = xb - xa, yb - ya
        ln = math.hypot(tx, ty) or 1.0
        nx, ny = -ty / ln, tx / ln
        w = wfun(i / (n - 1)) / 2
        left.append((x + nx * w, y + ny * w))
        right.append((x - nx * w, y - ny * w))
    return m_poly(left + right[::-1])


def tip(w0, p=1.0):
    return lambda t: w0 * (1 - t) ** p


def m_rect(box):
    m = Image.new("L", (W, H), 0)
    m.paste(255, box)
    return m


def m_clip(m, box):
    return ImageChops.multiply(m, m_rect(box))


def m_sub(a, b):
    return ImageChops.subtract(a, b)


def m_mul(a, b):
    return ImageChops.multiply(a, b)


def m_scale(m, k):
    return m.point(lambda v: c8(v * k))


def m_shift(m, dx, dy):
    """Moves a mask; what leaves the sheet is dropped, nothing wraps round."""
    out = Image.new("L", (W, H), 0)
    out.paste(m, (dx, dy))
    return out


# ---------------------------------------------------------------- canvas

class Canvas:
    def __init__(self, bg=(255, 255, 255)):
        self.im = Image.new("RGB", (W, H), bg)
        self.px = self.im.load()

    def paint(self, src, mask=None, box=None):
        """src: colour, or an Image the size of the sheet, or fn(x, y) -> colour."""
        if callable(src):
            src = self.field(src, box)
        elif not isinstance(src, Image.Image):
            src = Image.new("RGB", (W, H), tuple(src))
        if box is not None and mask is None:
            mask = m_rect(box)
        elif box is not None:
            mask = m_clip(mask, box)
        self.im.paste(src, (0, 0), mask)

    @staticmethod
    def field(fn, box=None):
        im = Image.new("RGB", (W, H), (0, 0, 0))
        px = im.load()
        x0, y0, x1, y1 = box or (0, 0, W, H)
        for y in range(y0, y1):
            for x in range(x0, x1):
                px[x, y] = fn(x + 0.5, y + 0.5)
        return im

    def blend(self, x, y, c, a):
        if a <= 0:
            return
        if a >= 1:
            self.px[x, y] = tuple(c)
        else:
            self.px[x, y] = mix(self.px[x, y], c, a)

    def shade(self, box, fn):
        """fn(px, py) -> (colour, alpha) or None, for pixel centres inside box."""
        x0, y0, x1, y1 = box
        for y in range(max(0, y0), min(H, y1)):
            for x in range(max(0, x0), min(W, x1)):
                r = fn(x + 0.5, y + 0.5)
                if r:
                    self.blend(x, y, r[0], r[1])

    def rbox(self, box, r, fill, border=None, bw=1.0, alpha=1.0, clip=None):
        """Anti-aliased rounded box. fill / border: colour or fn(px, py, d) -> colour."""
        x0, y0, x1, y1 = box
        area = clip or (int(x0) - 1, int(y0) - 1, int(math.ceil(x1)) + 1, int(math.ceil(y1)) + 1)

        def fn(px, py):
            d = sd_box(px, py, box, r)
            a = cov(d)
            if a <= 0:
                return None
            if border is None:
                col = fill(px, py, d) if callable(fill) else fill
                return col, a * alpha
            inner = cov(d + bw)
            fc = None
            if inner > 0 and fill is not None:
                fc = fill(px, py, d) if callable(fill) else fill
            bc = border(px, py, d) if callable(border) else border
            if fc is None:
                return bc, (a - inner) * alpha
            return mix(bc, fc, inner / a), a * alpha
        self.shade(area, fn)

    def crop(self, box):
        return self.im.crop(box)


def vgrad(stops, y0, y1):
    return lambda px, py, *_: ramp(stops, (py - y0) / (y1 - y0))


def hgrad(stops, x0, x1):
    return lambda px, py, *_: ramp(stops, (px - x0) / (x1 - x0))


# ---------------------------------------------------------------- shared pieces

def face_rows(top, mid, bottom):
    """Vertical profile of a 32 x 32 button face that survives the nine-slice
    cut: rows 173..182 are stretched, so they hold one colour (mid)."""
    def fn(py):
        y = py - 162
        if y < 11:
            return ramp(top, y / 11)
        if y < 21:
            return mid
        return ramp(bottom, (y - 21) / 11)
    return fn


def face_box(a, inset=0.0):
    return (a + inset, 162 + inset, a + 32 - inset, 194 - inset)


def glyph_base(cv):
    """The three window-control glyph cells start as the title band behind them."""
    gx, gy = GLYPH_SPOT
    bg = cv.crop((gx, gy, gx + 17, gy + 9))
    for i in range(3):
        cv.im.paste(bg, (96, 162 + 9 * i))


def glyph_pair(cv, state, box_fill, box_border, sym, close_fill=None, close_border=None,
               close_sym=None, r=1.5, shape="rect"):
    """Minimise and close buttons, 8 x 8 each, for one state (0, 1, 2); the
    symbols are placed on whole pixels so they stay crisp at this size."""
    y = 162 + 9 * state
    boxes = [(96, y, 104, y + 8), (105, y, 113, y + 8)]
    fills = [box_fill, close_fill or box_fill]
    borders = [box_border, close_border or box_border]
    syms = [sym, close_sym or sym]
    for i, b in enumerate(boxes):
        cv.rbox(b, 4 if shape == "round" else r, fills[i], borders[i])
    for x in range(98, 102):
        cv.blend(x, y + 5, syms[0], 1)
        cv.blend(x, y + 4, syms[0], 0.3)
    for i in range(4):
        cv.blend(107 + i, y + 2 + i, syms[1], 1)
        cv.blend(110 - i, y + 2 + i, syms[1], 1)


LIGHT = (-0.6, -0.8)  # light from the top left


def lit(base, width, hi, lo, box, r, amount=1.0):
    """Bevel shading for rbox fills: surfaces facing the light move toward hi,
    the others toward lo, within width pixels of the edge."""
    def fn(px, py, d):
        b = base(px, py, d) if callable(base) else base
        depth = -d
        if depth >= width:
            return b
        nx, ny = box_normal(px, py, box, r)
        k = nx * LIGHT[0] + ny * LIGHT[1]
        return mix(b, hi, k * amount) if k > 0 else mix(b, lo, -k * amount)
    return fn


def puffy(centre, edge, falloff, box, r, hi=None, lo=None, amount=0.6):
    """Cushion shading: edge colour rolling into the centre colour, lit from the top left."""
    def fn(px, py, d):
        depth = -d
        t = smooth(0, falloff, depth)
        c = mix(edge, centre, t)
        if hi is not None and depth < falloff:
            nx, ny = box_normal(px, py, box, r)
            k = (nx * LIGHT[0] + ny * LIGHT[1]) * (1 - t) * amount
            c = mix(c, hi, k) if k > 0 else mix(c, lo, -k)
        return c
    return fn


def grit(cv, box, amount, along=None):
    """Adds grain to the neutral pixels. along="x" (or "y") keeps it uniform
    along that axis, for bands the menu stretches."""
    x0, y0, x1, y1 = box
    rows = {}
    for y in range(y0, y1):
        for x in range(x0, x1):
            if along in ("x", "y"):
                k = y if along == "x" else x
                if k not in rows:
                    rows[k] = (random.random() - 0.5) * 2 * amount
                n = rows[k]
            else:
                n = (random.random() - 0.5) * 2 * amount
            r, g, b = cv.px[x, y]
            if g > r and g > b:
                continue
            cv.px[x, y] = (c8(r + n), c8(g + n), c8(b + n))


def soft_shadow(cv, box, r, dx=0, dy=2, spread=4.0, colour=(0, 0, 0), strength=0.3):
    x0, y0, x1, y1 = box
    sb = (x0 + dx, y0 + dy, x1 + dx, y1 + dy)

    def fn(px, py):
        d = sd_box(px, py, sb, r)
        a = strength * (1 - smooth(-1.0, spread, d))
        return (colour, a) if a > 0.003 else None
    cv.shade((int(x0 + dx - spread - 1), int(y0 + dy - spread - 1),
              int(x1 + dx + spread + 2), int(y1 + dy + spread + 2)), fn)


def rivet(cv, x, y, r=1.6, light=G(200), dark=G(30), body=G(120)):
    cv.rbox((x - r - 0.4, y - r + 0.2, x + r + 0.4, y + r + 0.8), r, dark, alpha=0.6)
    cv.rbox((x - r, y - r, x + r, y + r), r,
            lambda px, py, d: mix(light, body, sat((px - x + py - y) / (2 * r) + 0.5)))


def y_at(pts, x):
    """y of a left-to-right point list at x, linearly interpolated, clamped at the ends."""
    if x <= pts[0][0]:
        return pts[0][1]
    for (xa, ya), (xb, yb) in zip(pts, pts[1:]):
        if x <= xb:
            return ya + (yb - ya) * ((x - xa) / (xb - xa) if xb > xa else 1)
    return pts[-1][1]


def ribbon(cv, top, bottom, stops, shadow=None):
    """Fills the band between two left-to-right edges, shaded across its width."""
    m = m_poly(top + bottom[::-1])
    if shadow:
        cv.paint(G(0), m_scale(m_shift(m, shadow[0], shadow[1]), shadow[2]))

    def col(px, py):
        yt, yb = y_at(top, px), y_at(bottom, px)
        return ramp(stops, (py - yt) / (yb - yt) if yb != yt else 0)
    cv.paint(col, m)
    return m


def face_ground(cv, colour):
    """Button faces are opaque rectangles: their corners show the column behind them."""
    cv.paint(colour, box=(0, 162, 96, 194))


def flatten(im, box, axis):
    """Makes a stretched band exactly uniform by repeating its middle column or row."""
    x0, y0, x1, y1 = box
    if axis == "x":
        xm = (x0 + x1) // 2
        ref = im.crop((xm, y0, xm + 1, y1))
        for x in range(x0, x1):
            im.paste(ref, (x, y0))
    else:
        ym = (y0 + y1) // 2
        ref = im.crop((x0, ym, x1, ym + 1))
        for y in range(y0, y1):
            im.paste(ref, (x0, y))


def unevenness(im, box, axis):
    """Largest channel difference inside a band along its stretch direction."""
    px = im.load()
    x0, y0, x1, y1 = box
    worst = 0
    if axis == "x":
        for y in range(y0, y1):
            ref = px[x0, y]
            for x in range(x0 + 1, x1):
                worst = max(worst, max(abs(a - b) for a, b in zip(px[x, y], ref)))
    else:
        for x in range(x0, x1):
            ref = px[x, y0]
            for y in range(y0 + 1, y1):
                worst = max(worst, max(abs(a - b) for a, b in zip(px[x, y], ref)))
    return worst


def finish(pos, art, mask, colours):
    """Fills the spare corner, makes stretched bands exact and writes the markers."""
    im = art.im
    spare = (255, 255, 255)
    im.paste(spare, (113, 162, 136, 194))
    im.paste(spare, (96, 189, 113, 194))
    images = [im] + ([mask.im] if mask else [])
    for band, axis in STRETCH:
        for m in images:
            flatten(m, band, axis)
    px = im.load()
    for i, c in enumerate(PRESETS[pos]):
        px[98 + 4 * i, 191] = c
    on, off = (255, 0, 0), (0, 0, 0)
    px[115, 176] = on if pos >= 11 else off
    for j, y in enumerate((164, 168, 172)):
        px[123, y] = on if SHADOWS[pos][j] else off
    tc = colours
    px[115, 164], px[115, 168], px[115, 172] = tc["title"], tc["text"], tc["caption"]
    px[119, 164], px[119, 168], px[119, 172] = tc["title_sh"], tc["text_sh"], tc["caption_sh"]
    if mask:
        mask.im.paste((0, 0, 0), (96, 162, 136, 194))
        g = mask.im.convert("L")
        mask.im = Image.merge("RGB", (g, g, g))
    return im, (mask.im if mask else None)


# ================================================================= styles

def style_professional():
    cv = Canvas()
    # Title: a glossy corporate bar with a thin accent rule below it.
    bar = [(0, K(196, 62)), (0.36, K(162, 64)), (0.37, K(134, 62)), (1, K(96, 52))]
    cv.paint(vgrad(bar, 0, 58), box=(0, 0, W, 58))
    cv.paint(K(214, 40), box=(0, 58, W, 60))
    cv.paint(vgrad([(0, G(214)), (1, G(255))], 60, 66), box=(0, 60, W, 66))
    cv.paint(K(150, 60), box=(0, 68, W, 70))
    # Swooshes at both ends of the bar, faded out before the stretch column.
    fade_l = m_rect((0, 0, 60, 58))
    sw = m_sub(m_ellipse((-70, 10, 58, 110)), m_ellipse((-62, 18, 50, 104)))
    cv.paint(K(220, 48), m_scale(m_mul(sw, fade_l), 0.45))
    sw2 = m_sub(m_ellipse((-90, 22, 46, 130)), m_ellipse((-84, 27, 40, 126)))
    cv.paint(K(220, 48), m_scale(m_mul(sw2, fade_l), 0.3))
    fade_r = m_rect((76, 0, W, 58))
    for i, (a, k) in enumerate(((0.55, 0), (0.35, 9), (0.22, 18))):
        arc = m_sub(m_ellipse((92 + k, -40 + k, 190 - k, 70 - k)), m_ellipse((95 + k, -37 + k, 187 - k, 67 - k)))
        cv.paint(K(226, 44), m_scale(m_mul(arc, fade_r), a))
    # Text panel: white card with a key accent strip and a soft shadow.
    card = (8, 84, 70, 154)
    cv.rbox((card[0] + 1, card[1] + 2, card[2] + 2, card[3] + 2), 7, G(226))
    cv.rbox(card, 6, G(255), G(206))
    cv.rbox((card[0], card[1], card[2], card[1] + 4), (6, 6, 0, 0), K(150, 60))
    # Button column: a pale tinted rail with a matching accent strip.
    rail = (84, 84, 128, 154)
    cv.rbox((rail[0] + 1, rail[1] + 2, rail[2] + 2, rail[3] + 2), 7, G(226))
    cv.rbox(rail, 6, K(242, 14), K(196, 36))
    cv.rbox((rail[0], rail[1], rail[2], rail[1] + 4), (6, 6, 0, 0), K(150, 60))
    # Buttons.
    face_ground(cv, K(242, 14))
    for s in range(3):
        a = 32 * s
        if s == 0:
            rows = face_rows([(0, K(206, 56)), (1, K(160, 62))], K(150, 62), [(0, K(150, 62)), (1, K(108, 54))])
            edge = K(92, 46)
        elif s == 1:
            rows = face_rows([(0, K(238, 40)), (1, K(196, 60))], K(186, 62), [(0, K(186, 62)), (1, K(140, 60))])
            edge = K(120, 52)
        else:
            rows = face_rows([(0, K(86, 44)), (0.4, K(112, 52)), (1, K(124, 56))], K(126, 56),
                             [(0, K(126, 56)), (1, K(142, 58))])
            edge = K(70, 40)
        fb = face_box(a, 1)
        cv.rbox((fb[0] + 0.5, fb[1] + 1, fb[2] + 0.5, fb[3] + 1), 5, G(200), alpha=0.6)
        cv.rbox(fb, 5, lambda px, py, d, f=rows: f(py), edge)
        if s < 2:
            cv.rbox((fb[0] + 1, fb[1] + 1, fb[2] - 1, fb[1] + 2), 0, K(236, 30), alpha=0.7)
    # Window controls.
    glyph_base(cv)
    for s, (f, b) in enumerate(((K(128, 56), K(214, 40)), (K(176, 62), K(236, 30)), (K(90, 46), K(170, 56)))):
        glyph_pair(cv, s, f, b, G(255), close_fill=[(196, 64, 52), (226, 92, 74), (150, 40, 34)][s],
                   close_border=[(236, 170, 160), (250, 200, 190), (200, 120, 110)][s])
    colours = dict(title=G(255), text=K(58, 28), caption=G(255),
                   title_sh=K(40, 24), text_sh=G(200), caption_sh=K(40, 24))
    return cv, None, colours


def style_gamer():
    cv = Canvas(G(20))
    # Title: dark brushed metal over a neon rule.
    cv.paint(vgrad([(0, G(96)), (0.04, G(72)), (0.5, G(46)), (1, G(28))], 0, 60), box=(0, 0, W, 60))
    grit(cv, (0, 0, W, 60), 4, along="x")
    for y in range(2, 58, 2):
        cv.paint(G(0), m_scale(m_rect((0, y, W, y + 1)), 0.16))
    for y in range(46, 59):
        cv.paint(K(150, 80), m_scale(m_rect((0, y, W, y + 1)), 0.14 * (y - 46) / 12))
    cv.paint(G(120), box=(0, 0, W, 1))
    cv.paint(G(12), box=(0, 59, W, 60))
    cv.paint(G(16), box=(0, 60, W, 76))
    for y, c, a in ((61, K(70, 45), 0.6), (62, K(130, 72), 0.8), (63, K(236, 78), 1), (64, K(236, 78), 1),
                    (65, K(130, 72), 0.8), (66, K(70, 45), 0.6), (67, K(40, 26), 0.5)):
        cv.paint(c, m_scale(m_rect((0, y, W, y + 1)), a))
    # Left cap: bolted bracket. Right cap: speed chevrons.
    plate = (3, 7, 14, 55)
    cv.rbox(plate, 2, lit(G(84), 2.2, G(170), G(24), plate, 2), G(8))
    rivet(cv, 8.5, 13, 1.7)
    rivet(cv, 8.5, 49, 1.7)
    for i, a in enumerate((0.35, 0.65, 1.0)):
        x = 84 + 12 * i
        chevron = m_poly([(x, 22), (x + 6, 22), (x + 14, 35), (x + 6, 48), (x, 48), (x + 8, 35)])
        cv.paint(K(212, 84), m_scale(chevron, a))
    # Text panel: a dark screen inside a bolted metal frame.
    frame = (6, 82, 72, 156)
    soft_shadow(cv, frame, 5, 1, 2, 3, strength=0.5)
    cv.rbox(frame, 5, lit(G(78), 5, G(160), G(22), frame, 5), G(8))
    screen = (12, 88, 66, 150)
    cv.rbox(screen, 3, lit(G(14), 3, G(60), G(0), screen, 3, 0.9), G(6))
    for x, y in ((9, 85), (69, 85), (9, 153), (69, 153)):
        rivet(cv, x, y, 1.4)
    # Button column: brushed metal plate with a neon rule.
    plate = (80, 82, 132, 156)
    soft_shadow(cv, plate, 5, 1, 2, 3, strength=0.5)
    cv.rbox(plate, 5, lit(G(44), 4, G(120), G(14), plate, 5), G(8))
    for y, c in ((87, K(130, 72)), (88, K(236, 78)), (89, K(130, 72))):
        cv.paint(c, box=(88, y, 124, y + 1))
    for x, y in ((84, 86), (128, 86), (84, 152), (128, 152)):
        rivet(cv, x, y, 1.4)
    # Buttons: metal rim around a key-coloured core.
    face_ground(cv, G(44))
    for s in range(3):
        a = 32 * s
        rim = face_box(a, 0.5)
        core = face_box(a, 3.5)
        if s == 0:
            rows = face_rows([(0, K(170, 72)), (1, K(118, 68))], K(108, 64), [(0, K(108, 64)), (1, K(70, 48))])
            rc = lit(G(96), 3, G(200), G(30), rim, 4)
        elif s == 1:
            rows = face_rows([(0, K(234, 64)), (1, K(186, 80))], K(172, 80), [(0, K(172, 80)), (1, K(120, 70))])
            rc = lit(G(120), 3, G(230), G(50), rim, 4)
        else:
            rows = face_rows([(0, K(44, 30)), (1, K(72, 46))], K(78, 50), [(0, K(78, 50)), (1, K(96, 58))])
            rc = lit(G(70), 3, G(20), G(150), rim, 4)
        cv.rbox(rim, 4, rc, G(6))
        cv.rbox(core, 2, lambda px, py, d, f=rows: f(py), G(10) if s < 2 else G(0))
        if s < 2:
            cv.paint(K(240, 40), m_scale(m_rect((a + 5, 166, a + 27, 167)), 0.5))
    glyph_base(cv)
    for s, (f, b, y) in enumerate(((G(64), G(150), K(236, 78)), (G(96), G(200), G(255)),
                                   (G(30), G(90), K(150, 72)))):
        glyph_pair(cv, s, f, b, y)
    colours = dict(title=K(242, 52), text=K(224, 70), caption=G(255),
                   title_sh=G(0), text_sh=G(0), caption_sh=G(0))
    return cv, None, colours


def tribal_mask():
    """Tattoo flames licking up from the left title cap's lower corner (mirrored on the right)."""
    blades = [
        (bez((2, 78), (26, 58), (-2, 34), (28, 3), 80), tip(16, 1.1)),
        (bez((15, 78), (40, 62), (18, 38), (52, 16), 80), tip(13, 1.1)),
        (bez((30, 78), (50, 70), (40, 50), (61, 40), 60), tip(9)),
        (bez((9, 52), (-1, 46), (-2, 30), (7, 24), 40), tip(6.5)),
        (bez((27, 50), (21, 44), (22, 34), (30, 32), 40), tip(5)),
    ]
    m = m_blade(*blades[0])
    for b in blades[1:]:
        m = ImageChops.lighter(m, m_blade(*b))
    return m_clip(m, (0, 0, 62, 76))


def corner_hooks(tl, down=28, across=28):
    """Two blades meeting in a corner: a tribal bracket, as a mask (top-left form)."""
    x, y = tl
    a = m_blade(bez((x - 1, y - 1), (x + 6, y - 1), (x + across * 0.6, y), (x + across, y + 1.5), 40), tip(5, 1.2))
    b = m_blade(bez((x - 1, y - 1), (x - 1, y + 6), (x, y + down * 0.6), (x + 1.5, y + down), 40), tip(5, 1.2))
    return ImageChops.lighter(a, b)


def style_tribal():
    cv = Canvas(G(14))
    cv.paint(vgrad([(0, K(40, 18)), (0.7, K(24, 10)), (1, K(18, 8))], 0, 66), box=(0, 0, W, 66))
    cv.paint(K(140, 64), box=(0, 66, W, 67))
    cv.paint(K(70, 36), box=(0, 68, W, 70))
    t = tribal_mask()
    t = ImageChops.lighter(t, t.transpose(Image.FLIP_LEFT_RIGHT))
    edge = m_sub(t, m_shift(t, 1, 1))
    cv.paint(G(4), m_clip(m_scale(m_shift(t, 1, 2), 0.7), (0, 0, W, 76)))
    cv.paint(vgrad([(0, K(176, 70)), (0.6, K(118, 60)), (1, K(76, 44))], 0, 76), t)
    cv.paint(K(226, 50), m_scale(edge, 0.7))
    # Text panel with tattoo hooks on two corners.
    panel = (8, 84, 70, 154)
    cv.rbox(panel, 3, G(20), K(96, 48))
    hooks = corner_hooks((8, 84), 26, 22)
    hooks = ImageChops.lighter(hooks, corner_hooks((8, 154), -26, 22))
    hooks = ImageChops.lighter(hooks, m_shift(hooks.transpose(Image.FLIP_LEFT_RIGHT), 78 - W, 0))
    cv.paint(K(150, 64), hooks)
    # Button column: hooked caps joined by fine rules.
    cv.paint(K(96, 48), box=(84, 84, 128, 85))
    cv.paint(K(96, 48), box=(84, 153, 128, 154))
    cap = ImageChops.lighter(corner_hooks((84, 84), 6, 16), corner_hooks((84, 154), -6, 16))
    cap = ImageChops.lighter(cap, m_shift(cap.transpose(Image.FLIP_LEFT_RIGHT), 212 - W, 0))
    cv.paint(K(150, 64), m_clip(cap, (79, 76, 103, 162)))
    cv.paint(K(150, 64), m_clip(cap, (112, 76, 136, 162)))
    # Buttons: dark stone with a key rim.
    face_ground(cv, G(14))
    for s in range(3):
        a = 32 * s
        fb = face_box(a, 1)
        if s == 0:
            rows = face_rows([(0, K(74, 32)), (1, K(48, 22))], K(42, 20), [(0, K(42, 20)), (1, K(28, 13))])
            rim = K(150, 64)
        elif s == 1:
            rows = face_rows([(0, K(126, 52)), (1, K(88, 42))], K(80, 40), [(0, K(80, 40)), (1, K(56, 28))])
            rim = K(214, 64)
        else:
            rows = face_rows([(0, K(14, 8)), (1, K(26, 12))], K(30, 14), [(0, K(30, 14)), (1, K(38, 18))])
            rim = K(120, 56)
        cv.rbox(fb, 3, lambda px, py, d, f=rows: f(py), rim)
        if s < 2:
            cv.paint(K(200, 60), m_scale(m_rect((a + 4, 164, a + 28, 165)), 0.35))
    glyph_base(cv)
    for s, (f, b, y) in enumerate(((K(30, 14), K(140, 64), K(200, 60)), (K(60, 28), K(214, 64), G(255)),
                                   (K(14, 8), K(110, 52), K(140, 60)))):
        glyph_pair(cv, s, f, b, y)
    colours = dict(title=K(232, 56), text=(232, 226, 212), caption=K(236, 40),
                   title_sh=G(0), text_sh=G(0), caption_sh=G(0))
    return cv, None, colours


def crack(cv, start, steps, seed_dir):
    """A thin dark crack with a light lip, wandering from start."""
    pts = [start]
    x, y = start
    ang = seed_dir
    for _ in range(steps):
        ang += (random.random() - 0.5) * 1.1
        x += math.cos(ang) * 3
        y += math.sin(ang) * 3
        pts.append((x, y))
    cv.paint(G(120), m_scale(m_stroke([(p[0] + 0.6, p[1] + 0.8) for p in pts], 0.7), 0.5))
    cv.paint(G(26), m_scale(m_stroke(pts, 0.8), 0.9))


def style_underground():
    cv = Canvas(G(48))
    # Title: concrete slab over a steel beam.
    cv.paint(vgrad([(0, G(92)), (1, G(64))], 0, 58), box=(0, 0, W, 58))
    grit(cv, (0, 0, W, 58), 5, along="x")
    for box in ((0, 0, 60, 58), (76, 0, W, 58)):
        grit(cv, box, 9)
    random.seed(31)
    crack(cv, (0, 12), 11, 0.35)
    crack(cv, (40, 57), 7, -1.9)
    crack(cv, (135, 40), 12, 3.4)
    crack(cv, (96, 0), 7, 1.3)
    cv.paint(vgrad([(0, G(112)), (0.08, G(66)), (1, G(30))], 58, 76), box=(0, 58, W, 76))
    cv.paint(G(20), box=(0, 75, W, 76))
    cv.paint(vgrad([(0, K(196, 86)), (1, K(150, 80))], 65, 71), box=(0, 65, W, 71))
    # Hazard stripes at both ends of the painted stripe.
    for x0, x1 in ((0, 30), (106, W)):
        pts = []
        for k in range(-1, 5):
            x = x0 + 8 * k
            pts.append(m_poly([(x, 71), (x + 6, 65), (x + 10, 65), (x + 4, 71)]))
        stripes = pts[0]
        for p in pts[1:]:
            stripes = ImageChops.lighter(stripes, p)
        cv.paint(G(22), m_clip(stripes, (x0, 65, x1, 71)))
    for x in (6, 54, 82, 130):
        rivet(cv, x, 61.5, 1.6, G(170), G(10), G(90))
    # Concrete below, with a recessed slab for the text and a pipe beside the buttons.
    grit(cv, (0, 76, 79, 162), 7)
    plate = (86, 82, 130, 156)
    soft_shadow(cv, plate, 2, 1, 2, 3, strength=0.45)
    cv.rbox(plate, 2, lit(G(56), 2, G(120), G(20), plate, 2), G(16))
    for x, y in ((90, 86), (126, 86), (90, 152), (126, 152)):
        rivet(cv, x, y, 1.4, G(170), G(10), G(90))
    slab = (8, 84, 70, 154)
    cv.rbox((slab[0] - 1, slab[1] - 1, slab[2] + 1, slab[3] + 1), 2, G(70))
    cv.rbox(slab, 1.5, lit(G(32), 3, G(12), G(86), slab, 1.5), G(18))
    for x, y in ((13, 89), (65, 89), (13, 149), (65, 149)):
        rivet(cv, x, y, 1.5, G(150), G(8), G(76))
    pipe = (77, 76, 83, 162)
    cv.paint(hgrad([(0, G(40)), (0.3, G(150)), (0.55, G(104)), (1, G(36))], 77, 83), box=pipe)
    for y0 in (80, 150):
        cv.rbox((75, y0, 85, y0 + 6), 1, lit(G(90), 1.5, G(170), G(30), (75, y0, 85, y0 + 6), 1), G(16))
    # Buttons: painted steel plates, bolted.
    face_ground(cv, G(56))
    for s in range(3):
        a = 32 * s
        fb = face_box(a, 0.5)
        if s == 0:
            rows = face_rows([(0, K(214, 70)), (1, K(190, 80))], K(184, 80), [(0, K(184, 80)), (1, K(140, 74))])
        elif s == 1:
            rows = face_rows([(0, K(244, 40)), (1, K(226, 70))], K(220, 74), [(0, K(220, 74)), (1, K(182, 80))])
        else:
            rows = face_rows([(0, K(120, 60)), (1, K(156, 74))], K(162, 76), [(0, K(162, 76)), (1, K(172, 78))])
        base = lambda px, py, d, f=rows: f(py)  # noqa: E731
        cv.rbox(fb, 2, lit(base, 2, K(250, 30), K(80, 50), fb, 2, 0.6) if s < 2 else base, G(16))
        for x, y in ((a + 4.5, 166.5), (a + 27.5, 166.5), (a + 4.5, 189.5), (a + 27.5, 189.5)):
            rivet(cv, x, y, 1.2, G(230), G(40), G(130))
    glyph_base(cv)
    for s, (f, b, y) in enumerate(((G(56), G(120), K(200, 86)), (G(84), G(160), K(240, 70)),
                                   (G(30), G(80), K(150, 80)))):
        glyph_pair(cv, s, f, b, y)
    colours = dict(title=K(240, 74), text=K(226, 50), caption=G(18),
                   title_sh=G(0), text_sh=G(0), caption_sh=G(0))
    return cv, None, colours


def style_tablet():
    cv = Canvas(G(230))
    cv.paint(vgrad([(0, G(240)), (1, G(226))], 0, 76), box=(0, 0, W, 76))
    cv.paint(vgrad([(0, G(226)), (1, G(230))], 76, 80), box=(0, 76, W, 80))
    # Title tablet.
    tb = (6, 15, 130, 69)
    soft_shadow(cv, tb, 14, 0, 3, 5, strength=0.35)
    body = vgrad([(0, K(192, 64)), (0.5, K(152, 66)), (1, K(120, 60))], 15, 69)
    cv.rbox(tb, 14, lit(body, 4, K(240, 36), K(90, 50), tb, 14, 0.7), K(86, 46))
    gloss = (10, 18, 126, 42)
    cv.rbox(gloss, (11, 11, 4, 4), vgrad([(0, K(250, 20)), (1, K(220, 40))], 18, 42), alpha=0.28)
    # Text tablet and button tablet.
    for box, fill, edge in (((8, 82, 70, 154), G(255), G(192)), ((84, 82, 128, 154), K(240, 16), K(186, 40))):
        soft_shadow(cv, box, 12, 0, 2, 4, strength=0.3)
        cv.rbox(box, 12, fill, edge)
    # Buttons: rounded pills.
    face_ground(cv, K(240, 16))
    for s in range(3):
        a = 32 * s
        fb = face_box(a, 1)
        if s == 0:
            rows = face_rows([(0, K(216, 56)), (1, K(176, 64))], K(166, 64), [(0, K(166, 64)), (1, K(128, 60))])
            edge = K(96, 50)
        elif s == 1:
            rows = face_rows([(0, K(240, 34)), (1, K(206, 60))], K(198, 62), [(0, K(198, 62)), (1, K(160, 64))])
            edge = K(120, 56)
        else:
            rows = face_rows([(0, K(104, 54)), (1, K(138, 62))], K(146, 62), [(0, K(146, 62)), (1, K(160, 64))])
            edge = K(80, 46)
        soft_shadow(cv, fb, 10, 0, 1, 1.5, strength=0.25 if s < 2 else 0.1)
        cv.rbox(fb, 10, lambda px, py, d, f=rows: f(py), edge)
        if s < 2:
            cv.rbox((a + 4, 164, a + 28, 171), (6, 6, 2, 2), K(252, 16), alpha=0.3)
    glyph_base(cv)
    for s, (f, b, y) in enumerate(((K(150, 62), K(220, 40), G(255)), (K(190, 60), K(240, 30), G(255)),
                                   (K(110, 54), K(170, 60), G(230)))):
        glyph_pair(cv, s, f, b, y, r=3, shape="round")
    colours = dict(title=G(255), text=K(56, 28), caption=G(255),
                   title_sh=K(46, 30), text_sh=G(200), caption_sh=K(52, 34))
    return cv, None, colours


BEIGE = (236, 233, 216)


def cd_icon(cv, cx, cy, r, hole_fill):
    """A silver disc with a faint tinted sheen."""
    soft_shadow(cv, (cx - r, cy - r, cx + r, cy + r), r, 1, 2, 3, strength=0.35)

    def disc(px, py, d):
        ang = math.atan2(py - cy, px - cx)
        dist = math.hypot(px - cx, py - cy) / r
        v = 0.5 + 0.5 * math.cos(2 * ang + 0.6)
        base = mix(G(176), G(246), v)
        tint = K(c8(196 + 40 * v), 30)
        c = mix(base, tint, 0.35 * math.sin(math.pi * dist) ** 2)
        return c
    cv.rbox((cx - r, cy - r, cx + r, cy + r), r, disc, G(120))
    cv.rbox((cx - r * 0.42, cy - r * 0.42, cx + r * 0.42, cy + r * 0.42), r * 0.42, G(228), G(170))
    cv.rbox((cx - r * 0.18, cy - r * 0.18, cx + r * 0.18, cy + r * 0.18), r * 0.18, hole_fill, G(130))


def style_xp():
    cv = Canvas(BEIGE)
    cv.paint(G(255), box=(0, 0, W, 10))
    bar = [(0, K(240, 40)), (0.05, K(206, 76)), (0.16, K(156, 84)), (0.55, K(160, 84)), (0.84, K(182, 84)),
           (0.94, K(150, 82)), (1, K(108, 66))]
    cv.rbox((0, 0, W, 58), (9, 9, 0, 0), vgrad(bar, 0, 58))
    cv.rbox((1, 1, W - 1, 3), (8, 8, 0, 0), K(244, 24), alpha=0.5)
    # Window frame: key borders down both sides and along the bottom.
    side = [(0, K(110, 66)), (0.3, K(160, 80)), (1, K(128, 72))]
    cv.paint(hgrad(side, 0, 4), box=(0, 58, 4, H))
    cv.paint(hgrad(side[::-1], 132, 136), box=(132, 58, W, H))
    cv.paint(vgrad([(0, K(150, 78)), (0.6, K(130, 74)), (1, K(100, 62))], 158, 162), box=(4, 158, 132, 162))
    cv.paint(vgrad([(0, G(255)), (0.5, (246, 245, 238)), (1, BEIGE)], 58, 74), box=(4, 58, 132, 74))
    cv.paint((214, 210, 194), box=(4, 74, 132, 75))
    cv.paint(G(255), box=(4, 75, 132, 76))
    cd_icon(cv, 38, 29, 17, vgrad(bar, 0, 58))
    # Text panel: a task-pane card with a gradient header.
    card = (12, 84, 70, 152)
    cv.rbox(card, 5, G(255), K(184, 46))
    cv.rbox((12, 84, 70, 100), (5, 5, 0, 0), vgrad([(0, G(255)), (0.4, K(238, 22)), (1, K(206, 46))], 84, 100),
            K(184, 46))
    cv.paint(K(170, 56), box=(13, 99, 69, 100))
    # Buttons: the familiar light buttons with a key border and a warm hover glow.
    face_ground(cv, BEIGE)
    for s in range(3):
        a = 32 * s
        fb = face_box(a, 1)
        if s == 0:
            rows = face_rows([(0, G(255)), (1, (248, 247, 243))], (244, 243, 238),
                             [(0, (244, 243, 238)), (0.6, (230, 227, 218)), (1, (214, 208, 196))])
        elif s == 1:
            rows = face_rows([(0, G(255)), (1, (250, 249, 246))], (247, 246, 242),
                             [(0, (247, 246, 242)), (0.6, (236, 233, 225)), (1, (222, 217, 206))])
        else:
            rows = face_rows([(0, (208, 203, 190)), (1, (226, 223, 214))], (230, 227, 219),
                             [(0, (230, 227, 219)), (1, (242, 241, 236))])
        cv.rbox(fb, 3.5, lambda px, py, d, f=rows: f(py), K(60, 40))
        if s == 1:
            glow = (fb[0] + 1, fb[1] + 1, fb[2] - 1, fb[3] - 1)
            cv.rbox(glow, 2.5, None, lambda px, py, d: mix((255, 214, 112), (230, 152, 40), (py - 163) / 30), 2)
    glyph_base(cv)
    for s, (f, sym, cf) in enumerate(((K(170, 78), G(255), (222, 84, 48)), (K(206, 64), G(255), (244, 120, 80)),
                                      (K(116, 66), G(220), (176, 58, 32)))):
        glyph_pair(cv, s, f, G(255), sym, close_fill=cf, close_border=G(255), r=2)
    colours = dict(title=G(255), text=G(0), caption=G(0),
                   title_sh=K(46, 34), text_sh=G(200), caption_sh=G(200))
    return cv, None, colours


def style_ribbon():
    cv = Canvas(G(255))
    # Thin ribbon under the main one, sweeping in from the lower left and out behind it.
    t2 = path(((0, 68), (20, 60), (40, 57), (64, 57)), ((64, 57), (66, 57), (70, 57), (72, 57)),
              ((72, 57), (100, 57), (118, 48), (137, 24)))
    b2 = path(((0, 77), (22, 66), (40, 62), (64, 62)), ((64, 62), (66, 62), (70, 62), (72, 62)),
              ((72, 62), (104, 62), (124, 52), (137, 33)))
    ribbon(cv, t2, b2, [(0, K(230, 48)), (1, K(184, 80))])
    top = path(((0, 30), (14, 17), (34, 11), (64, 11)), ((64, 11), (66, 11), (70, 11), (72, 11)),
               ((72, 11), (98, 11), (116, 6), (137, -14)))
    bot = path(((0, 74), (18, 58), (36, 52), (64, 52)), ((64, 52), (66, 52), (70, 52), (72, 52)),
               ((72, 52), (102, 52), (124, 40), (137, 18)))
    stops = [(0, K(216, 70)), (0.08, K(180, 96)), (0.55, K(146, 96)), (0.92, K(104, 78)), (1, K(80, 62))]
    ribbon(cv, top, bot, stops, shadow=(0, 3, 0.16))
    # Text panel: a clean card with a bookmark ribbon hanging from the title.
    card = (8, 84, 70, 154)
    soft_shadow(cv, card, 4, 0, 2, 3, strength=0.18)
    cv.rbox(card, 4, G(255), G(214))
    bm = [(54, 76), (64, 76), (64, 104), (59, 99), (54, 104)]
    cv.paint(G(0), m_scale(m_shift(m_poly(bm), 1, 1), 0.15))
    cv.paint(hgrad([(0, K(176, 72)), (0.5, K(150, 72)), (1, K(112, 62))], 54, 64), m_poly(bm))
    # Button column: a pale ribbon running down behind the buttons.
    satin = [(0, K(176, 70)), (0.12, K(214, 44)), (0.3, K(240, 22)), (0.7, K(234, 28)), (1, K(234, 28))]
    cv.paint(hgrad(satin, 91, 101), box=(91, 76, 101, H))
    cv.paint(K(234, 28), box=(101, 76, 114, H))
    cv.paint(hgrad([(0, K(234, 28)), (0.4, K(230, 32)), (0.8, K(206, 48)), (1, K(168, 70))],
                   114, 123), box=(114, 76, 123, H))
    cv.paint(G(0), m_scale(m_rect((91, 76, 123, 77)), 0.18))
    cv.paint(G(0), m_scale(m_rect((91, 77, 123, 78)), 0.08))
    cv.paint(G(255), box=(0, 162, W, H))
    # Buttons: glossy ribbon pieces.
    face_ground(cv, K(234, 28))
    for s in range(3):
        a = 32 * s
        fb = face_box(a, 1)
        if s == 0:
            rows = face_rows([(0, K(204, 76)), (1, K(164, 92))], K(150, 92), [(0, K(150, 92)), (1, K(108, 78))])
            edge = K(96, 66)
        elif s == 1:
            rows = face_rows([(0, K(234, 54)), (1, K(200, 84))], K(186, 90), [(0, K(186, 90)), (1, K(144, 86))])
            edge = K(120, 76)
        else:
            rows = face_rows([(0, K(94, 66)), (1, K(118, 80))], K(126, 84), [(0, K(126, 84)), (1, K(142, 88))])
            edge = K(76, 56)
        cv.rbox(fb, 8, lambda px, py, d, f=rows: f(py), edge)
        if s < 2:
            cv.rbox((a + 4, 164, a + 28, 171), (6, 6, 1, 1), K(250, 20), alpha=0.35)
    glyph_base(cv)
    for s, (f, b) in enumerate(((K(120, 64), K(226, 40)), (K(170, 70), K(244, 26)), (K(84, 52), K(170, 60)))):
        glyph_pair(cv, s, f, b, G(255), r=2)
    colours = dict(title=G(255), text=K(58, 30), caption=G(255),
                   title_sh=K(40, 28), text_sh=G(200), caption_sh=K(40, 28))
    return cv, None, colours


PAPER = (248, 246, 240)
INK = G(34)


def fake_text(cv, x0, y0, x1, rows, colour, step=3, alpha=0.8, seed=0.0):
    """Little grey lines standing for small print."""
    for i in range(rows):
        end = x1 - int((math.sin(seed + i * 1.7) * 0.5 + 0.5) * (x1 - x0) * 0.3) if i == rows - 1 else x1
        cv.paint(colour, m_scale(m_rect((x0, y0 + i * step, end, y0 + i * step + 1)), alpha))


def style_headlines():
    cv = Canvas(PAPER)
    # Masthead: rules above and below the title, a tinted dateline strip.
    cv.paint(INK, box=(4, 4, 132, 5))
    cv.paint(INK, box=(4, 47, 132, 50))
    cv.paint(INK, box=(4, 51, 132, 52))
    cv.paint(vgrad([(0, K(160, 66)), (1, K(132, 64))], 54, 64), box=(4, 54, 132, 64))
    cv.paint(INK, box=(4, 66, 132, 67))
    for x0, x1 in ((10, 30), (36, 52), (86, 104), (110, 126)):
        cv.paint(G(255), m_scale(m_rect((x0, 58, x1, 60)), 0.85))
    # Ears either side of the title.
    cv.rbox((5, 12, 25, 42), 0, None, INK)
    cv.rbox((9, 16, 21, 28), 6, K(150, 66))
    cv.rbox((12, 19, 18, 25), 3, PAPER)
    fake_text(cv, 8, 32, 22, 3, G(120))
    cv.rbox((86, 18, 128, 44), 0, None, INK)
    cv.paint(INK, box=(90, 22, 118, 24))
    fake_text(cv, 90, 28, 124, 5, G(130), seed=1.0)
    # Text panel: a column with a section label and rules.
    cv.paint(INK, box=(6, 80, 74, 81))
    cv.paint(INK, box=(6, 82, 74, 83))
    cv.paint(K(150, 66), box=(8, 87, 34, 97))
    cv.paint(G(255), m_scale(m_rect((11, 91, 31, 93)), 0.9))
    cv.paint(G(150), box=(8, 101, 74, 102))
    cv.paint(G(150), box=(76, 86, 77, 152))
    cv.paint(INK, box=(6, 155, 74, 156))
    cv.paint(INK, box=(6, 157, 74, 158))
    cv.paint(INK, box=(80, 80, 130, 81))
    cv.paint(INK, box=(80, 82, 130, 83))
    cv.paint(INK, box=(80, 155, 130, 156))
    cv.paint(INK, box=(80, 157, 130, 158))
    # Buttons: clipped-out boxes with a hard print shadow.
    face_ground(cv, PAPER)
    for s in range(3):
        a = 32 * s
        if s < 2:
            fb = (a + 0.5, 162.5, a + 30, 192)
            cv.rbox((fb[0] + 2, fb[1] + 2, fb[2] + 2, fb[3] + 2), 0, G(150))
            cv.rbox(fb, 0, G(255) if s == 0 else K(236, 28), INK)
            if s == 1:
                cv.paint(K(150, 66), box=(a + 2, 164, a + 29, 166))
        else:
            fb = (a + 2, 164.5, a + 31.5, 194)
            cv.rbox(fb, 0, G(232), INK)
            cv.paint(G(200), box=(a + 3, 166, a + 31, 167))
    glyph_base(cv)
    for s, (f, y) in enumerate(((PAPER, INK), (K(236, 28), INK), (G(210), INK))):
        glyph_pair(cv, s, f, INK, y, r=0)
    colours = dict(title=G(20), text=G(26), caption=G(20),
                   title_sh=K(176, 66), text_sh=G(214), caption_sh=G(206))
    return cv, None, colours


def speech_bubble(cv, box, fill, edge, tail_left=True):
    x0, y0, x1, y1 = box
    t = [(x0 + 4, y1 - 1), (x0 + 3, y1 + 4), (x0 + 9, y1 - 1)] if tail_left else \
        [(x1 - 9, y1 - 1), (x1 - 3, y1 + 4), (x1 - 4, y1 - 1)]
    m = m_poly(t)
    cv.paint(edge, ImageChops.lighter(m_shift(m, 0, 1), m_shift(m, 1, 0)))
    cv.rbox(box, 4, fill, edge)
    cv.paint(fill, m)


def style_forum():
    bg = (234, 236, 238)
    cv = Canvas(bg)
    head = [(0, K(188, 62)), (0.45, K(156, 72)), (0.46, K(140, 70)), (1, K(112, 64))]
    cv.paint(vgrad(head, 0, 50), box=(0, 0, W, 50))
    cv.paint(K(76, 48), box=(0, 49, W, 50))
    speech_bubble(cv, (4, 13, 20, 26), G(255), K(80, 50))
    speech_bubble(cv, (10, 21, 25, 33), K(214, 44), K(80, 50), tail_left=False)
    cv.paint(vgrad([(0, K(244, 16)), (1, K(222, 30))], 50, 67), box=(0, 50, W, 67))
    cv.paint(K(180, 46), box=(0, 67, W, 68))
    for x0, x1 in ((8, 22), (28, 46), (50, 60)):
        cv.rbox((x0, 55, x1, 62), 2, K(130, 60), alpha=0.85)
    cv.rbox((88, 53, 128, 64), 3, G(255), G(176))
    cv.rbox((119, 55.5, 124, 60.5), 2.5, None, G(120))
    cv.paint(G(120), m_stroke([(123.5, 60), (125.5, 62)], 1.2))
    # Posts: white panels with a tinted header strip.
    for box, hb in (((6, 80, 72, 156), 98), ((82, 80, 130, 156), 89)):
        cv.rbox((box[0], box[1] + 1, box[2], box[3] + 1), 3, G(212))
        cv.rbox(box, 3, G(255), K(176, 46))
        cv.rbox((box[0] + 1, box[1] + 1, box[2] - 1, hb), (2, 2, 0, 0),
                vgrad([(0, K(214, 44)), (1, K(178, 60))], box[1], hb))
        cv.paint(K(150, 60), box=(box[0] + 1, hb, box[2] - 1, hb + 1))
    cv.paint(G(255), m_scale(m_rect((11, 87, 30, 89)), 0.9))
    cv.paint(G(255), m_scale(m_rect((11, 91, 24, 93)), 0.6))
    # Buttons: flat web buttons.
    face_ground(cv, G(255))
    for s in range(3):
        a = 32 * s
        fb = face_box(a, 1)
        if s == 0:
            rows = face_rows([(0, K(250, 10)), (1, K(238, 22))], K(232, 26), [(0, K(232, 26)), (1, K(214, 38))])
            edge = K(150, 56)
        elif s == 1:
            rows = face_rows([(0, K(250, 20)), (1, K(226, 40))], K(218, 46), [(0, K(218, 46)), (1, K(196, 56))])
            edge = K(110, 60)
        else:
            rows = face_rows([(0, K(184, 56)), (1, K(204, 48))], K(208, 46), [(0, K(208, 46)), (1, K(222, 36))])
            edge = K(100, 56)
        cv.rbox(fb, 3, lambda px, py, d, f=rows: f(py), edge)
    glyph_base(cv)
    for s, (f, b) in enumerate(((K(120, 62), K(224, 36)), (K(166, 70), K(244, 22)), (K(86, 52), K(168, 60)))):
        glyph_pair(cv, s, f, b, G(255), close_fill=[(196, 64, 52), (226, 92, 74), (150, 40, 34)][s], r=2)
    colours = dict(title=G(255), text=G(40), caption=K(40, 30),
                   title_sh=K(44, 30), text_sh=G(222), caption_sh=G(255))
    return cv, None, colours


def style_vista():
    cv = Canvas(G(40))
    glass = vgrad([(0, K(168, 66)), (0.33, K(132, 64)), (0.34, K(112, 60)), (0.75, K(98, 56)), (1, K(110, 58))],
                  0, 80)
    cv.paint(glass, box=(0, 0, W, H))
    cv.paint(vgrad([(0, K(110, 58)), (1, K(90, 52))], 80, 162), box=(0, 80, W, 162))
    # Soft diagonal reflections in the caps.
    for x0, w, a in ((-6, 14, 0.10), (14, 6, 0.07), (92, 12, 0.08), (110, 5, 0.06)):
        m = m_poly([(x0 + 30, 0), (x0 + 30 + w, 0), (x0 + w, 76), (x0, 76)])
        cv.paint(G(255), m_scale(m_clip(m, (0, 0, 60, 76) if x0 < 60 else (76, 0, W, 76)), a))
    cv.paint(G(255), m_scale(m_rect((0, 1, W, 2)), 0.35))
    cv.paint(G(16), box=(0, 0, W, 1))
    cv.paint(G(16), box=(0, 0, 1, 162))
    cv.paint(G(16), box=(135, 0, 136, 162))
    cv.paint(G(16), box=(0, 161, 136, 162))
    cv.paint(G(255), m_scale(m_rect((1, 1, 2, 161)), 0.25))
    cv.paint(G(255), m_scale(m_rect((134, 1, 135, 161)), 0.25))
    # Orb beside the title.
    cx, cy, r = 30, 45, 14
    soft_shadow(cv, (cx - r, cy - r, cx + r, cy + r), r, 0, 2, 3, strength=0.5)
    cv.rbox((cx - r, cy - r, cx + r, cy + r), r,
            lambda px, py, d: mix(K(226, 90), K(62, 46), sat(math.hypot(px - cx, py - cy - 7) / (r * 1.6))), G(20))
    cv.rbox((cx - r + 3, cy - r + 1.5, cx + r - 3, cy), (10, 10, 6, 6),
            vgrad([(0, G(255)), (1, K(220, 30))], cy - r, cy), alpha=0.55)
    # Content area: white for the text, a light pane for the buttons.
    cv.paint(G(28), box=(6, 79, 130, 80))
    cv.paint(G(28), box=(6, 79, 7, 156))
    cv.paint(G(28), box=(129, 79, 130, 156))
    cv.paint(G(28), box=(6, 155, 130, 156))
    cv.paint(G(255), box=(7, 80, 80, 155))
    cv.paint(G(241), box=(81, 80, 129, 155))
    cv.paint(G(214), box=(80, 80, 81, 155))
    # Buttons: glossy with a split highlight; hover and press take the key colour.
    face_ground(cv, G(241))
    for s in range(3):
        a = 32 * s
        fb = face_box(a, 1)
        if s == 0:
            rows = face_rows([(0, G(252)), (1, G(240))], G(222), [(0, G(222)), (1, G(206))])
            edge = G(112)
        elif s == 1:
            rows = face_rows([(0, K(250, 12)), (1, K(236, 28))], K(204, 50), [(0, K(204, 50)), (1, K(184, 58))])
            edge = K(64, 40)
        else:
            rows = face_rows([(0, K(206, 46)), (1, K(192, 54))], K(158, 62), [(0, K(158, 62)), (1, K(170, 58))])
            edge = K(44, 30)
        cv.rbox(fb, 3, lambda px, py, d, f=rows: f(py), edge)
        if s < 2:
            cv.rbox((fb[0] + 1, fb[1] + 1, fb[2] - 1, fb[3] - 1), 2, None, G(255), alpha=0.55)
        else:
            cv.paint(K(96, 50), m_scale(m_rect((a + 3, 164, a + 29, 165)), 0.5))
    glyph_base(cv)
    for s, (f, cf) in enumerate(((K(110, 42), (196, 70, 52)), (K(150, 56), (236, 96, 70)),
                                 (K(70, 36), (150, 40, 30)))):
        glyph_pair(cv, s, f, G(30), G(255), close_fill=cf, close_border=G(30), r=2)
    colours = dict(title=G(255), text=G(0), caption=G(0),
                   title_sh=G(0), text_sh=G(0), caption_sh=G(0))
    return cv, None, colours


def style_cushion():
    cv = Canvas(G(236))
    tb = (4, 13, 132, 72)
    soft_shadow(cv, tb, 18, 0, 3, 5, strength=0.3)
    cv.rbox(tb, 18, puffy(K(142, 66), K(90, 54), 15, tb, 18, K(214, 46), K(62, 42)), K(76, 48))
    seam = (9, 18, 127, 67)
    cv.rbox(seam, 13, None, K(110, 56), alpha=0.55)
    cv.rbox((seam[0] + 1, seam[1] + 1, seam[2] + 1, seam[3] + 1), 13, None, K(214, 46), alpha=0.35)
    for box, r, fo, c, e in (((6, 80, 72, 156), 16, 12, K(244, 12), K(204, 32)),
                              ((82, 80, 130, 156), 14, 10, K(238, 18), K(196, 36))):
        soft_shadow(cv, box, r, 0, 3, 4, strength=0.22)
        cv.rbox(box, r, puffy(c, e, fo, box, r, K(252, 8), K(170, 44)), K(180, 40))
    face_ground(cv, K(238, 18))
    for s in range(3):
        a = 32 * s
        fb = face_box(a, 1)
        if s == 0:
            fill = puffy(K(146, 66), K(96, 56), 8, fb, 10, K(214, 46), K(64, 44))
            edge = K(86, 50)
        elif s == 1:
            fill = puffy(K(180, 64), K(122, 62), 8, fb, 10, K(236, 34), K(90, 52))
            edge = K(104, 56)
        else:
            fill = puffy(K(112, 60), K(138, 62), 8, fb, 10, K(78, 48), K(190, 52))
            edge = K(76, 46)
        soft_shadow(cv, fb, 10, 0, 1, 2, strength=0.2 if s < 2 else 0.05)
        cv.rbox(fb, 10, fill, edge)
    glyph_base(cv)
    for s, (f, b) in enumerate(((K(150, 58), K(220, 40)), (K(186, 60), K(240, 26)), (K(112, 54), K(176, 56)))):
        glyph_pair(cv, s, f, b, G(255), shape="round")
    colours = dict(title=G(255), text=K(56, 30), caption=G(255),
                   title_sh=K(52, 34), text_sh=G(255), caption_sh=K(52, 34))
    return cv, None, colours


# ---------------------------------------------------------------- photo styles
# Title box x 12..123, y 12..75 and text box x 12..78, y 76..149 are faded by
# the user's visibility sliders, so the see-through panels live inside them.

TITLE_BOX = (12, 12, 124, 72)
TEXT_BOX = (12, 80, 74, 146)


def sd_oct(px, py, box, ch):
    """Signed distance to a box with its corners cut off at 45 degrees by ch pixels."""
    x0, y0, x1, y1 = box
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2, (y1 - y0) / 2
    ax, ay = abs(px - cx), abs(py - cy)
    return max(ax - hx, ay - hy, (ax + ay - (hx + hy - ch)) / math.sqrt(2))


def oct_shade(cv, box, ch, fn):
    """fn(px, py, d, nx, ny) -> colour, painted with edge coverage."""
    x0, y0, x1, y1 = box

    def f(px, py):
        d = sd_oct(px, py, box, ch)
        a = cov(d)
        if a <= 0:
            return None
        e = 0.25
        nx = sd_oct(px + e, py, box, ch) - sd_oct(px - e, py, box, ch)
        ny = sd_oct(px, py + e, box, ch) - sd_oct(px, py - e, box, ch)
        n = math.hypot(nx, ny) or 1.0
        return fn(px, py, d, nx / n, ny / n), a
    cv.shade((int(x0) - 1, int(y0) - 1, int(x1) + 2, int(y1) + 2), f)


def soft_panel(mk, box, r, inner, edge=None, feather=0.0):
    """Mask of a panel: inner grey, an optional 1-pixel edge, soft or crisp outline."""
    def f(px, py):
        d = sd_box(px, py, box, r)
        if feather:
            a = 1 - smooth(-feather, 0.5, d)
            if a <= 0:
                return None
            return G(inner), a
        a = cov(d)
        if a <= 0:
            return None
        if edge is None:
            return G(inner), a
        i = cov(d + 1)
        return mix(G(edge), G(inner), i / a), a
    x0, y0, x1, y1 = box
    mk.shade((int(x0) - 2, int(y0) - 2, int(x1) + 3, int(y1) + 3), f)


def gloss_face_rows(v, c):
    """Button face profile used by several photo styles, keyed around lightness v."""
    return face_rows([(0, K(min(250, v + 56), c - 10)), (1, K(v + 12, c))], K(v, c),
                     [(0, K(v, c)), (1, K(v - 36, c - 8))])


def photo_colours(title, text, caption, title_sh=K(26, 18), text_sh=K(26, 18), caption_sh=K(26, 18)):
    return dict(title=title, text=text, caption=caption, title_sh=title_sh, text_sh=text_sh, caption_sh=caption_sh)


def style_photo_smooth():
    dark = K(70, 40)
    cv, mk = Canvas(dark), Canvas(G(0))
    for box in (TITLE_BOX, TEXT_BOX):
        fill = vgrad([(0, K(104, 52)), (0.3, K(84, 46)), (1, K(62, 38))], box[1], box[3])
        cv.rbox(box, 12, fill, K(176, 56))
        cv.rbox((box[0] + 3, box[1] + 2, box[2] - 3, box[1] + 16), (10, 10, 4, 4), K(220, 40), alpha=0.18)
        soft_panel(mk, box, 12, 196, feather=4)
        soft_panel(mk, (box[0] + 3, box[1] + 3, box[2] - 3, box[3] - 3), 9, 212, feather=3)
    for s in range(3):
        a = 32 * s
        fb = face_box(a, 1)
        v = (138, 172, 104)[s]
        rows = gloss_face_rows(v, 60) if s < 2 else face_rows(
            [(0, K(v - 30, 46)), (1, K(v, 52))], K(v, 52), [(0, K(v, 52)), (1, K(v + 16, 54))])
        cv.paint(K(v - 30, 50), box=(a, 162, a + 32, 194))
        cv.rbox(fb, 9, lambda px, py, d, f=rows: f(py), K(210, 44) if s < 2 else K(150, 56))
        soft_panel(mk, fb, 9, (226, 240, 226)[s], feather=2.5)
    glyph_base(cv)
    for st in range(3):
        glyph_pair(cv, st, K((100, 140, 70)[st], 46), K(200, 44), G(255))
    return cv, mk, photo_colours(G(255), G(255), G(255), title_sh=K(24, 16))


def style_photo_sharp():
    dark = K(64, 40)
    cv, mk = Canvas(dark), Canvas(G(0))
    for box in ((12, 12, 124, 70), (12, 80, 74, 146)):
        cv.paint(vgrad([(0, K(92, 50)), (1, K(58, 38))], box[1], box[3]), box=box)
        cv.rbox(box, 0, None, K(226, 40))
        mk.paint(G(176), box=box)
        mk.rbox(box, 0, None, G(255))
    cv.paint(K(196, 80), box=(13, 66, 123, 69))
    mk.paint(G(255), box=(13, 66, 123, 69))
    for s in range(3):
        a = 32 * s
        fb = (a + 1, 163, a + 31, 193)
        v = (132, 168, 96)[s]
        rows = gloss_face_rows(v, 62) if s < 2 else face_rows(
            [(0, K(v - 24, 50)), (1, K(v, 54))], K(v, 54), [(0, K(v, 54)), (1, K(v + 14, 56))])
        cv.paint(dark, box=(a, 162, a + 32, 194))
        cv.paint(lambda px, py, f=rows: f(py), box=fb)
        cv.rbox(fb, 0, None, K(230, 36) if s < 2 else K(150, 56))
        mk.paint(G((214, 232, 222)[s]), box=fb)
        mk.rbox(fb, 0, None, G(255))
    glyph_base(cv)
    for st in range(3):
        glyph_pair(cv, st, K((96, 136, 66)[st], 46), K(220, 40), G(255), r=0)
    return cv, mk, photo_colours(G(255), G(255), G(255), title_sh=K(20, 14))


def style_photo_bevelled():
    dark = K(84, 46)
    cv, mk = Canvas(dark), Canvas(G(0))
    for box, ch in (((12, 12, 124, 72), 8), ((12, 80, 74, 146), 8)):
        def art(px, py, d, nx, ny, box=box):
            depth = -d
            if depth < 4:
                k = nx * LIGHT[0] + ny * LIGHT[1]
                base = K(124, 56)
                return mix(base, K(232, 40), k) if k > 0 else mix(base, K(34, 24), -k * 0.9)
            if depth < 5:
                return K(52, 32)
            return ramp([(0, K(96, 50)), (1, K(70, 42))], (py - box[1]) / (box[3] - box[1]))

        def msk(px, py, d, nx, ny):
            return G(255) if -d < 5 else G(196)
        oct_shade(cv, box, ch, art)
        oct_shade(mk, box, ch, msk)
    for s in range(3):
        a = 32 * s
        fb = (a + 0.5, 162.5, a + 31.5, 193.5)
        cv.paint(dark, box=(a, 162, a + 32, 194))
        light = 1 if s < 2 else -1
        v = (118, 150, 92)[s]

        def art(px, py, d, nx, ny, v=v, light=light):
            depth = -d
            if depth < 3:
                k = (nx * LIGHT[0] + ny * LIGHT[1]) * light
                return mix(K(v, 54), K(236, 40), k) if k > 0 else mix(K(v, 54), K(30, 22), -k * 0.9)
            return K(v, 54)
        oct_shade(cv, fb, 4, art)
        oct_shade(mk, fb, 4, lambda px, py, d, nx, ny: G(255) if -d < 3 else G((230, 244, 236)[s]))
    glyph_base(cv)
    for st in range(3):
        glyph_pair(cv, st, K((100, 140, 70)[st], 46), K(214, 40), G(255), r=0)
    return cv, mk, photo_colours(G(255), G(255), G(255), title_sh=K(22, 16), text_sh=K(22, 16))


def style_photo_light():
    cv, mk = Canvas(G(255)), Canvas(G(0))
    for box in (TITLE_BOX, TEXT_BOX):
        cv.rbox(box, 8, vgrad([(0, G(255)), (1, K(244, 8))], box[1], box[3]), K(200, 30))
        soft_panel(mk, box, 8, 182, 236)
        cv.rbox((box[0] + 1, box[1] + 1, box[2] - 1, box[1] + 12), (7, 7, 2, 2), G(255))
        soft_panel(mk, (box[0] + 1, box[1] + 1, box[2] - 1, box[1] + 12), (7, 7, 2, 2), 196)
    for s in range(3):
        a = 32 * s
        fb = face_box(a, 1)
        if s == 0:
            rows = face_rows([(0, G(255)), (1, K(246, 10))], K(240, 14), [(0, K(240, 14)), (1, K(222, 26))])
        elif s == 1:
            rows = face_rows([(0, G(255)), (1, K(250, 16))], K(246, 22), [(0, K(246, 22)), (1, K(230, 36))])
        else:
            rows = face_rows([(0, K(206, 34)), (1, K(226, 26))], K(230, 24), [(0, K(230, 24)), (1, K(240, 18))])
        cv.paint(K(226, 24), box=(a, 162, a + 32, 194))
        cv.rbox(fb, 8, lambda px, py, d, f=rows: f(py), K(150, 50) if s != 1 else K(110, 60))
        soft_panel(mk, fb, 8, (200, 228, 214)[s], 255)
    glyph_base(cv)
    for st in range(3):
        glyph_pair(cv, st, K((236, 250, 210)[st], 20), K(150, 50), K(60, 34))
    return cv, mk, photo_colours(K(44, 26), K(36, 22), K(40, 26), G(255), G(255), G(255))


def style_photo_fashion():
    cv, mk = Canvas(G(14)), Canvas(G(0))
    band = [(12, 14), (124, 14), (112, 64), (12, 64)]
    cv.paint(vgrad([(0, G(30)), (1, G(8))], 14, 64), m_poly(band))
    mk.paint(G(196), m_poly(band))
    cv.paint(K(170, 90), box=(12, 14, 17, 64))
    mk.paint(G(255), box=(12, 14, 17, 64))
    line = [(12, 67), (110, 67), (109.4, 69), (12, 69)]
    cv.paint(K(190, 90), m_poly(line))
    mk.paint(G(255), m_poly(line))
    tb = (12, 80, 74, 146)
    cv.paint(G(255), box=tb)
    mk.paint(G(204), box=tb)
    cv.paint(K(170, 90), box=(12, 80, 16, 146))
    mk.paint(G(255), box=(12, 80, 16, 146))
    for s in range(3):
        a = 32 * s
        fb = (a + 1, 163, a + 31, 193)
        fill = (G(16), K(150, 88), G(40))[s]
        cv.paint(fill, box=(a, 162, a + 32, 194))
        cv.paint(K(170, 90) if s != 1 else K(230, 60), box=(a + 1, 163, a + 4, 193))
        mk.paint(G((200, 226, 232)[s]), box=fb)
        mk.paint(G(255), box=(a + 1, 163, a + 4, 193))
        cv.paint(G(255) if s < 2 else G(120), m_scale(m_rect((a + 4, 163, a + 31, 164)), 0.6))
        mk.paint(G(255), m_scale(m_rect((a + 4, 163, a + 31, 164)), 0.6))
    glyph_base(cv)
    for st in range(3):
        glyph_pair(cv, st, (G(20), K(150, 88), G(50))[st], G(120), G(255), r=0)
    return cv, mk, photo_colours(G(255), G(20), G(255), G(0), G(255), G(0))


def moulding(cv, mk, box, width, outer=True):
    """A picture-frame moulding: dark lip, lit ridge, flat, dark rebate."""
    def art(px, py, d, nx, ny):
        depth = -d
        k = nx * LIGHT[0] + ny * LIGHT[1]
        if depth < 1:
            return K(40, 28)
        t = (depth - 1) / (width - 1)
        if t < 0.45:
            base = ramp([(0, K(150, 62)), (0.5, K(214, 56)), (1, K(160, 64))], t / 0.45)
            return mix(base, K(246, 30), k * 0.6) if k > 0 else mix(base, K(60, 40), -k * 0.6)
        if t < 0.8:
            base = K(126, 60)
            return mix(base, K(200, 56), k * 0.4) if k > 0 else mix(base, K(70, 44), -k * 0.4)
        return mix(K(70, 44), K(40, 28), (t - 0.8) / 0.2) if k >= 0 else K(200, 56)

    x0, y0, x1, y1 = box

    def f(px, py):
        d = sd_box(px, py, box, 0)
        if d > 0.5 or -d > width + 0.5:
            return None
        a = cov(d) - cov(d + width)
        if a <= 0:
            return None
        e = 0.25
        nx = sd_box(px + e, py, box, 0) - sd_box(px - e, py, box, 0)
        ny = sd_box(px, py + e, box, 0) - sd_box(px, py - e, box, 0)
        n = math.hypot(nx, ny) or 1.0
        return art(px, py, d, nx / n, ny / n), a
    cv.shade((int(x0) - 1, int(y0) - 1, int(x1) + 1, int(y1) + 1), f)
    if mk is not None:
        mk.shade((int(x0) - 1, int(y0) - 1, int(x1) + 1, int(y1) + 1),
                 lambda px, py: (lambda r: (G(255), r[1]) if r else None)(f(px, py)))


def style_photo_frames():
    dark = K(64, 40)
    cv, mk = Canvas(dark), Canvas(G(0))
    plaque = (14, 14, 122, 70)
    cv.rbox(plaque, 2, vgrad([(0, K(86, 46)), (1, K(56, 36))], 14, 70), K(40, 28))
    soft_panel(mk, plaque, 2, 186)
    cv.rbox((17, 17, 119, 67), 1, None, K(186, 56))
    soft_panel(mk, (17, 17, 119, 67), 1, 186, 255)
    # A small frame beside the title with the photo showing through it.
    mini = (22, 22, 60, 62)
    cv.paint(dark, box=(26, 26, 56, 58))
    moulding(cv, mk, mini, 5)
    mk.paint(G(0), box=(27, 27, 55, 57))
    mat = (14, 80, 74, 148)
    cv.rbox(mat, 2, vgrad([(0, K(80, 44)), (1, K(58, 36))], 80, 148), K(40, 28))
    soft_panel(mk, mat, 2, 180)
    cv.rbox((17, 83, 71, 145), 1, None, K(186, 56))
    soft_panel(mk, (17, 83, 71, 145), 1, 180, 255)
    moulding(cv, mk, (0, 0, W, 162), 10)
    for s in range(3):
        a = 32 * s
        fb = (a + 0.5, 162.5, a + 31.5, 193.5)
        cv.paint(dark, box=(a, 162, a + 32, 194))
        v = (96, 130, 70)[s]
        cv.paint(K(v, 50), box=(a + 4, 166, a + 28, 190))
        mk.paint(G((212, 230, 222)[s]), box=(a + 4, 166, a + 28, 190))
        moulding(cv, mk, fb, 4)
        if s == 2:
            cv.paint(K(30, 20), m_scale(m_rect((a + 4, 166, a + 28, 167)), 0.6))
    glyph_base(cv)
    for st in range(3):
        glyph_pair(cv, st, K((90, 130, 64)[st], 48), K(200, 56), G(255), r=0)
    return cv, mk, photo_colours(G(255), G(255), G(255), title_sh=K(20, 14))


def style_my_background():
    cv, mk = Canvas(G(255)), Canvas(G(0))
    for s in range(3):
        a = 32 * s
        fb = face_box(a, 1)
        v = (140, 174, 106)[s]
        rows = gloss_face_rows(v, 62) if s < 2 else face_rows(
            [(0, K(v - 26, 50)), (1, K(v, 56))], K(v, 56), [(0, K(v, 56)), (1, K(v + 14, 58))])
        cv.paint(K(v - 20, 56), box=(a, 162, a + 32, 194))
        cv.rbox(fb, 8, lambda px, py, d, f=rows: f(py), K(226, 36) if s < 2 else K(160, 56))
        soft_panel(mk, fb, 8, (170, 206, 196)[s], 236, feather=0)
    glyph_base(cv)
    for st in range(3):
        glyph_pair(cv, st, K((120, 160, 90)[st], 50), K(200, 40), G(255))
    return cv, mk, photo_colours(G(255), G(255), G(255))


STYLES = {0: style_professional, 1: style_gamer, 2: style_tribal, 3: style_underground, 4: style_tablet,
          5: style_xp, 6: style_ribbon, 7: style_headlines, 8: style_forum, 9: style_vista,
          10: style_cushion, 11: style_photo_smooth, 12: style_photo_sharp, 13: style_photo_bevelled,
          14: style_photo_light, 15: style_photo_fashion, 16: style_photo_frames, 17: style_my_background}


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    out = argv[1] if len(argv) > 1 else os.path.join(here, "..", "styles")
    os.makedirs(out, exist_ok=True)
    for pos in range(18):
        fn = STYLES.get(pos)
        if fn is None:
            continue
        random.seed(1000 + pos)
        art, mask, colours = fn()
        im, mk = finish(pos, art, mask, colours)
        im.save(os.path.join(out, "style_%02d.png" % pos), optimize=False)
        if mk is not None:
            mk.save(os.path.join(out, "mask_%02d.png" % pos), optimize=False)


if __name__ == "__main__":
    main(sys.argv)
