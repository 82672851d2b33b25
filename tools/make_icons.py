#!/usr/bin/env python3
"""Draws kvexfilt's icons and cursor and writes them as .ico/.cur files.

  make_icons.py OUTDIR [--png]

kvexfilt101.ico  four coloured boxes wired to three filled containers
kvexfilt102.ico  one container wired through a plug to another
kvexhand101.cur  pointing hand, black and white

Each icon holds a 32x32 image in 256 colours and one in 16 colours; the
16-colour one is the same drawing mapped to the standard VGA palette.
--png also writes enlarged previews, to look at the art without Windows.
"""
import os
import struct
import sys
import zlib

SIZE = 32

BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
WIRE = (64, 64, 64)

# The 16 colours every display driver has.
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


class Canvas:
    """32x32 pixels, each an (r, g, b) or None for transparent."""

    def __init__(self):
        self.px = [[None] * SIZE for _ in range(SIZE)]

    def set(self, x, y, colour):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            self.px[y][x] = colour

    def rect(self, x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        for x in range(x0, x1 + 1):
            self.set(x, y0, colour)
            self.set(x, y1, colour)
        for y in range(y0, y1 + 1):
            self.set(x0, y, colour)
            self.set(x1, y, colour)

    def line(self, x0, y0, x1, y1, colour):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.set(x0, y0, colour)
            if (x0, y0) == (x1, y1):
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy


def shade(colour, factor):
    return tuple(max(0, min(255, int(c * factor))) for c in colour)


def coloured_box(c, x, y, colour):
    """A small square with a black rim and a lighter top-left edge."""
    c.rect(x, y, x + 5, y + 5, colour)
    c.line(x + 1, y + 1, x + 4, y + 1, shade(colour, 1.4))
    c.line(x + 1, y + 1, x + 1, y + 4, shade(colour, 1.4))
    c.frame(x, y, x + 5, y + 5, BLACK)


def container(c, x0, y0, x1, y1, liquid, level):
    """An upright jar, filled from the bottom up to `level` of its height."""
    glass = (224, 224, 224)
    c.rect(x0, y0, x1, y1, glass)
    top = y1 - int((y1 - y0 - 1) * level)
    width = x1 - x0
    for x in range(x0 + 1, x1):
        # Lighter on the left, darker on the right: a round body.
        factor = 1.3 - 0.6 * (x - x0) / max(1, width)
        c.line(x, top, x, y1 - 1, shade(liquid, factor))
    c.frame(x0, y0, x1, y1, BLACK)
    c.line(x0 + 1, y0 + 1, x1 - 1, y0 + 1, (160, 160, 160))  # the rim's inner edge


def plug(c, x, y):
    """A plug body facing right, two prongs on its face."""
    body = (96, 96, 96)
    c.rect(x, y, x + 5, y + 7, body)
    c.frame(x, y, x + 5, y + 7, BLACK)
    c.line(x + 1, y + 1, x + 1, y + 6, (160, 160, 160))
    for prong_y in (y + 2, y + 5):
        c.line(x + 6, prong_y, x + 8, prong_y, (200, 170, 40))


def draw_icon_101():
    c = Canvas()
    boxes = [((2, 1), (220, 0, 0)), ((2, 9), (0, 176, 0)), ((2, 17), (0, 64, 224)), ((2, 25), (240, 208, 0))]
    jars = [((21, 1, 30, 9), (0, 160, 200)), ((21, 12, 30, 20), (200, 80, 0)), ((21, 23, 30, 31), (128, 0, 160))]
    # Which box feeds which container.
    wires = [(0, 0), (1, 0), (1, 1), (2, 1), (2, 2), (3, 2)]
    for box, jar in wires:
        (bx, by), _ = boxes[box]
        (jx0, jy0, _, jy1), _ = jars[jar]
        c.line(bx + 6, by + 2 + (box % 2), jx0 - 1, (jy0 + jy1) // 2 + (box - jar), WIRE)
    for (x, y), colour in boxes:
        coloured_box(c, x, y, colour)
    for (x0, y0, x1, y1), liquid in jars:
        container(c, x0, y0, x1, y1, liquid, 0.6)
    return c


def draw_icon_102():
    c = Canvas()
    container(c, 1, 8, 10, 27, (0, 128, 224), 0.7)
    container(c, 22, 8, 31, 27, (0, 176, 64), 0.4)
    c.rect(11, 17, 12, 18, WIRE)  # cable from the left jar into the plug
    plug(c, 13, 14)  # its prongs reach into the right jar
    return c


# X outline, . inside or outside: the outside is what the border reaches.
HAND = """
.....XX.............
....X..X............
....X..X............
....X..X............
....X..X............
....X..XXX..........
....X..X..XXX.......
....X..X..X..XX.....
.XX.X..X..X..X.XX...
X..XX........X..X...
X...X...........X...
.X..............X...
..X.............X...
..X............X....
...X...........X....
...X..........X.....
....X.........X.....
....X.........X.....
....XXXXXXXXXXX.....
"""
HAND_ORIGIN = (8, 4)  # where the art's top-left sits in the 32x32 cursor
HAND_HOTSPOT = (HAND_ORIGIN[0] + 6, HAND_ORIGIN[1] + 0)  # the fingertip


def draw_hand():
    rows = [r for r in HAND.strip().splitlines()]
    art = [[None] * SIZE for _ in range(SIZE)]
    ox, oy = HAND_ORIGIN
    for y, row in enumerate(rows):
        for x, ch in enumerate(row):
            art[oy + y][ox + x] = ch
    outside = set()
    stack = [(x, y) for x in range(SIZE) for y in (0, SIZE - 1)] + [(x, y) for y in range(SIZE) for x in (0, SIZE - 1)]
    while stack:
        x, y = stack.pop()
        if not (0 <= x < SIZE and 0 <= y < SIZE) or (x, y) in outside or art[y][x] == "X":
            continue
        outside.add((x, y))
        stack.extend([(x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)])
    c = Canvas()
    for y in range(SIZE):
        for x in range(SIZE):
            if art[y][x] == "X":
                c.set(x, y, BLACK)
            elif (x, y) not in outside:
                c.set(x, y, WHITE)
    return c


def nearest(colour, palette):
    return min(range(len(palette)), key=lambda i: sum((a - b) ** 2 for a, b in zip(colour, palette[i])))


def dib(canvas, bits, palette):
    """BITMAPINFOHEADER, palette, colour bits and mask of one icon image."""
    index = {colour: nearest(colour, palette) for row in canvas.px for colour in row if colour is not None}
    row_bytes = ((SIZE * bits + 31) // 32) * 4
    mask_row_bytes = ((SIZE + 31) // 32) * 4
    colour_data = bytearray()
    mask_data = bytearray()
    for y in reversed(range(SIZE)):  # DIBs are stored bottom-up
        values = [0 if p is None else index[p] for p in canvas.px[y]]
        row = bytearray(row_bytes)
        mask = bytearray(mask_row_bytes)
        for x, v in enumerate(values):
            bit = x * bits
            row[bit // 8] |= v << (8 - bits - bit % 8)
            if canvas.px[y][x] is None:
                mask[x // 8] |= 0x80 >> (x % 8)
        colour_data += row
        mask_data += mask
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, bits, 0,
                         len(colour_data) + len(mask_data), 0, 0, len(palette), 0)
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    return header + pal + bytes(colour_data) + bytes(mask_data)


def palette_256(canvas):
    """The drawing's own colours, after the VGA ones, padded to 256."""
    used = sorted({p for row in canvas.px for p in row if p is not None} - set(VGA16))
    palette = VGA16 + used
    if len(palette) > 256:
        raise SystemExit("make_icons: more than 256 colours in one drawing")
    return palette + [BLACK] * (256 - len(palette))


def container_file(kind, images):
    """ICO (kind 1) or CUR (kind 2): images are (dib bytes, colours, x, y)."""
    out = struct.pack("<HHH", 0, kind, len(images))
    offset = 6 + 16 * len(images)
    body = b""
    for data, colours, field1, field2 in images:
        out += struct.pack("<BBBBHHII", SIZE, SIZE, colours if colours < 256 else 0, 0,
                           field1, field2, len(data), offset + len(body))
        body += data
    return out + body


def icon_file(canvas):
    return container_file(1, [
        (dib(canvas, 8, palette_256(canvas)), 256, 1, 8),
        (dib(canvas, 4, VGA16), 16, 1, 4),
    ])


def cursor_file(canvas, hotspot):
    return container_file(2, [(dib(canvas, 1, [BLACK, WHITE]), 2, hotspot[0], hotspot[1])])


def png_preview(canvas, scale=8):
    raw = b""
    for y in range(SIZE * scale):
        raw += b"\0"
        for x in range(SIZE * scale):
            p = canvas.px[y // scale][x // scale]
            if p is None:  # a checkerboard shows the transparent part
                p = (200, 200, 200) if ((x // scale + y // scale) % 2) else (240, 240, 240)
            raw += bytes(p)

    def chunk(tag, data):
        return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF)

    ihdr = struct.pack(">IIBBBBB", SIZE * scale, SIZE * scale, 8, 2, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b"")


def main(argv):
    if len(argv) < 2:
        raise SystemExit(__doc__)
    outdir = argv[1]
    os.makedirs(outdir, exist_ok=True)
    drawings = {
        "kvexfilt101.ico": (draw_icon_101(), icon_file),
        "kvexfilt102.ico": (draw_icon_102(), icon_file),
        "kvexhand101.cur": (draw_hand(), lambda c: cursor_file(c, HAND_HOTSPOT)),
    }
    for name, (canvas, encode) in drawings.items():
        with open(os.path.join(outdir, name), "wb") as f:
            f.write(encode(canvas))
        if "--png" in argv[2:]:
            with open(os.path.join(outdir, name + ".png"), "wb") as f:
                f.write(png_preview(canvas))


if __name__ == "__main__":
    main(sys.argv)
