#!/usr/bin/env python3
"""Draws the amount keypad's key backgrounds, the print button and the blank merchant picture
into bundle/images/ (Python stdlib only)."""

from draw_bundle_images import render, save

WHITE = (255, 255, 255)
LINE = (214, 214, 214)
THEME = (0, 65, 101)
GREY = (190, 190, 190)
PALE = (236, 236, 236)

KEY_W, KEY_H = 107, 54


def key(right_line):
    """A white key with a hairline along its bottom and, but for the last column, its right."""
    def body(x, y):
        return True

    def bottom(x, y):
        return y >= KEY_H - 1

    def right(x, y):
        return right_line and x >= KEY_W - 1

    return [(body, WHITE), (bottom, LINE), (right, LINE)]


def box(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def printer():
    """A printer seen from the front: paper on top, the body, a sheet coming out below."""
    outline = [
        (box(9, 4, 21, 11), THEME),        # paper in
        (box(11, 6, 19, 11), WHITE),
        (box(4, 11, 26, 22), THEME),       # body
        (box(22, 14, 24, 16), WHITE),      # light
        (box(8, 18, 22, 27), THEME),       # sheet out
        (box(10, 19, 20, 25), WHITE),
        (box(12, 21, 18, 21.8), THEME),
        (box(12, 23, 16, 23.8), THEME),
    ]
    return outline


def no_picture():
    def disc(x, y):
        return (x - 50) ** 2 + (y - 50) ** 2 <= 50 ** 2

    def head(x, y):
        return (x - 50) ** 2 + (y - 38) ** 2 <= 17 ** 2

    def shoulders(x, y):
        return disc(x, y) and (x - 50) ** 2 / 32 ** 2 + (y - 86) ** 2 / 26 ** 2 <= 1

    return [(disc, PALE), (head, GREY), (shoulders, GREY)]


def main():
    images = {
        "keyboard1_white.png": (key(True), KEY_W, KEY_H),
        "keyboard2_white.png": (key(True), KEY_W, KEY_H),
        "keyboard3_white.png": (key(False), KEY_W, KEY_H),
        "btn_print.png": (printer(), 30, 30),
        "signup_nopicture.png": (no_picture(), 100, 100),
    }
    for name, (layers, width, height) in images.items():
        save(name, render(layers, width, height))


if __name__ == "__main__":
    main()
