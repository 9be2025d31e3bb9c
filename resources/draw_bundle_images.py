#!/usr/bin/env python3
"""Draws the images of the SDK's resource bundle into bundle/images/ (Python stdlib only)."""
import math
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


OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "bundle", "images")


def png_bytes(width, height, rgba_rows):
    """An 8-bit RGBA PNG of the rows (each width x 4 bytes), every row unfiltered."""
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    raw = b"".join(b"\x00" + bytes(row) for row in rgba_rows)
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def save(name, data):
    """Writes a PNG's bytes to bundle/images/<name>."""
    os.makedirs(OUT, exist_ok=True)
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)


def render(layers, width=SIZE, height=SIZE, background=None):
    """layers: list of (predicate, rgb) painted in order over an optional background rgb; the
    rgb "clear" makes it transparent."""
    rows = []
    for py in range(height):
        row = bytearray()
        for px in range(width):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = px + (sx + 0.5) / SAMPLES
                    y = py + (sy + 0.5) / SAMPLES
                    colour = background
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
        rows.append(row)
    return png_bytes(width, height, rows)


# ---------------------------------------------------------------- vector canvas
# The larger pictures are painted shape by shape on a canvas. A shape is a signed distance
# (negative inside, in pixels) with a bounding box; its edge is antialiased over one pixel.


class Shape:
    def __init__(self, sdf, box):
        self.sdf = sdf
        self.box = box  # x0, y0, x1, y1

    def __or__(self, other):
        a, b = self.sdf, other.sdf
        return Shape(lambda x, y: min(a(x, y), b(x, y)),
                     (min(self.box[0], other.box[0]), min(self.box[1], other.box[1]),
                      max(self.box[2], other.box[2]), max(self.box[3], other.box[3])))

    def __and__(self, other):
        a, b = self.sdf, other.sdf
        return Shape(lambda x, y: max(a(x, y), b(x, y)),
                     (max(self.box[0], other.box[0]), max(self.box[1], other.box[1]),
                      min(self.box[2], other.box[2]), min(self.box[3], other.box[3])))

    def __sub__(self, other):
        a, b = self.sdf, other.sdf
        return Shape(lambda x, y: max(a(x, y), -b(x, y)), self.box)


def rect(x0, y0, x1, y1, r=0.0):
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
    hx, hy = (x1 - x0) / 2.0, (y1 - y0) / 2.0
    r = min(r, hx, hy)

    def sdf(x, y):
        qx = abs(x - cx) - (hx - r)
        qy = abs(y - cy) - (hy - r)
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - r

    return Shape(sdf, (x0, y0, x1, y1))


def circle(cx, cy, r):
    return Shape(lambda x, y: math.hypot(x - cx, y - cy) - r, (cx - r, cy - r, cx + r, cy + r))


def ring(cx, cy, r, width):
    return Shape(lambda x, y: abs(math.hypot(x - cx, y - cy) - r) - width / 2.0,
                 (cx - r - width, cy - r - width, cx + r + width, cy + r + width))


def line(x0, y0, x1, y1, width):
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy or 1e-9

    def sdf(x, y):
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
        return math.hypot(x - (x0 + t * dx), y - (y0 + t * dy)) - width / 2.0

    w = width
    return Shape(sdf, (min(x0, x1) - w, min(y0, y1) - w, max(x0, x1) + w, max(y0, y1) + w))


def polyline(points, width):
    shape = line(*points[0], *points[1], width)
    for a, b in zip(points[1:], points[2:]):
        shape = shape | line(*a, *b, width)
    return shape


def arc(cx, cy, r, width, start, end):
    """An arc from start to end degrees (clockwise on screen, 0 pointing right), round ends."""
    a0, a1 = math.radians(start), math.radians(end)
    ends = [(cx + r * math.cos(a), cy + r * math.sin(a)) for a in (a0, a1)]
    span = (a1 - a0) % (2 * math.pi)

    def sdf(x, y):
        angle = (math.atan2(y - cy, x - cx) - a0) % (2 * math.pi)
        if angle <= span:
            return abs(math.hypot(x - cx, y - cy) - r) - width / 2.0
        return min(math.hypot(x - ex, y - ey) for ex, ey in ends) - width / 2.0

    return Shape(sdf, (cx - r - width, cy - r - width, cx + r + width, cy + r + width))


def polygon(points):
    n = len(points)

    def sdf(x, y):
        d = float("inf")
        inside = False
        for i in range(n):
            ax, ay = points[i]
            bx, by = points[i - 1]
            ex, ey = bx - ax, by - ay
            wx, wy = x - ax, y - ay
            t = max(0.0, min(1.0, (wx * ex + wy * ey) / ((ex * ex + ey * ey) or 1e-9)))
            d = min(d, math.hypot(wx - ex * t, wy - ey * t))
            if (ay > y) != (by > y) and x < ax + (y - ay) * ex / (ey or 1e-9):
                inside = not inside
        return -d if inside else d

    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    return Shape(sdf, (min(xs), min(ys), max(xs), max(ys)))


def vgrad(y0, y1, top, bottom):
    """A colour that runs from top at y0 to bottom at y1."""
    def colour(x, y):
        t = max(0.0, min(1.0, (y - y0) / float(y1 - y0)))
        return tuple(a + (b - a) * t for a, b in zip(top, bottom))
    return colour


def hgrad(x0, x1, left, right):
    def colour(x, y):
        t = max(0.0, min(1.0, (x - x0) / float(x1 - x0)))
        return tuple(a + (b - a) * t for a, b in zip(left, right))
    return colour


class Canvas:
    """Premultiplied RGBA pixels; shapes are painted over what is there."""

    def __init__(self, width, height):
        self.w, self.h = width, height
        self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(width * height)]
        self.clips = None  # rectangles painting is kept to, or None for all

    def paint(self, shape, colour, opacity=1.0):
        x0, y0, x1, y1 = shape.box
        for py in range(max(0, int(y0) - 1), min(self.h, int(math.ceil(y1)) + 1)):
            for px in range(max(0, int(x0) - 1), min(self.w, int(math.ceil(x1)) + 1)):
                x, y = px + 0.5, py + 0.5
                if self.clips is not None and not any(
                        c[0] <= x < c[2] and c[1] <= y < c[3] for c in self.clips):
                    continue
                cover = 0.5 - shape.sdf(x, y)
                if cover <= 0.0:
                    continue
                cover = min(cover, 1.0)
                rgba = colour(x, y) if callable(colour) else colour
                a = (rgba[3] if len(rgba) > 3 else 1.0) * cover * opacity
                dst = self.px[py * self.w + px]
                keep = 1.0 - a
                dst[0] = rgba[0] * a + dst[0] * keep
                dst[1] = rgba[1] * a + dst[1] * keep
                dst[2] = rgba[2] * a + dst[2] * keep
                dst[3] = a + dst[3] * keep

    def erase(self, shape):
        x0, y0, x1, y1 = shape.box
        for py in range(max(0, int(y0) - 1), min(self.h, int(math.ceil(y1)) + 1)):
            for px in range(max(0, int(x0) - 1), min(self.w, int(math.ceil(x1)) + 1)):
                cover = max(0.0, min(1.0, 0.5 - shape.sdf(px + 0.5, py + 0.5)))
                if cover > 0.0:
                    self.px[py * self.w + px] = [c * (1.0 - cover) for c in self.px[py * self.w + px]]

    def rotated(self, clockwise):
        """A new canvas with the pixels turned a quarter."""
        out = Canvas(self.h, self.w)
        for y in range(self.h):
            for x in range(self.w):
                if clockwise:
                    nx, ny = self.h - 1 - y, x
                else:
                    nx, ny = y, self.w - 1 - x
                out.px[ny * out.w + nx] = list(self.px[y * self.w + x])
        return out

    def png(self):
        rows = []
        for py in range(self.h):
            row = []
            for px in range(self.w):
                r, g, b, a = self.px[py * self.w + px]
                if a > 1e-6:
                    row += [int(round(min(255.0, c / a))) for c in (r, g, b)]
                else:
                    row += [0, 0, 0]
                row.append(int(round(min(1.0, a) * 255)))
            rows.append(row)
        return png_bytes(self.w, self.h, rows)


# ---------------------------------------------------------------- colours

THEME = (0, 65, 101)
THEME_LIGHT = (28, 118, 160)
GRAPHITE_TOP = (66, 70, 79)
GRAPHITE_BOTTOM = (36, 39, 45)
SLOT = (12, 13, 16)
SCREEN_TOP = (52, 108, 128)
SCREEN_BOTTOM = (24, 58, 74)
KEY = (214, 218, 224)
KEY_RED = (205, 66, 66)
KEY_YELLOW = (226, 186, 64)
KEY_GREEN = (64, 164, 96)
GOLD = (220, 184, 100)
GOLD_DARK = (170, 132, 60)
PAPER = (250, 250, 250)
CARD_TOP = (23, 101, 146)
CARD_BOTTOM = (0, 58, 92)
STRIPE = (22, 22, 26)
BADGE_BLUE = (0, 112, 201)
ERROR_RED = (214, 48, 49)
WAIT_BLUE = (0, 122, 170)
LIGHT_GREY = (239, 239, 239)
GREY = (120, 124, 130)


class Place:
    """Maps design coordinates (a picture laid out at its own size) to the canvas."""

    def __init__(self, ox=0.0, oy=0.0, scale=1.0):
        self.ox, self.oy, self.s = ox, oy, scale

    def x(self, v):
        return self.ox + v * self.s

    def y(self, v):
        return self.oy + v * self.s

    def rect(self, x0, y0, x1, y1, r=0.0):
        return rect(self.x(x0), self.y(y0), self.x(x1), self.y(y1), r * self.s)

    def circle(self, cx, cy, r):
        return circle(self.x(cx), self.y(cy), r * self.s)

    def line(self, x0, y0, x1, y1, width):
        return line(self.x(x0), self.y(y0), self.x(x1), self.y(y1), width * self.s)

    def arc(self, cx, cy, r, width, start, end):
        return arc(self.x(cx), self.y(cy), r * self.s, width * self.s, start, end)

    def vgrad(self, y0, y1, top, bottom):
        return vgrad(self.y(y0), self.y(y1), top, bottom)


# ---------------------------------------------------------------- readers


def keypad(cv, p, x0, y0, x1, y1, rows=4, light=KEY):
    gap = 4.0
    kw = (x1 - x0 - 2 * gap) / 3.0
    kh = (y1 - y0 - (rows - 1) * gap) / rows
    for row in range(rows):
        for col in range(3):
            colour = light
            if row == rows - 1:
                colour = (KEY_RED, KEY_YELLOW, KEY_GREEN)[col]
            kx = x0 + col * (kw + gap)
            ky = y0 + row * (kh + gap)
            cv.paint(p.rect(kx, ky, kx + kw, ky + kh, 3), colour)
            cv.paint(p.rect(kx, ky + kh - 1.5, kx + kw, ky + kh, 1), (0, 0, 0, 0.18))


def pinpad_reader(cv, p, body=(GRAPHITE_TOP, GRAPHITE_BOTTOM), side_slot=True):
    """Our pocket reader, 130 x 220: swipe slot on top, display, chip slot on the right, keys."""
    cv.paint(p.rect(4, 2, 126, 218, 18), (0, 0, 0, 0.25))
    cv.paint(p.rect(3, 0, 127, 216, 18), p.vgrad(0, 216, *body))
    cv.paint(p.rect(3, 0, 127, 216, 18) - p.rect(5, 2, 125, 214, 16), (255, 255, 255, 0.12))
    # swipe slot along the top
    cv.paint(p.rect(12, 7, 118, 11, 2), SLOT)
    cv.paint(p.circle(112, 19, 2.5), (90, 210, 130))
    # display
    cv.paint(p.rect(15, 26, 115, 70, 6), (16, 20, 26))
    cv.paint(p.rect(19, 30, 111, 66, 4), p.vgrad(30, 66, SCREEN_TOP, SCREEN_BOTTOM))
    cv.paint(p.rect(27, 40, 80, 44, 2), (255, 255, 255, 0.55))
    cv.paint(p.rect(27, 50, 62, 54, 2), (255, 255, 255, 0.35))
    if side_slot:
        cv.paint(p.rect(120, 72, 127, 146, 2), SLOT)
    keypad(cv, p, 17, 152, 113, 206)


def pinpad_front(cv, p):
    """The parts of the reader that lie in front of a card in its slots."""
    cv.clips = [(p.x(0), p.y(0), p.x(130), p.y(23)), (p.x(65), p.y(71), p.x(130), p.y(147))]
    pinpad_reader(cv, p)
    cv.clips = None


def top_slot_reader(cv, p):
    """A taller older reader, 140 x 200, with its chip slot along the top."""
    cv.paint(p.rect(4, 4, 136, 200, 16), (0, 0, 0, 0.25))
    cv.paint(p.rect(2, 0, 138, 196, 16), p.vgrad(0, 196, (84, 88, 96), (44, 47, 54)))
    cv.paint(p.rect(2, 0, 138, 196, 16) - p.rect(4, 2, 136, 194, 14), (255, 255, 255, 0.12))
    cv.paint(p.rect(8, 9, 132, 14, 2), SLOT)
    cv.paint(p.rect(16, 30, 124, 76, 6), (16, 20, 26))
    cv.paint(p.rect(20, 34, 120, 72, 4), p.vgrad(34, 72, SCREEN_TOP, SCREEN_BOTTOM))
    keypad(cv, p, 20, 90, 120, 184)


def top_slot_front(cv, p):
    cv.clips = [(p.x(0), p.y(0), p.x(140), p.y(25))]
    top_slot_reader(cv, p)
    cv.clips = None


def sled_reader(cv, p, front=False):
    """Our phone-mounted reader, 200 x 190: plug on top, card slot along the bottom."""
    cv.paint(p.rect(86, 0, 114, 16, 4), (150, 154, 160))
    cv.paint(p.rect(92, 4, 108, 12, 2), (90, 94, 100))
    cv.paint(p.rect(10, 12, 190, 188, 22), (0, 0, 0, 0.25))
    cv.paint(p.rect(8, 10, 192, 186, 22), p.vgrad(10, 186, (72, 76, 86), (40, 43, 50)))
    cv.paint(p.rect(8, 10, 192, 186, 22) - p.rect(10, 12, 190, 184, 20), (255, 255, 255, 0.12))
    if front:
        cv.paint(p.rect(30, 36, 170, 96, 8), (16, 20, 26))
        cv.paint(p.rect(34, 40, 166, 92, 6), p.vgrad(40, 92, SCREEN_TOP, SCREEN_BOTTOM))
    else:
        cv.paint(p.circle(100, 70, 26), (255, 255, 255, 0.08))
        for r in (8, 15, 22):
            cv.paint(p.arc(92, 70, r, 3, -50, 50), (255, 255, 255, 0.55))
    cv.paint(p.circle(170, 30, 3), (90, 210, 130))
    cv.paint(p.rect(24, 150, 176, 156, 3), SLOT)
    cv.paint(p.rect(24, 156, 176, 160, 2), (255, 255, 255, 0.08))


def sled_back(cv, p):
    cv.paint(p.rect(0, 6, 200, 190, 26), p.vgrad(6, 190, (34, 36, 42), (20, 22, 26)))
    cv.paint(p.rect(0, 6, 200, 190, 26) - p.rect(2, 8, 198, 188, 24), (255, 255, 255, 0.10))


def phone(cv, p, width=220, height=434):
    cv.paint(p.rect(2, 2, width, height, 30), (0, 0, 0, 0.25))
    cv.paint(p.rect(0, 0, width - 2, height - 2, 30), (28, 30, 34))
    cv.paint(p.rect(10, 40, width - 12, height - 52, 6), (245, 247, 250))
    cv.paint(p.rect(10, 40, width - 12, 84, 6), THEME)
    cv.paint(p.rect(24, 56, 110, 66, 3), (255, 255, 255, 0.85))
    for i in range(5):
        y = 100 + i * 48
        cv.paint(p.rect(22, y, width - 24, y + 36, 5), (226, 230, 236))
        cv.paint(p.rect(32, y + 10, 110, y + 16, 3), (150, 156, 166))
        cv.paint(p.rect(32, y + 22, 80, y + 27, 2), (190, 196, 204))
    cv.paint(p.rect(30, height - 140, width - 32, height - 104, 8), THEME_LIGHT)
    cv.paint(p.rect(width / 2 - 24, 18, width / 2 + 24, 23, 2.5), (70, 72, 78))
    cv.paint(p.circle(width / 2 - 1, height - 27, 13), (50, 52, 58))
    cv.paint(p.circle(width / 2 - 1, height - 27, 11), (36, 38, 42))


# ---------------------------------------------------------------- cards


def card_front(cv, p, w, h, chip_at=(0.14, 0.36), portrait=False):
    r = min(w, h) * 0.09
    cv.paint(p.rect(1, 2, w, h, r), (0, 0, 0, 0.22))
    cv.paint(p.rect(0, 0, w - 1, h - 1, r), p.vgrad(0, h, CARD_TOP, CARD_BOTTOM))
    cv.paint(p.circle(w * 0.92, h * 0.05, min(w, h) * 0.55), (255, 255, 255, 0.07))
    cw, ch = (min(w, h) * 0.22, min(w, h) * 0.17)
    if portrait:
        cw, ch = ch, cw
    cx, cy = w * chip_at[0], h * chip_at[1]
    cv.paint(p.rect(cx, cy, cx + cw, cy + ch, 2.5), vgrad(p.y(cy), p.y(cy + ch), GOLD, GOLD_DARK))
    if portrait:
        cv.paint(p.line(cx + cw / 2, cy + 2, cx + cw / 2, cy + ch - 2, 0.8), (120, 90, 40, 0.7))
    else:
        cv.paint(p.line(cx + 2, cy + ch / 2, cx + cw - 2, cy + ch / 2, 0.8), (120, 90, 40, 0.7))
    dot = max(1.2, min(w, h) * 0.018)
    if not portrait:
        for group in range(4):
            for i in range(4):
                x = w * 0.12 + group * w * 0.2 + i * dot * 3.2
                cv.paint(p.circle(x, h * 0.66, dot), (255, 255, 255, 0.8))
        cv.paint(p.rect(w * 0.12, h * 0.8, w * 0.5, h * 0.8 + dot * 2.2, dot), (255, 255, 255, 0.55))
    else:
        for i in range(4):
            cv.paint(p.rect(w * 0.16, h * (0.12 + i * 0.07), w * 0.5, h * (0.12 + i * 0.07) + dot * 2,
                            dot), (255, 255, 255, 0.5))


def card_back(cv, p, w, h, stripe_top=True):
    r = min(w, h) * 0.09
    cv.paint(p.rect(1, 2, w, h, r), (0, 0, 0, 0.22))
    cv.paint(p.rect(0, 0, w - 1, h - 1, r), p.vgrad(0, h, CARD_TOP, CARD_BOTTOM))
    sh = h * 0.18
    sy = h * 0.12 if stripe_top else h * 0.88 - sh - h * 0.05
    cv.paint(p.rect(0, sy, w - 1, sy + sh), STRIPE)
    py = sy + sh + h * 0.1 if stripe_top else h * 0.12
    cv.paint(p.rect(w * 0.07, py, w * 0.62, py + h * 0.14, 1.5), (245, 245, 240))
    for i in range(5):
        cv.paint(p.line(w * 0.09, py + h * 0.03 + i * h * 0.022, w * 0.6, py + h * 0.03 + i * h * 0.022,
                        0.7), (200, 170, 120, 0.6))
    cv.paint(p.rect(w * 0.66, py, w * 0.8, py + h * 0.14, 1.5), (255, 255, 255))


def contactless_mark(cv, p, cx, cy, size, colour=(255, 255, 255, 0.9)):
    for i, r in enumerate((0.3, 0.55, 0.8)):
        cv.paint(p.arc(cx - size * 0.45, cy, size * r, size * 0.09, -45, 45), colour)


# ---------------------------------------------------------------- icons


def badge_base(cv, colour, size=44):
    c = size / 2.0
    cv.paint(circle(c, c + 1, c - 2), (0, 0, 0, 0.25))
    cv.paint(circle(c, c, c - 2), (255, 255, 255))
    cv.paint(circle(c, c, c - 4.5), colour)


def draw_wait_badge():
    cv = Canvas(44, 44)
    badge_base(cv, WAIT_BLUE)
    for i in range(8):
        a = math.radians(i * 45)
        cv.paint(circle(22 + 10 * math.cos(a), 22 + 10 * math.sin(a), 1.2 + i * 0.22),
                 (255, 255, 255, 0.35 + i * 0.08))
    return cv


def draw_bluetooth_badge():
    cv = Canvas(44, 44)
    badge_base(cv, BADGE_BLUE)
    rune = polyline([(15, 16), (28, 28), (22, 34), (22, 10), (28, 16), (15, 28)], 2.6)
    cv.paint(rune, (255, 255, 255))
    cv.paint(line(12, 12, 32, 32, 5.5), BADGE_BLUE)
    cv.paint(line(12, 12, 32, 32, 3), ERROR_RED)
    return cv


def draw_no_connection_badge():
    cv = Canvas(44, 44)
    badge_base(cv, ERROR_RED)
    cv.paint(arc(17, 22, 6, 3, 100, 260), (255, 255, 255))
    cv.paint(line(16, 16, 19, 16, 3) | line(16, 28, 19, 28, 3), (255, 255, 255))
    cv.paint(arc(27, 22, 6, 3, -80, 80), (255, 255, 255))
    cv.paint(line(25, 16, 28, 16, 3) | line(25, 28, 28, 28, 3), (255, 255, 255))
    cv.paint(line(21, 11, 23, 14, 2) | line(21, 33, 23, 30, 2), (255, 255, 255, 0.9))
    return cv


def draw_power_icon(size=40, colour=THEME):
    cv = Canvas(size, size)
    c = size / 2.0
    cv.paint(arc(c, c + 1, size * 0.32, size * 0.09, -60, 240), colour)
    cv.paint(line(c, size * 0.14, c, size * 0.48, size * 0.09), colour)
    return cv


def draw_charge_icon(size=40, colour=THEME):
    cv = Canvas(size, size)
    s = size / 40.0
    body = rect(6 * s, 12 * s, 31 * s, 28 * s, 3 * s) - rect(8.5 * s, 14.5 * s, 28.5 * s, 25.5 * s, 1.5 * s)
    cv.paint(body, colour)
    cv.paint(rect(31 * s, 17 * s, 35 * s, 23 * s, 1.5 * s), colour)
    cv.paint(polygon([(20 * s, 14 * s), (12 * s, 21 * s), (18 * s, 21 * s), (16 * s, 27 * s),
                      (25 * s, 19 * s), (19 * s, 19 * s)]), colour)
    return cv


def draw_phone_icon(size=40, colour=THEME):
    cv = Canvas(size, size)
    s = size / 40.0
    cv.paint(arc(22 * s, 18 * s, 13 * s, 5.5 * s, 95, 195), colour)
    cv.paint(rect(4 * s, 8 * s, 13 * s, 17 * s, 3 * s), colour)
    cv.paint(rect(17 * s, 27 * s, 26 * s, 36 * s, 3 * s), colour)
    for r in (5, 9):
        cv.paint(arc(27 * s, 12 * s, r * s, 2.2 * s, -90, 0), colour)
    return cv


def draw_swipe_icon(with_reader, size=40):
    cv = Canvas(size, size)
    if with_reader:
        cv.paint(rect(22, 6, 36, 34, 4), (80, 84, 92))
        cv.paint(rect(24, 10, 34, 12, 1), SLOT)
    cv.paint(rect(3, 12, 27, 28, 3), vgrad(12, 28, CARD_TOP, CARD_BOTTOM))
    cv.paint(rect(3, 15, 27, 19), STRIPE)
    cv.paint(line(5, 33, 18, 33, 2) | polyline([(15, 30), (19, 33), (15, 36)], 2), GREY)
    return cv


def draw_check(size, mark=(255, 255, 255), fill=THEME, ring_only=False):
    cv = Canvas(size, size)
    c = size / 2.0
    if ring_only:
        cv.paint(ring(c, c, c * 0.86, size * 0.07), fill)
    else:
        cv.paint(circle(c, c, c - 1), fill)
    cv.paint(polyline([(size * 0.3, size * 0.52), (size * 0.44, size * 0.66), (size * 0.72, size * 0.36)],
                      size * 0.09), mark)
    return cv


def draw_battery_icon(size=48):
    cv = Canvas(size, size)
    body = rect(6, 14, 38, 34, 4) - rect(9, 17, 35, 31, 2)
    cv.paint(body, (70, 74, 80))
    cv.paint(rect(38, 19, 43, 29, 2), (70, 74, 80))
    cv.paint(rect(11, 19, 17, 29, 1.5), ERROR_RED)
    return cv


def draw_cable_icon(size=48):
    cv = Canvas(size, size)
    cv.paint(rect(16, 6, 32, 22, 3), (70, 74, 80))
    cv.paint(rect(19, 2, 22, 7) | rect(26, 2, 29, 7), (150, 154, 160))
    cv.paint(line(24, 22, 24, 32, 4) | arc(32, 32, 8, 4, 90, 180) | line(32, 40, 44, 40, 4), (70, 74, 80))
    return cv


def draw_reader_icon(size=48):
    cv = Canvas(size, size)
    pinpad_reader(cv, Place(size * 0.29, 3, (size - 6) / 216.0))
    return cv


def draw_settings_hint():
    """The side menu with its settings row marked, 220 x 90."""
    cv = Canvas(220, 90)
    cv.paint(rect(2, 3, 218, 89, 8), (0, 0, 0, 0.15))
    cv.paint(rect(0, 0, 216, 86, 8), (255, 255, 255))
    cv.paint(rect(0, 0, 70, 86, 8) | rect(30, 0, 70, 86), (44, 48, 56))
    for i, y in enumerate((12, 30, 48, 66)):
        colour = (255, 255, 255, 0.35)
        if i == 2:
            cv.paint(rect(4, y - 5, 66, y + 11, 4), THEME_LIGHT)
            colour = (255, 255, 255)
        cv.paint(rect(22, y + 1, 58, y + 5, 2), colour)
        cv.paint(circle(13, y + 3, 4), colour)
    cv.paint(ring(13, 51, 2.6, 1.6), THEME_LIGHT)
    cv.paint(rect(84, 14, 200, 22, 3), (210, 214, 220))
    cv.paint(rect(84, 32, 170, 38, 3), (228, 230, 234))
    cv.paint(rect(84, 46, 190, 52, 3), (228, 230, 234))
    cv.paint(line(120, 80, 70, 52, 3) | polyline([(76, 50), (69, 52), (73, 58)], 3), THEME)
    return cv


# ---------------------------------------------------------------- reader models


def model_picture(kind):
    cv = Canvas(140, 140)
    if kind == "dspread_pinpad":
        pinpad_reader(cv, Place(38, 8, 124 / 216.0))
    elif kind == "dspread":
        p = Place(34, 10, 120 / 196.0)
        top_slot_reader(cv, p)
    elif kind == "bluepad":
        p = Place(36, 6, 1.0)
        cv.paint(p.rect(2, 2, 70, 128, 12), (0, 0, 0, 0.2))
        cv.paint(p.rect(0, 0, 68, 126, 12), vgrad(6, 132, (236, 238, 242), (200, 204, 210)))
        cv.paint(p.rect(8, 10, 60, 44, 5), (16, 20, 26))
        cv.paint(p.rect(11, 13, 57, 41, 3), vgrad(19, 47, SCREEN_TOP, SCREEN_BOTTOM))
        keypad(cv, p, 9, 56, 59, 116, light=(255, 255, 255))
        cv.paint(p.rect(6, 121, 62, 124, 1.5), SLOT)
    elif kind == "d180":
        cv.paint(rect(62, 14, 78, 40, 3), (150, 154, 160))
        cv.paint(rect(66, 6, 74, 18, 2), (200, 204, 210))
        cv.paint(rect(38, 38, 104, 118, 14), (0, 0, 0, 0.2))
        cv.paint(rect(36, 36, 102, 116, 14), vgrad(36, 116, (80, 84, 92), (44, 47, 54)))
        cv.paint(rect(44, 72, 94, 76, 2), SLOT)
        cv.paint(circle(69, 96, 6), (90, 210, 130, 0.9))
    elif kind == "vi218":
        cv.paint(rect(30, 28, 114, 116, 30), (0, 0, 0, 0.2))
        cv.paint(rect(28, 26, 112, 114, 30), vgrad(26, 114, (250, 250, 252), (210, 214, 220)))
        cv.paint(rect(28, 60, 112, 64), SLOT)
        contactless_mark(cv, Place(), 72, 90, 30, THEME)
    elif kind == "e265":
        cv.paint(rect(44, 6, 96, 40, 3), PAPER)
        for y in (14, 20, 26):
            cv.paint(rect(52, y, 88, y + 2, 1), (190, 194, 200))
        cv.paint(rect(30, 32, 112, 136, 14), (0, 0, 0, 0.2))
        cv.paint(rect(28, 30, 110, 134, 14), vgrad(30, 134, (70, 74, 82), (40, 43, 50)))
        cv.paint(rect(38, 38, 100, 48, 3), SLOT)
        cv.paint(rect(38, 54, 100, 80, 4), vgrad(54, 80, SCREEN_TOP, SCREEN_BOTTOM))
        keypad(cv, Place(), 40, 86, 98, 126)
    elif kind == "magicpos":
        cv.paint(rect(40, 10, 104, 132, 12), (0, 0, 0, 0.2))
        cv.paint(rect(38, 8, 102, 130, 12), (30, 32, 38))
        cv.paint(rect(43, 16, 97, 112, 4), vgrad(16, 112, (236, 242, 248), (210, 222, 232)))
        cv.paint(rect(43, 16, 97, 34, 4), THEME)
        for i in range(3):
            cv.paint(rect(48, 44 + i * 20, 92, 56 + i * 20, 3), (255, 255, 255))
        cv.paint(circle(70, 121, 4), (70, 72, 78))
    return cv


READER_MODELS = ("bluepad", "d180", "vi218", "e265", "dspread", "dspread_pinpad", "magicpos")


def vector_images():
    """The reader illustrations and their icons, by file name."""
    images = {}

    cv = Canvas(130, 220)
    pinpad_reader(cv, Place())
    images["tq-qposMini.png"] = cv
    cv = Canvas(130, 220)
    pinpad_front(cv, Place())
    images["tq-qposMini-Top.png"] = cv

    cv = Canvas(140, 200)
    top_slot_reader(cv, Place())
    images["readerA19.png"] = cv
    cv = Canvas(140, 200)
    top_slot_front(cv, Place())
    images["readerA19-Top.png"] = cv

    cv = Canvas(100, 64)
    card_front(cv, Place(), 100, 64, chip_at=(0.1, 0.34))
    images["cardChip.png"] = cv
    cv = Canvas(190, 150)
    card_back(cv, Place(0, 30), 190, 120, stripe_top=False)
    images["cardSwipe.png"] = cv
    cv = Canvas(120, 200)
    card_front(cv, Place(), 120, 200, chip_at=(0.4, 0.74), portrait=True)
    images["cardChipA19.png"] = cv
    cv = Canvas(96, 150)
    card_front(cv, Place(), 96, 150, chip_at=(0.62, 0.1), portrait=True)
    contactless_mark(cv, Place(), 48, 92, 34)
    images["contactlessCard.png"] = cv

    images["waitBadge.png"] = draw_wait_badge()
    images["bluetoothBadge.png"] = draw_bluetooth_badge()
    images["noconnection.png"] = draw_no_connection_badge()
    images["deviceHelpOff.png"] = draw_power_icon()
    images["deviceHelpCharge.png"] = draw_charge_icon()
    images["deviceHelpPhone.png"] = draw_phone_icon()
    images["swipePinpad40.png"] = draw_swipe_icon(False)
    images["swipeQPosBT40.png"] = draw_swipe_icon(True)

    cv = Canvas(200, 190)
    sled_reader(cv, Place())
    images["reader_drd50.png"] = cv
    cv = Canvas(200, 190)
    sled_reader(cv, Place(), front=True)
    images["reader_drd50_front.png"] = cv
    cv = Canvas(200, 190)
    sled_back(cv, Place())
    images["drd50_reader_back.png"] = cv
    cv = Canvas(220, 434)
    phone(cv, Place())
    images["drd50_phone.png"] = cv
    cv = Canvas(240, 150)
    card_back(cv, Place(), 240, 150)
    images["creditcard_magstripe_back.png"] = cv
    cv = Canvas(240, 150)
    card_front(cv, Place(), 240, 150)
    images["creditcard_magstripe.png"] = cv
    cv = Canvas(150, 240)
    card_front(cv, Place(), 150, 240, chip_at=(0.38, 0.76), portrait=True)
    images["drd50_card_chip_480.png"] = cv
    images["drd50_battery.png"] = draw_battery_icon()
    images["drd50_cable.png"] = draw_cable_icon()
    images["drd50_reader_icon.png"] = draw_reader_icon()

    for kind in READER_MODELS:
        images["reader_model_%s.png" % kind] = model_picture(kind)
    images["reader_selected_mark.png"] = draw_check(28)
    images["readers_settings_hint.png"] = draw_settings_hint()
    return images


def main():
    images = {"menu.png": [(menu, INK)]}
    for digit in ("1", "2"):
        ring, circle, glyph = badge_shapes(digit)
        images["btn_menu_badge_%s.png" % digit] = [
            (menu, INK), (ring, "clear"), (circle, BADGE), (glyph, WHITE)]
    for name, layers in images.items():
        save(name, render(layers))
    for name, canvas in vector_images().items():
        save(name, canvas.png())


if __name__ == "__main__":
    main()
