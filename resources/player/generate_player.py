#!/usr/bin/python3
"""Draws the menu player's built-in artwork: its six sounds and its icon.

Usage: /usr/bin/python3 generate_player.py
Writes start.wav, select.wav, change.wav, click.wav, exit.wav, noaction.wav,
disc.ico and disc-256.png beside this file. Standard library plus Pillow only;
nothing is random without a fixed seed, so every run writes the same bytes.
"""

import colorsys
import io
import math
import os
import random
import struct
import wave

from PIL import Image, ImageFilter

HERE = os.path.dirname(os.path.abspath(__file__))

# ---------------------------------------------------------------- sounds

# Every partial and the swish lie below 5 kHz, well inside 16 kHz sampling,
# which keeps the player small.
RATE = 16000


def db(v):
    return 10.0 ** (v / 20.0)


def note(name):
    # Equal temperament, A4 = 440 Hz.
    steps = {"C": -9, "D": -7, "E": -5, "F": -4, "G": -2, "A": 0, "B": 2}
    semis = steps[name[0]] + (1 if "#" in name else 0) + 12 * (int(name[-1]) - 4)
    return 440.0 * 2.0 ** (semis / 12.0)


def silence(seconds):
    return [0.0] * int(round(seconds * RATE))


def attack_gain(t, attack):
    # Raised cosine: starts at zero with zero slope, so no click.
    if t >= attack:
        return 1.0
    return 0.5 - 0.5 * math.cos(math.pi * t / attack)


def add_tone(buf, start, freq, partials, attack=0.004, glide=0.0, glide_tau=0.01):
    """Adds a decaying tone. partials: (ratio, amplitude, decay time constant).
    glide bends the pitch from freq * (1 + glide) down to freq."""
    first = int(round(start * RATE))
    phases = [0.0] * len(partials)
    for i in range(first, len(buf)):
        t = (i - first) / RATE
        f = freq * (1.0 + glide * math.exp(-t / glide_tau)) if glide else freq
        a = attack_gain(t, attack)
        s = 0.0
        for k, (ratio, amp, tau) in enumerate(partials):
            s += amp * math.exp(-t / tau) * math.sin(phases[k])
            phases[k] += 2.0 * math.pi * f * ratio / RATE
        buf[i] += a * s


def add_swish(buf, start, length, level, seed, low_from, low_to, high):
    """Band-limited noise whose upper cutoff sweeps, for a soft air sound."""
    rng = random.Random(seed)
    first = int(round(start * RATE))
    n = min(int(round(length * RATE)), len(buf) - first)
    hp_state = lp1 = lp2 = 0.0
    hp_k = 1.0 - math.exp(-2.0 * math.pi * high / RATE)
    for j in range(n):
        u = j / n
        cut = low_from * (low_to / low_from) ** u
        lp_k = 1.0 - math.exp(-2.0 * math.pi * cut / RATE)
        x = rng.uniform(-1.0, 1.0)
        # Two poles, so the top end rolls off softly rather than hissing.
        lp1 += lp_k * (x - lp1)
        lp2 += lp_k * (lp1 - lp2)
        hp_state += hp_k * (lp2 - hp_state)
        band = lp2 - hp_state
        env = math.sin(math.pi * u) ** 2
        buf[first + j] += level * env * band


def bell(tau):
    # Mostly fundamental; the soft upper partials give the chime colour
    # and die away first so the tail stays round.
    return [(1.0, 1.0, tau), (2.0, 0.22, tau * 0.45), (3.0, 0.06, tau * 0.3),
            (4.16, 0.035, tau * 0.2)]


def mallet(tau):
    # Wooden-bar colour: fundamental plus a quick partial near the fourth
    # harmonic.
    return [(1.0, 1.0, tau), (3.98, 0.12, tau * 0.18), (2.0, 0.05, tau * 0.4)]


def finish(buf, peak_db, fade=0.012):
    """Scales to the peak level and fades the tail to exactly zero."""
    peak = max(abs(v) for v in buf)
    scale = db(peak_db) / peak
    n = len(buf)
    fn = int(round(fade * RATE))
    out = []
    for i, v in enumerate(buf):
        g = scale
        left = n - 1 - i
        if left < fn:
            g *= 0.5 - 0.5 * math.cos(math.pi * left / fn)
        out.append(v * g)
    return out


def write_wav(name, samples):
    frames = bytearray()
    for v in samples:
        s = int(round(v * 32767.0))
        frames += struct.pack("<h", max(-32768, min(32767, s)))
    with wave.open(os.path.join(HERE, name), "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(bytes(frames))


def sound_start():
    buf = silence(0.45)
    for i, (n, tau) in enumerate((("C5", 0.11), ("E5", 0.11), ("G5", 0.14))):
        add_tone(buf, 0.075 * i, note(n), bell(tau), attack=0.005)
    return finish(buf, -12.0, fade=0.03)


def sound_exit():
    # The opening chime turned downwards, a little softer and quicker.
    buf = silence(0.40)
    for i, (n, tau) in enumerate((("G5", 0.10), ("E5", 0.10), ("C5", 0.13))):
        add_tone(buf, 0.07 * i, note(n), bell(tau), attack=0.005)
    return finish(buf, -12.5, fade=0.03)


def sound_select():
    # Plays on every hover, so it is short, pure and below the others.
    buf = silence(0.05)
    add_tone(buf, 0.0, note("E6"), [(1.0, 1.0, 0.011)], attack=0.0025)
    return finish(buf, -16.0, fade=0.01)


def sound_click():
    # A pitch drop over the first milliseconds reads as a soft pop.
    buf = silence(0.085)
    add_tone(buf, 0.0, 420.0, [(1.0, 1.0, 0.018), (2.0, 0.12, 0.008)],
             attack=0.0015, glide=1.6, glide_tau=0.006)
    return finish(buf, -13.0, fade=0.012)


def sound_change():
    buf = silence(0.28)
    add_swish(buf, 0.0, 0.16, 0.9, 7, 700.0, 4200.0, 500.0)
    add_tone(buf, 0.02, note("A5"), bell(0.05), attack=0.004)
    add_tone(buf, 0.085, note("D6"), bell(0.065), attack=0.004)
    return finish(buf, -13.0, fade=0.025)


def sound_noaction():
    # Two soft low bars a fourth apart: acknowledges the press, means nothing.
    buf = silence(0.22)
    add_tone(buf, 0.0, note("A4"), mallet(0.045), attack=0.003, glide=0.03)
    add_tone(buf, 0.075, note("E4"), mallet(0.055), attack=0.003, glide=0.03)
    return finish(buf, -13.0, fade=0.02)


SOUNDS = [
    ("start.wav", sound_start),
    ("select.wav", sound_select),
    ("change.wav", sound_change),
    ("click.wav", sound_click),
    ("exit.wav", sound_exit),
    ("noaction.wav", sound_noaction),
]

# ------------------------------------------------------------------ icon

SIZES = [16, 20, 24, 32, 40, 48, 64, 256]

# Per-size geometry in pixels, measured from the image centre. Small sizes
# get a bigger hole and fewer rings so the hole and rim survive.
#   R: outer radius, rim: rim width, hole: hole radius, edge: dark ring
#   round the hole, hub: outer radius of the grey hub, clear: outer radius
#   of the clear ring (= hub when there is none), stack: stacking ring
#   radius or 0, badge: the play badge's box (pixel edges), corner radius,
#   border width and arrow (left x, tip x, centre y, half height), or None.
GEOMETRY = {
    16: dict(R=8.0, rim=1.0, hole=1.3, edge=0.85, hub=3.1, clear=3.1, stack=0,
             badge=None),
    20: dict(R=10.0, rim=1.0, hole=1.6, edge=1.0, hub=3.9, clear=3.9, stack=0,
             badge=None),
    24: dict(R=12.0, rim=1.0, hole=2.0, edge=1.0, hub=4.6, clear=5.4, stack=0,
             badge=dict(box=(14, 14, 24, 24), radius=2.0, border=1.0,
                        arrow=(17.0, 22.0, 19.0, 3.0))),
    32: dict(R=16.0, rim=1.0, hole=2.6, edge=1.0, hub=6.0, clear=7.0, stack=0,
             badge=dict(box=(19, 19, 32, 32), radius=2.5, border=1.0,
                        arrow=(23.0, 29.5, 25.5, 3.5))),
    40: dict(R=19.0, rim=1.4, hole=3.2, edge=1.2, hub=7.4, clear=8.6, stack=0,
             badge=dict(box=(24, 24, 39, 39), radius=3.0, border=1.0,
                        arrow=(29.0, 35.0, 31.5, 3.5))),
    48: dict(R=23.0, rim=1.5, hole=3.8, edge=1.3, hub=8.6, clear=10.2, stack=6.6,
             badge=dict(box=(29, 29, 47, 47), radius=3.5, border=1.2,
                        arrow=(35.0, 42.5, 38.0, 4.5))),
    64: dict(R=30.0, rim=1.8, hole=5.0, edge=1.5, hub=11.2, clear=13.6, stack=8.6,
             badge=dict(box=(39, 39, 62, 62), radius=4.5, border=1.5,
                        arrow=(47.0, 56.5, 50.5, 6.0))),
    256: dict(R=121.0, rim=3.0, hole=17.5, edge=3.0, hub=38.0, clear=47.0,
              stack=30.0, badge=dict(box=(158, 158, 248, 248), radius=16.0,
                                     border=4.0, arrow=(189.0, 227.0, 203.0, 23.0))),
}

LIGHT = math.radians(-135.0)   # light from the top left
GLINT = math.radians(-128.0)   # white reflection wedges
RAINBOW = math.radians(-95.0)  # rainbow wedges, beside the glint

TRANSPARENT = (0.0, 0.0, 0.0, 0.0)


def clamp8(v):
    return max(0, min(255, int(round(v))))


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def disc_layer(g, r):
    if r < g["hole"]:
        return "hole"
    if r < g["hole"] + g["edge"]:
        return "edge"
    if g["stack"] and abs(r - g["stack"]) < max(0.5, g["R"] * 0.012):
        return "stack"
    if r < g["hub"]:
        return "hub"
    if r < g["clear"]:
        return "clear"
    if r < g["R"] - g["rim"]:
        return "data"
    if r < g["R"]:
        return "rim"
    return "outside"


def badge_layer(g, x, y):
    b = g["badge"]
    if b is None:
        return None
    x0, y0, x1, y1 = b["box"]
    rad = b["radius"]
    # Rounded-rectangle distance; negative inside.
    cx = min(max(x, x0 + rad), x1 - rad)
    cy = min(max(y, y0 + rad), y1 - rad)
    d = math.hypot(x - cx, y - cy) - rad
    if d > 0:
        return None
    if d > -b["border"]:
        return "bedge"
    # Play arrow pointing right; its left edge sits right of centre so the
    # triangle looks centred.
    ax0, ax1, ay, half = b["arrow"]
    if ax0 <= x <= ax1 and abs(y - ay) <= half * (ax1 - x) / (ax1 - ax0):
        return "arrow"
    return "badge"


def data_colour(g, size, r, theta):
    u = (r - g["clear"]) / max(1e-6, (g["R"] - g["rim"] - g["clear"]))
    lum = 178.0 + 34.0 * math.cos(theta - LIGHT)
    glint = max(0.0, math.cos(2.0 * (theta - GLINT))) ** 8
    lum += 60.0 * glint
    if size >= 256:
        # Faint tracks; smaller sizes would only show moire.
        lum += 3.0 * math.sin(2.0 * math.pi * r / 3.0)
    if size >= 64 and u > 0.93:
        # The lighter band where the recording ends.
        lum += 10.0
    base = (lum - 6.0, lum - 2.0, lum + 4.0)
    w = 0.62 * max(0.0, math.cos(2.0 * (theta - RAINBOW))) ** 2
    # Hue runs with the radius on big discs, with the angle on tiny ones
    # where there is no room for radial bands.
    spread = min(1.0, size / 48.0)
    hue = (0.78 * u * spread + 0.55 * (theta - RAINBOW) / math.pi * (1.2 - spread)
           + 0.02) % 1.0
    sheen = colorsys.hsv_to_rgb(hue, 0.62, 1.0)
    # The rainbow multiplies the silver, lifted a little so it stays bright.
    return tuple(base[i] * (1.0 - w + 1.05 * w * sheen[i]) + 18.0 * w
                 for i in range(3))


def layer_colour(layer, g, size, x, y, c):
    dx, dy = x - c, y - c
    r = math.hypot(dx, dy)
    theta = math.atan2(dy, dx)
    lit = math.cos(theta - LIGHT)
    if layer == "edge":
        return (68.0, 74.0, 86.0, 255.0)
    if layer == "hub":
        v = 206.0 + 26.0 * lit
        return (v - 4.0, v - 1.0, v + 4.0, 255.0)
    if layer == "stack":
        v = 178.0 - 30.0 * lit
        return (v - 4.0, v - 1.0, v + 4.0, 255.0)
    if layer == "clear":
        v = 150.0 + 22.0 * lit
        alpha = 255.0 if size < 48 else 225.0
        return (v - 8.0, v - 2.0, v + 8.0, alpha)
    if layer == "data":
        col = data_colour(g, size, r, theta)
        return (col[0], col[1], col[2], 255.0)
    if layer == "rim":
        v = 112.0 + 22.0 * lit
        return (v - 8.0, v - 2.0, v + 10.0, 255.0)
    if layer == "bedge":
        return (18.0, 58.0, 140.0, 255.0)
    if layer == "badge":
        x0, y0, x1, y1 = g["badge"]["box"]
        t = (y - y0) / (y1 - y0)
        col = mix((84.0, 166.0, 248.0), (28.0, 96.0, 210.0), t)
        if size >= 32 and t < 0.45:
            # Glossy upper half.
            col = mix(col, (255.0, 255.0, 255.0), 0.16 * (1.0 - t / 0.45) + 0.06)
        return (col[0], col[1], col[2], 255.0)
    if layer == "arrow":
        return (255.0, 255.0, 255.0, 255.0)
    return TRANSPARENT


def render(size):
    g = GEOMETRY[size]
    c = size / 2.0
    ss = 4 if size >= 128 else 8
    img = Image.new("RGBA", (size, size))
    px = img.load()
    offsets = [(i + 0.5) / ss for i in range(ss)]
    for py in range(size):
        for pxi in range(size):
            counts = {}
            for oy in offsets:
                y = py + oy
                for ox in offsets:
                    x = pxi + ox
                    layer = badge_layer(g, x, y)
                    if layer is None:
                        layer = disc_layer(g, math.hypot(x - c, y - c))
                    counts[layer] = counts.get(layer, 0) + 1
            # Shade each layer once at the pixel centre, blend by coverage.
            total = float(ss * ss)
            acc = [0.0, 0.0, 0.0, 0.0]
            for layer, n in counts.items():
                col = layer_colour(layer, g, size, pxi + 0.5, py + 0.5, c)
                wgt = n / total * col[3] / 255.0
                for i in range(3):
                    acc[i] += col[i] * wgt
                acc[3] += wgt
            if acc[3] > 0:
                px[pxi, py] = (clamp8(acc[0] / acc[3]), clamp8(acc[1] / acc[3]),
                               clamp8(acc[2] / acc[3]), clamp8(acc[3] * 255.0))
    if size >= 40:
        img = with_shadow(img, size)
    return img


def with_shadow(img, size):
    # A soft shadow below and right lifts the disc off light desktops.
    alpha = img.getchannel("A")
    shift = max(1, int(round(size * 0.015)))
    shadow_a = Image.new("L", img.size, 0)
    shadow_a.paste(alpha, (shift, shift))
    shadow_a = shadow_a.filter(ImageFilter.GaussianBlur(size * 0.012))
    shadow_a = shadow_a.point(lambda v: v * 70 // 255)
    shadow = Image.new("RGBA", img.size, (0, 0, 0, 0))
    shadow.putalpha(shadow_a)
    return Image.alpha_composite(shadow, img)


def png_bytes(img):
    out = io.BytesIO()
    img.save(out, "PNG", optimize=True)
    return out.getvalue()


def write_ico(path, images):
    # Pillow's writer resamples one picture; each size here is drawn on
    # its own, so the file is assembled by hand. Every entry is PNG: the
    # player is a 64-bit program, and every 64-bit Windows reads PNG icons.
    blobs = [png_bytes(im) for im in images]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for im, blob in zip(images, blobs):
        w, h = im.size
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32,
                           len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        out += blob
    with open(path, "wb") as f:
        f.write(bytes(out))


def main():
    for name, make in SOUNDS:
        write_wav(name, make())
    images = [render(s) for s in SIZES]
    write_ico(os.path.join(HERE, "disc.ico"), images)
    with open(os.path.join(HERE, "disc-256.png"), "wb") as f:
        f.write(png_bytes(images[-1]))


if __name__ == "__main__":
    main()
