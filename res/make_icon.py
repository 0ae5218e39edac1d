#!/usr/bin/env python3
"""Draws Kestro's gamepad icon and writes kestro.ico (48, 32, 24, 20 and 16 px, 8 bpp):
the sizes Windows picks from for the small and large icons at 100 % to 300 %
display scale, so none of them is a blurred stretch of another.

Standard library only, and the output is byte-for-byte reproducible, so the
committed kestro.ico can always be regenerated:  python3 res/make_icon.py
"""

import os
import struct
import sys

# Palette slots. Index 0 doubles as the colour behind transparent pixels:
# Windows XORs the image onto the screen there, so it must stay black.
TRANSPARENT, OUTLINE, BODY, BODY_LIGHT, DPAD, DPAD_SHADE, RED, GREEN, BLUE, YELLOW = range(10)

PALETTE = {
    TRANSPARENT: (0x00, 0x00, 0x00),
    OUTLINE: (0x14, 0x17, 0x1E),
    BODY: (0x34, 0x3A, 0x48),
    BODY_LIGHT: (0x4A, 0x53, 0x66),
    DPAD: (0xE8, 0xEB, 0xF0),
    DPAD_SHADE: (0xA9, 0xB0, 0xBD),
    RED: (0xE5, 0x48, 0x4D),
    GREEN: (0x3F, 0xB9, 0x50),
    BLUE: (0x3B, 0x82, 0xF6),
    YELLOW: (0xF5, 0xC5, 0x42),
}

# The design lives on a 32x32 canvas. Each image size gets its own tuning so
# that features land on whole pixels instead of smearing across two.
CANVAS = 32.0

# Body: a rounded bar with a round grip hanging below each end.
BAR_LEFT, BAR_RIGHT, BAR_TOP, BAR_BOTTOM, BAR_RADIUS = 2.0, 30.0, 7.0, 20.0, 5.0
GRIPS = ((8.0, 20.5, 6.0), (24.0, 20.5, 6.0))  # centre x, centre y, radius

LAYOUT = {
    48: dict(dpad=(9.5, 13.5), dpad_arm=4.7, dpad_half_width=1.35, dpad_shadow=True,
             buttons=(22.0, 14.0), button_spread=4.0, button_radius=2.0),
    32: dict(dpad=(9.5, 13.5), dpad_arm=4.5, dpad_half_width=1.5, dpad_shadow=True,
             buttons=(22.0, 14.0), button_spread=4.0, button_radius=1.9),
    24: dict(dpad=(9.33, 14.67), dpad_arm=4.0, dpad_half_width=1.33, dpad_shadow=True,
             buttons=(21.33, 14.67), button_spread=4.0, button_radius=1.6),
    20: dict(dpad=(8.8, 13.6), dpad_arm=3.2, dpad_half_width=0.8, dpad_shadow=False,
             buttons=(21.6, 13.6), button_spread=3.2, button_radius=1.0),
    16: dict(dpad=(9.0, 15.0), dpad_arm=5.0, dpad_half_width=1.0, dpad_shadow=False,
             buttons=(23.0, 15.0), button_spread=4.0, button_radius=1.2),
}
BUTTONS = ((0.0, -1.0, YELLOW), (1.0, 0.0, RED), (0.0, 1.0, GREEN), (-1.0, 0.0, BLUE))


def inside_rounded_rect(x, y, left, top, right, bottom, radius):
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def inside_body(x, y):
    if inside_rounded_rect(x, y, BAR_LEFT, BAR_TOP, BAR_RIGHT, BAR_BOTTOM, BAR_RADIUS):
        return True
    return any((x - gx) ** 2 + (y - gy) ** 2 <= r ** 2 for gx, gy, r in GRIPS)


def inside_dpad(x, y, layout, shift=0.0):
    px = x - layout["dpad"][0] - shift
    py = y - layout["dpad"][1] - shift
    arm, half = layout["dpad_arm"], layout["dpad_half_width"]
    return (abs(px) <= arm and abs(py) <= half) or (abs(py) <= arm and abs(px) <= half)


def button_at(x, y, layout):
    cx, cy = layout["buttons"]
    spread, radius = layout["button_spread"], layout["button_radius"]
    for ux, uy, colour in BUTTONS:
        if (x - cx - ux * spread) ** 2 + (y - cy - uy * spread) ** 2 <= radius ** 2:
            return colour
    return None


def colour_at(x, y, size):
    """Palette index of the design at canvas point (x, y), or None outside it."""
    if not inside_body(x, y):
        return None
    # One output pixel of outline, whatever the image size.
    ring = CANVAS / size
    near_edge = not all(inside_body(x + ox, y + oy)
                        for ox, oy in ((ring, 0), (-ring, 0), (0, ring), (0, -ring)))
    if near_edge:
        return OUTLINE
    layout = LAYOUT[size]
    button = button_at(x, y, layout)
    if button is not None:
        return button
    if inside_dpad(x, y, layout):
        return DPAD
    if layout["dpad_shadow"] and inside_dpad(x, y, layout, shift=CANVAS / size):
        return DPAD_SHADE  # a one-pixel drop shadow gives the cross some depth
    if y < BAR_TOP + 3.0:
        return BODY_LIGHT
    return BODY


def render(size, samples=4):
    """Rows of palette indices (None = transparent), top row first."""
    scale = CANVAS / size
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            counts = {}
            for sy in range(samples):
                for sx in range(samples):
                    x = (px + (sx + 0.5) / samples) * scale
                    y = (py + (sy + 0.5) / samples) * scale
                    c = colour_at(x, y, size)
                    counts[c] = counts.get(c, 0) + 1
            row.append(pick(counts, samples * samples))
        rows.append(row)
    return rows


def pick(counts, total):
    """Majority vote, except the body edge is decided first so the silhouette stays clean."""
    outside = counts.get(None, 0)
    if outside * 2 > total:
        return None
    counts = {c: n for c, n in counts.items() if c is not None}
    # Small bright features win even at partial coverage, otherwise they blur into the body.
    for feature in (RED, GREEN, BLUE, YELLOW, DPAD):
        if counts.get(feature, 0) * 8 >= total * 3:
            return feature
    return max(sorted(counts), key=lambda c: counts[c])


def row_stride(bits_per_row):
    return ((bits_per_row + 31) // 32) * 4


def icon_image(rows):
    """BITMAPINFOHEADER + palette + XOR bitmap + AND mask, as stored inside an .ico."""
    size = len(rows)
    xor_stride = row_stride(size * 8)
    and_stride = row_stride(size)
    xor = bytearray()
    mask = bytearray()
    for row in reversed(rows):  # DIBs are stored bottom-up
        xor += bytes(TRANSPARENT if c is None else c for c in row)
        xor += bytes(xor_stride - size)
        bits = bytearray(and_stride)
        for x, c in enumerate(row):
            if c is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 8, 0,
                         len(xor) + len(mask), 0, 0, 256, 0)
    palette = bytearray()
    for index in range(256):
        r, g, b = PALETTE.get(index, (0, 0, 0))
        palette += bytes((b, g, r, 0))
    return header + palette + xor + mask


def icon_file(images):
    """ICONDIR + one ICONDIRENTRY per (size, image) + the images."""
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, data in images:
        # Colour count 0 means "256 or more"; width 0 would mean 256.
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 8, len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    return bytes(out)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "kestro.ico")
    images = [(size, icon_image(render(size))) for size in (48, 32, 24, 20, 16)]
    with open(target, "wb") as f:
        f.write(icon_file(images))
    print(f"wrote {target} ({os.path.getsize(target)} bytes)")


if __name__ == "__main__":
    main()
