#!/usr/bin/env python3
"""Draws the settings screen's row icons and profile placeholders into bundle/images/ (stdlib)."""

from draw_bundle_images import (Canvas, arc, circle, line, polygon, polyline, rect, ring, save)

INK = (51, 51, 51)
GREY = (190, 194, 199)
LIGHT = (236, 238, 241)
WHITE = (255, 255, 255)
S = 56  # icon side; the screen draws them at 28 points, tinted


def stroke(points, width=3.6):
    return polyline(points, width)


def person(cx, top, scale=1.0):
    head = circle(cx, top + 7 * scale, 6.5 * scale)
    body = rect(cx - 11 * scale, top + 16 * scale, cx + 11 * scale, top + 34 * scale, 9 * scale)
    return head | body


def icon(shapes, holes=()):
    cv = Canvas(S, S)
    for shape in shapes:
        cv.paint(shape, INK)
    for hole in holes:
        cv.erase(hole)
    return cv


def branch():
    awning = polygon([(8, 14), (48, 14), (52, 24), (4, 24)])
    scallops = [circle(10 + 9 * i, 24, 4.6) for i in range(5)]
    walls = rect(9, 26, 47, 48, 1.5)
    door = rect(22, 34, 34, 48)
    window = rect(37, 31, 43, 38)
    return icon([awning] + scallops + [walls], [door, window, rect(12, 31, 18, 38)])


def language():
    return icon([ring(28, 28, 19, 3.4), line(9, 28, 47, 28, 3), line(28, 9, 28, 47, 3),
                 arc(46, 28, 24, 3, 142, 218), arc(10, 28, 24, 3, 322, 38)])


def tips():
    coin = circle(28, 28, 20)
    return icon([coin], [ring(28, 28, 15, 2.4), line(28, 15, 28, 41, 3.2),
                         arc(28, 23, 6, 3, 90, 360), arc(28, 33, 6, 3, 270, 180)])


def feedback():
    bubble = rect(6, 9, 50, 38, 8) | polygon([(14, 36), (26, 36), (12, 49)])
    return icon([bubble], [circle(18, 24, 3.2), circle(28, 24, 3.2), circle(38, 24, 3.2)])


def discounts():
    tag = polygon([(6, 26), (26, 6), (50, 6), (50, 30), (30, 50)])
    return icon([tag], [circle(42, 14, 3.4), line(20, 36, 36, 20, 3),
                        circle(22, 24, 3.2), circle(34, 32, 3.2)])


def clients():
    return icon([person(20, 10), person(38, 12, 0.85)], [ring(20, 17, 6.5, 2)])


def exchange():
    upper = stroke([(10, 20), (44, 20)]) | polygon([(40, 11), (50, 20), (40, 29)])
    lower = stroke([(46, 36), (12, 36)]) | polygon([(16, 27), (6, 36), (16, 45)])
    return icon([upper, lower])


def catalog():
    cells = [rect(8 + 22 * c, 8 + 22 * r, 26 + 22 * c, 26 + 22 * r, 3)
             for r in range(2) for c in range(2)]
    return icon(cells)


def subusers():
    return icon([person(14, 14, 0.75), person(42, 14, 0.75), person(28, 8)],
                [ring(28, 15, 7.5, 2.4)])


def readers():
    body = rect(14, 4, 42, 52, 5)
    return icon([body], [rect(18, 9, 38, 22, 1.5)] +
                [rect(18 + 7.5 * c, 27 + 7 * r, 23 + 7.5 * c, 31 + 7 * r, 1)
                 for r in range(3) for c in range(3)])


def pin():
    shackle = arc(28, 22, 10, 4, 180, 360) | line(18, 22, 18, 28, 4) | line(38, 22, 38, 28, 4)
    body = rect(11, 26, 45, 50, 4)
    return icon([shackle, body], [circle(28, 36, 3.6), rect(26.5, 36, 29.5, 44)])


def bank():
    roof = polygon([(28, 5), (51, 18), (5, 18)])
    base = rect(6, 44, 50, 50)
    columns = [rect(10 + 10 * i, 22, 16 + 10 * i, 42) for i in range(4)]
    return icon([roof, base] + columns, [circle(28, 13, 2.8)])


def bill():
    sheet = polygon([(12, 5), (36, 5), (46, 15), (46, 51), (12, 51)])
    return icon([sheet], [rect(18, 20, 40, 23), rect(18, 28, 40, 31), rect(18, 36, 32, 39),
                          polygon([(35, 8), (35, 16), (43, 16)])])


def account_type():
    card = rect(4, 12, 52, 44, 5)
    return icon([card], [circle(17, 25, 5), rect(9, 32, 25, 39, 3), rect(30, 20, 46, 23),
                         rect(30, 27, 46, 30), rect(30, 34, 40, 37)])


def agreements():
    page = rect(7, 10, 49, 50, 5)
    rings = [rect(15, 5, 19, 15, 2), rect(37, 5, 41, 15, 2)]
    days = [rect(13 + 9 * c, 24 + 8 * r, 19 + 9 * c, 29 + 8 * r, 1)
            for r in range(3) for c in range(4)]
    return icon([page] + rings, days)


def my_qr():
    finders = []
    holes = []
    for x, y in ((6, 6), (32, 6), (6, 32)):
        finders.append(rect(x, y, x + 18, y + 18, 2))
        holes.append(rect(x + 4, y + 4, x + 14, y + 14))
    cv = icon(finders, holes)
    for x, y in ((12, 12), (38, 12), (12, 38)):
        cv.paint(rect(x, y, x + 6, y + 6), INK)
    for x, y in ((33, 33), (42, 33), (37, 40), (33, 46), (45, 45)):
        cv.paint(rect(x, y, x + 6, y + 6), INK)
    return cv


def cft():
    return icon([ring(28, 28, 20, 3.6), line(19, 38, 37, 18, 3.4), circle(21, 21, 4),
                 circle(35, 35, 4)])


def logout():
    frame = stroke([(30, 12), (30, 7), (8, 7), (8, 49), (30, 49), (30, 44)])
    arrow = stroke([(20, 28), (46, 28)]) | polygon([(40, 19), (51, 28), (40, 37)])
    return icon([frame, arrow])


def subsidiary(size=168):
    """The profile picture before the merchant's own is known: a shop on a light disc."""
    cv = Canvas(size, size)
    k = size / 56.0
    cv.paint(circle(size / 2, size / 2, size / 2), LIGHT)
    cv.paint(polygon([(16 * k, 17 * k), (40 * k, 17 * k), (43 * k, 24 * k), (13 * k, 24 * k)]),
             GREY)
    for i in range(4):
        cv.paint(circle((16.5 + 7.5 * i) * k, 24 * k, 3.8 * k), GREY)
    cv.paint(rect(16 * k, 26 * k, 40 * k, 40 * k, 1 * k), GREY)
    cv.erase(rect(24 * k, 31 * k, 32 * k, 40 * k))
    return cv


def no_picture(size=60):
    """Shown centred after the picture is removed: a camera outline on a light disc."""
    cv = Canvas(size, size)
    k = size / 56.0
    cv.paint(circle(size / 2, size / 2, size / 2), LIGHT)
    body = rect(12 * k, 20 * k, 44 * k, 41 * k, 4 * k) | rect(22 * k, 15 * k, 34 * k, 22 * k,
                                                                2 * k)
    cv.paint(body, GREY)
    cv.paint(circle(28 * k, 30.5 * k, 7 * k), LIGHT)
    cv.paint(circle(28 * k, 30.5 * k, 4 * k), GREY)
    return cv


def alert_icon(kind, size=40):
    """The message box's title icons, tinted by the box: a ring with "!" or a tick."""
    cv = Canvas(size, size)
    c = size / 2.0
    cv.paint(ring(c, c, c - 2.5, 3.5), INK)
    if kind == "error":
        cv.paint(rect(c - 2, 9, c + 2, 24, 2), INK)
        cv.paint(circle(c, 30, 2.4), INK)
    else:
        cv.paint(polyline([(11, 21), (17.5, 27.5), (29, 14)], 3.6), INK)
    return cv


ICONS = {
    "branch": branch, "language": language, "tips": tips, "feedback": feedback,
    "discounts": discounts, "clients": clients, "exchange": exchange, "catalog": catalog,
    "subusers": subusers, "readers": readers, "pin": pin, "bank": bank, "bill": bill,
    "accountType": account_type, "agreements": agreements, "myQr": my_qr, "cft": cft,
    "logout": logout,
}


def main():
    images = {"conf_%s.png" % name: draw() for name, draw in ICONS.items()}
    images["ic_subsidiary.png"] = subsidiary()
    images["confNoPicture.png"] = no_picture()
    images["popupErrorIcon.png"] = alert_icon("error")
    images["popupOKIcon.png"] = alert_icon("ok")
    for name, canvas in images.items():
        save(name, canvas.png())


if __name__ == "__main__":
    main()
