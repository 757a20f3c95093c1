#!/usr/bin/python3
"""Draws the button style designer's artwork: the three default button
pictures (normal, highlighted, pressed), the default mask and the sample
background. Run from anywhere; writes the PNGs beside this script."""
import os
from PIL import Image, ImageDraw

HERE = os.path.dirname(os.path.abspath(__file__))
SIZE = 32


def lerp(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def rounded_mask(size, radius):
    # White opaque, black transparent, with a soft edge.
    big = 4
    m = Image.new("L", (size * big, size * big), 0)
    ImageDraw.Draw(m).rounded_rectangle(
        (big, big, size * big - big - 1, size * big - big - 1), radius * big, fill=255)
    return m.resize((size, size), Image.LANCZOS)


def button(top, bottom, border, shine, pressed=False):
    img = Image.new("RGB", (SIZE, SIZE), border)
    px = img.load()
    for y in range(SIZE):
        t = y / (SIZE - 1)
        row = lerp(bottom, top, t) if pressed else lerp(top, bottom, t)
        for x in range(SIZE):
            px[x, y] = row
    d = ImageDraw.Draw(img)
    # Glossy upper half, kept inside the 11-pixel corners so it stretches well.
    for y in range(2, 15):
        t = (y - 2) / 13
        c = lerp(shine, lerp(top, bottom, 0.45), t)
        if pressed:
            c = lerp(c, bottom, 0.5)
        d.line((3, y, SIZE - 4, y), fill=c)
    d.rounded_rectangle((1, 1, SIZE - 2, SIZE - 2), 7, outline=border, width=1)
    light = lerp(shine, (255, 255, 255), 0.5)
    if pressed:
        d.arc((2, 2, 16, 16), 180, 270, fill=lerp(border, bottom, 0.5))
    else:
        d.line((8, 2, SIZE - 9, 2), fill=light)
    return img


def background():
    w, h = 189, 137
    img = Image.new("RGB", (w, h))
    px = img.load()
    for y in range(h):
        for x in range(w):
            t = (x + y) / (w + h)
            c = lerp((36, 62, 102), (150, 178, 210), t)
            if (x // 12 + y // 12) % 2 == 0:
                c = lerp(c, (255, 255, 255), 0.06)
            px[x, y] = c
    d = ImageDraw.Draw(img)
    d.rectangle((0, 0, w - 1, h - 1), outline=(24, 40, 70))
    return img


def main():
    button((120, 170, 230), (30, 80, 160), (20, 45, 95), (215, 232, 255)).save(
        os.path.join(HERE, "button_normal.png"))
    button((150, 210, 255), (40, 120, 210), (20, 60, 120), (235, 246, 255)).save(
        os.path.join(HERE, "button_highlighted.png"))
    button((110, 160, 220), (25, 65, 135), (15, 35, 80), (180, 205, 240), pressed=True).save(
        os.path.join(HERE, "button_pressed.png"))
    rounded_mask(SIZE, 8).convert("RGB").save(os.path.join(HERE, "mask.png"))
    background().save(os.path.join(HERE, "sample_background.png"))


if __name__ == "__main__":
    main()
