#!/usr/bin/env python3
"""Draws the card-reading screen's images into bundle/images/ (Python stdlib only)."""
import math

from draw_bundle_images import png_bytes, save

SAMPLES = 3


def png(name, width, height, shade):
    """shade(x, y) -> (r, g, b, a) or None, sampled SAMPLES x SAMPLES per pixel."""
    rows = []
    for py in range(height):
        row = bytearray()
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
        rows.append(row)
    save(name, png_bytes(width, height, rows))


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


# ---- reader help illustrations (drawn light on the help screen's dark background)

LIGHT = (235, 235, 235, 255)
BODY = (70, 74, 80, 255)
SCREEN = (150, 205, 235, 255)
ACCENT = (255, 196, 0, 255)
LED = (60, 220, 90, 255)


def reader_front(x, y, ox, oy, w, h, led=None):
    """A pin-pad reader seen from the front, its box at (ox, oy) of size w x h."""
    if not rounded_rect(x, y, ox, oy, ox + w, oy + h, 10):
        return None
    if not rounded_rect(x, y, ox + 2, oy + 2, ox + w - 2, oy + h - 2, 9):
        return LIGHT
    sx0, sy0, sx1, sy1 = ox + 12, oy + 14, ox + w - 12, oy + h * 0.38
    if rounded_rect(x, y, sx0, sy0, sx1, sy1, 3):
        return SCREEN
    if led and math.hypot(x - (ox + w / 2), y - (oy + 8)) < 3:
        return led
    kx0, ky0 = ox + 14, oy + h * 0.46
    kw, kh = (w - 28) / 3.0, (h * 0.5) / 4.0
    if x >= kx0 and y >= ky0:
        col, row = int((x - kx0) / kw), int((y - ky0) / kh)
        if col < 3 and row < 4:
            if rounded_rect(x, y, kx0 + col * kw + 2, ky0 + row * kh + 2,
                            kx0 + (col + 1) * kw - 2, ky0 + (row + 1) * kh - 2, 2):
                return (120, 124, 130, 255)
    return BODY


def arrow(x, y, ax, ay, bx, by, width=2.2):
    """A line from a to b with a head at b."""
    if segment_distance(x, y, ax, ay, bx, by) < width:
        return True
    ang = math.atan2(by - ay, bx - ax)
    for side in (-1, 1):
        hx = bx - 10 * math.cos(ang + side * 0.5)
        hy = by - 10 * math.sin(ang + side * 0.5)
        if segment_distance(x, y, hx, hy, bx, by) < width:
            return True
    return False


def help_power(x, y):
    """Page 1, first: the reader and the side button to hold."""
    if rounded_rect(x, y, 86, 58, 94, 82, 2):
        return ACCENT
    if arrow(x, y, 116, 70, 98, 70):
        return ACCENT
    return reader_front(x, y, 16, 20, 72, 120)


def help_light(x, y):
    """Page 1, second: the reader on, its light lit."""
    d = math.hypot(x - 50, y - 28)
    if 16 < d < 19 and y < 28:
        return LED
    return reader_front(x, y, 20, 30, 60, 100, LED)


def help_plug(x, y):
    """Page 2, first: the reader with the charging cable plugged in below."""
    if 52 <= x <= 68 and 138 <= y <= 148:
        return (200, 200, 200, 255)
    if segment_distance(x, y, 60, 148, 60, 160) < 2.5:
        return LIGHT
    return reader_front(x, y, 24, 14, 72, 124)


def help_battery(x, y):
    """Page 2, second: a charging battery."""
    if rounded_rect(x, y, 38, 22, 62, 32, 2):
        return LIGHT
    if rounded_rect(x, y, 24, 30, 76, 126, 6):
        if rounded_rect(x, y, 28, 34, 72, 122, 4):
            bolt = [(56, 44), (40, 80), (52, 80), (44, 112), (62, 72), (50, 72), (56, 44)]
            inside = False
            n = len(bolt) - 1
            for i in range(n):
                (x0, y0), (x1, y1) = bolt[i], bolt[i + 1]
                if (y0 > y) != (y1 > y) and x < x0 + (y - y0) * (x1 - x0) / (y1 - y0):
                    inside = not inside
            if inside:
                return ACCENT
            return LED if y > 78 else None
        return LIGHT
    return None


def help_phone(x, y):
    """Page 3: a phone with a call on its screen."""
    if not rounded_rect(x, y, 30, 10, 90, 150, 10):
        return None
    if not rounded_rect(x, y, 33, 13, 87, 147, 8):
        return LIGHT
    if rounded_rect(x, y, 36, 24, 84, 132, 2):
        # A handset and two waves.
        d1 = math.hypot(x - 52, y - 92)
        if segment_distance(x, y, 48, 70, 68, 96) < 5 or d1 < 6 or math.hypot(x - 68, y - 96) < 6:
            if math.hypot(x - 48, y - 66) < 7 or math.hypot(x - 70, y - 99) < 7:
                return LED
        for r in (10, 16):
            d = math.hypot(x - 64, y - 64)
            if abs(d - r) < 1.5 and x > 64 and y < 64:
                return LED
        return (40, 44, 50, 255)
    if math.hypot(x - 60, y - 140) < 3:
        return (150, 150, 150, 255)
    return BODY


def main():
    png("tick_payment_accepted.png", 67, 67, tick)
    png("icon_nfc.png", 28, 32, nfc)
    png("icnReaderDSpread_Pinpad.png", 32, 32, reader)
    png("btn_lg_white.png", 60, 44, white_button)
    png("card_confirm_icon.png", 80, 72, card)
    png("bluetoothBadgePlain.png", 32, 32, bluetooth)
    png("DSpreadHelp1_1.png", 120, 160, help_power)
    png("DSpreadHelp1_2.png", 100, 140, help_light)
    png("DSpreadHelp2_1.png", 120, 160, help_plug)
    png("DSpreadHelp2_2.png", 100, 140, help_battery)
    png("DSpreadHelp3_1.png", 120, 160, help_phone)


if __name__ == "__main__":
    main()
