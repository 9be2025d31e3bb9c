#!/usr/bin/env python3
"""Draws the card-brand marks shown beside a card's last digits into bundle/images/."""
import math

from draw_card_reading_images import png, rounded_rect

WHITE = (255, 255, 255, 255)


def card(fill, mark):
    """A card outline in fill, with mark(u, v) over it (u, v in 0..1 across the card)."""
    def draw(width, height):
        def shade(x, y):
            if not rounded_rect(x, y, 0.5, 0.5, width - 0.5, height - 0.5, height * 0.12):
                return None
            return mark(x / width, y / height) or fill
        return shade
    return draw


def two_circles(u, v):
    left = math.hypot((u - 0.40) * 1.6, v - 0.5) < 0.30
    right = math.hypot((u - 0.60) * 1.6, v - 0.5) < 0.30
    if left and right:
        return (255, 95, 0, 255)
    if left:
        return (235, 0, 27, 255)
    if right:
        return (247, 158, 27, 255)
    return None


def bands(u, v):
    if v > 0.78:
        return (247, 182, 0, 255)
    if 0.36 < v < 0.56 and 0.18 < u < 0.82:
        return WHITE
    return None


def square_mark(u, v):
    return WHITE if abs(u - 0.5) < 0.22 and abs(v - 0.5) < 0.22 and not (
        abs(u - 0.5) < 0.14 and abs(v - 0.5) < 0.14) else None


def ring_mark(u, v):
    d = math.hypot((u - 0.5) * 1.6, v - 0.5)
    return WHITE if 0.20 < d < 0.30 else None


def stripe_mark(u, v):
    return WHITE if 0.58 < v < 0.70 and u > 0.12 else None


BRANDS = {
    "visa": card((26, 31, 113, 255), bands),
    "mastercard": card((32, 32, 32, 255), two_circles),
    "amex": card((0, 111, 207, 255), square_mark),
    "diners": card((0, 74, 151, 255), ring_mark),
    "cabal": card((0, 122, 135, 255), ring_mark),
    "generic": card((120, 130, 140, 255), stripe_mark),
}

for name, draw in BRANDS.items():
    png("t_%s.png" % name, 40, 26, draw(40, 26))
    if name != "generic":
        png("t_%s_lg.png" % name, 80, 52, draw(80, 52))
