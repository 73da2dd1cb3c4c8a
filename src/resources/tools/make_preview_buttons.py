#!/usr/bin/env python3
"""Draws the 25 preview toolbar buttons (16 x 16 each) and writes them as the
compressed image container compiled into the program.

    make_preview_buttons.py [--cpp OUT.cpp] [--png PREVIEW.png] [--scale N]

--cpp writes the C++ source holding the container bytes (default:
src/resources/preview_buttons_data.cpp next to this tool); --png additionally writes
an enlarged preview on a checkerboard so the drawings can be judged by eye.

The strip is a 24-bit bottom-up bitmap of 400 x 16 pixels. Every cell keeps its
bottom-left pixel in the key colour: the image list takes that pixel as the
transparent colour of the cell. The container is one gzip member named "1" whose
MTIME field holds the Adler-32 of the bitmap, big-endian, so the reader can turn the
deflate body into a zlib stream without computing a checksum of its own.
"""
import argparse
import os
import struct
import sys
import zlib

SIZE = 16
KEY = (255, 0, 255)

PALETTE = {
    '.': None,              # transparent
    'K': (38, 50, 62),      # outline
    'W': (255, 255, 255),   # paper
    'l': (227, 232, 238),   # light grey
    'g': (170, 180, 190),   # grey: text lines, metal
    'd': (102, 114, 126),   # dark grey
    'B': (46, 107, 209),    # blue
    'b': (156, 194, 242),   # light blue
    'N': (27, 63, 122),     # navy
    'Y': (242, 193, 78),    # folder yellow
    'y': (251, 227, 160),   # light yellow
    'O': (201, 139, 28),    # ochre
    'G': (46, 148, 68),     # green
    'q': (158, 216, 166),   # light green
    'R': (214, 60, 48),     # red
    'r': (243, 161, 154),   # light red
    'p': (240, 170, 190),   # eraser pink
}


def blank():
    return [['.'] * SIZE for _ in range(SIZE)]


def sprite(cell, art, x0=0, y0=0):
    """Overlays an ASCII drawing; '.' leaves the pixel below unchanged."""
    rows = [r for r in art.strip('\n').split('\n')]
    for dy, row in enumerate(rows):
        for dx, ch in enumerate(row.strip('|')):
            if ch == '.':
                continue
            x, y = x0 + dx, y0 + dy
            if 0 <= x < SIZE and 0 <= y < SIZE:
                cell[y][x] = ch
    return cell


def fill(cell, x0, y0, x1, y1, ch):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            cell[y][x] = ch


def box(cell, x0, y0, x1, y1, inside='W', edge='K'):
    fill(cell, x0, y0, x1, y1, edge)
    if x1 - x0 >= 2 and y1 - y0 >= 2:
        fill(cell, x0 + 1, y0 + 1, x1 - 1, y1 - 1, inside)


def page(cell, x0, y0, w=11, h=14, lines=True, fold=3):
    """A sheet with a folded top-right corner and, optionally, lines of text."""
    x1, y1 = x0 + w - 1, y0 + h - 1
    box(cell, x0, y0, x1, y1)
    # cut the corner and draw the fold
    for i in range(fold):
        for x in range(x1 - fold + 1 + i, x1 + 1):
            cell[y0 + i][x] = '.'
    for i in range(fold + 1):
        cell[y0 + i][x1 - fold + i] = 'K'
    for i in range(fold):
        cell[y0 + fold][x1 - fold + i] = 'K'
        cell[y0 + i][x1 - fold] = 'K'
    for i in range(1, fold):
        for j in range(i):
            cell[y0 + i][x1 - fold + 1 + j] = 'l'
    if lines:
        for y in range(y0 + 4, y1 - 1, 2):
            right = x1 - 2 if y > y0 + fold + 1 else x1 - fold - 1
            for x in range(x0 + 2, right + 1):
                cell[y][x] = 'g'
    return cell


def triangle(cell, tip_x, cy, half, direction):
    """A solid arrowhead pointing left (-1) or right (+1), outlined, lit from above."""
    for dy in range(-half, half + 1):
        depth = half - abs(dy)  # pixels from the base toward the tip
        base_x = tip_x - direction * half
        xs = [base_x + direction * i for i in range(depth + 1)]
        for i, x in enumerate(xs):
            edge = i == depth or abs(dy) == half or i == 0
            cell[cy + dy][x] = 'K' if edge else ('b' if dy < 0 else 'B')


def bar(cell, x0, x1, y0, y1):
    box(cell, x0, y0, x1, y1, inside='B')


# --- the buttons, by image index ---------------------------------------------------

def open_file():
    return sprite(blank(), """
................
................
.KKKK...........
KyyyyK..........
KYYYYKKKKKKK....
KYYYYYYYYYYK....
KYYYYYYYYYYK....
KYYYKKKKKKKKKKKK
KYYKyyyyyyyyyyyK
KYYKyyyyyyyyyyK.
KYKyyyyyyyyyyyK.
KYKYYYYYYYYYYK..
KKYYYYYYYYYYYK..
KKKKKKKKKKKKK...
................
................
""")


def save():
    return sprite(blank(), """
................
.KKKKKKKKKKKKKK.
.KBKWWWWWWWWKBK.
.KBKWggggggWKBK.
.KBKWWWWWWWWKBK.
.KBKWggggggWKBK.
.KBKWWWWWWWWKBK.
.KBKKKKKKKKKKBK.
.KBBBBBBBBBBBBK.
.KBBKKKKKKKKBBK.
.KBBKllNNlllKBK.
.KBBKllNNlllKBK.
.KBBKllNNlllKBK.
.KNBKllllllKBBK.
.KKKKKKKKKKKKKK.
................
""")


def print_():
    return sprite(blank(), """
................
....KKKKKKKK....
....KWWWWWWK....
....KWggggWK....
....KWWWWWWK....
..KKKKKKKKKKKK..
.KllllllllllllK.
.KllllllllllGlK.
.KggggggggggggK.
.KggKKKKKKKKggK.
.KddKWWWWWWKddK.
.KKKKWggggWKKKK.
....KWWWWWWK....
....KWggggWK....
....KKKKKKKK....
................
""")


ARROW_RIGHT = """
....K....
....KK...
KKKKKqK..
KqqqqqqK.
KGGGGGGGK
KGGGGGGK.
KKKKKGK..
....KK...
....K....
"""


def export():
    cell = page(blank(), 0, 1)
    return sprite(cell, ARROW_RIGHT, 7, 6)


SMALL_GLASS = """
..KKKK...
.KbbbbK..
KbWbbbbK.
KbWbbbbK.
KbbbbbbK.
KbbbbbbK.
.KbbbbKK.
..KKKKdK.
......KdK
.......KK
"""


def find():
    cell = page(blank(), 0, 0, h=15)
    return sprite(cell, SMALL_GLASS, 6, 5)


def thumbnails():
    cell = blank()
    box(cell, 1, 1, 6, 7)
    box(cell, 9, 1, 14, 7, inside='b')
    box(cell, 1, 8, 6, 14)
    box(cell, 9, 8, 14, 14)
    for (x, y) in ((2, 3), (2, 5), (2, 10), (2, 12), (10, 10), (10, 12)):
        fill(cell, x + 1, y, x + 2, y, 'g')
    fill(cell, 11, 3, 12, 3, 'B')
    fill(cell, 11, 5, 12, 5, 'B')
    return cell


CORNERS = """
BBB..........BBB
B..............B
B..............B
................
................
................
................
................
................
................
................
................
................
B..............B
B..............B
BBB..........BBB
"""


def whole_page():
    cell = page(blank(), 3, 1, w=10, h=14, fold=2)
    cell = sprite(cell, CORNERS)
    cell[15][0] = '.'
    cell[14][0] = '.'
    cell[13][0] = '.'
    return cell


def page_setup():
    cell = page(blank(), 1, 0, w=14, h=15, lines=False)
    for x in range(3, 12, 2):
        if x < 11:
            cell[2][x] = 'B'
        cell[12][x] = 'B'
    for y in range(2, 13, 2):
        cell[y][3] = 'B'
        if y > 4:  # keep clear of the folded corner
            cell[y][11] = 'B'
    fill(cell, 5, 5, 9, 5, 'g')
    fill(cell, 5, 7, 9, 7, 'g')
    fill(cell, 5, 9, 8, 9, 'g')
    return cell


def first():
    cell = blank()
    bar(cell, 2, 4, 2, 13)
    triangle(cell, 6, 7, 5, -1)
    return cell


def prior():
    cell = blank()
    triangle(cell, 4, 7, 5, -1)
    return cell


def next_():
    cell = blank()
    triangle(cell, 11, 7, 5, +1)
    return cell


def last():
    cell = blank()
    triangle(cell, 9, 7, 5, +1)
    bar(cell, 11, 13, 2, 13)
    return cell


def outline():
    return sprite(blank(), """
................
.KKKK...........
.KBBK.NNNNNNNN..
.KBBK...........
.KKKK...........
..g.............
..g.KKK.........
..ggKbK.ggggggg.
..g.KKK.........
..g.............
..g.KKK.........
..ggKbK.ggggggg.
....KKK.........
......g.........
......g.KKK.....
......ggKbK.ggg.
""")


def toggle(plus):
    cell = blank()
    box(cell, 2, 2, 13, 13)
    fill(cell, 3, 12, 12, 12, 'l')
    fill(cell, 12, 3, 12, 12, 'l')
    fill(cell, 5, 7, 10, 8, 'N')
    if plus:
        fill(cell, 7, 5, 8, 10, 'N')
    return cell


GLASS = """
...KKKK.........
.KKbbbbKK.......
.KbWWbbbK.......
KbWbbbbbbK......
KbWbbbbbbK......
KbbbbbbbbK......
KbbbbbbbbK......
.KbbbbbbK.......
.KKbbbbKKK......
...KKKKKddK.....
........KddK....
.........KddK...
..........KddK..
...........KddK.
............KKK.
................
"""


def zoom(plus):
    cell = sprite(blank(), GLASS)
    fill(cell, 2, 4, 7, 5, 'N')
    if plus:
        fill(cell, 4, 2, 5, 7, 'N')
    return cell


def page_width():
    cell = page(blank(), 2, 0, w=12, h=15, lines=False)
    return sprite(cell, """
...K......K...
..KB......BK..
.KBKKKKKKKKBK.
KBBBBBBBBBBBBK
.KBKKKKKKKKBK.
..KB......BK..
...K......K...
""", 1, 4)


def actual_size():
    cell = page(blank(), 2, 0, w=12, h=15, lines=False)
    return sprite(cell, """
.NN...NN.
NNN...NNN
.NN.N.NN.
.NN...NN.
.NN.N.NN.
.NN...NN.
NNNN.NNNN
""", 4, 5)


def two_pages():
    cell = blank()
    page(cell, 0, 2, w=8, h=12, lines=False, fold=2)
    page(cell, 8, 2, w=8, h=12, lines=False, fold=2)
    for x0 in (0, 8):
        for y in (6, 8, 10):
            fill(cell, x0 + 2, y, x0 + 5, y, 'g')
    cell[15][0] = '.'
    return cell


def close():
    return sprite(blank(), """
................
.....KKKKKK.....
...KKRRRRRRKK...
..KRrrrRRRRRRK..
.KRrWWRRRRWWRRK.
.KRrRWWRRWWRRRK.
.KRRRRWWWWRRRRK.
.KRRRRRWWRRRRRK.
.KRRRRRWWRRRRRK.
.KRRRRWWWWRRRRK.
.KRRRWWRRWWRRRK.
.KRRWWRRRRWWRRK.
..KRRRRRRRRRRK..
...KKRRRRRRKK...
.....KKKKKK.....
................
""")


def edit_page():
    cell = page(blank(), 0, 0, h=15)
    return sprite(cell, """
......KK.
.....KppK
....KYKpK
...KYYYK.
..KYYYK..
.KOYYK...
.KOOK....
KddK.....
KKK......
""", 6, 6)


def full_screen():
    return sprite(blank(), """
................
.KKKKK....KKKKK.
.KBBBK....KBBBK.
.KBBK......KBBK.
.KBKBK....KBKBK.
.KK.KBK..KBK.KK.
.....KK..KK.....
................
................
.....KK..KK.....
.KK.KBK..KBK.KK.
.KBKBK....KBKBK.
.KBBK......KBBK.
.KBBBK....KBBBK.
.KKKKK....KKKKK.
................
""")


def email():
    return sprite(blank(), """
................
................
................
KKKKKKKKKKKKKKKK
KKWWWWWWWWWWWWKK
KWKWWWWWWWWWWKWK
KWWKWWWWWWWWKWWK
KWWWKWWWWWWKWWWK
KWWWWKKWWKKWWWWK
KWWWKWWKKWWKWWWK
KWWKWWWWWWWWKWWK
KWKWWWWWWWWWWKWK
KKWWWWWWWWWWWWKK
KKKKKKKKKKKKKKKK
................
................
""")


def pdf():
    cell = page(blank(), 2, 0, w=12, h=10, lines=False)
    for y in (4, 6):
        fill(cell, 4, y, 10, y, 'g')
    return sprite(cell, """
KKKKKKKKKKKKKKK
KRRRRRRRRRRRRRK
KRWWRRWWRRWWWRK
KRWRWRWRWRWRRRK
KRWWRRWRWRWWRRK
KRWRRRWRWRWRRRK
KRWRRRWWRRWRRRK
KKKKKKKKKKKKKKK
""", 1, 8)


BUTTONS = [
    ('open', open_file),             # 0
    ('save', save),                  # 1
    ('print', print_),               # 2
    ('export', export),              # 3
    ('find', find),                  # 4
    ('thumbnails', thumbnails),      # 5
    ('whole page', whole_page),      # 6
    ('page setup', page_setup),      # 7
    ('first page', first),           # 8
    ('prior page', prior),           # 9
    ('next page', next_),            # 10
    ('last page', last),             # 11
    ('outline', outline),            # 12
    ('collapse all', lambda: toggle(False)),  # 13
    ('expand all', lambda: toggle(True)),     # 14
    ('zoom in', lambda: zoom(True)),          # 15
    ('zoom out', lambda: zoom(False)),        # 16
    ('page width', page_width),      # 17
    ('100%', actual_size),           # 18
    ('two pages', two_pages),        # 19
    ('close', close),                # 20
    ('edit page', edit_page),        # 21
    ('full screen', full_screen),    # 22
    ('e-mail', email),               # 23
    ('PDF', pdf),                    # 24
]


def draw_strip():
    cells = []
    for index, (name, draw) in enumerate(BUTTONS):
        cell = draw()
        assert len(cell) == SIZE and all(len(r) == SIZE for r in cell), name
        for row in cell:
            for ch in row:
                assert ch in PALETTE, (name, ch)
        # The image list takes this pixel as the transparent colour.
        assert cell[SIZE - 1][0] == '.', 'bottom-left pixel of %r must stay clear' % name
        cells.append(cell)
    rgb = [[None] * (SIZE * len(cells)) for _ in range(SIZE)]
    for i, cell in enumerate(cells):
        for y in range(SIZE):
            for x in range(SIZE):
                rgb[y][i * SIZE + x] = PALETTE[cell[y][x]] or KEY
    return rgb


def bmp24(rgb):
    height, width = len(rgb), len(rgb[0])
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for (r, g, b) in rgb[y]:
            row += bytes((b, g, r))
        row += b'\0' * (stride - len(row))
        pixels += row
    header = struct.pack('<2sIHHI', b'BM', 54 + len(pixels), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(pixels), 3780, 3780, 0, 0)
    return header + info + bytes(pixels)


def container(data):
    deflater = zlib.compressobj(9, zlib.DEFLATED, -15, 9)
    body = deflater.compress(data) + deflater.flush()
    header = b'\x1f\x8b\x08\x08' + struct.pack('>I', zlib.adler32(data) & 0xFFFFFFFF) + b'\x02\xff' + b'1\0'
    trailer = struct.pack('<II', zlib.crc32(data) & 0xFFFFFFFF, len(data) & 0xFFFFFFFF)
    return header + body + trailer


def cpp_source(blob):
    lines = []
    for i in range(0, len(blob), 16):
        lines.append('    ' + ', '.join('0x%02X' % b for b in blob[i:i + 16]) + ',')
    return (
        '// Generated by src/resources/tools/make_preview_buttons.py from its drawings;\n'
        '// change the drawings there and run it again rather than editing these bytes.\n'
        '#include "resources/preview_buttons.h"\n\n'
        'namespace quarlo {\n'
        'namespace {\n\n'
        'constexpr unsigned char kPreviewButtons[] = {\n' + '\n'.join(lines) + '\n};\n\n'
        '}  // namespace\n\n'
        'std::string_view PreviewButtonsContainer() {\n'
        '  return {reinterpret_cast<const char*>(kPreviewButtons), sizeof kPreviewButtons};\n'
        '}\n\n'
        '}  // namespace quarlo\n')


def png(rgb, scale, path, columns=7):
    """An enlarged copy on a checkerboard, cells in rows of columns, for looking at."""
    count = len(rgb[0]) // SIZE
    gap = 4
    pitch = SIZE * scale + gap
    rows = (count + columns - 1) // columns
    out_w, out_h = columns * pitch + gap, rows * pitch + gap
    raw = bytearray()
    for oy in range(out_h):
        raw.append(0)
        for ox in range(out_w):
            colour = (90, 90, 90)
            cx, ix = divmod(ox - gap, pitch)
            cy, iy = divmod(oy - gap, pitch)
            index = cy * columns + cx
            if ox >= gap and oy >= gap and ix < SIZE * scale and iy < SIZE * scale and index < count:
                x, y = index * SIZE + ix // scale, iy // scale
                colour = rgb[y][x]
                if colour == KEY:
                    colour = (236, 236, 236) if ((x + y) % 2) else (250, 250, 250)
            raw += bytes(colour)
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data) & 0xFFFFFFFF)
    with open(path, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n')
        f.write(chunk(b'IHDR', struct.pack('>IIBBBBB', out_w, out_h, 8, 2, 0, 0, 0)))
        f.write(chunk(b'IDAT', zlib.compress(bytes(raw), 9)))
        f.write(chunk(b'IEND', b''))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    parser.add_argument('--cpp', default=os.path.join(here, '..', 'preview_buttons_data.cpp'))
    parser.add_argument('--png')
    parser.add_argument('--scale', type=int, default=6)
    args = parser.parse_args()
    assert len(BUTTONS) == 25
    rgb = draw_strip()
    blob = container(bmp24(rgb))
    with open(args.cpp, 'w') as f:
        f.write(cpp_source(blob))
    if args.png:
        png(rgb, args.scale, args.png)
    print('%d buttons, container %d bytes' % (len(BUTTONS), len(blob)), file=sys.stderr)


if __name__ == '__main__':
    main()
