#!/usr/bin/env python3
"""Draws the program's main icon (a navy tile with a pie gauge) and writes resources/wolumetr.ico.

Run it again after changing the drawing; the .ico it writes is committed."""
import math
import struct
import sys
import zlib
from pathlib import Path

NAVY = (0, 0, 128)
BLUE = (0, 0, 255)
YELLOW = (255, 255, 0)
EDGE = (96, 112, 200)
SUPER = 4  # supersampling per axis, for smooth edges


def sample(x, y, size):
    """Colour and coverage of one sub-pixel point (x, y in pixels, 0..size)."""
    c = size / 2.0
    r_tile = size / 2.0
    # rounded square tile
    corner = size * 0.18
    dx = max(abs(x - c) - (r_tile - corner), 0.0)
    dy = max(abs(y - c) - (r_tile - corner), 0.0)
    if math.hypot(dx, dy) > corner:
        return None
    edge = math.hypot(dx, dy) > corner - max(1.0, size / 24) or \
        abs(x - c) > r_tile - max(1.0, size / 24) or abs(y - c) > r_tile - max(1.0, size / 24)
    r_pie = size * 0.36
    d = math.hypot(x - c, y - c)
    ring = max(1.0, size / 20)
    if d <= r_pie:
        if d >= r_pie - ring:
            return YELLOW
        # used share: 270 degrees counterclockwise from 3 o'clock, leaving the upper-right quarter
        ang = math.degrees(math.atan2(c - y, x - c)) % 360
        if 90 <= ang <= 360:
            return BLUE
        return NAVY
    return EDGE if edge else NAVY


def render(size):
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0]
            hits = 0
            for sy in range(SUPER):
                for sx in range(SUPER):
                    col = sample(px + (sx + 0.5) / SUPER, py + (sy + 0.5) / SUPER, size)
                    if col is not None:
                        hits += 1
                        for i in range(3):
                            acc[i] += col[i]
            if hits:
                row.append(tuple(round(a / hits) for a in acc) + (round(255 * hits / SUPER ** 2),))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def dib(size, pixels):
    """32-bit BGRA DIB as an icon image: header, bottom-up pixels, AND mask."""
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    body = bytearray()
    for row in reversed(pixels):
        for r, g, b, a in row:
            body += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(pixels):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + bytes(body) + bytes(mask)


def png(size, pixels):
    """RGBA PNG as an icon image: how large images are kept in an .ico (a 256 px DIB is 260 KiB)."""
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
    raw = b''.join(b'\0' + bytes(c for pixel in row for c in pixel) for row in pixels)
    header = struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0)
    return b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) + chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b'')


# 16, 24, 32, 48 and 64 at 100 %; 20, 40 the small and large icon at 125 % and 250 %; 256 for large views.
SIZES = (16, 20, 24, 32, 40, 48, 64, 256)
PNG_FROM = 256


def main():
    sizes = SIZES
    images = [(png if s >= PNG_FROM else dib)(s, render(s)) for s in sizes]
    out = bytearray(struct.pack('<HHH', 0, 1, len(sizes)))
    offset = 6 + 16 * len(sizes)
    for s, img in zip(sizes, images):
        # A width or height of 256 is written as 0.
        out += struct.pack('<BBBBHHII', s % 256, s % 256, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    for img in images:
        out += img
    target = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / 'resources' / 'wolumetr.ico'
    target.write_bytes(bytes(out))


if __name__ == '__main__':
    main()
