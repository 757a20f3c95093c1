#!/usr/bin/env python3
"""Draws the pictures of the editor's small windows.

Usage: /usr/bin/python3 generate_windows.py [outdir]
Writes into outdir (default: this file's folder):

  splash.png         392 x 212 RGB; pure lime green (0, 255, 0) is transparent,
                     so everything else is drawn without lime-green edges.
  tip_icon.png       32 x 32 RGB on pure blue. The tip window blends every
                     bluish pixel (blue above red and green) into its panel,
                     darkened by blue / 255: blue 255 is clear, darker blues
                     are the icon's soft shadow.
  progress_icon.png  32 x 32 RGBA, for the progress window.

Deterministic: the same Pillow build writes byte-identical files.
"""

import math
import os
import sys

from PIL import Image, ImageDraw, ImageFilter, ImageFont

FONTS = "/usr/share/fonts/truetype/dejavu/"
LIME = (0, 255, 0)
SS = 4  # supersampling factor


def font(name, size):
    return ImageFont.truetype(os.path.join(FONTS, name), size)


def lerp(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def vertical_gradient(size, stops):
    """stops: [(t, colour)], t from 0 (top) to 1 (bottom)."""
    w, h = size
    img = Image.new("RGB", size)
    px = img.load()
    for y in range(h):
        t = y / max(1, h - 1)
        for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
            if t0 <= t <= t1:
                c = lerp(c0, c1, (t - t0) / (t1 - t0) if t1 > t0 else 0)
                break
        for x in range(w):
            px[x, y] = c
    return img


def disc(size, hub_colour=(235, 240, 248)):
    """A shiny optical disc, RGBA, size x size, drawn supersampled."""
    big = size * SS
    img = Image.new("RGBA", (big, big), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    c = big / 2
    r = big / 2 - SS
    # Silver body with coloured sheen: hue turns with the angle.
    body = Image.new("RGBA", (big, big), (0, 0, 0, 0))
    bp = body.load()
    for y in range(big):
        for x in range(big):
            dx, dy = x - c, y - c
            dist = math.hypot(dx, dy)
            if dist > r:
                continue
            a = math.atan2(dy, dx)
            sheen = 0.5 + 0.5 * math.cos(2 * a + 0.6)
            glint = max(0.0, math.cos(4 * a - 0.3)) ** 6
            base = 200 + 40 * sheen
            rr = base - 60 * (0.5 + 0.5 * math.sin(2 * a)) * sheen
            gg = base - 30 * (0.5 + 0.5 * math.sin(2 * a + 2.1)) * sheen
            bb = base + 10
            rr, gg, bb = (v + (255 - v) * glint for v in (rr, gg, bb))
            bp[x, y] = (int(min(255, rr)), int(min(255, gg)), int(min(255, bb)), 255)
    img.alpha_composite(body)
    # Rim, data ring and hub.
    d.ellipse((c - r, c - r, c + r, c + r), outline=(120, 130, 150, 255), width=SS)
    ring = r * 0.36
    d.ellipse((c - ring, c - ring, c + ring, c + ring), fill=(214, 222, 236, 255),
              outline=(150, 160, 178, 255), width=SS)
    hub = r * 0.2
    d.ellipse((c - hub, c - hub, c + hub, c + hub), fill=hub_colour + (255,),
              outline=(150, 160, 178, 255), width=SS)
    hole = r * 0.09
    d.ellipse((c - hole, c - hole, c + hole, c + hole), fill=(0, 0, 0, 0))
    return img.resize((size, size), Image.LANCZOS)


def rounded_mask(size, radius):
    """A hard-edged (two-level) rounded rectangle mask: no half-lime edge pixels."""
    w, h = size
    big = Image.new("L", (w * SS, h * SS), 0)
    ImageDraw.Draw(big).rounded_rectangle((0, 0, w * SS - 1, h * SS - 1), radius * SS, fill=255)
    small = big.resize(size, Image.BOX)
    return small.point(lambda v: 255 if v >= 128 else 0)


def draw_splash(out):
    W, H = 392, 212
    band_h = 108
    img = vertical_gradient((W, H), [(0.0, (247, 249, 252)), (1.0, (226, 232, 242))])
    band = vertical_gradient((W, band_h), [(0.0, (22, 58, 118)), (0.55, (18, 92, 150)), (1.0, (12, 120, 160))])
    # Soft light arcs across the band.
    glow = Image.new("L", (W * SS, band_h * SS), 0)
    gd = ImageDraw.Draw(glow)
    for i, alpha in enumerate((46, 30, 20)):
        off = i * 22 * SS
        gd.ellipse((-120 * SS + off, 40 * SS + off, 330 * SS + off, 330 * SS + off), outline=alpha, width=5 * SS)
    glow = glow.resize((W, band_h), Image.LANCZOS).filter(ImageFilter.GaussianBlur(1.2))
    band.paste((255, 255, 255), (0, 0), glow)
    img.paste(band, (0, 0))
    # Accent line under the band.
    d = ImageDraw.Draw(img)
    d.rectangle((0, band_h, W, band_h + 2), fill=(245, 170, 40))
    d.line((0, band_h + 3, W, band_h + 3), fill=(200, 208, 222))

    # Disc, partly over the band's lower edge, with a soft shadow.
    size = 104
    dx, dy = 274, 16
    shadow = Image.new("L", (W, H), 0)
    ImageDraw.Draw(shadow).ellipse((dx + 6, dy + 8, dx + size + 6, dy + size + 8), fill=110)
    shadow = shadow.filter(ImageFilter.GaussianBlur(6))
    img.paste((8, 30, 60), (0, 0), shadow)
    img.paste(disc(size), (dx, dy), disc(size))

    # Title and subtitle.
    title = font("DejaVuSans-Bold.ttf", 27)
    sub = font("DejaVuSans.ttf", 12)
    d = ImageDraw.Draw(img)
    d.text((19, 17), "Orvane Graphic", font=title, fill=(6, 24, 56))
    d.text((17, 15), "Orvane Graphic", font=title, fill=(255, 255, 255))
    x = 19
    for ch in "MENU EDITOR":
        d.text((x, 56), ch, font=sub, fill=(190, 222, 245))
        x += d.textlength(ch, font=sub) + 2.2
    d.text((19, 82), "Autorun menus for discs", font=font("DejaVuSans-Oblique.ttf", 11),
           fill=(170, 205, 232))

    # Thin frame inside the rounded outline.
    mask = rounded_mask((W, H), 14)
    frame = Image.new("RGB", (W, H), (96, 112, 140))
    inner = rounded_mask((W - 2, H - 2), 13)
    inner_full = Image.new("L", (W, H), 0)
    inner_full.paste(inner, (1, 1))
    edge = Image.new("L", (W, H), 0)
    edge.paste(mask, (0, 0))
    edge = Image.composite(Image.new("L", (W, H), 0), edge, inner_full)
    img.paste(frame, (0, 0), edge)

    # Everything outside the rounded shape is the transparent colour.
    result = Image.new("RGB", (W, H), LIME)
    result.paste(img, (0, 0), mask)
    # No drawn pixel may be the key colour by accident.
    px = result.load()
    m = mask.load()
    for y in range(H):
        for x in range(W):
            if m[x, y] and px[x, y] == LIME:
                px[x, y] = (0, 254, 0)
    result.save(os.path.join(out, "splash.png"), optimize=True)


def draw_tip_icon(out):
    N = 32
    big = N * SS
    art = Image.new("RGBA", (big, big), (0, 0, 0, 0))
    d = ImageDraw.Draw(art)
    s = SS
    # Glass bulb: a warm yellow circle narrowing into the neck.
    d.ellipse((7 * s, 2 * s, 25 * s, 20 * s), fill=(255, 214, 60, 255), outline=(176, 120, 12, 255), width=s)
    d.polygon([(10 * s, 16 * s), (22 * s, 16 * s), (20 * s, 23 * s), (12 * s, 23 * s)], fill=(255, 214, 60, 255))
    d.line([(10 * s, 16 * s), (12 * s, 23 * s)], fill=(176, 120, 12, 255), width=s)
    d.line([(22 * s, 16 * s), (20 * s, 23 * s)], fill=(176, 120, 12, 255), width=s)
    # Highlight and filament.
    d.ellipse((10 * s, 5 * s, 15 * s, 11 * s), fill=(255, 246, 200, 255))
    d.line([(13 * s, 18 * s), (14.5 * s, 13 * s), (16 * s, 16 * s), (17.5 * s, 13 * s), (19 * s, 18 * s)],
           fill=(196, 110, 0, 255), width=s)
    # Screw base.
    for i, y in enumerate((23, 25, 27)):
        shade = (150, 150, 150, 255) if i % 2 else (196, 196, 196, 255)
        d.rounded_rectangle((12 * s, y * s, 20 * s, (y + 2) * s), s, fill=shade, outline=(104, 104, 104, 255),
                            width=max(1, s // 2))
    d.ellipse((14 * s, 28.5 * s, 18 * s, 31 * s), fill=(90, 90, 90, 255))
    art = art.resize((N, N), Image.LANCZOS)

    # The soft shadow, down and right; where there is no art it darkens the blue key.
    shadow = Image.new("L", (N, N), 0)
    shadow.paste(art.getchannel("A").point(lambda a: 255 if a > 40 else 0), (2, 2))
    shadow = shadow.filter(ImageFilter.GaussianBlur(1.6))

    result = Image.new("RGB", (N, N))
    rp, ap, sp = result.load(), art.load(), shadow.load()
    light = (252, 250, 236)  # the panel's colour, for the art's soft edges
    for y in range(N):
        for x in range(N):
            r, g, b, a = ap[x, y]
            if a >= 250:
                rp[x, y] = (r, g, b)
            elif a > 16:
                t = a / 255
                rp[x, y] = tuple(int(round(light[i] * (1 - t) + (r, g, b)[i] * t)) for i in range(3))
            else:
                rp[x, y] = (0, 0, 255 - int(sp[x, y] * 0.35))
    # The art itself must never count as bluish.
    for y in range(N):
        for x in range(N):
            r, g, b = rp[x, y]
            if (r or g) and b > r and b > g:
                rp[x, y] = (r, g, max(r, g))
    result.save(os.path.join(out, "tip_icon.png"), optimize=True)


def draw_progress_icon(out):
    N = 32
    big = N * SS
    img = Image.new("RGBA", (N, N), (0, 0, 0, 0))
    shadow = Image.new("L", (N, N), 0)
    ImageDraw.Draw(shadow).ellipse((3, 4, 31, 32), fill=120)
    shadow = shadow.filter(ImageFilter.GaussianBlur(1.5))
    img.paste((0, 0, 0, 255), (0, 0), shadow.point(lambda v: v // 2))
    img.alpha_composite(disc(29, hub_colour=(245, 170, 40)), (1, 1))
    # A small arrow over the disc: the menu going on to it, or coming off.
    arrow = Image.new("RGBA", (big, big), (0, 0, 0, 0))
    d = ImageDraw.Draw(arrow)
    s = SS
    d.polygon([(19 * s, 17 * s), (31 * s, 17 * s), (31 * s, 23 * s), (25 * s, 29.5 * s), (19 * s, 23 * s)],
              fill=(255, 255, 255, 255))
    d.polygon([(20.5 * s, 18 * s), (29.5 * s, 18 * s), (29.5 * s, 22.5 * s), (25 * s, 27.5 * s),
               (20.5 * s, 22.5 * s)], fill=(18, 92, 150, 255))
    d.rectangle((23 * s, 12 * s, 27 * s, 19 * s), fill=(255, 255, 255, 255))
    d.rectangle((24 * s, 13 * s, 26 * s, 20 * s), fill=(18, 92, 150, 255))
    img.alpha_composite(arrow.resize((N, N), Image.LANCZOS))
    img.save(os.path.join(out, "progress_icon.png"), optimize=True)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    os.makedirs(out, exist_ok=True)
    draw_splash(out)
    draw_tip_icon(out)
    draw_progress_icon(out)


if __name__ == "__main__":
    main()
