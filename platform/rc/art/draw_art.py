#!/usr/bin/env python3
"""Draws the kit's icons and bitmaps into this folder (run again after changing a drawing).

Icons are 32 by 32 pixels in the 16 standard colours; the remote controller picture is
180 by 430 pixels in 256 colours.
"""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

# The 16 standard colours, by name.
VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
       (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255), (255, 0, 255),
       (0, 255, 255), (255, 255, 255)]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER, GREY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(16)
CLEAR = -1


class Canvas:
    def __init__(self, width, height, fill=CLEAR):
        self.width, self.height = width, height
        self.pixels = [[fill] * width for _ in range(height)]

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def box(self, left, top, right, bottom, colour):
        for y in range(top, bottom):
            for x in range(left, right):
                self.set(x, y, colour)

    def frame(self, left, top, right, bottom, colour):
        for x in range(left, right):
            self.set(x, top, colour)
            self.set(x, bottom - 1, colour)
        for y in range(top, bottom):
            self.set(left, y, colour)
            self.set(right - 1, y, colour)

    def shape(self, inside, colour):
        for y in range(self.height):
            for x in range(self.width):
                if inside(x + 0.5, y + 0.5):
                    self.set(x, y, colour)

    def disc(self, cx, cy, r, colour):
        self.shape(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r, colour)

    def rounded(self, left, top, right, bottom, r, colour):
        def inside(x, y):
            if not (left <= x <= right and top <= y <= bottom):
                return False
            cx = min(max(x, left + r), right - r)
            cy = min(max(y, top + r), bottom - r)
            return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
        self.shape(inside, colour)

    def line(self, x0, y0, x1, y1, width, colour):
        def inside(x, y):
            dx, dy = x1 - x0, y1 - y0
            t = ((x - x0) * dx + (y - y0) * dy) / float(dx * dx + dy * dy)
            if t < 0 or t > 1:
                return False
            return (x0 + t * dx - x) ** 2 + (y0 + t * dy - y) ** 2 <= width * width / 4.0
        self.shape(inside, colour)

    def polygon(self, points, colour):
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
        self.shape(inside, colour)


def write_icon(canvas, name):
    """A one-image icon file: 4-bit colour bitmap and transparency mask, bottom row first."""
    w, h = canvas.width, canvas.height
    xor = bytearray()
    mask = bytearray()
    for y in reversed(range(h)):
        row = canvas.pixels[y]
        for x in range(0, w, 2):
            a, b = (max(row[x], 0), max(row[x + 1], 0))
            xor.append(a << 4 | b)
        bits = 0
        out = bytearray()
        for x in range(w):
            bits = bits << 1 | (1 if row[x] == CLEAR else 0)
            if x % 8 == 7:
                out.append(bits)
                bits = 0
        while len(out) % 4:
            out.append(0)
        mask += out
    header = struct.pack('<IiiHHIIiiII', 40, w, 2 * h, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in VGA)
    image = header + palette + bytes(xor) + bytes(mask)
    directory = struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', w, h, 16, 0, 1, 4, len(image), 6 + 16)
    with open(os.path.join(HERE, name), 'wb') as f:
        f.write(directory + image)


def write_bitmap(canvas, palette, name):
    """An 8-bit BMP file with a full 256-entry colour table."""
    w, h = canvas.width, canvas.height
    stride = (w + 3) & ~3
    data = bytearray()
    for y in reversed(range(h)):
        data += bytes(max(c, 0) for c in canvas.pixels[y]) + bytes(stride - w)
    table = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in palette)
    table += bytes(4 * (256 - len(palette)))
    header = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 8, 0, len(data), 3780, 3780, 256, 0)
    offset = 14 + len(header) + len(table)
    file_header = struct.pack('<2sIHHI', b'BM', offset + len(data), 0, 0, offset)
    with open(os.path.join(HERE, name), 'wb') as f:
        f.write(file_header + header + table + bytes(data))


def setup_icon():
    """Setup: a box with a yellow arrow going into it."""
    c = Canvas(32, 32)
    c.polygon([(4, 14), (16, 20), (28, 14), (28, 28), (16, 31), (4, 28)], OLIVE)
    c.polygon([(4, 14), (16, 20), (16, 31), (4, 28)], YELLOW)
    c.line(16, 20, 16, 31, 1, BLACK)
    c.polygon([(12, 1), (20, 1), (20, 10), (24, 10), (16, 18), (8, 10), (12, 10)], BLACK)
    c.polygon([(13, 2), (19, 2), (19, 11), (21.5, 11), (16, 16.5), (10.5, 11), (13, 11)], BLUE)
    return c


def install_icon():
    """Install: a floppy disk."""
    c = Canvas(32, 32)
    c.polygon([(3, 3), (26, 3), (29, 6), (29, 29), (3, 29)], NAVY)
    c.box(8, 3, 24, 12, SILVER)
    c.box(19, 4, 22, 11, NAVY)
    c.box(7, 17, 25, 29, WHITE)
    for y in (20, 23, 26):
        c.box(9, y, 23, y + 1, GREY)
    return c


def remote_icon(mode):
    """The remote controller; MODE 1 adds a mouse (mouse mode), MODE 2 a moving pointer."""
    c = Canvas(32, 32)
    c.rounded(9, 1, 23, 31, 3, BLACK)
    c.rounded(10, 2, 22, 30, 2, GREY)
    c.disc(16, 6, 2, RED)
    for row in range(4):
        for col in range(3):
            c.box(12 + 3 * col, 11 + 4 * row, 14 + 3 * col, 13 + 4 * row, WHITE if mode == 0 else SILVER)
    if mode == 1:
        c.rounded(19, 16, 30, 30, 4, BLACK)
        c.rounded(20, 17, 29, 29, 3, WHITE)
        c.line(24.5, 17, 24.5, 22, 1, BLACK)
        c.line(20, 22, 29, 22, 1, BLACK)
    if mode == 2:
        c.polygon([(19, 14), (19, 29), (23, 25), (26, 31), (28, 30), (25, 24), (30, 24)], BLACK)
        c.polygon([(20, 16.5), (20, 26.5), (23.2, 23.4), (26.3, 29.5), (26.8, 29.2), (23.8, 23), (27.5, 23)], WHITE)
    return c


def remote_picture():
    """The remote controller, 180 by 430 pixels."""
    palette = [(0, 0, 0), (255, 255, 255), (192, 192, 192), (64, 64, 72), (40, 40, 48), (200, 30, 30),
               (30, 140, 60), (230, 200, 40), (40, 90, 200), (150, 150, 160), (90, 90, 100), (0, 128, 128)]
    BACK, LIGHT, GREYISH, BODY, EDGE, RED_, GREEN_, YELLOW_, BLUE_, KEY, KEYSHADE, TEAL_ = range(12)
    c = Canvas(180, 430, GREYISH)
    c.rounded(20, 5, 160, 425, 26, EDGE)
    c.rounded(24, 9, 156, 421, 23, BODY)
    c.disc(90, 28, 4, RED_)          # the infrared window's lamp
    c.disc(48, 62, 11, RED_)         # power
    c.disc(132, 62, 11, GREEN_)      # mute
    for row in range(4):             # number keys
        for col in range(3):
            x, y = 40 + 38 * col, 95 + 34 * row
            c.rounded(x, y + 2, x + 28, y + 22, 6, KEYSHADE)
            c.rounded(x, y, x + 28, y + 20, 6, KEY)
    cx, cy = 90, 278                 # the direction pad
    c.disc(cx, cy, 44, KEYSHADE)
    c.disc(cx, cy, 42, KEY)
    c.disc(cx, cy, 16, YELLOW_)
    for dx, dy in ((0, -1), (0, 1), (-1, 0), (1, 0)):
        tip = (cx + dx * 38, cy + dy * 38)
        side = (-dy * 8, dx * 8)
        base = (cx + dx * 26, cy + dy * 26)
        c.polygon([tip, (base[0] + side[0], base[1] + side[1]), (base[0] - side[0], base[1] - side[1])], BODY)
    for col, colour in enumerate((RED_, GREEN_, YELLOW_, BLUE_)):  # play, stop, pause, eject
        x = 38 + 28 * col
        c.rounded(x, 342, x + 22, 358, 5, colour)
    c.rounded(40, 375, 140, 395, 8, KEY)
    c.box(50, 403, 130, 407, TEAL_)
    return c, palette


if __name__ == '__main__':
    write_icon(setup_icon(), 'setup.ico')
    write_icon(install_icon(), 'install.ico')
    write_icon(remote_icon(0), 'rcv707.ico')
    write_icon(remote_icon(1), 'rcv7071.ico')
    write_icon(remote_icon(2), 'rcv70711.ico')
    picture, colours = remote_picture()
    write_bitmap(picture, colours, 'remocon.bmp')
