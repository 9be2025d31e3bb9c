#!/usr/bin/env python3
"""Draws the sale and catalog images of the resource bundle into bundle/images/ (stdlib only)."""
import math

from draw_bundle_images import render, save

INK = (51, 51, 51)
WHITE = (255, 255, 255)


def segment(x0, y0, x1, y1, half):
    def inside(x, y):
        dx, dy = x1 - x0, y1 - y0
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy)))
        return math.hypot(x - (x0 + t * dx), y - (y0 + t * dy)) <= half
    return inside


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def pill(w, h):
    r = h / 2.0
    def inside(x, y):
        if r <= x <= w - r:
            return 0 <= y <= h
        cx = r if x < r else w - r
        return (x - cx) ** 2 + (y - r) ** 2 <= r * r
    return inside


def main():
    any_of = lambda *preds: (lambda x, y: any(p(x, y) for p in preds))
    images = {
        # a faint white texture behind the cart's header and the discount editor
        "fondo_blanco.png": (8, 8, [(lambda x, y: (int(x) + int(y)) % 4 == 0, (246, 246, 246))],
                             (252, 252, 252)),
        "item_quantity_badge.png": (30, 22, [(pill(30, 22), INK)], None),
        "item_quantity_badge_big.png": (40, 22, [(pill(40, 22), INK)], None),
        "checkmark.png": (36, 36, [(any_of(segment(7, 19, 14, 27, 2.6),
                                           segment(14, 27, 29, 9, 2.6)), INK)], None),
        "discountSelected.png": (22, 22, [(any_of(segment(5, 11.5, 9, 16, 1.8),
                                                  segment(9, 16, 17, 6, 1.8)), WHITE)], None),
        "chevron_down.png": (32, 32, [(any_of(segment(8, 12, 16, 20, 2), segment(16, 20, 24, 12, 2)),
                                       INK)], None),
        "chevron_up.png": (32, 32, [(any_of(segment(8, 20, 16, 12, 2), segment(16, 12, 24, 20, 2)),
                                     INK)], None),
        "close_.png": (32, 32, [(any_of(segment(9, 9, 23, 23, 1.8), segment(23, 9, 9, 23, 1.8)),
                                 INK)], None),
        "add_product_full.png": (60, 60, [(circle(30, 30, 28), INK),
                                          (any_of(segment(30, 17, 30, 43, 2.6),
                                                  segment(17, 30, 43, 30, 2.6)), "clear")], None),
        "line_pixel_menu.png": (2, 1, [], (200, 200, 200)),
        # a percent sign, white, for the discount rows' round icon
        "disccountIcon.png": (40, 40, [(any_of(circle(13, 13, 5), circle(27, 27, 5),
                                               segment(28, 9, 12, 31, 2.2)), WHITE)], None),
        # the cart line's discount mark: a tag
        "discount_badge.png": (36, 36, [(lambda x, y: abs(x - 18) + abs(y - 18) <= 15,
                                         (214, 48, 49)), (circle(18, 18, 4), WHITE)], None),
    }
    for name, (w, h, layers, background) in images.items():
        save(name, render(layers, w, h, background))


if __name__ == "__main__":
    main()
