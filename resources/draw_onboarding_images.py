#!/usr/bin/env python3
"""Draws the login, signup and first-run setup images into bundle/images/ (stdlib only)."""

import draw_bundle_images as bundle
from draw_bundle_images import render, save

THEME = (0, 65, 101)
LIGHT = (120, 170, 200)
INK = (51, 51, 51)
GREY = (200, 200, 200)
WHITE = (255, 255, 255)
bundle.SAMPLES = 2


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r, width):
    return lambda x, y: (r - width) ** 2 <= (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def rounded(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def logo(width, height):
    # A rounded tile with a "T" of two bars, and three bars of a wordmark beside it.
    s = height
    layers = [(rounded(0, 0, s, s, s * 0.22), THEME),
              (rect(s * 0.22, s * 0.24, s * 0.78, s * 0.38), WHITE),
              (rect(s * 0.43, s * 0.24, s * 0.57, s * 0.78), WHITE)]
    for i, length in enumerate((0.9, 0.7, 0.5)):
        y0 = s * (0.2 + 0.22 * i)
        layers.append((rounded(s * 1.25, y0, s * 1.25 + (width - s * 1.3) * length, y0 + s * 0.13,
                               s * 0.06), THEME))
    return render(layers, width, height)


def picture(kind, width=260, height=150):
    # Help page illustrations: a phone outline with the feature's shapes on its screen.
    layers = [(rounded(80, 4, 180, 146, 12), INK), (rect(86, 18, 174, 128), WHITE)]
    if kind == "buyers":
        for i in range(3):
            y = 30 + i * 32
            layers += [(circle(100, y + 8, 8), LIGHT), (rect(114, y + 2, 166, y + 7), GREY),
                       (rect(114, y + 11, 150, y + 14), GREY)]
    elif kind == "history":
        for i in range(4):
            y = 28 + i * 24
            layers += [(rect(92, y, 140, y + 6), GREY), (rect(150, y, 168, y + 6), THEME)]
    elif kind == "catalog":
        for i in range(2):
            for j in range(2):
                x, y = 94 + j * 40, 28 + i * 48
                layers.append((rounded(x, y, x + 32, y + 40, 4), LIGHT if (i + j) % 2 else THEME))
    elif kind == "tips":
        layers += [(circle(130, 60, 26), THEME), (rect(127, 44, 133, 76), WHITE),
                   (rect(118, 100, 142, 108), GREY)]
    elif kind == "subusers":
        for i in range(3):
            layers += [(circle(104 + i * 26, 60, 10), THEME if i == 1 else LIGHT),
                       (rounded(92 + i * 26, 74, 116 + i * 26, 100, 8),
                        THEME if i == 1 else LIGHT)]
    return render(layers, width, height)


def main():
    images = {
        "logoTarvello.png": logo(220, 64),
        "loginLogoTarvello.png": logo(180, 52),
        "splash.png": render([(circle(60, 60, 56), GREY), (circle(60, 60, 40), "clear")], 120, 120),
        "splash_iphone4.png": render([(circle(50, 50, 46), GREY), (circle(50, 50, 32), "clear")],
                                     100, 100),
        "close.png": render([(circle(11, 11, 11), GREY),
                             (lambda x, y: abs((x - 11) - (y - 11)) < 1.6 and abs(x - 11) < 6, WHITE),
                             (lambda x, y: abs((x - 11) + (y - 11)) < 1.6 and abs(x - 11) < 6, WHITE)],
                            22, 22),
        "line_pixel.png": render([(rect(0, 0, 1, 1), GREY)], 1, 1),
        "slide_help.png": render([(circle(4, 4, 4), GREY)], 8, 8),
        "slide_help_selected.png": render([(circle(4, 4, 4), THEME)], 8, 8),
        "avatar_nopicture_big.png": render(
            [(circle(80, 80, 80), GREY), (circle(80, 62, 28), WHITE),
             (lambda x, y: y > 100 and (x - 80) ** 2 + (y - 140) ** 2 <= 48 * 48, WHITE),
             (ring(80, 80, 80, 6), THEME)], 160, 160),
        "btn_lg_blue.png": render([(rounded(0, 0, 60, 44, 6), THEME)], 60, 44),
        "back.png": render([(lambda x, y: abs(y - 11) <= 9 - abs(x - 4) * 1.1 and x < 13, INK)],
                           22, 22),
        "next.png": render([(lambda x, y: abs(y - 11) <= 9 - abs(18 - x) * 1.1 and x > 9, INK)],
                           22, 22),
        "setupHelp_buyers1.png": picture("buyers"),
        "setupHelp_buyers2.png": picture("buyers", 260, 140),
        "setupHelp_history.png": picture("history"),
        "setupHelp_catalog1.png": picture("catalog"),
        "setupHelp_catalog2.png": picture("catalog", 260, 140),
        "setupHelp_tips1.png": picture("tips"),
        "setupHelp_tips2.png": picture("tips", 260, 140),
        "setupHelp_subusers1.png": picture("subusers"),
        "setupHelp_subusers2.png": picture("subusers", 260, 140),
    }
    for name, data in images.items():
        save(name, data)


if __name__ == "__main__":
    main()
