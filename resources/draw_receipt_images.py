#!/usr/bin/env python3
"""Draws the receipt form's images into bundle/images/ (Python stdlib only)."""

from draw_bundle_images import render, save

GREY = (150, 160, 168)
LIGHT = (221, 227, 232)
WHITE = (255, 255, 255)
INK = (51, 51, 51)


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r, w):
    return lambda x, y: (r - w) ** 2 <= (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def rounded(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def person(size, colour):
    s = size / 78.0
    head = circle(39 * s, 30 * s, 13 * s)
    body = lambda x, y: (y > 48 * s and (x - 39 * s) ** 2 / (24 * s) ** 2
                         + (y - 70 * s) ** 2 / (22 * s) ** 2 <= 1)
    return [(head, colour), (body, colour)]


def avatar_nopicture(size=78):
    disc = circle(size / 2, size / 2, size / 2)
    layers = [(disc, LIGHT)] + person(size, GREY)
    return [(lambda x, y, l=l: disc(x, y) and l[0](x, y), l[1]) if i else l
            for i, l in enumerate(layers)]


def avatar_add(size=78):
    layers = avatar_nopicture(size)
    badge = circle(size - 14, size - 14, 12)
    plus = lambda x, y: badge(x, y) and (abs(x - (size - 14)) <= 1.6 or abs(y - (size - 14)) <= 1.6) \
        and abs(x - (size - 14)) <= 7 and abs(y - (size - 14)) <= 7
    return layers + [(badge, (0, 65, 101)), (plus, WHITE)]


def user_icon(size=40):
    return person(size, INK)


def email_icon(size=40):
    body = rounded(3, 9, size - 3, size - 9, 3)
    inner = rounded(6, 12, size - 6, size - 12, 1)
    flap = lambda x, y: inner(x, y) and abs(y - 12 - (abs(x - size / 2) * -0.55 + size * 0.3)) < 1.6
    return [(body, INK), (inner, "clear"), (flap, INK)]


def button(width, height, radius):
    return [(rounded(0, 0, width, height, radius), INK)]


IMAGES = {
    "avatar_nopicture_midsize.png": (avatar_nopicture(), 78, 78),
    "avatar_add_midsize.png": (avatar_add(), 78, 78),
    "user_icon.png": (user_icon(), 40, 40),
    "email_icon.png": (email_icon(), 40, 40),
    "btn_blue_sm.png": (button(120, 44, 6), 120, 44),
    "collect_button_squared.png": (button(280, 48, 2), 280, 48),
}

if __name__ == "__main__":
    for name, (layers, w, h) in IMAGES.items():
        save(name, render(layers, w, h))
