#!/usr/bin/env python3
"""Draws the application icon (a test sheet with a tick) as a 16-colour ICO
with 32x32 and 16x16 images. Run it to regenerate testanza.ico."""
import struct

# The standard 16-colour VGA palette, as (B, G, R, 0).
PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
           (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
           (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, NAVY, WHITE, GREY, GREEN, RED, SILVER = 0, 1, 15, 8, 10, 12, 7  # indices (B,G,R order)


def draw(n):
    s = n / 32.0
    px = [[None] * n for _ in range(n)]  # None = transparent

    def rect(x0, y0, x1, y1, c):
        for y in range(int(y0 * s), max(int(y1 * s), int(y0 * s) + 1)):
            for x in range(int(x0 * s), max(int(x1 * s), int(x0 * s) + 1)):
                if 0 <= x < n and 0 <= y < n:
                    px[y][x] = c

    rect(4, 1, 27, 31, BLACK)        # sheet outline
    rect(5, 2, 26, 30, WHITE)        # sheet
    rect(5, 2, 26, 8, NAVY)          # title bar of the sheet
    rect(8, 4, 23, 6, WHITE)
    for y in (11, 16, 21, 26):       # question lines
        rect(15, y, 24, y + 1, GREY)
        rect(8, y - 1, 12, y + 2, SILVER)
    # the tick over the first boxes
    for i in range(6):
        rect(7 + i, 15 + i, 9 + i, 17 + i, GREEN)
    for i in range(10):
        rect(12 + i, 20 - 2 * i, 14 + i, 22 - 2 * i, GREEN)
    return px


def dib(n):
    px = draw(n)
    header = struct.pack('<IiiHHIIiiII', 40, n, 2 * n, 1, 4, 0, 0, 0, 0, 16, 0)
    pal = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in
                   [(p[2], p[1], p[0]) for p in PALETTE])
    xor = b''
    row_bytes = ((n * 4 + 31) // 32) * 4
    for y in reversed(range(n)):
        row = bytearray(row_bytes)
        for x in range(n):
            c = px[y][x] or 0
            row[x // 2] |= c << (4 if x % 2 == 0 else 0)
        xor += bytes(row)
    and_bytes = ((n + 31) // 32) * 4
    mask = b''
    for y in reversed(range(n)):
        row = bytearray(and_bytes)
        for x in range(n):
            if px[y][x] is None:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(row)
    return header + pal + xor + mask


images = [dib(32), dib(16)]
out = struct.pack('<HHH', 0, 1, len(images))
offset = 6 + 16 * len(images)
for n, img in zip((32, 16), images):
    out += struct.pack('<BBBBHHII', n, n, 16, 0, 1, 4, len(img), offset)
    offset += len(img)
out += b''.join(images)
open('testanza.ico', 'wb').write(out)
