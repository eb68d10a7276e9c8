#!/usr/bin/env python3
"""Draws resources/kivo.ico: a 32x32 and a 16x16 image, 16 colours each.

32x32: a catalogue page with lines of text and a red badge with an exclamation mark.
16x16: a yellow warning triangle, readable at menu size.
Run by hand when the pictures change; the build uses the committed .ico.
"""
import struct
import sys

PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
           (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
           (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
T = None  # transparent
BLACK, NAVY, SILVER, GRAY, RED, YELLOW, WHITE, OLIVE = 0, 4, 7, 8, 9, 11, 15, 3


def page32():
    px = [[T] * 32 for _ in range(32)]
    for y in range(2, 30):
        for x in range(5, 25):
            px[y][x] = WHITE
    for y in range(2, 30):  # border
        px[y][5] = GRAY
        px[y][24] = GRAY
    for x in range(5, 25):
        px[2][x] = GRAY
        px[29][x] = GRAY
    for i in range(6):  # folded corner: cut diagonal, grey fold below it
        for x in range(19 + i + 1, 25):
            px[2 + i][x] = T
        px[2 + i][19 + i] = GRAY
        px[2 + i][19] = GRAY
        for x in range(20, 19 + i):
            px[2 + i][x] = SILVER
    for x in range(19, 25):
        px[7][x] = GRAY
    for row, length in ((10, 14), (13, 12), (16, 14), (19, 9), (22, 11)):
        for x in range(8, 8 + length):
            px[row][x] = NAVY
    cx, cy, r = 23, 23, 7.5  # badge
    for y in range(32):
        for x in range(32):
            d = ((x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2) ** 0.5
            if d <= r:
                px[y][x] = RED if d < r - 1 else BLACK
    for y in range(18, 26):
        px[y][22] = WHITE
        px[y][23] = WHITE
    for y in range(27, 29):
        px[y][22] = WHITE
        px[y][23] = WHITE
    return px


def triangle16():
    px = [[T] * 16 for _ in range(16)]
    for y in range(1, 15):
        half = (y - 1) / 2.0 + 0.5
        for x in range(16):
            d = abs(x + 0.5 - 8)
            if d <= half:
                px[y][x] = YELLOW if d <= half - 1 and y < 14 else BLACK
    for y in range(5, 10):
        px[y][7] = BLACK
        px[y][8] = BLACK
    for y in range(11, 13):
        px[y][7] = BLACK
        px[y][8] = BLACK
    return px


def image(px):
    n = len(px)
    header = struct.pack('<IiiHHIIiiII', 40, n, 2 * n, 1, 4, 0, 0, 0, 0, 16, 0)
    pal = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
    xor = b''
    mask = b''
    for row in reversed(px):
        nib = [(c if c is not None else 0) for c in row]
        data = bytes((nib[i] << 4) | nib[i + 1] for i in range(0, n, 2))
        xor += data + b'\0' * ((4 - len(data) % 4) % 4)
        bits = 0
        mrow = b''
        for i, c in enumerate(row):
            bits = (bits << 1) | (1 if c is None else 0)
            if i % 8 == 7:
                mrow += bytes([bits])
                bits = 0
        mask += mrow + b'\0' * ((4 - len(mrow) % 4) % 4)
    return header + pal + xor + mask


def main(path):
    images = [(32, image(page32())), (16, image(triangle16()))]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    out += b''.join(data for _, data in images)
    with open(path, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'resources/kivo.ico')
