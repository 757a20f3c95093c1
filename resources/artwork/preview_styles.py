#!/usr/bin/env python3
"""Composes sample menus from the style pictures, the way the editor does, so
the artwork can be judged as users see it.

Usage: python3 preview_styles.py [stylesdir] [outdir] [positions...]
       python3 preview_styles.py --check [stylesdir]
For each style writes outdir/preview_NN.png (default outdir /tmp/style_preview):
a wide menu in preset colour 1, narrow menus in presets 2..5, one with "Auto
Adjust" off (and, for photo styles, one with both boxes at 50 % visibility),
and the raw style picture, its recoloured form and the mask at 4x.
Both forms print the marker and stretch-band checks; --check only checks and
exits with status 1 when a picture is wrong.
"""

import os
import sys

from PIL import Image, ImageDraw, ImageFont

sys.dont_write_bytecode = True  # keep the artwork folder free of caches
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import generate_styles as gen  # noqa: E402

FONTDIR = "/usr/share/fonts/truetype/"
FACES = {
    "Arial": "liberation/LiberationSans-%s.ttf",
    "Arial Black": "liberation/LiberationSans-%s.ttf",
    "Times New Roman": "liberation/LiberationSerif-%s.ttf",
    "Verdana": "dejavu/DejaVuSans%s.ttf",
    "Segoe UI": "dejavu/DejaVuSansCondensed%s.ttf",
    "Trebuchet MS": "dejavu/DejaVuSansCondensed%s.ttf",
}

# (title font, size, flags, centred, left, top), (text ...), (button ...)
FONTS = [
    (("Arial", 22, "I", 0, 18, 23), ("Arial", 10, ""), ("Arial", 10, "", 0)),
    (("Verdana", 18, "", 0, 22, 22), ("Arial", 10, "B"), ("Arial", 10, "B", 0)),
    (("Times New Roman", 20, "B", 1, 46, 26), ("Times New Roman", 12, ""), ("Times New Roman", 11, "B", 0)),
    (("Arial Black", 18, "BI", 0, 18, 21), ("Arial", 10, "B"), ("Arial", 10, "", 1)),
    (("Arial", 24, "", 0, 18, 18), ("Arial", 10, ""), ("Arial", 10, "", 1)),
    (("Verdana", 24, "", 0, 70, 16), ("Verdana", 10, ""), ("Verdana", 10, "", 1)),
    (("Verdana", 24, "", 0, 18, 16), ("Verdana", 10, ""), ("Verdana", 10, "B", 0)),
    (("Arial", 24, "", 0, 32, 10), ("Arial", 10, ""), ("Arial", 10, "B", 0)),
    (("Arial", 24, "", 0, 32, 10), ("Arial", 10, ""), ("Arial", 9, "B", 0)),
    (("Segoe UI", 16, "", 0, 54, 34), ("Segoe UI", 10, ""), ("Segoe UI", 9, "", 0)),
    (("Segoe UI", 16, "", 0, 26, 22), ("Segoe UI", 10, ""), ("Segoe UI", 9, "", 0)),
    (("Arial", 22, "", 0, 30, 23), ("Arial", 10, "B"), ("Arial", 10, "B", 1)),
    (("Arial", 22, "", 0, 26, 23), ("Arial", 10, "B"), ("Arial", 10, "B", 1)),
    (("Arial", 22, "", 0, 26, 15), ("Arial", 10, "B"), ("Arial", 10, "B", 0)),
    (("Verdana", 20, "", 0, 26, 23), ("Arial", 10, "B"), ("Arial", 10, "B", 1)),
    (("Arial", 22, "", 0, 26, 23), ("Arial", 10, "B"), ("Arial", 10, "B", 0)),
    (("Trebuchet MS", 22, "", 0, 72, 21), ("Trebuchet MS", 10, "B"), ("Trebuchet MS", 10, "B", 0)),
    (("Arial", 22, "", 0, 26, 23), ("Arial", 10, "B"), ("Arial", 10, "B", 1)),
]

TITLE = "My Disc Menu"
TEXT = ("Welcome! Choose one of the buttons on the right to install the "
        "software, browse the disc or read the guide.")
CAPTIONS = ["Install", "Browse Disc", "Close Menu"]


def font(name, size, flags):
    pat = FACES[name]
    b, i = "B" in flags or name == "Arial Black", "I" in flags
    if "liberation" in pat:
        style = {(0, 0): "Regular", (1, 0): "Bold", (0, 1): "Italic", (1, 1): "BoldItalic"}[(b, i)]
    else:
        style = {(0, 0): "", (1, 0): "-Bold", (0, 1): "-Oblique", (1, 1): "-BoldOblique"}[(b, i)]
    return ImageFont.truetype(FONTDIR + pat % style, round(size * 96 / 72))


def colour_skin(sheet, mc):
    """The recolouring with "Auto Adjust" on: hue of the menu colour, shading kept."""
    out = sheet.copy()
    px = out.load()
    mx, mn = max(mc), min(mc)
    if mx == 0:
        mx = 0.0001
    f = 1 - (mx - mn) / 255 - 0.5
    k = [1.0 if t == mx else 0.0 if t == mn else (t - mn) / (mx - mn) for t in mc]
    for y in range(sheet.height):
        for x in range(sheet.width):
            r, g, b = px[x, y]
            if g > r and g > b:
                m = min(r, g, b)
                M1 = g - (g - m) * f
                m1 = (M1 - m) * f + m
                if M1 == 0:
                    M1 = 0.0001
                d = M1 - m1
                px[x, y] = tuple(int(min(255, max(0, kk * d + m1))) for kk in k)
    return out


def new_colour_skin(sheet, mc):
    """The recolouring with "Auto Adjust" off: menu colour mixed with black or white."""
    out = sheet.copy()
    px = out.load()
    for y in range(sheet.height):
        for x in range(sheet.width):
            r, g, b = px[x, y]
            if g > r and g > b:
                lum = (r + g + b) / 382.5 - 1
                w = 255 if lum > 0 else 0
                lum = abs(lum)
                px[x, y] = tuple(int(min(255, max(0, (1 - lum) * t + w * lum))) for t in mc)
    return out


def stretch(dst, src, sbox, dbox):
    w, h = dbox[2] - dbox[0], dbox[3] - dbox[1]
    if w <= 0 or h <= 0:
        return
    dst.paste(src.crop(sbox).resize((w, h), Image.NEAREST), dbox[:2])


def compose_frame(sheet, MW, MH, TW, BH, GAP, N):
    im = Image.new("RGB", (MW, MH), (255, 255, 255))
    pieces = [
        ((64, 0, 72, 76), (8, 0, MW - 8, 76)), ((0, 0, 64, 76), (0, 0, 64, 76)),
        ((72, 0, 136, 76), (MW - 64, 0, MW, 76)),
        ((33, 76, 46, 117), (33, 76, TW, 117)), ((33, 129, 46, 162), (33, MH - 33, TW, MH)),
        ((0, 117, 33, 129), (0, 117, 33, MH - 33)), ((46, 117, 79, 129), (TW, 117, TW + 33, MH - 33)),
        ((33, 117, 46, 129), (33, 117, TW, MH - 33)), ((0, 76, 33, 117), (0, 76, 33, 117)),
        ((0, 129, 33, 162), (0, MH - 33, 33, MH)), ((46, 76, 79, 117), (TW, 76, TW + 33, 117)),
        ((46, 129, 79, 162), (TW, MH - 33, TW + 33, MH)),
        ((103, 76, 112, 92), (TW + 57, 76, MW - 24, 92)), ((79, 76, 103, 92), (TW + 33, 76, TW + 57, 92)),
        ((112, 76, 136, 92), (MW - 24, 76, MW, 92)),
    ]
    for s, d in pieces:
        stretch(im, sheet, s, d)
    for i in range(N):
        y = 92 + i * (BH + GAP)
        stretch(im, sheet, (103, 92, 112, 124), (TW + 57, y, MW - 24, y + BH))
        stretch(im, sheet, (79, 92, 103, 124), (TW + 33, y, TW + 57, y + BH))
        stretch(im, sheet, (112, 92, 136, 124), (MW - 24, y, MW, y + BH))
        if i < N - 1:
            stretch(im, sheet, (103, 124, 112, 140), (TW + 57, y + BH, MW - 24, y + BH + GAP))
            stretch(im, sheet, (79, 124, 103, 140), (TW + 33, y + BH, TW + 57, y + BH + GAP))
            stretch(im, sheet, (112, 124, 136, 140), (MW - 24, y + BH, MW, y + BH + GAP))
    E = (BH + GAP) * N + 92 - GAP
    stretch(im, sheet, (103, 140, 112, 146), (TW + 57, E, MW - 24, MH - 16))
    stretch(im, sheet, (79, 140, 103, 146), (TW + 33, E, TW + 57, MH - 16))
    stretch(im, sheet, (112, 140, 136, 146), (MW - 24, E, MW, MH - 16))
    stretch(im, sheet, (103, 146, 112, 162), (TW + 57, MH - 16, MW - 24, MH))
    stretch(im, sheet, (79, 146, 103, 162), (TW + 33, MH - 16, TW + 57, MH))
    stretch(im, sheet, (112, 146, 136, 162), (MW - 24, MH - 16, MW, MH))
    return im


def compose_face(sheet, s, BW, BH):
    a = 32 * s
    f = Image.new("RGB", (BW, BH), (255, 255, 255))
    for sb, db in [
        ((a + 11, 173, a + 21, 183), (11, 5, BW - 11, BH - 4)),
        ((a + 11, 162, a + 21, 173), (11, 0, BW - 10, 11)),
        ((a + 11, 183, a + 21, 194), (11, BH - 11, BW - 10, BH)),
        ((a, 173, a + 11, 183), (0, 10, 11, BH - 10)),
        ((a + 21, 173, a + 32, 183), (BW - 11, 10, BW, BH - 10)),
        ((a, 162, a + 11, 173), (0, 0, 11, 11)),
        ((a + 21, 162, a + 32, 173), (BW - 11, 0, BW, 11)),
        ((a, 183, a + 11, 194), (0, BH - 11, 11, BH)),
        ((a + 21, 183, a + 32, 194), (BW - 11, BH - 11, BW, BH)),
    ]:
        stretch(f, sheet, sb, db)
    return f


def mask_blend(back, over, mask, x, y):
    out = over.copy()
    bp, op, mp, rp = back.load(), over.load(), mask.load(), out.load()
    for r in range(over.height):
        for c in range(over.width):
            a = mp[c, r][2] / 255  # byte 0 of the pixel: blue
            rp[c, r] = tuple(int(min(255, max(0, (1 - a) * bp[x + c, y + r][i] + op[c, r][i] * a)))
                             for i in range(3))
    return out


def fade_mask(mask, title_vis, text_vis):
    m = mask.copy()
    px = m.load()
    for (x0, x1, y0, y1), f in (((12, 78, 76, 149), text_vis / 100), ((12, 123, 12, 75), title_vis / 100)):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                r, g, b = px[x, y]
                px[x, y] = (int(b * f), int(g * f), int(r * f))
    return m


def photo(w, h):
    """A synthetic landscape: sky, sun, hills, lake."""
    im = Image.new("RGB", (w, h))
    d = ImageDraw.Draw(im)
    for y in range(h):
        t = y / h
        if t < 0.55:
            u = t / 0.55
            c = (int(70 + 150 * u), int(120 + 100 * u), int(200 + 40 * u))
        else:
            u = (t - 0.55) / 0.45
            c = (int(40 + 30 * u), int(90 - 20 * u), int(60 - 20 * u))
        d.line([(0, y), (w, y)], fill=c)
    d.ellipse([w * 0.68, h * 0.12, w * 0.8, h * 0.12 + w * 0.12], fill=(255, 230, 150))
    d.polygon([(0, h * 0.6), (w * 0.2, h * 0.35), (w * 0.42, h * 0.58), (w * 0.6, h * 0.4),
               (w, h * 0.62), (w, h), (0, h)], fill=(70, 100, 80))
    d.polygon([(0, h * 0.75), (w * 0.3, h * 0.6), (w * 0.7, h * 0.72), (w, h * 0.66), (w, h), (0, h)],
              fill=(40, 110, 50))
    d.rectangle([w * 0.1, h * 0.84, w * 0.9, h * 0.92], fill=(90, 140, 190))
    return im


def wrap(text, fnt, width, draw):
    words, lines, cur = text.split(), [], ""
    for w in words:
        t = (cur + " " + w).strip()
        if draw.textlength(t, font=fnt) > width and cur:
            lines.append(cur)
            cur = w
        else:
            cur = t
    if cur:
        lines.append(cur)
    return lines


def render_menu(sheet0, mask0, pos, mc, MW, MH, auto=True, vis=(100, 100)):
    BW, BH, GAP, N = 100, 28, 8, 3
    TW = MW - BW - 72
    sheet = colour_skin(sheet0, mc) if auto else new_colour_skin(sheet0, mc)
    sp = sheet.load()
    title_c, text_c, cap_c = sp[115, 164], sp[115, 168], sp[115, 172]
    title_s, text_s, cap_s = sp[119, 164], sp[119, 168], sp[119, 172]
    p0 = sheet0.load()
    tdep = 2 if p0[123, 164][0] > 128 else 0
    xdep = 1 if p0[123, 168][0] > 128 else 0
    cdep = 1 if p0[123, 172][0] > 128 else 0
    is_photo = p0[115, 176][0] > 128
    menu = compose_frame(sheet, MW, MH, TW, BH, GAP, N)
    if is_photo:
        msk = fade_mask(mask0, *vis)
        mlayer = compose_frame(msk, MW, MH, TW, BH, GAP, N)
        back = photo(MW, MH)
        menu = mask_blend(back, menu, mlayer, 0, 0)
    else:
        g = sheet.crop((96, 162, 113, 171))
        menu.paste(g, (MW - 22, 5))
    tf, xf, bf = FONTS[pos]
    d = ImageDraw.Draw(menu)
    if pos != 17:
        f = font(tf[0], tf[1], tf[2])
        tw = d.textlength(TITLE, font=f)
        x = (MW - tw) // 2 if tf[3] else tf[4]
        y = tf[5]
        if tdep:
            d.text((x + tdep, y + tdep), TITLE, font=f, fill=title_s)
        d.text((x, y), TITLE, font=f, fill=title_c)
    f = font(*xf)
    lines = wrap(TEXT, f, TW - 15, d)
    lh = sum(f.getmetrics())
    for i, ln in enumerate(lines):
        if 109 + (i + 1) * lh > MH - 26:
            break
        if xdep:
            d.text((24 + xdep, 109 + i * lh + xdep), ln, font=f, fill=text_s)
        d.text((24, 109 + i * lh), ln, font=f, fill=text_c)
    f = font(bf[0], bf[1], bf[2])
    th = sum(f.getmetrics())
    for i in range(N):
        face = compose_face(sheet, i, BW, BH)
        bx, by = TW + 52, 92 + i * (BH + GAP)
        if is_photo:
            fm = compose_face(fade_mask(mask0, *vis), i, BW, BH)
            face = mask_blend(photo(MW, MH), face, fm, bx, by)
        fd = ImageDraw.Draw(face)
        cap = CAPTIONS[i]
        cw = fd.textlength(cap, font=f)
        x = (BW - cw) // 2 if bf[3] else 11
        y = (BH - th) // 2
        if i == 2:
            x, y = x + 1, y + 1
        if cdep:
            fd.text((x + cdep, y + cdep), cap, font=f, fill=cap_s)
        fd.text((x, y), cap, font=f, fill=cap_c)
        menu.paste(face, (bx, by))
    return menu


def checks(pos, sheet, mask):
    px = sheet.load()
    bad = []
    for i, c in enumerate(gen.PRESETS[pos]):
        if px[98 + 4 * i, 191] != c:
            bad.append("preset %d" % (i + 1))
    red = lambda p: p[0] > 128  # noqa: E731
    if red(px[115, 176]) != (pos >= 11):
        bad.append("photo switch")
    for j, y in enumerate((164, 168, 172)):
        if red(px[123, y]) != bool(gen.SHADOWS[pos][j]):
            bad.append("shadow switch %d" % y)
    keyed = lambda p: p[1] > p[0] and p[1] > p[2]  # noqa: E731
    for xy in [(115, 176), (123, 164), (123, 168), (123, 172)]:
        if keyed(px[xy]):
            bad.append("switch %s is green-dominant" % (xy,))
    for band, axis in gen.STRETCH:
        for im in [sheet] + ([mask] if mask else []):
            if gen.unevenness(im, band, axis):
                bad.append("band %s not uniform" % (band,))
    if sheet.mode != "RGB" or sheet.size != (136, 194):
        bad.append("format")
    if mask is not None:
        mp = mask.load()
        if any(len(set(mp[x, y])) != 1 for y in range(194) for x in range(136)):
            bad.append("mask not grey")
    return bad


def load(sdir, pos):
    p = os.path.join(sdir, "style_%02d.png" % pos)
    if not os.path.exists(p):
        return None, None
    sheet = Image.open(p).convert("RGB")
    mp = os.path.join(sdir, "mask_%02d.png" % pos)
    mask = Image.open(mp).convert("RGB") if os.path.exists(mp) else None
    return sheet, mask


def check_all(sdir):
    failed = False
    for pos in range(18):
        p = os.path.join(sdir, "style_%02d.png" % pos)
        if not os.path.exists(p):
            print("%2d %-18s missing" % (pos, gen.NAMES[pos]))
            failed = True
            continue
        raw = Image.open(p)
        sheet, mask = load(sdir, pos)
        bad = checks(pos, sheet, mask)
        if raw.mode != "RGB":
            bad.append("stored as %s, not RGB" % raw.mode)
        if mask is not None and Image.open(os.path.join(sdir, "mask_%02d.png" % pos)).mode != "RGB":
            bad.append("mask not stored as RGB")
        if (mask is not None) != (pos >= 11):
            bad.append("mask present" if mask is not None else "mask missing")
        print("%2d %-18s %s" % (pos, gen.NAMES[pos], ", ".join(bad) or "ok"))
        failed |= bool(bad)
    return 1 if failed else 0


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    if argv[1:2] == ["--check"]:
        return check_all(argv[2] if len(argv) > 2 else os.path.join(here, "..", "styles"))
    sdir = argv[1] if len(argv) > 1 else os.path.join(here, "..", "styles")
    odir = argv[2] if len(argv) > 2 else "/tmp/style_preview"
    which = [int(a) for a in argv[3:]] or list(range(18))
    os.makedirs(odir, exist_ok=True)
    for pos in which:
        sheet, mask = load(sdir, pos)
        if sheet is None:
            continue
        print("%2d %-18s %s" % (pos, gen.NAMES[pos], ", ".join(checks(pos, sheet, mask)) or "ok"))
        presets = gen.PRESETS[pos]
        big = render_menu(sheet, mask, pos, presets[0], 480, 320)
        smalls = [render_menu(sheet, mask, pos, c, 300, 229) for c in presets[1:]]
        manual = render_menu(sheet, mask, pos, presets[0], 300, 229, auto=False)
        extra = []
        if mask is not None:
            extra.append(render_menu(sheet, mask, pos, presets[0], 300, 229, vis=(50, 50)))
        raw = sheet.resize((136 * 4, 194 * 4), Image.NEAREST)
        rawk = colour_skin(sheet, presets[0]).resize((136 * 4, 194 * 4), Image.NEAREST)
        cols = [raw, rawk] + ([mask.resize((544, 776), Image.NEAREST)] if mask else [])
        top_w = 480 + 20 + 310 * 2
        sheet_w = max(top_w, 20 + 564 * len(cols))
        out = Image.new("RGB", (sheet_w, 340 + 239 * 3 + 10 + 786), (90, 90, 90))
        out.paste(big, (10, 10))
        allsmall = smalls + [manual] + extra
        for i, s in enumerate(allsmall):
            out.paste(s, (500 + (i % 2) * 310, 10 + (i // 2) * 239))
        for i, c in enumerate(cols):
            out.paste(c, (10 + 564 * i, 340 + 239 * 3))
        out.save(os.path.join(odir, "preview_%02d.png" % pos))
        big.save(os.path.join(odir, "menu_%02d.png" % pos))


if __name__ == "__main__":
    sys.exit(main(sys.argv))
