#!/usr/bin/env python3
"""The desktop icons drawn over the test page (solid #ff00ff) in a screenshot:
desktop-icons.py SHOT TOP [ALONE]
Prints "X Y WIDTH HEIGHT SAME" per icon, top to bottom: its box (the pixels
below the top bar, TOP pixels high, and apart from the page's marker, that are
not the page's colour, joined when less than 16 pixels apart) and SAME, the per
cent of those pixels that ALONE (the shell before the page) shows alike."""
import subprocess
import sys

CELL = 16  # icons closer than this are one (an icon and its label)
MARKER = 64


def load(path):
    ppm = subprocess.run(["convert", path, "-alpha", "off", "-depth", "8", "ppm:-"],
                         check=True, capture_output=True).stdout
    magic, size, _, pixels = ppm.split(b"\n", 3)
    assert magic == b"P6"
    width, height = map(int, size.split())
    return width, height, pixels


def near(a, b):
    return all(abs(x - y) <= 24 for x, y in zip(a, b))


def main():
    width, height, shot = load(sys.argv[1])
    top = int(sys.argv[2])
    alone = load(sys.argv[3])[2] if len(sys.argv) > 3 else None
    page = (0xff, 0x00, 0xff)
    ink = {}
    for y in range(top, height):
        for x in range(width):
            if x >= width - MARKER and y >= height - MARKER:
                continue
            i = (y * width + x) * 3
            if not near(shot[i:i + 3], page):
                ink[(x, y)] = i
    cells = {}
    for (x, y) in ink:
        cells.setdefault((x // CELL, y // CELL), []).append((x, y))
    seen = set()
    icons = []
    for start in cells:
        if start in seen:
            continue
        seen.add(start)
        todo, points = [start], []
        while todo:
            cx, cy = todo.pop()
            points += cells[(cx, cy)]
            for n in ((cx + dx, cy + dy) for dx in (-1, 0, 1) for dy in (-1, 0, 1)):
                if n in cells and n not in seen:
                    seen.add(n)
                    todo.append(n)
        xs, ys = [p[0] for p in points], [p[1] for p in points]
        same = "-"
        if alone is not None:
            alike = sum(near(shot[ink[p]:ink[p] + 3], alone[ink[p]:ink[p] + 3]) for p in points)
            same = str(100 * alike // len(points))
        icons.append((min(ys), min(xs), max(xs) - min(xs) + 1, max(ys) - min(ys) + 1, same))
    for y, x, w, h, same in sorted(icons):
        print(x, y, w, h, same)


main()
