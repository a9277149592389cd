#!/usr/bin/env python3
"""Small helpers for the art generators, where ImageMagick alone is awkward.

  artkit.py ridge SEED WIDTH BASE AMPLITUDE ROUGHNESS [BOTTOM]
      Prints an ImageMagick polygon (x,y pairs) of a mountain ridge: a seeded midpoint
      displacement line from x = 0 to WIDTH around height BASE, closed along BOTTOM.
  artkit.py icon OUT.ico PNG16 PNG32
      Writes an icon with 32-bit (alpha) and 8-bit (palette + mask) images of both sizes.
  artkit.py cursor OUT.cur PNG32 HOTX HOTY
      Writes a 32 x 32 cursor, 32-bit with alpha plus its AND mask, with the given hotspot.

Pixels come in through ImageMagick's raw RGBA output, so this needs no imaging module.
"""
import random
import struct
import subprocess
import sys


def ridge(seed, width, base, amplitude, roughness, bottom):
    rng = random.Random(seed)
    # Midpoint displacement over 2^k + 1 samples: cheap, seeded, and reads as a mountain line.
    steps = 64
    heights = [0.0] * (steps + 1)
    heights[0] = rng.uniform(-amplitude, amplitude)
    heights[steps] = rng.uniform(-amplitude, amplitude)
    span, scale = steps, float(amplitude)
    while span > 1:
        half = span // 2
        for left in range(0, steps, span):
            mid = (heights[left] + heights[left + span]) / 2.0
            heights[left + half] = mid + rng.uniform(-scale, scale)
        span, scale = half, scale * roughness
    points = []
    for i, h in enumerate(heights):
        x = round(width * i / steps, 1)
        points.append("%s,%s" % (x, round(base + h, 1)))
    points.append("%s,%s" % (width, bottom))
    points.append("0,%s" % bottom)
    return " ".join(points)


def read_rgba(path, size):
    raw = subprocess.run(["convert", path, "-depth", "8", "RGBA:-"],
                         check=True, stdout=subprocess.PIPE).stdout
    if len(raw) != size * size * 4:
        sys.exit("artkit: %s is not %dx%d" % (path, size, size))
    return [tuple(raw[i:i + 4]) for i in range(0, len(raw), 4)]


def mask_rows(pixels, size):
    """AND mask, 1 bit per pixel, bottom-up rows padded to 32 bits: set where transparent."""
    stride = ((size + 31) // 32) * 4
    out = bytearray()
    for y in range(size - 1, -1, -1):
        row = bytearray(stride)
        for x in range(size):
            if pixels[y * size + x][3] < 128:
                row[x // 8] |= 0x80 >> (x % 8)
        out += row
    return bytes(out)


def dib32(pixels, size):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    body = bytearray()
    for y in range(size - 1, -1, -1):
        for x in range(size):
            r, g, b, a = pixels[y * size + x]
            body += bytes((b, g, r, a))
    return header + bytes(body) + mask_rows(pixels, size)


def fallback_palette():
    # A 6 x 6 x 6 colour cube and a 40-step grey ramp: 256 entries, enough for a small emblem.
    levels = [0, 51, 102, 153, 204, 255]
    pal = [(r, g, b) for r in levels for g in levels for b in levels]
    pal += [(round(255 * i / 41),) * 3 for i in range(1, 41)]
    return pal


def dib8(pixels, size):
    pal = fallback_palette()
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 8, 0, 0, 0, 0, 256, 0)
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in pal)
    stride = ((size + 3) // 4) * 4
    cache = {}
    body = bytearray()
    for y in range(size - 1, -1, -1):
        row = bytearray(stride)
        for x in range(size):
            r, g, b, a = pixels[y * size + x]
            if a < 128:
                continue  # masked out by the AND mask; index 0 (black) keeps XOR drawing clean
            key = (r, g, b)
            if key not in cache:
                cache[key] = min(range(256), key=lambda i: (pal[i][0] - r) ** 2 * 3
                                 + (pal[i][1] - g) ** 2 * 4 + (pal[i][2] - b) ** 2 * 2)
            row[x] = cache[key]
        body += row
    return header + table + bytes(body) + mask_rows(pixels, size)


def write_directory(path, kind, entries):
    """entries: (size, colour count, field4, field6, image bytes); see ICONDIRENTRY."""
    offset = 6 + 16 * len(entries)
    head = struct.pack("<HHH", 0, kind, len(entries))
    dirs, blobs = b"", b""
    for size, colours, f4, f6, blob in entries:
        dirs += struct.pack("<BBBBHHII", size % 256, size % 256, colours, 0, f4, f6,
                            len(blob), offset)
        offset += len(blob)
        blobs += blob
    with open(path, "wb") as f:
        f.write(head + dirs + blobs)


def main(argv):
    if len(argv) in (7, 8) and argv[1] == "ridge":
        bottom = argv[7] if len(argv) > 7 else "300"
        print(ridge(int(argv[2]), int(argv[3]), float(argv[4]), float(argv[5]),
                    float(argv[6]), bottom))
    elif len(argv) == 5 and argv[1] == "icon":
        p16, p32 = read_rgba(argv[3], 16), read_rgba(argv[4], 32)
        # Icon entries: planes 1 and the bit count; true colour first so it is preferred.
        write_directory(argv[2], 1, [
            (32, 0, 1, 32, dib32(p32, 32)), (16, 0, 1, 32, dib32(p16, 16)),
            (32, 0, 1, 8, dib8(p32, 32)), (16, 0, 1, 8, dib8(p16, 16))])
    elif len(argv) == 6 and argv[1] == "cursor":
        p32 = read_rgba(argv[3], 32)
        # Cursor entries keep the hotspot where an icon keeps planes and bit count.
        write_directory(argv[2], 2, [(32, 0, int(argv[4]), int(argv[5]), dib32(p32, 32))])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
