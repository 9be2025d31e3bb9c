#!/usr/bin/env python3
"""Draws the payment-flow images of the resource bundle into bundle/images/ (stdlib only)."""

from draw_bundle_images import render, save

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

    return render([(roof, GREY), (columns, GREY), (base, GREY)], size, size)


GREEN = (46, 139, 87)
BLUE = (52, 120, 198)


def cash(size):
    """A banknote: a rounded frame with a coin circle in its middle."""
    s = size / 96.0

    def frame(x, y):
        x, y = x / s, y / s
        inside = 10 <= x <= 86 and 26 <= y <= 70
        hole = 15 <= x <= 81 and 31 <= y <= 65
        return inside and not hole

    def coin(x, y):
        x, y = x / s, y / s
        d = (x - 48) ** 2 + (y - 48) ** 2
        return 81 <= d <= 144

    def corners(x, y):
        x, y = x / s, y / s
        return any((x - cx) ** 2 + (y - cy) ** 2 <= 9 for cx, cy in ((24, 40), (72, 56)))

    return render([(frame, GREEN), (coin, GREEN), (corners, GREEN)], size, size)


def link(size):
    """Two interlocking rings of a chain, slanted."""
    s = size / 96.0

    def ring(cx, cy):
        def inside(x, y):
            x, y = x / s, y / s
            # a rounded oblong along the diagonal
            u = ((x - cx) + (y - cy)) / 1.4142
            v = ((x - cx) - (y - cy)) / 1.4142
            d = (u / 22.0) ** 2 + (v / 12.0) ** 2
            return 0.55 <= d <= 1.0

        return inside

    return render([(ring(35, 35), BLUE), (ring(61, 61), BLUE)], size, size)


def main():
    for name, draw in (("generic_bank.png", bank), ("cash_method.png", cash),
                       ("payment_link.png", link)):
        save(name, draw(96))


if __name__ == "__main__":
    main()
