#!/usr/bin/env python3
"""Draws the settings dialog's icons as 16x16 XPM files into resources/images/settings/.

Run it after changing a picture: python3 resources/make_settings_icons.py
Only the Python standard library is used. The dialog shows these beside combo box entries and
on small tool buttons, so they are drawn at the size they are shown instead of scaled down.
The menu icons (helpInfo among them) come from make_icons.py.
"""

import math
import os

from xpmcanvas import XpmCanvas

SIZE = 16
CLEAR = "."

PALETTE = {
    ".": "None",
    "k": "#000000",
    "w": "#FFFFFF",
    "d": "#404040",
    "g": "#808080",
    "l": "#C0C0C0",
    "r": "#E02020",
    "G": "#20B040",
    "b": "#2060E0",
    "y": "#F8C818",
    "B": "#103070",
}

# 3x5 digits, enough for a DMX value.
DIGITS = {
    "0": ["111", "101", "101", "101", "111"],
    "1": ["010", "110", "010", "010", "111"],
    "2": ["111", "001", "111", "100", "111"],
    "5": ["111", "100", "111", "001", "111"],
    "8": ["111", "101", "111", "101", "111"],
}


class Picture(XpmCanvas):
    def __init__(self):
        super().__init__(SIZE, PALETTE, CLEAR)

    def ellipse(self, filled, outline_colour, fill_colour=None):
        """An ellipse inside the whole picture, a little wider than high like a cell."""
        cx, cy, rx, ry = 7.5, 7.5, 7.0, 5.5
        for y in range(SIZE):
            for x in range(SIZE):
                d = math.hypot((x - cx) / rx, (y - cy) / ry)
                if d <= 1.0:
                    inner = math.hypot((x - cx) / (rx - 1.2), (y - cy) / (ry - 1.2))
                    if inner > 1.0:
                        self.dot(x, y, outline_colour)
                    elif filled:
                        self.dot(x, y, fill_colour)

    def digits(self, x, y, text, c):
        for ch in text:
            for gy, row in enumerate(DIGITS[ch]):
                for gx, bit in enumerate(row):
                    if bit == "1":
                        self.dot(x + gx, y + gy, c)
            x += 4



def warning():
    p = Picture()
    # Yellow triangle with a black edge, apex at the top centre.
    for y in range(1, 15):
        half = (y - 1) * 7.5 / 13
        for x in range(SIZE):
            d = abs(x - 7.5)
            if d <= half + 0.5:
                p.dot(x, y, "k" if d > half - 1.0 or y == 14 else "y")
    p.fill(7, 6, 8, 10, "k")
    p.fill(7, 12, 8, 12, "k")
    return p


def shape_rect(filled):
    p = Picture()
    if filled:
        p.fill(1, 3, 14, 12, "b")
    p.frame(1, 3, 14, 12, "B")
    if not filled:
        p.frame(2, 4, 13, 11, "B")
    return p


def shape_ellipse(filled):
    p = Picture()
    p.ellipse(filled, "B", "b")
    return p


def cells(p, colours):
    """A row of equal upright cells across the picture."""
    width = 14 // len(colours)
    x = 1 + (14 - width * len(colours)) // 2
    for c in colours:
        p.fill(x, 2, x + width - 1, 13, c)
        x += width
    p.frame(1, 1, 14, 14, "d")


def colour_mode_mono():
    p = Picture()
    # Four grey levels, one per cell.
    p.fill(1, 1, 7, 7, "w")
    p.fill(8, 1, 14, 7, "l")
    p.fill(1, 8, 7, 14, "g")
    p.fill(8, 8, 14, 14, "d")
    p.frame(1, 1, 14, 14, "k")
    return p


def colour_mode_rgb():
    p = Picture()
    cells(p, ["r", "G", "b"])
    return p


def colour_mode_rgbw():
    p = Picture()
    p.fill(1, 1, 14, 14, "w")
    cells(p, ["r", "G", "b", "w"])
    return p


def bar(p, x0, x1):
    p.frame(x0, 1, x1, 14, "d")
    p.fill(x0 + 1, 6, x1 - 1, 13, "G")


def colour_mode_bar():
    p = Picture()
    bar(p, 2, 6)
    p.frame(9, 1, 13, 14, "d")
    p.fill(10, 10, 12, 13, "G")
    return p


def colour_mode_dmx():
    p = Picture()
    p.fill(0, 3, 15, 12, "w")
    p.frame(0, 3, 15, 12, "d")
    p.digits(2, 6, "128", "k")
    return p


def colour_mode_bar_dmx():
    p = Picture()
    p.frame(0, 1, 15, 14, "d")
    p.fill(1, 8, 14, 13, "G")
    p.digits(2, 2, "255", "k")
    return p


def icons():
    yield "warning", warning()
    yield "shape_rect_filled", shape_rect(True)
    yield "shape_rect_draw", shape_rect(False)
    yield "shape_ellipse_filled", shape_ellipse(True)
    yield "shape_ellipse_draw", shape_ellipse(False)
    yield "color_mode_mono", colour_mode_mono()
    yield "color_mode_rgb", colour_mode_rgb()
    yield "color_mode_rgbw", colour_mode_rgbw()
    yield "color_mode_bar", colour_mode_bar()
    yield "color_mode_dmx", colour_mode_dmx()
    yield "color_mode_bar_dmx", colour_mode_bar_dmx()


def main():
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "images", "settings")
    os.makedirs(folder, exist_ok=True)
    for name, picture in icons():
        with open(os.path.join(folder, name + ".xpm"), "w", encoding="ascii") as f:
            f.write(picture.xpm(name + "_xpm"))


if __name__ == "__main__":
    main()
