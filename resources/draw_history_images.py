#!/usr/bin/env python3
"""Draws the sales-history row pictures (cash mark, record badges, status dots) into
bundle/images/ (stdlib only)."""
import math

from draw_bundle_images import render, save

GREEN = (46, 160, 90)
GREY = (120, 120, 120)
RED = (227, 74, 87)
WHITE = (255, 255, 255)


def segment_distance(x, y, ax, ay, bx, by):
    vx, vy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((x - ax) * vx + (y - ay) * vy) / (vx * vx + vy * vy)))
    return math.hypot(x - (ax + t * vx), y - (ay + t * vy))


def cash(size):
    s = size / 40.0

    def note(x, y):
        x, y = x / s, y / s
        if not (4 <= x <= 36 and 11 <= y <= 29):
            return False
        # a border and a coin in the middle, the rest of the inside left clear
        inner = 7 <= x <= 33 and 14 <= y <= 26
        return not inner or math.hypot(x - 20, y - 20) <= 4.5

    return render([(note, GREEN)], size, size)


def badge(size, colour, mark):
    c = size / 2.0

    def disc(x, y):
        return math.hypot(x - c, y - c) <= c - 0.5

    def sign(x, y):
        u, v = x / size, y / size
        w = 0.07
        if mark == "cross":
            return (segment_distance(u, v, 0.32, 0.32, 0.68, 0.68) <= w
                    or segment_distance(u, v, 0.68, 0.32, 0.32, 0.68) <= w)
        # a back arrow
        return (segment_distance(u, v, 0.28, 0.5, 0.72, 0.5) <= w
                or segment_distance(u, v, 0.28, 0.5, 0.46, 0.32) <= w
                or segment_distance(u, v, 0.28, 0.5, 0.46, 0.68) <= w)

    return render([(disc, colour), (sign, WHITE)], size, size)


def dot(size, colour, inverted):
    c = size / 2.0

    def disc(x, y):
        return math.hypot(x - c, y - c) <= c - 0.5

    def core(x, y):
        return math.hypot(x - c, y - c) <= c * 0.45

    if inverted:
        return render([(disc, WHITE), (core, colour)], size, size)
    return render([(disc, colour)], size, size)


def main():
    pictures = {
        "t_cash.png": cash(40),
        "badge_salerefunded.png": badge(24, GREY, "arrow"),
        "badge_cancelled.png": badge(24, RED, "cross"),
        "badge_refund.png": badge(24, RED, "arrow"),
        "dot_open.png": dot(12, GREEN, False),
        "dot_close.png": dot(12, GREY, False),
        "dot_open_inverted.png": dot(12, GREEN, True),
        "dot_close_inverted.png": dot(12, GREY, True),
    }
    for name, data in pictures.items():
        save(name, data)


if __name__ == "__main__":
    main()
