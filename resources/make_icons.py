#!/usr/bin/env python3
"""Draws the menu icons of Tessaview as 32x32 XPM files into resources/images/.

Run it after changing a picture: python3 resources/make_icons.py
Only the Python standard library is used; the output is plain text so the icons diff well.
"""

import math
import os

from xpmcanvas import XpmCanvas

SIZE = 32
TRANSPARENT = "."

# One character per colour, shared by all icons.
PALETTE = {
    ".": "None",
    "k": "#000000",
    "w": "#FFFFFF",
    "g": "#808080",
    "l": "#C8C8C8",
    "r": "#D02020",
    "G": "#20A040",
    "b": "#2060D0",
    "c": "#60C0F0",
    "y": "#F0C020",
    "o": "#F08020",
    "n": "#805020",
}

# 5x7 glyphs for the few characters the icons need.
FONT = {
    "0": ["01110", "10001", "10011", "10101", "11001", "10001", "01110"],
    "1": ["00100", "01100", "00100", "00100", "00100", "00100", "01110"],
    "2": ["01110", "10001", "00001", "00010", "00100", "01000", "11111"],
    "3": ["11110", "00001", "00001", "01110", "00001", "00001", "11110"],
    "4": ["00010", "00110", "01010", "10010", "11111", "00010", "00010"],
    "5": ["11111", "10000", "11110", "00001", "00001", "10001", "01110"],
    "6": ["00110", "01000", "10000", "11110", "10001", "10001", "01110"],
    "7": ["11111", "00001", "00010", "00100", "01000", "01000", "01000"],
    "8": ["01110", "10001", "10001", "01110", "10001", "10001", "01110"],
    "9": ["01110", "10001", "10001", "01111", "00001", "00010", "01100"],
    "+": ["00000", "00100", "00100", "11111", "00100", "00100", "00000"],
    "-": ["00000", "00000", "00000", "11111", "00000", "00000", "00000"],
    "?": ["01110", "10001", "00001", "00010", "00100", "00000", "00100"],
    "i": ["00100", "00000", "01100", "00100", "00100", "00100", "01110"],
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
}


class Canvas(XpmCanvas):
    def __init__(self):
        super().__init__(SIZE, PALETTE, TRANSPARENT)

    def line(self, x0, y0, x1, y1, c, width=1):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for s in range(steps + 1):
            x = round(x0 + (x1 - x0) * s / steps)
            y = round(y0 + (y1 - y0) * s / steps)
            self.fill(x - (width - 1) // 2, y - (width - 1) // 2, x + width // 2, y + width // 2, c)

    def disc(self, cx, cy, r, c):
        for y in range(SIZE):
            for x in range(SIZE):
                if (x - cx) ** 2 + (y - cy) ** 2 <= (r + 0.5) ** 2:
                    self.dot(x, y, c)

    def ring(self, cx, cy, r, c, width=2):
        for y in range(SIZE):
            for x in range(SIZE):
                d = math.hypot(x - cx, y - cy)
                if r - width < d <= r:
                    self.dot(x, y, c)

    def triangle(self, points, c):
        (ax, ay), (bx, by), (qx, qy) = points

        def side(px, py, x0, y0, x1, y1):
            return (px - x1) * (y0 - y1) - (x0 - x1) * (py - y1)

        for y in range(SIZE):
            for x in range(SIZE):
                d1 = side(x, y, ax, ay, bx, by)
                d2 = side(x, y, bx, by, qx, qy)
                d3 = side(x, y, qx, qy, ax, ay)
                negative = d1 < 0 or d2 < 0 or d3 < 0
                positive = d1 > 0 or d2 > 0 or d3 > 0
                if not (negative and positive):
                    self.dot(x, y, c)

    def text(self, x, y, s, c, scale=2):
        for ch in s:
            glyph = FONT[ch]
            for gy, row in enumerate(glyph):
                for gx, bit in enumerate(row):
                    if bit == "1":
                        self.fill(x + gx * scale, y + gy * scale,
                                  x + gx * scale + scale - 1, y + gy * scale + scale - 1, c)
            x += 6 * scale


# --- shared pieces -----------------------------------------------------------------------

def page(cv, paper="w"):
    """A sheet of paper with a folded corner."""
    cv.fill(6, 2, 25, 29, paper)
    cv.frame(6, 2, 25, 29, "k")
    cv.fill(20, 2, 25, 7, TRANSPARENT)
    cv.line(20, 2, 20, 7, "k")
    cv.line(20, 7, 25, 7, "k")
    cv.line(20, 2, 25, 7, "k")


def arrow_right(cv, x0, x1, y, c):
    cv.line(x0, y, x1 - 4, y, c, 3)
    cv.triangle([(x1 - 5, y - 5), (x1, y), (x1 - 5, y + 5)], c)


def grid(cv, c="g"):
    """A 3x3 grid of cells, the picture the program paints."""
    for i in range(3):
        for j in range(3):
            x, y = 3 + i * 9, 3 + j * 9
            cv.fill(x, y, x + 7, y + 7, c)


def double_arrow(cv, vertical, c):
    if vertical:
        cv.line(9, 6, 9, 25, c, 3)
        cv.triangle([(3, 8), (9, 1), (15, 8)], c)
        cv.triangle([(3, 23), (9, 30), (15, 23)], c)
    else:
        cv.line(6, 9, 25, 9, c, 3)
        cv.triangle([(8, 3), (1, 9), (8, 15)], c)
        cv.triangle([(23, 3), (30, 9), (23, 15)], c)


# --- the icons -------------------------------------------------------------------------------

def preferences():
    cv = Canvas()
    for y, knob in ((7, 20), (16, 9), (25, 15)):
        cv.line(3, y, 28, y, "g", 2)
        cv.fill(knob - 3, y - 4, knob + 3, y + 4, "b")
        cv.frame(knob - 3, y - 4, knob + 3, y + 4, "k")
    return cv


def editpaste():
    cv = Canvas()
    cv.fill(4, 5, 21, 29, "n")
    cv.frame(4, 5, 21, 29, "k")
    cv.fill(7, 9, 18, 26, "w")
    cv.fill(9, 2, 16, 7, "g")
    cv.frame(9, 2, 16, 7, "k")
    arrow_right(cv, 14, 31, 18, "G")
    return cv


def filenew():
    cv = Canvas()
    page(cv)
    cv.text(10, 12, "+", "G")
    return cv


def filerecent(number):
    cv = Canvas()
    page(cv)
    cv.text(11, 12, str(number), "b")
    return cv


def filerecent_stack():
    cv = Canvas()
    for offset in (6, 3, 0):
        x, y = 2 + offset, 6 - offset
        cv.fill(x, y, x + 19, y + 23, "w")
        cv.frame(x, y, x + 19, y + 23, "k")
    for y in (8, 12, 16, 20):
        cv.line(11, y, 24, y, "g")
    return cv


def reset():
    cv = Canvas()
    cv.ring(16, 16, 12, "b", 4)
    # A gap in the upper right quarter; the arrow head at its lower end points upwards.
    cv.fill(17, 0, 31, 15, TRANSPARENT)
    cv.triangle([(20, 16), (31, 16), (26, 8)], "b")
    return cv


def filereload():
    """Two arcs chasing each other clockwise: read again."""
    cv = Canvas()
    cx, cy, r, width = 16, 16, 12, 4
    mid = r - width / 2
    for start, end in ((30, 140), (210, 320)):
        # Angles in degrees, clockwise from twelve o'clock.
        for y in range(SIZE):
            for x in range(SIZE):
                d = math.hypot(x - cx, y - cy)
                angle = math.degrees(math.atan2(x - cx, cy - y)) % 360
                if r - width < d <= r and start <= angle <= end:
                    cv.dot(x, y, "G")
        a = math.radians(end)
        px, py = cx + mid * math.sin(a), cy - mid * math.cos(a)
        tx, ty = math.cos(a), math.sin(a)  # the clockwise direction at the arc's end
        nx, ny = math.sin(a), -math.cos(a)  # outwards
        cv.triangle([(round(px + 6 * nx), round(py + 6 * ny)),
                     (round(px + 8 * tx), round(py + 8 * ty)),
                     (round(px - 6 * nx), round(py - 6 * ny))], "G")
    return cv


def freeze():
    cv = Canvas()
    for angle in range(0, 180, 60):
        a = math.radians(angle)
        dx, dy = round(13 * math.cos(a)), round(13 * math.sin(a))
        cv.line(16 - dx, 16 - dy, 16 + dx, 16 + dy, "c", 2)
        for sign in (1, -1):
            tx, ty = 16 + sign * round(8 * math.cos(a)), 16 + sign * round(8 * math.sin(a))
            for turn in (math.radians(60), math.radians(-60)):
                bx = tx + sign * round(4 * math.cos(a + turn))
                by = ty + sign * round(4 * math.sin(a + turn))
                cv.line(tx, ty, bx, by, "b")
    return cv


def on_top():
    cv = Canvas()
    cv.fill(2, 12, 19, 29, "l")
    cv.frame(2, 12, 19, 29, "k")
    cv.fill(10, 4, 29, 21, "c")
    cv.frame(10, 4, 29, 21, "k")
    cv.fill(10, 4, 29, 7, "b")
    cv.line(20, 19, 20, 11, "y", 3)
    cv.triangle([(15, 12), (20, 7), (25, 12)], "y")
    return cv


def full_screen():
    cv = Canvas()
    cv.frame(1, 4, 30, 27, "k", 2)
    cv.fill(3, 6, 28, 25, "c")
    for (x, y, dx, dy) in ((5, 8, 1, 1), (26, 8, -1, 1), (5, 23, 1, -1), (26, 23, -1, -1)):
        cv.line(x, y, x + 6 * dx, y + 6 * dy, "b", 2)
        cv.fill(min(x, x + 5 * dx), y, max(x, x + 5 * dx), y, "b")
        cv.fill(x, min(y, y + 5 * dy), x, max(y, y + 5 * dy), "b")
    return cv


def selftest_next():
    cv = Canvas()
    grid(cv, "g")
    cv.triangle([(9, 6), (26, 16), (9, 26)], "G")
    return cv


def selftest(number):
    cv = Canvas()
    colours = ["g", "r", "G", "b", "y", "o"]
    cv.fill(1, 1, 30, 30, colours[number])
    cv.frame(1, 1, 30, 30, "k")
    cv.fill(8, 7, 23, 24, "w")
    cv.text(11, 9, str(number), "k")
    return cv


def selftest_all():
    cv = Canvas()
    cv.fill(1, 1, 15, 15, "r")
    cv.fill(16, 1, 30, 15, "G")
    cv.fill(1, 16, 15, 30, "b")
    cv.fill(16, 16, 30, 30, "w")
    cv.frame(1, 1, 30, 30, "k")
    cv.text(11, 9, "A", "k")
    return cv


def help_info():
    cv = Canvas()
    cv.disc(16, 16, 14, "b")
    cv.text(11, 9, "i", "w")
    return cv


def help_help():
    cv = Canvas()
    cv.disc(16, 16, 14, "G")
    cv.text(11, 9, "?", "w")
    return cv


def filesaveas():
    cv = Canvas()
    cv.fill(3, 3, 28, 28, "b")
    cv.frame(3, 3, 28, 28, "k")
    cv.fill(8, 3, 23, 12, "l")
    cv.fill(18, 5, 21, 10, "b")
    cv.fill(7, 17, 24, 28, "w")
    cv.line(9, 21, 22, 21, "g")
    cv.line(9, 25, 22, 25, "g")
    return cv


def check_update():
    cv = Canvas()
    cv.disc(16, 13, 11, "c")
    cv.ring(16, 13, 11, "b", 2)
    cv.line(5, 13, 27, 13, "b")
    cv.line(16, 2, 16, 24, "b")
    cv.line(16, 14, 16, 24, "G", 4)
    cv.triangle([(9, 22), (16, 30), (23, 22)], "G")
    return cv


def dmx_size(vertical, sign):
    cv = Canvas()
    double_arrow(cv, vertical, "b")
    if vertical:
        cv.text(18, 9, sign, "G" if sign == "+" else "r")
    else:
        cv.text(9, 18, sign, "G" if sign == "+" else "r")
    return cv


def dmx_size_xy():
    cv = Canvas()
    grid(cv, "g")
    cv.line(5, 26, 26, 26, "b", 3)
    cv.triangle([(24, 21), (30, 26), (24, 31)], "b")
    cv.line(5, 5, 5, 26, "b", 3)
    cv.triangle([(0, 7), (5, 1), (10, 7)], "b")
    return cv


def quit_icon():
    cv = Canvas()
    cv.disc(16, 16, 14, "r")
    cv.line(10, 10, 22, 22, "w", 4)
    cv.line(22, 10, 10, 22, "w", 4)
    return cv


def icons():
    yield "preferences", preferences()
    yield "editpaste", editpaste()
    yield "filenew", filenew()
    for index in range(9):
        # filerecent0 stands for preset 1.
        yield "filerecent%d" % index, filerecent(index + 1)
    yield "filerecent", filerecent_stack()
    yield "reset", reset()
    yield "filereload", filereload()
    yield "freeze", freeze()
    yield "on_top", on_top()
    yield "full_screen", full_screen()
    yield "selftest_next", selftest_next()
    for index in range(6):
        yield "selftest%d" % index, selftest(index)
    yield "selftest_all", selftest_all()
    yield "helpInfo", help_info()
    yield "filesaveas", filesaveas()
    yield "check_update", check_update()
    yield "dmx_size_x_inc", dmx_size(False, "+")
    yield "dmx_size_x_dec", dmx_size(False, "-")
    yield "dmx_size_y_inc", dmx_size(True, "+")
    yield "dmx_size_y_dec", dmx_size(True, "-")
    yield "dmx_size_xy", dmx_size_xy()
    yield "helpHelp", help_help()
    yield "quit", quit_icon()


def main():
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "images")
    for name, cv in icons():
        with open(os.path.join(folder, name + ".xpm"), "w", encoding="ascii") as f:
            f.write(cv.xpm(name + "_xpm"))


if __name__ == "__main__":
    main()
