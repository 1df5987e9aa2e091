#!/usr/bin/env python3
"""Pictures for the Windows end-to-end tests, where the Linux build's e2e_x11 tool is not built.

  windows_pictures.py png XWD|- OUT.png        an xwd dump (24-bit TrueColor) as an RGB PNG
  windows_pictures.py same A.png AX AY B.png BX BY W H
                                               exit 0 when the W x H area of A at (AX, AY) is pixel
                                               for pixel the one of B at (BX, BY); otherwise says
                                               how many pixels differ
  windows_pictures.py bright A.png X Y W H COUNT
                                               exit 0 when at least COUNT pixels of the area are
                                               near white (every channel 200 or more)

Only the standard library: PNG is zlib with per-row filters, xwd a header and raw pixels.
"""
import struct
import sys
import zlib


def fail(message, code=2):
    print("windows_pictures: " + message, file=sys.stderr)
    sys.exit(code)


def read_xwd(data):
    if len(data) < 100:
        fail("an xwd dump is at least 100 bytes")
    header = struct.unpack(">25I", data[:100])
    header_size, width, height = header[0], header[4], header[5]
    byte_order, bits_per_pixel, bytes_per_line = header[7], header[11], header[12]
    red_mask, green_mask, blue_mask = header[14], header[15], header[16]
    colours = header[19]
    if bytes_per_line < width * 4 or bits_per_pixel not in (24, 32):
        fail("only 32-bit pixels are read (bits %d, line %d bytes)" % (bits_per_pixel, bytes_per_line))
    if (red_mask, green_mask, blue_mask) != (0xFF0000, 0xFF00, 0xFF):
        fail("unexpected colour masks")
    pixels = data[header_size + colours * 12:]
    if len(pixels) < bytes_per_line * height:
        fail("the xwd dump is cut short")
    rgb = bytearray(width * height * 3)
    for y in range(height):
        line = pixels[y * bytes_per_line:y * bytes_per_line + width * 4]
        row = rgb[y * width * 3:(y + 1) * width * 3]
        # Least significant byte first: blue, green, red, unused.
        blue, green, red = (0, 1, 2) if byte_order == 0 else (3, 2, 1)
        row[0::3] = line[red::4]
        row[1::3] = line[green::4]
        row[2::3] = line[blue::4]
        rgb[y * width * 3:(y + 1) * width * 3] = row
    return width, height, bytes(rgb)


def write_png(path, width, height, rgb):
    raw = b"".join(b"\0" + rgb[y * width * 3:(y + 1) * width * 3] for y in range(height))

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)

    with open(path, "wb") as file:
        file.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
                   + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def read_png(path):
    """8-bit RGB or RGBA, not interlaced (what the tests and the reference pictures use)."""
    with open(path, "rb") as file:
        data = file.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        fail("%s is not a PNG" % path)
    position, compressed, width, height, channels = 8, b"", 0, 0, 0
    while position + 8 <= len(data):
        length, kind = struct.unpack(">I4s", data[position:position + 8])
        body = data[position + 8:position + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if depth != 8 or colour not in (2, 6) or interlace != 0:
                fail("%s: only 8-bit RGB or RGBA without interlace is read" % path)
            channels = 3 if colour == 2 else 4
        elif kind == b"IDAT":
            compressed += body
        position += 12 + length
    raw = zlib.decompress(compressed)
    stride = width * channels
    if len(raw) < (stride + 1) * height:
        fail("%s is cut short" % path)
    previous = bytearray(stride)
    rgb = bytearray()
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up = previous[i]
            corner = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + left) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + up) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 0xFF
            elif kind == 4:
                line[i] = (line[i] + paeth(left, up, corner)) & 0xFF
        previous = line
        if channels == 3:
            rgb += line
        else:
            for x in range(width):
                rgb += line[x * 4:x * 4 + 3]
    return width, height, bytes(rgb)


def area(picture, x, y, w, h, name):
    width, height, rgb = picture
    if x < 0 or y < 0 or w <= 0 or h <= 0 or x + w > width or y + h > height:
        fail("the area %dx%d+%d+%d is not inside %s (%dx%d)" % (w, h, x, y, name, width, height))
    return [rgb[((y + row) * width + x) * 3:((y + row) * width + x + w) * 3] for row in range(h)]


def main(arguments):
    if len(arguments) == 3 and arguments[0] == "png":
        data = sys.stdin.buffer.read() if arguments[1] == "-" else open(arguments[1], "rb").read()
        width, height, rgb = read_xwd(data)
        write_png(arguments[2], width, height, rgb)
        return 0
    if len(arguments) == 9 and arguments[0] == "same":
        ax, ay, bx, by, w, h = (int(arguments[i]) for i in (2, 3, 5, 6, 7, 8))
        first = area(read_png(arguments[1]), ax, ay, w, h, arguments[1])
        second = area(read_png(arguments[4]), bx, by, w, h, arguments[4])
        differing = sum(1 for a, b in zip(first, second) for i in range(0, len(a), 3) if a[i:i + 3] != b[i:i + 3])
        if differing:
            print("%d of %d pixels differ" % (differing, w * h))
            return 1
        return 0
    if len(arguments) == 7 and arguments[0] == "bright":
        x, y, w, h, count = (int(value) for value in arguments[2:7])
        rows = area(read_png(arguments[1]), x, y, w, h, arguments[1])
        bright = sum(1 for row in rows for i in range(0, len(row), 3) if min(row[i:i + 3]) >= 200)
        if bright < count:
            print("%d near-white pixels, fewer than %d" % (bright, count))
            return 1
        return 0
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
