#!/usr/bin/env python3
"""Image checks for the capture scenarios, on the files the program writes.

  pattern <w> <h> <out.ppm> [<x0> <y0>]
                              the driver's pattern window picture (32x32 cells), from
                              client position (x0, y0) on
  diff <a.ppm> <b.ppm>        "count left top right bottom" of differing pixels ("0" if none)
  bmp-header <file>           width height bits offset compression (signed height: bottom-up > 0)
  png-chunks <file>           "IHDR w h depth colour-type", then each chunk type in order
  jpeg-frames <file>          each start-of-frame marker: "SOFn precision w h components"

PPM files are binary P6 with maxval 255, as `convert ... -depth 8 ppm:` writes them.
Exit status 2 with a message on a malformed file.
"""
import struct
import sys
import zlib


class BadImage(Exception):
    pass


def pattern_colour(column, row):
    return ((column * 37 + 11) & 255, (row * 59 + 23) & 255, ((column + row) * 83 + 47) & 255)


def write_pattern(width, height, path, x0=0, y0=0):
    rows = []
    for y in range(y0, y0 + height):
        rows.append(b"".join(bytes(pattern_colour(x // 32, y // 32)) for x in range(x0, x0 + width)))
    with open(path, "wb") as out:
        out.write(b"P6\n%d %d\n255\n" % (width, height))
        out.write(b"".join(rows))


def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    fields, pos = [], 0
    while len(fields) < 4:
        while pos < len(data) and data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        end = pos
        while end < len(data) and not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    if fields[0] != b"P6" or fields[3] != b"255":
        raise BadImage(f"{path}: not an 8-bit binary PPM")
    width, height = int(fields[1]), int(fields[2])
    pixels = data[pos + 1:]
    if len(pixels) != width * height * 3:
        raise BadImage(f"{path}: {len(pixels)} pixel bytes for {width}x{height}")
    return width, height, pixels


def diff_box(path_a, path_b):
    wa, ha, a = read_ppm(path_a)
    wb, hb, b = read_ppm(path_b)
    if (wa, ha) != (wb, hb):
        raise BadImage(f"sizes differ: {wa}x{ha} and {wb}x{hb}")
    count, left, top, right, bottom = 0, wa, ha, -1, -1
    for y in range(ha):
        row = y * wa * 3
        if a[row:row + wa * 3] == b[row:row + wa * 3]:
            continue
        for x in range(wa):
            i = row + x * 3
            if a[i:i + 3] != b[i:i + 3]:
                count += 1
                left, right = min(left, x), max(right, x + 1)
                top, bottom = min(top, y), max(bottom, y + 1)
    return f"{count} {left} {top} {right} {bottom}" if count else "0"


def bmp_header(path):
    with open(path, "rb") as f:
        head = f.read(54)
    if len(head) < 54 or head[:2] != b"BM":
        raise BadImage(f"{path}: no BMP signature")
    offset, = struct.unpack_from("<I", head, 10)
    width, height, _planes, bits, compression = struct.unpack_from("<iiHHI", head, 18)
    return f"{width} {height} {bits} {offset} {compression}"


def png_chunks(path):
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise BadImage(f"{path}: no PNG signature")
    lines, pos = [], 8
    while pos < len(data):
        if pos + 12 > len(data):
            raise BadImage(f"{path}: chunk header cut off at byte {pos}")
        length, kind = struct.unpack_from(">I4s", data, pos)
        body = data[pos + 8:pos + 8 + length]
        crc, = struct.unpack_from(">I", data, pos + 8 + length)
        if zlib.crc32(kind + body) != crc:
            raise BadImage(f"{path}: bad CRC in chunk {kind.decode('latin-1')}")
        if kind == b"IHDR":
            width, height, depth, colour = struct.unpack_from(">IIBB", body)
            lines.append(f"IHDR {width} {height} {depth} {colour}")
        lines.append(kind.decode("latin-1"))
        pos += 12 + length
    return "\n".join(lines)


def jpeg_frames(path):
    with open(path, "rb") as f:
        data = f.read()
    if data[:2] != b"\xff\xd8":
        raise BadImage(f"{path}: no JPEG start marker")
    lines, pos = [], 2
    while pos + 4 <= len(data):
        if data[pos] != 0xFF:
            raise BadImage(f"{path}: no marker at byte {pos}")
        marker = data[pos + 1]
        if marker == 0xDA:  # entropy-coded data follows; frames come before it
            break
        length, = struct.unpack_from(">H", data, pos + 2)
        if 0xC0 <= marker <= 0xCF and marker not in (0xC4, 0xC8, 0xCC):
            precision, height, width, components = struct.unpack_from(">BHHB", data, pos + 4)
            lines.append(f"SOF{marker - 0xC0} {precision} {width} {height} {components}")
        pos += 2 + length
    return "\n".join(lines)


def main(argv):
    commands = {
        "pattern": ((3, 5), lambda a: write_pattern(int(a[0]), int(a[1]), a[2], *map(int, a[3:]))),
        "diff": ((2,), lambda a: diff_box(a[0], a[1])),
        "bmp-header": ((1,), lambda a: bmp_header(a[0])),
        "png-chunks": ((1,), lambda a: png_chunks(a[0])),
        "jpeg-frames": ((1,), lambda a: jpeg_frames(a[0])),
    }
    if len(argv) < 2 or argv[1] not in commands or len(argv) - 2 not in commands[argv[1]][0]:
        print(__doc__, file=sys.stderr)
        return 1
    try:
        result = commands[argv[1]][1](argv[2:])
    except (BadImage, OSError, ValueError, struct.error) as error:
        print(f"capture_image.py {argv[1]}: {error}", file=sys.stderr)
        return 2
    if result is not None:
        print(result)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
