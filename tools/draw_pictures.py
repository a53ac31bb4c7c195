#!/usr/bin/env python3
"""Draws the program's pictures: the icon (a dictionary book with a speech
bubble, at 32, 24 and 16 pixels, 32 bits per pixel) and the toolbar strip
(New, Open, Save, Print, Cut, Copy, Paste, Help; 16x16 each, 129x16, 24 bits).

Usage: draw_pictures.py OUTPUT_FOLDER   (writes Verbola.ico and Toolbar.bmp)
"""
import math
import os
import struct
import sys

# ---------------------------------------------------------------- the icon --
# Shapes in a unit square (x right, y down), painted in order; each pixel is
# supersampled so edges are smooth at every size.

def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if x < x0 or x > x1 or y < y0 or y > y1:
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside

def ellipse(cx, cy, rx, ry):
    return lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0

def polygon(points):
    def inside(x, y):
        result = False
        j = len(points) - 1
        for i in range(len(points)):
            xi, yi = points[i]
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result
    return inside

def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1

def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)

def outline(shape, width):
    """The band just inside a shape's edge."""
    probes = [(math.cos(a) * width, math.sin(a) * width)
              for a in [k * math.pi / 4 for k in range(8)]]
    return lambda x, y: shape(x, y) and not all(shape(x + dx, y + dy) for dx, dy in probes)

COVER = (33, 78, 156, 255)
COVER_DARK = (20, 48, 104, 255)
PAGES = (250, 246, 232, 255)
PAGE_LINES = (190, 180, 160, 255)
GOLD = (236, 190, 64, 255)
BUBBLE = (255, 255, 255, 255)
BUBBLE_EDGE = (222, 120, 20, 255)
BUBBLE_TEXT = (222, 120, 20, 255)

book_pages = rounded_rect(0.20, 0.22, 0.80, 0.94, 0.04)
book_cover = rounded_rect(0.14, 0.16, 0.74, 0.90, 0.06)
spine = rect(0.14, 0.18, 0.24, 0.88)
bubble_body = ellipse(0.68, 0.30, 0.30, 0.24)
bubble_tail = polygon([(0.52, 0.44), (0.60, 0.50), (0.44, 0.62)])
bubble = union(bubble_body, bubble_tail)

ICON_LAYERS = [
    (book_pages, PAGES),
    (lambda x, y: book_pages(x, y) and not book_cover(x, y) and int(y * 40) % 3 == 0, PAGE_LINES),
    (book_cover, COVER),
    (spine, COVER_DARK),
    (rect(0.32, 0.66, 0.64, 0.70), GOLD),
    (rect(0.32, 0.74, 0.56, 0.78), GOLD),
    (bubble, BUBBLE_EDGE),
    (lambda x, y: bubble(x, y) and not outline(bubble, 0.045)(x, y), BUBBLE),
    # "A" in the bubble: two legs and a bar.
    (polygon([(0.57, 0.44), (0.65, 0.14), (0.71, 0.14), (0.79, 0.44), (0.73, 0.44),
              (0.68, 0.22), (0.63, 0.44)]), BUBBLE_TEXT),
    (rect(0.62, 0.32, 0.74, 0.37), BUBBLE_TEXT),
]

def render_icon(size, samples=4):
    pixels = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(samples):
                for sx in range(samples):
                    x = (px + (sx + 0.5) / samples) / size
                    y = (py + (sy + 0.5) / samples) / size
                    color = None
                    for shape, c in ICON_LAYERS:
                        if shape(x, y):
                            color = c
                    if color:
                        a = color[3] / 255.0
                        acc[0] += color[0] * a
                        acc[1] += color[1] * a
                        acc[2] += color[2] * a
                        acc[3] += a
            n = samples * samples
            alpha = acc[3] / n
            if alpha > 0:
                row.append(tuple(int(round(acc[i] / acc[3])) for i in range(3)) + (int(round(alpha * 255)),))
            else:
                row.append((0, 0, 0, 0))
        pixels.append(row)
    return pixels

def icon_image(pixels):
    """One ICO image: BITMAPINFOHEADER (double height), BGRA rows bottom-up, AND mask."""
    size = len(pixels)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b''.join(bytes((p[2], p[1], p[0], p[3])) for row in reversed(pixels) for p in row)
    mask_row_bytes = ((size + 31) // 32) * 4
    mask = b''
    for row in reversed(pixels):
        bits = 0
        out = bytearray(mask_row_bytes)
        for x, p in enumerate(row):
            if p[3] == 0:
                out[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(out)
    return header + colour + mask

def write_icon(path, sizes=(32, 24, 16)):
    images = [icon_image(render_icon(s)) for s in sizes]
    data = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, img in zip(sizes, images):
        data += struct.pack('<BBBBHHII', s, s, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    data += b''.join(images)
    with open(path, 'wb') as f:
        f.write(data)

# ------------------------------------------------------- the toolbar strip --
# 16x16 glyphs drawn by hand; '.' is the window behind the flat toolbar.

PALETTE = {
    '.': (255, 255, 255),  # the window behind the flat toolbar
    '#': (0, 0, 0),
    'w': (255, 255, 255),
    'l': (128, 128, 128),  # grey lines, shadows
    'y': (255, 215, 64),   # folder
    'o': (204, 153, 0),    # folder, darker
    'k': (0, 0, 128),      # floppy body
    'g': (192, 192, 192),
    's': (160, 160, 164),  # metal
    'r': (200, 0, 0),
    'G': (0, 170, 0),
    'b': (0, 64, 192),
    'B': (128, 64, 0),     # clipboard board
}

GLYPHS = {
    'New': """
................
...########.....
...#wwwwww##....
...#wwwwww#w#...
...#wwwwww#ww#..
...#wwwwww####..
...#wwwwwwwww#..
...#wwwwwwwww#..
...#wwwwwwwww#..
...#wwwwwwwww#..
...#wwwwwwwww#..
...#wwwwwwwww#..
...#wwwwwwwww#..
...#wwwwwwwww#..
...###########..
................""",
    'Open': """
................
................
................
.####...........
#yyyy#..........
#yyyyy######....
#yyyyyyyyyyy#...
#yyy############
#yy#ooooooooooo#
#yy#oooooooooo#.
#y#oooooooooo#..
#y#ooooooooo#...
##ooooooooo#....
############....
................
................""",
    'Save': """
................
.##############.
.#k#wwwwwwww#k#.
.#k#wllllllw#k#.
.#k#wwwwwwww#k#.
.#k#wllllllw#k#.
.#k##########k#.
.#kkkkkkkkkkkk#.
.#kkkkkkkkkkkk#.
.#kk########kk#.
.#kk#ss#kss#kk#.
.#kk#ss#kss#kk#.
.#kk#ss#kss#kk#.
.##############.
................
................""",
    'Print': """
................
....#########...
....#wwwwwww#...
....#w#####w#...
....#wwwwwww#...
....#w####ww#...
..#############.
.#sssssssssssss#
.#ssssssssssGGs#
.#sssssssssssss#
.###############
.#ss#wwwwwww#ss#
.####w#####w####
....#wwwwwww#...
....#########...
................""",
    'Cut': """
................
....#.....#.....
....#.....#.....
....#.....#.....
....##...##.....
.....#...#......
.....##.##......
......#.#.......
.......#........
......#.#.......
...####.####....
..#rr#...#rr#...
..#r.#...#.r#...
..#rr#...#rr#...
...##.....##....
................""",
    'Copy': """
................
.######.........
.#wwww##........
.#wllw#w#.......
.#wwww####......
.#wllww#wwww#...
.#wwwww#wwww##..
.#wllll#wllw#w#.
.#wwwww#wwww####
.#wllll#wllllww#
.######wwwwwwww#
.......#wllllll#
.......#wwwwwww#
.......#wllllll#
.......#########
................""",
    'Paste': """
................
.....####.......
..###ssss###....
.#BB#ssss#BB#...
.#BB######BB#...
.#BBBBBBBBBB#...
.#BBBB#########.
.#BBBB#wwwwwww#.
.#BBBB#wllllww#.
.#BBBB#wwwwwww#.
.#BBBB#wllllll#.
.#BBBB#wwwwwww#.
.#BBBB#wlllllw#.
.######wwwwwww#.
......#########.
................""",
    'Help': """
................
.....######.....
...##bbbbbb##...
..#bbbwwwwbbb#..
..#bbwwbbwwbb#..
.#bbbwwbbwwbbb#.
.#bbbbbbbwwbbb#.
.#bbbbbbwwbbbb#.
.#bbbbbwwbbbbb#.
.#bbbbbwwbbbbb#.
..#bbbbbbbbbb#..
..#bbbbwwbbbb#..
...##bbwwbb##...
.....######.....
................
................""",
}
ORDER = ['New', 'Open', 'Save', 'Print', 'Cut', 'Copy', 'Paste', 'Help']
STRIP_WIDTH = 129  # eight 16-pixel images and one spare column

def write_toolbar(path):
    rows = [[PALETTE['.']] * STRIP_WIDTH for _ in range(16)]
    for index, name in enumerate(ORDER):
        glyph = GLYPHS[name].strip('\n').split('\n')
        assert len(glyph) == 16 and all(len(r) == 16 for r in glyph), name
        for y, line in enumerate(glyph):
            for x, ch in enumerate(line):
                rows[y][index * 16 + x] = PALETTE[ch]
    row_bytes = (STRIP_WIDTH * 3 + 3) // 4 * 4
    pixels = b''
    for row in reversed(rows):
        line = b''.join(bytes((b, g, r)) for r, g, b in row)
        pixels += line + b'\0' * (row_bytes - len(line))
    info = struct.pack('<IiiHHIIiiII', 40, STRIP_WIDTH, 16, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    with open(path, 'wb') as f:
        f.write(header + info + pixels)

def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    write_icon(os.path.join(out, 'Verbola.ico'))
    write_toolbar(os.path.join(out, 'Toolbar.bmp'))

if __name__ == '__main__':
    main()
