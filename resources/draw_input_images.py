#!/usr/bin/env python3
"""Draws the keypad and tutorial bubble images into bundle/images/ (Python stdlib only)."""

from draw_bundle_images import render, save

WHITE = (255, 255, 255)
BUBBLE = (38, 50, 56)

# Tutorial bubbles: 260 wide, an 11-high arrow above or below a 29-high body with rounded
# corners. Screens stretch the rows between the caps (18 on the arrow side, 7 on the other).
HINT_WIDTH, HINT_HEIGHT, ARROW, RADIUS = 260, 40, 11, 6


def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def arrow(tip_x, tip_y, base_y):
    half = ARROW

    def inside(x, y):
        lo, hi = sorted((tip_y, base_y))
        if not lo <= y <= hi:
            return False
        reach = half * abs(y - tip_y) / ARROW
        return abs(x - tip_x) <= reach
    return inside


def hint(arrow_x, up):
    if up:
        body = rounded_rect(0, ARROW, HINT_WIDTH, HINT_HEIGHT, RADIUS)
        point = arrow(arrow_x, 0, ARROW + 1)
    else:
        body = rounded_rect(0, 0, HINT_WIDTH, HINT_HEIGHT - ARROW, RADIUS)
        point = arrow(arrow_x, HINT_HEIGHT, HINT_HEIGHT - ARROW - 1)
    return [(body, BUBBLE), (point, BUBBLE)]


# Backspace key: a tag pointing left with a cross cut out of it, drawn white (a template).
BACK_W, BACK_H = 44, 32


def backspace_tag(x, y):
    top, bottom, left, point, right = 5, 27, 4, 14, 40
    if not (top <= y <= bottom and left <= x <= right):
        return False
    if x >= point:
        return rounded_rect(point - 4, top, right, bottom, 4)(x, y)
    mid = (top + bottom) / 2
    return abs(y - mid) <= (x - left) * (bottom - top) / 2 / (point - left)


def cross(x, y):
    cx, cy, arm, half = 26, 16, 6.5, 1.6
    if abs(x - cx) > arm + half or abs(y - cy) > arm + half:
        return False
    return abs((x - cx) - (y - cy)) <= half * 1.414 or abs((x - cx) + (y - cy)) <= half * 1.414


def main():
    images = {
        "backspace_white.png": ([(backspace_tag, WHITE), (cross, "clear")], BACK_W, BACK_H),
        "hint_up.png": (hint(HINT_WIDTH / 2, True), HINT_WIDTH, HINT_HEIGHT),
        "hint_down.png": (hint(HINT_WIDTH / 2, False), HINT_WIDTH, HINT_HEIGHT),
        "hint_left_up.png": (hint(24, True), HINT_WIDTH, HINT_HEIGHT),
        "hint_right_up.png": (hint(HINT_WIDTH - 24, True), HINT_WIDTH, HINT_HEIGHT),
        "hint_left_down.png": (hint(24, False), HINT_WIDTH, HINT_HEIGHT),
        "hint_right_down.png": (hint(HINT_WIDTH - 24, False), HINT_WIDTH, HINT_HEIGHT),
    }
    for name, (layers, width, height) in images.items():
        save(name, render(layers, width, height))


if __name__ == "__main__":
    main()
