#!/usr/bin/env python3
"""Draws tavo.png, the module picture of the constants window: a rolled I-section with its
dimension lines on a light background. Run by hand after a change; the PNG is committed.
Only the standard library is used (zlib for the PNG stream)."""
import struct
import sys
import zlib

W, H = 240, 180
BG = (236, 240, 246)
STEEL = (70, 90, 120)
EDGE = (20, 30, 50)
DIM = (200, 0, 0)

px = [[BG for _ in range(W)] for _ in range(H)]


def rect(x0, y0, x1, y1, c):
    for y in range(max(0, y0), min(H, y1)):
        for x in range(max(0, x0), min(W, x1)):
            px[y][x] = c


def hline(x0, x1, y, c):
    rect(min(x0, x1), y, max(x0, x1) + 1, y + 1, c)


def vline(x, y0, y1, c):
    rect(x, min(y0, y1), x + 1, max(y0, y1) + 1, c)


def arrow_h(x, y, direction, c):
    for i in range(6):
        vline(x + direction * i, y - i // 2, y + i // 2, c)


def arrow_v(x, y, direction, c):
    for i in range(6):
        hline(x - i // 2, x + i // 2, y + direction * i, c)


# The section: flanges 110 x 14, web 12 x 102, centred.
cx, top, bottom = 110, 30, 150
flange_w, tf, tw = 110, 14, 12
for (x0, y0, x1, y1) in [(cx - flange_w // 2, top, cx + flange_w // 2, top + tf),
                         (cx - flange_w // 2, bottom - tf, cx + flange_w // 2, bottom),
                         (cx - tw // 2, top + tf, cx + tw // 2, bottom - tf)]:
    rect(x0, y0, x1, y1, STEEL)
    hline(x0, x1 - 1, y0, EDGE)
    hline(x0, x1 - 1, y1 - 1, EDGE)
    vline(x0, y0, y1 - 1, EDGE)
    vline(x1 - 1, y0, y1 - 1, EDGE)

# Height dimension on the right, width dimension below.
dx = cx + flange_w // 2 + 20
vline(dx, top, bottom - 1, DIM)
hline(cx + flange_w // 2 + 4, dx + 4, top, DIM)
hline(cx + flange_w // 2 + 4, dx + 4, bottom - 1, DIM)
arrow_v(dx, top + 1, 1, DIM)
arrow_v(dx, bottom - 2, -1, DIM)
dy = bottom + 14
hline(cx - flange_w // 2, cx + flange_w // 2 - 1, dy, DIM)
vline(cx - flange_w // 2, bottom + 4, dy + 4, DIM)
vline(cx + flange_w // 2 - 1, bottom + 4, dy + 4, DIM)
arrow_h(cx - flange_w // 2 + 1, dy, 1, DIM)
arrow_h(cx + flange_w // 2 - 2, dy, -1, DIM)


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


raw = b"".join(b"\x00" + bytes(v for p in row for v in p) for row in px)
png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", W, H, 8, 2, 0, 0, 0)) +
       chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))
with open(sys.argv[1] if len(sys.argv) > 1 else "tavo.png", "wb") as f:
    f.write(png)
