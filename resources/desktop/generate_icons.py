#!/usr/bin/python3
"""Draws the editor's application icon: a menu window with a disc before it.

Usage: /usr/bin/python3 generate_icons.py
Writes orvane-graphic-<n>.png for n in 16, 22, 24, 32, 48, 64, 128 and 256
beside this file, and orvane-graphic.ico, the Windows editor's program icon,
holding the sizes Windows asks for from 100 % to 200 %. Standard library plus Pillow only; the output is the same
bytes on every run. The scalable icon, orvane-graphic.svg, is drawn by hand
to the 256-pixel geometry below.
"""

import colorsys
import io
import math
import os
import struct

from PIL import Image, ImageFilter

HERE = os.path.dirname(os.path.abspath(__file__))
SIZES = [16, 22, 24, 32, 48, 64, 128, 256]

# The 256-pixel picture, in pixels: the window's box (left, top, right,
# bottom), corner radius, frame width and title bar height; each button's box
# with its caption bar inside; the disc's centre, radius, rim, hole, dark ring
# round the hole, hub and clear ring.
BASE = dict(
    win=(14.0, 26.0, 214.0, 202.0), radius=16.0, frame=5.0, title=36.0,
    title_text=(34.0, 40.0, 120.0, 48.0), close=(196.0, 44.0, 7.0),
    buttons=[(36.0, 84.0, 128.0, 108.0), (36.0, 118.0, 128.0, 142.0),
             (36.0, 152.0, 128.0, 176.0)],
    button_radius=12.0, caption_inset=(16.0, 10.0),
    disc=(178.0, 182.0), R=70.0, rim=2.5, hole=11.0, edge=3.0, hub=24.0,
    clear=31.0,
)

# Small sizes are drawn to their own pixel grid so the frame, the title bar
# and the bars land on whole pixels; the disc keeps a hole big enough to read.
SMALL = {
    16: dict(win=(0.0, 1.0, 14.0, 13.0), radius=1.5, frame=1.0, title=3.0,
             title_text=None, close=None,
             buttons=[(2.0, 6.0, 7.0, 8.0), (2.0, 9.0, 7.0, 11.0)],
             button_radius=0.0, caption_inset=None,
             disc=(11.5, 11.5), R=4.5, rim=0.0, hole=1.1, edge=0.0, hub=1.9,
             clear=1.9),
    22: dict(win=(0.0, 1.0, 19.0, 18.0), radius=2.0, frame=1.0, title=4.0,
             title_text=None, close=None,
             buttons=[(3.0, 7.0, 10.0, 9.0), (3.0, 10.0, 10.0, 12.0),
                      (3.0, 13.0, 10.0, 15.0)],
             button_radius=0.0, caption_inset=None,
             disc=(15.5, 15.5), R=6.5, rim=1.0, hole=1.4, edge=0.6, hub=2.8,
             clear=2.8),
    24: dict(win=(0.0, 2.0, 20.0, 19.0), radius=2.0, frame=1.0, title=4.0,
             title_text=None, close=None,
             buttons=[(3.0, 8.0, 11.0, 10.0), (3.0, 11.0, 11.0, 13.0),
                      (3.0, 14.0, 11.0, 16.0)],
             button_radius=0.0, caption_inset=None,
             disc=(17.0, 17.0), R=7.0, rim=1.0, hole=1.5, edge=0.7, hub=3.0,
             clear=3.0),
    32: dict(win=(1.0, 3.0, 27.0, 25.0), radius=2.5, frame=1.0, title=5.0,
             title_text=(4.0, 5.0, 14.0, 6.0), close=None,
             buttons=[(4.0, 10.0, 15.0, 13.0), (4.0, 14.0, 15.0, 17.0),
                      (4.0, 18.0, 15.0, 21.0)],
             button_radius=1.5, caption_inset=None,
             disc=(22.5, 22.5), R=9.0, rim=1.0, hole=1.9, edge=0.8, hub=3.6,
             clear=4.4),
}

FRAME = (26.0, 50.0, 94.0)
TITLE_TOP, TITLE_BOTTOM = (92.0, 154.0, 230.0), (38.0, 98.0, 188.0)
BODY_TOP, BODY_BOTTOM = (240.0, 246.0, 253.0), (194.0, 216.0, 241.0)
HOT_TOP, HOT_BOTTOM = (255.0, 200.0, 96.0), (236.0, 128.0, 28.0)
COOL_TOP, COOL_BOTTOM = (128.0, 168.0, 220.0), (70.0, 112.0, 178.0)
HOT_EDGE, COOL_EDGE = (168.0, 86.0, 16.0), (40.0, 72.0, 132.0)
WHITE = (255.0, 255.0, 255.0)
CLOSE = (236.0, 110.0, 84.0)

LIGHT = math.radians(-135.0)   # light from the top left
GLINT = math.radians(-128.0)   # white reflection wedges
RAINBOW = math.radians(-95.0)  # rainbow wedges beside the glint


def geometry(size):
    if size in SMALL:
        return SMALL[size]
    k = size / 256.0
    g = {}
    for key, value in BASE.items():
        if isinstance(value, float):
            g[key] = value * k
        elif key == "buttons":
            g[key] = [tuple(v * k for v in box) for box in value]
        else:
            g[key] = tuple(v * k for v in value)
    # Thin strokes stay at least a pixel wide.
    g["frame"] = max(1.0, g["frame"])
    g["rim"] = max(1.0, g["rim"])
    return g


def clamp8(v):
    return max(0, min(255, int(round(v))))


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def rounded_distance(x, y, box, radius):
    """Signed distance to a rounded rectangle; negative inside."""
    x0, y0, x1, y1 = box
    cx = min(max(x, x0 + radius), x1 - radius)
    cy = min(max(y, y0 + radius), y1 - radius)
    if radius <= 0.0:
        return -min(x - x0, x1 - x, y - y0, y1 - y) if x0 <= x <= x1 and y0 <= y <= y1 else 1.0
    return math.hypot(x - cx, y - cy) - radius


def inside(x, y, box):
    return box[0] <= x < box[2] and box[1] <= y < box[3]


# ---------------------------------------------------------------- window

def window_layer(g, x, y):
    d = rounded_distance(x, y, g["win"], g["radius"])
    if d > 0.0:
        return None
    if d > -g["frame"]:
        return "frame"
    x0, y0, x1, y1 = g["win"]
    if y < y0 + g["title"]:
        if g["close"]:
            cx, cy, cr = g["close"]
            if math.hypot(x - cx, y - cy) < cr:
                return "close"
        if g["title_text"] and inside(x, y, g["title_text"]):
            return "title_text"
        return "title"
    for i, box in enumerate(g["buttons"]):
        bd = rounded_distance(x, y, box, g["button_radius"])
        if bd <= 0.0:
            hot = i == 0
            if g["caption_inset"]:
                ix, iy = g["caption_inset"]
                if inside(x, y, (box[0] + ix, box[1] + iy, box[2] - ix, box[3] - iy)):
                    return "caption"
            if g["frame"] >= 2.0 and bd > -max(1.0, g["frame"] * 0.4):
                return "hot_edge" if hot else "cool_edge"
            return ("hot", box) if hot else ("cool", box)
    return "body"


def window_colour(layer, g, x, y):
    x0, y0, x1, y1 = g["win"]
    if layer == "frame":
        return FRAME
    if layer == "title":
        t = (y - y0) / g["title"]
        col = mix(TITLE_TOP, TITLE_BOTTOM, t)
        if g["frame"] >= 2.0 and t < 0.5:
            col = mix(col, WHITE, 0.18 * (1.0 - t / 0.5))
        return col
    if layer == "title_text":
        return (232.0, 242.0, 255.0)
    if layer == "close":
        return CLOSE
    if layer == "caption":
        return WHITE
    if layer == "hot_edge":
        return HOT_EDGE
    if layer == "cool_edge":
        return COOL_EDGE
    if isinstance(layer, tuple):
        kind, box = layer
        t = (y - box[1]) / (box[3] - box[1])
        top, bottom = (HOT_TOP, HOT_BOTTOM) if kind == "hot" else (COOL_TOP, COOL_BOTTOM)
        return mix(top, bottom, t)
    # Body: a soft vertical gradient.
    t = (y - y0 - g["title"]) / (y1 - y0 - g["title"])
    return mix(BODY_TOP, BODY_BOTTOM, max(0.0, min(1.0, t)))


# ------------------------------------------------------------------ disc

def disc_layer(g, x, y):
    cx, cy = g["disc"]
    r = math.hypot(x - cx, y - cy)
    if r >= g["R"]:
        return None
    if r < g["hole"]:
        return "hole"
    if r < g["hole"] + g["edge"]:
        return "edge"
    if r < g["hub"]:
        return "hub"
    if r < g["clear"]:
        return "clear"
    if r < g["R"] - g["rim"]:
        return "data"
    return "rim"


def disc_colour(layer, g, size, x, y):
    cx, cy = g["disc"]
    r = math.hypot(x - cx, y - cy)
    theta = math.atan2(y - cy, x - cx)
    lit = math.cos(theta - LIGHT)
    if layer == "edge":
        return (70.0, 76.0, 88.0, 255.0)
    if layer == "hub":
        v = 208.0 + 24.0 * lit
        return (v - 4.0, v - 1.0, v + 4.0, 255.0)
    if layer == "clear":
        v = 152.0 + 22.0 * lit
        return (v - 8.0, v - 2.0, v + 8.0, 230.0)
    if layer == "rim":
        v = 112.0 + 22.0 * lit
        return (v - 8.0, v - 2.0, v + 10.0, 255.0)
    # The recorded area: silver lit from the top left, a white glint and a
    # rainbow wedge beside it.
    u = (r - g["clear"]) / max(1e-6, g["R"] - g["rim"] - g["clear"])
    lum = 180.0 + 32.0 * lit + 58.0 * max(0.0, math.cos(2.0 * (theta - GLINT))) ** 8
    base = (lum - 6.0, lum - 2.0, lum + 4.0)
    w = 0.6 * max(0.0, math.cos(2.0 * (theta - RAINBOW))) ** 2
    spread = min(1.0, size / 48.0)
    hue = (0.78 * u * spread + 0.55 * (theta - RAINBOW) / math.pi * (1.2 - spread) + 0.02) % 1.0
    sheen = colorsys.hsv_to_rgb(hue, 0.6, 1.0)
    col = tuple(base[i] * (1.0 - w + 1.05 * w * sheen[i]) + 18.0 * w for i in range(3))
    return (col[0], col[1], col[2], 255.0)


# --------------------------------------------------------------- drawing

def paint(size, layer_at, colour_at):
    """Supersamples the layers of each pixel and shades each layer once at
    the pixel's centre, blending them by coverage."""
    ss = 4 if size >= 128 else 8
    img = Image.new("RGBA", (size, size))
    px = img.load()
    offsets = [(i + 0.5) / ss for i in range(ss)]
    total = float(ss * ss)
    for py in range(size):
        for pxi in range(size):
            counts = {}
            for oy in offsets:
                for ox in offsets:
                    layer = layer_at(pxi + ox, py + oy)
                    counts[layer] = counts.get(layer, 0) + 1
            acc = [0.0, 0.0, 0.0, 0.0]
            for layer, n in counts.items():
                if layer is None:
                    continue
                col = colour_at(layer, pxi + 0.5, py + 0.5)
                wgt = n / total * col[3] / 255.0
                for i in range(3):
                    acc[i] += col[i] * wgt
                acc[3] += wgt
            if acc[3] > 0:
                px[pxi, py] = (clamp8(acc[0] / acc[3]), clamp8(acc[1] / acc[3]),
                               clamp8(acc[2] / acc[3]), clamp8(acc[3] * 255.0))
    return img


def shadow_of(img, size, shift, blur, strength):
    alpha = img.getchannel("A")
    shadow_a = Image.new("L", img.size, 0)
    shadow_a.paste(alpha, (shift, shift))
    if blur > 0:
        shadow_a = shadow_a.filter(ImageFilter.GaussianBlur(blur))
    shadow_a = shadow_a.point(lambda v: v * strength // 255)
    shadow = Image.new("RGBA", img.size, (0, 0, 0, 0))
    shadow.putalpha(shadow_a)
    return shadow


def render(size):
    g = geometry(size)
    window = paint(size, lambda x, y: window_layer(g, x, y),
                   lambda layer, x, y: window_colour(layer, g, x, y) + (255.0,))

    def disc_at(x, y):
        layer = disc_layer(g, x, y)
        return None if layer == "hole" else layer

    disc = paint(size, disc_at, lambda layer, x, y: disc_colour(layer, g, size, x, y))
    img = window
    if size >= 32:
        # The disc lies a little above the window.
        img = Image.alpha_composite(img, shadow_of(disc, size, max(1, round(size * 0.02)),
                                                   size * 0.015, 90))
    img = Image.alpha_composite(img, disc)
    if size >= 48:
        # And the whole icon a little above the desktop.
        img = Image.alpha_composite(shadow_of(img, size, max(1, round(size * 0.012)),
                                              size * 0.01, 60), img)
    return img


# The icon file's sizes: small and large icons at 100 % to 200 %.
ICO_SIZES = (16, 24, 32, 48, 64, 256)


def ico(pngs):
    """An icon file whose images are PNG data, which every Windows since
    Vista reads: header, one 16-byte entry per image, then the images."""
    header = struct.pack("<HHH", 0, 1, len(pngs))
    entries, offset = b"", 6 + 16 * len(pngs)
    for size, data in pngs:
        side = 0 if size >= 256 else size  # 0 stands for 256
        entries += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return header + entries + b"".join(data for _, data in pngs)


def main():
    pngs = []
    for size in SIZES:
        out = io.BytesIO()
        render(size).save(out, "PNG", optimize=True)
        with open(os.path.join(HERE, "orvane-graphic-%d.png" % size), "wb") as f:
            f.write(out.getvalue())
        if size in ICO_SIZES:
            pngs.append((size, out.getvalue()))
    with open(os.path.join(HERE, "orvane-graphic.ico"), "wb") as f:
        f.write(ico(pngs))


if __name__ == "__main__":
    main()
