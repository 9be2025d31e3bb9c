#!/usr/bin/env python3
"""Draws the shop's card-reader picture into bundle/images/BuyReader.png (Python stdlib only)."""
from draw_bundle_images import png_bytes, save

W, H = 240, 240
BODY = (40, 44, 52)
SCREEN = (120, 190, 220)
KEY = (230, 230, 230)
SLOT = (20, 20, 20)


def inside_round(x, y, x0, y0, x1, y1, r):
    if x < x0 or x > x1 or y < y0 or y > y1:
        return False
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def pixel(x, y):
    if inside_round(x, y, 100, 6, 140, 40, 6):
        return SLOT + (255,)
    if inside_round(x, y, 60, 30, 180, 230, 22):
        if inside_round(x, y, 78, 52, 162, 100, 6):
            return SCREEN + (255,)
        for row in range(4):
            for col in range(3):
                kx, ky = 86 + col * 34, 118 + row * 26
                if inside_round(x, y, kx - 12, ky - 8, kx + 12, ky + 8, 4):
                    return KEY + (255,)
        return BODY + (255,)
    return (0, 0, 0, 0)


def main():
    rows = [b"".join(bytes(pixel(x, y)) for x in range(W)) for y in range(H)]
    save("BuyReader.png", png_bytes(W, H, rows))


if __name__ == "__main__":
    main()
