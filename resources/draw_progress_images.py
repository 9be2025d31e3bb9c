#!/usr/bin/env python3
"""Draws the spinner frames Spinner_fino_00.png .. Spinner_fino_99.png and the finished mark
page1.png into bundle/images/, with the PNG writer of draw_bundle_images.py."""
import math

import draw_bundle_images as base

INK = (51, 51, 51)
FRAMES = 100


def spinner(turn):
    """A thin arc of 270 degrees with round ends, turned by `turn` (0..1) of a full circle."""
    cx = cy = base.SIZE / 2
    radius, half = base.SIZE / 2 - 6, 1.6
    start = turn * 2 * math.pi
    span = 1.5 * math.pi
    ends = [(cx + radius * math.cos(a), cy + radius * math.sin(a)) for a in (start, start + span)]

    def inside(x, y):
        dx, dy = x - cx, y - cy
        if abs(math.hypot(dx, dy) - radius) <= half:
            angle = (math.atan2(dy, dx) - start) % (2 * math.pi)
            if angle <= span:
                return True
        return any((x - ex) ** 2 + (y - ey) ** 2 <= half * half for ex, ey in ends)

    return inside


def segment_distance(x, y, ax, ay, bx, by):
    vx, vy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((x - ax) * vx + (y - ay) * vy) / (vx * vx + vy * vy)))
    return math.hypot(x - (ax + t * vx), y - (ay + t * vy))


def finished_mark(x, y):
    """A ring with a check mark inside."""
    s = base.SIZE
    c = s / 2
    if abs(math.hypot(x - c, y - c) - (s / 2 - 4)) <= 3:
        return True
    points = [(0.28 * s, 0.52 * s), (0.44 * s, 0.68 * s), (0.73 * s, 0.36 * s)]
    return any(segment_distance(x, y, *points[i], *points[i + 1]) <= 0.055 * s for i in range(2))


def main():
    base.SIZE = 68
    for i in range(FRAMES):
        base.save("Spinner_fino_%02d.png" % i, base.render([(spinner(i / FRAMES), INK)], base.SIZE, base.SIZE))
    base.SIZE = 92
    base.save("page1.png", base.render([(finished_mark, INK)], base.SIZE, base.SIZE))


if __name__ == "__main__":
    main()
