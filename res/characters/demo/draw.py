#!/usr/bin/env python3
"""Draws the demo character's pictures: a round, pink creature with little ears and feet.

Writes body.png (the full frame, resting), eyes-half.png and eyes-shut.png (overlays over its
eyes), hop-low.png and hop-high.png (the full frame, lifted for the hop) and one mask per pose.
Only the Python standard library is used, so that the pictures can be drawn again anywhere:

    res/characters/demo/draw.py
"""
import os
import struct
import zlib

WIDTH, HEIGHT = 112, 160
WHITE = (255, 255, 255)
OUTLINE = (96, 56, 80)
BODY = (255, 214, 228)
SHADE = (246, 190, 210)
CHEEK = (255, 150, 172)
EYE = (40, 28, 40)
MOUTH = (200, 70, 96)
# Where the eye overlays go: they cover both eyes and nothing that changes in another pose.
EYES_BOX = (32, 72, 48, 16)


def ellipse(cx, cy, rx, ry):
    return lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0


def outlined(cx, cy, rx, ry):
    return ellipse(cx, cy, rx + 2, ry + 2), ellipse(cx, cy, rx, ry)


def silhouette(lift):
    """The parts of the creature, each as (outer, inner) tests, lifted by `lift` pixels."""
    top = -lift
    return [
        outlined(24, 52 + top, 11, 11),  # ears, behind the body
        outlined(88, 52 + top, 11, 11),
        outlined(36, 114 + top, 11, 5),  # feet
        outlined(76, 114 + top, 11, 5),
        outlined(56, 82 + top, 46, 34),  # body
    ]


def eye_pixel(x, y, cx, cy, eyes):
    dx, dy = x - cx, y - cy
    if eyes == "open":
        if (dx - 1) ** 2 + (dy + 3) ** 2 <= 3:
            return WHITE
        return EYE if (dx / 5) ** 2 + (dy / 7) ** 2 <= 1 else None
    if eyes == "half":
        return EYE if dy >= 0 and (dx / 5) ** 2 + (dy / 5) ** 2 <= 1 else None
    if eyes == "shut":
        return OUTLINE if abs(dx) <= 5 and 2 <= dy <= 3 else None
    # happy: an upturned arc
    arc = 2 - (6 - abs(dx)) * 0.8
    return OUTLINE if abs(dx) <= 6 and arc - 1 <= dy <= arc + 1 else None


def face_pixel(x, y, lift, eyes):
    cy = 80 - lift
    for cx in (40, 72):
        colour = eye_pixel(x, y, cx, cy, eyes)
        if colour:
            return colour
    for cx in (27, 85):
        if ellipse(cx, cy + 12, 6, 3.5)(x, y):
            return CHEEK
    mouth = ((x - 56) ** 2 + (y - (cy + 8)) ** 2) ** 0.5
    if 3 <= mouth <= 4.5 and y >= cy + 8:
        return MOUTH
    return None


def render(lift, eyes):
    pixels = []
    parts = silhouette(lift)
    for y in range(HEIGHT):
        row = []
        for x in range(WIDTH):
            px, py = x + 0.5, y + 0.5
            colour = WHITE
            for outer, inner in parts:
                if inner(px, py):
                    colour = SHADE if py > 104 - lift and outer is parts[-1][0] else BODY
                elif outer(px, py):
                    colour = OUTLINE
            if colour in (BODY, SHADE):
                colour = face_pixel(px, py, lift, eyes) or colour
            row.append(colour)
        pixels.append(row)
    return pixels


def mask(lift):
    parts = silhouette(lift)
    return [[any(outer(x + 0.5, y + 0.5) for outer, _ in parts) for x in range(WIDTH)] for y in range(HEIGHT)]


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def write_png(path, width, height, depth, colour_type, rows, palette=None):
    raw = b"".join(b"\0" + row for row in rows)
    header = struct.pack(">IIBBBBB", width, height, depth, colour_type, 0, 0, 0)
    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
    if palette:
        png += chunk(b"PLTE", b"".join(bytes(c) for c in palette))
    png += chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


def write_picture(path, pixels):
    palette = []
    for row in pixels:
        for colour in row:
            if colour not in palette:
                palette.append(colour)
    rows = [bytes(palette.index(c) for c in row) for row in pixels]
    write_png(path, len(pixels[0]), len(pixels), 8, 3, rows, palette)


def write_mask(path, inside):
    rows = []
    for row in inside:
        bits = bytearray((len(row) + 7) // 8)
        for x, is_inside in enumerate(row):
            if not is_inside:  # black inside the shape, white outside
                bits[x // 8] |= 0x80 >> (x % 8)
        rows.append(bytes(bits))
    write_png(path, len(inside[0]), len(inside), 1, 0, rows)


def crop(pixels, box):
    x, y, w, h = box
    return [row[x:x + w] for row in pixels[y:y + h]]


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = lambda name: os.path.join(here, name)
    write_picture(out("body.png"), render(0, "open"))
    write_picture(out("eyes-half.png"), crop(render(0, "half"), EYES_BOX))
    write_picture(out("eyes-shut.png"), crop(render(0, "shut"), EYES_BOX))
    write_picture(out("hop-low.png"), render(8, "happy"))
    write_picture(out("hop-high.png"), render(18, "happy"))
    for name, lift in (("mask.png", 0), ("mask-low.png", 8), ("mask-high.png", 18)):
        write_mask(out(name), mask(lift))


if __name__ == "__main__":
    main()
