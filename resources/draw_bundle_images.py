#!/usr/bin/env python3
"""Draws the images of the SDK's resource bundle into bundle/images/ (Python stdlib only)."""
import os
import struct
import zlib

SIZE = 60
SAMPLES = 4
INK = (51, 51, 51)
BADGE = (214, 48, 49)
WHITE = (255, 255, 255)

# 3x5 digit glyphs, one string per row.
DIGITS = {
    "1": [".#.", "##.", ".#.", ".#.", "###"],
    "2": ["##.", "..#", ".#.", "#..", "###"],
}


def rounded_bar(x, y, x0, x1, yc, half):
    if x < x0 - half or x > x1 + half or abs(y - yc) > half:
        return False
    if x0 <= x <= x1:
        return True
    cx = x0 if x < x0 else x1
    return (x - cx) ** 2 + (y - yc) ** 2 <= half * half


def menu(x, y):
    return any(rounded_bar(x, y, 15, 45, yc, 2.5) for yc in (19, 30, 41))


def badge_shapes(digit):
    cx, cy, r = 46, 14, 11
    glyph = DIGITS[digit]
    cell = 2.6
    gx0 = cx - 1.5 * cell
    gy0 = cy - 2.5 * cell

    def in_circle(x, y):
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r

    def in_ring(x, y):
        return (x - cx) ** 2 + (y - cy) ** 2 <= (r + 2) ** 2

    def in_glyph(x, y):
        col = int((x - gx0) // cell)
        row = int((y - gy0) // cell)
        return 0 <= row < 5 and 0 <= col < 3 and x >= gx0 and y >= gy0 and glyph[row][col] == "#"

    return in_ring, in_circle, in_glyph


def render(layers, width=SIZE, height=SIZE):
    """layers: list of (predicate, rgb) painted in order; the rgb "clear" makes it transparent."""
    rows = []
    for py in range(height):
        row = bytearray([0])
        for px in range(width):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = px + (sx + 0.5) / SAMPLES
                    y = py + (sy + 0.5) / SAMPLES
                    colour = None
                    for pred, rgb in layers:
                        if pred(x, y):
                            colour = rgb
                    if colour is not None and colour != "clear":
                        acc[0] += colour[0]
                        acc[1] += colour[1]
                        acc[2] += colour[2]
                        acc[3] += 1
            n = SAMPLES * SAMPLES
            alpha = acc[3] / n
            if acc[3]:
                rgb = [int(round(c / acc[3])) for c in acc[:3]]
            else:
                rgb = [0, 0, 0]
            row += bytes(rgb + [int(round(alpha * 255))])
        rows.append(bytes(row))
    raw = b"".join(rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "bundle", "images")
    os.makedirs(out, exist_ok=True)
    images = {"menu.png": [(menu, INK)]}
    for digit in ("1", "2"):
        ring, circle, glyph = badge_shapes(digit)
        images["btn_menu_badge_%s.png" % digit] = [
            (menu, INK), (ring, "clear"), (circle, BADGE), (glyph, WHITE)]
    for name, layers in images.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(render(layers))


if __name__ == "__main__":
    main()
