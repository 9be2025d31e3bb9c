#!/usr/bin/env python3
"""Draws the payment-flow images of the resource bundle into bundle/images/ (stdlib only)."""
import os

from draw_catalog_images import png

GREY = (150, 158, 166)


def bank(size):
    s = size / 96.0

    def roof(x, y):
        # a triangle from (10, 34) to (86, 34) with its top at (48, 12)
        x, y = x / s, y / s
        return 12 <= y <= 34 and abs(x - 48) <= (y - 12) * 38 / 22

    def columns(x, y):
        x, y = x / s, y / s
        return 38 <= y <= 70 and any(c <= x <= c + 8 for c in (18, 34, 54, 70))

    def base(x, y):
        x, y = x / s, y / s
        return (10 <= x <= 86 and 72 <= y <= 80) or (16 <= x <= 80 and 34 <= y <= 38)

    return png(size, size, [(roof, GREY), (columns, GREY), (base, GREY)])


def main():
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "bundle", "images")
    for name, size in (("generic_bank.png", 96),):
        with open(os.path.join(out, name), "wb") as f:
            f.write(bank(size))


if __name__ == "__main__":
    main()
