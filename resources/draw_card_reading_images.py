#!/usr/bin/env python3
"""Draws the card-reading screen's images into bundle/images/ (Python stdlib only)."""
import math
import os
import struct
import zlib

SAMPLES = 3
OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "bundle", "images")


def png(path, width, height, shade):
    """shade(x, y) -> (r, g, b, a) or None, sampled SAMPLES x SAMPLES per pixel."""
    rows = []
    for py in range(height):
        row = bytearray([0])
        for px in range(width):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    c = shade(px + (sx + 0.5) / SAMPLES, py + (sy + 0.5) / SAMPLES)
                    if c:
                        a = c[3] / 255.0
                        acc[0] += c[0] * a
                        acc[1] += c[1] * a
                        acc[2] += c[2] * a
                        acc[3] += a
            n = SAMPLES * SAMPLES
            alpha = acc[3] / n
            if alpha > 0:
                row += bytes([int(acc[0] / acc[3]), int(acc[1] / acc[3]), int(acc[2] / acc[3]),
                              int(round(alpha * 255))])
            else:
                row += bytes([0, 0, 0, 0])
        rows.append(bytes(row))
    raw = b"".join(rows)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    data = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))
    with open(path, "wb") as f:
        f.write(data)


def segment_distance(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(x - ax - t * dx, y - ay - t * dy)


def rounded_rect(x, y, x0, y0, x1, y1, r):
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return math.hypot(x - cx, y - cy) <= r and x0 <= x <= x1 and y0 <= y <= y1


GREEN = (0, 182, 0, 255)
WHITE = (255, 255, 255, 255)
INK = (60, 60, 60, 255)


def tick(x, y):
    if math.hypot(x - 33.5, y - 33.5) > 32:
        return None
    d = min(segment_distance(x, y, 18, 35, 29, 46), segment_distance(x, y, 29, 46, 50, 22))
    return WHITE if d < 3.5 else GREEN


def nfc(x, y):
    for r in (6, 12, 18):
        d = math.hypot(x - 6, y - 16)
        ang = math.atan2(y - 16, x - 6)
        if abs(d - r) < 1.6 and abs(ang) < 0.8:
            return INK
    return None


def reader(x, y):
    if rounded_rect(x, y, 6, 1, 26, 31, 4):
        if rounded_rect(x, y, 9, 4, 23, 13, 1.5):
            return (180, 220, 240, 255)
        if y > 16 and ((x - 9) % 5 < 3) and ((y - 16) % 5 < 3) and x < 24 and y < 30:
            return (200, 200, 200, 255)
        return INK
    return None


def white_button(x, y):
    return WHITE if rounded_rect(x, y, 0, 0, 60, 44, 8) else None


def card(x, y):
    if rounded_rect(x, y, 4, 14, 76, 58, 5):
        if 22 <= y <= 28:
            return INK
        if 52 <= x <= 70 and 38 <= y <= 48:
            return (240, 240, 240, 255) if not (54 <= x <= 68 and 41 <= y <= 45) else (214, 48, 49, 255)
        return (0, 65, 101, 255)
    return None


def bluetooth(x, y):
    pts = [(10, 8), (22, 20), (16, 26), (16, 6), (22, 12), (10, 24)]
    d = min(segment_distance(x, y, *pts[i], *pts[i + 1]) for i in range(len(pts) - 1))
    return INK if d < 1.4 else None


def main():
    os.makedirs(OUT, exist_ok=True)
    png(os.path.join(OUT, "tick_payment_accepted.png"), 67, 67, tick)
    png(os.path.join(OUT, "icon_nfc.png"), 28, 32, nfc)
    png(os.path.join(OUT, "icnReaderDSpread_Pinpad.png"), 32, 32, reader)
    png(os.path.join(OUT, "btn_lg_white.png"), 60, 44, white_button)
    png(os.path.join(OUT, "card_confirm_icon.png"), 80, 72, card)
    png(os.path.join(OUT, "bluetoothBadgePlain.png"), 32, 32, bluetooth)


if __name__ == "__main__":
    main()
