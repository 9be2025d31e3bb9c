#!/usr/bin/env python3
"""Draws the tip-and-signature screen's images into bundle/images/ (Python stdlib only)."""

from draw_bundle_images import render, save

INK = (51, 51, 51)
BLUE = (0, 65, 101)
WHITE = (255, 255, 255)


def rounded(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def cross(size, width):
    def inside(x, y):
        return abs(x - y) <= width or abs(x - (size - y)) <= width
    return [(inside, INK)]


def line(w, h):
    return [(lambda x, y: True, INK)]


def tip_plus(size=30):
    disc = lambda x, y: (x - size / 2) ** 2 + (y - size / 2) ** 2 <= (size / 2 - 1) ** 2
    bar = lambda x, y: disc(x, y) and (abs(x - size / 2) <= 1.5 or abs(y - size / 2) <= 1.5) \
        and abs(x - size / 2) <= size / 4 and abs(y - size / 2) <= size / 4
    return [(disc, BLUE), (bar, WHITE)]


def sale_icon(size=28):
    # A receipt: a sheet with a zigzag bottom and three lines.
    sheet = lambda x, y: 5 <= x <= size - 5 and 2 <= y <= size - 4 - 2 * abs(((x - 5) % 4) - 2)
    lines = lambda x, y: 8 <= x <= size - 8 and any(abs(y - r) <= 0.9 for r in (8, 13, 18))
    return [(sheet, INK), (lines, "clear")]


IMAGES = {
    "signature_x.png": (cross(16, 1.4), 16, 16),
    "signature_line.png": (line(8, 2), 8, 2),
    "btn_blue_sm_iphone4.png": ([(rounded(0, 0, 120, 36, 5), INK)], 120, 36),
    "btn_tip_+.png": (tip_plus(), 30, 30),
    "Sale_icon.png": (sale_icon(), 28, 28),
}

if __name__ == "__main__":
    for name, (layers, w, h) in IMAGES.items():
        save(name, render(layers, w, h))
