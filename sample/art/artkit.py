#!/usr/bin/env python3
"""Small helpers for the art generators, where ImageMagick alone is awkward.

  artkit.py ridge SEED WIDTH BASE AMPLITUDE ROUGHNESS [BOTTOM]
      Prints an ImageMagick polygon (x,y pairs) of a mountain ridge: a seeded midpoint
      displacement line from x = 0 to WIDTH around height BASE, closed along BOTTOM.
  artkit.py icon OUT.ico PNG16 PNG32
      Writes an icon with 32-bit (alpha) and 8-bit (palette + mask) images of both sizes.
  artkit.py cursor OUT.cur PNG32 HOTX HOTY
      Writes a 32 x 32 cursor, 32-bit with alpha plus its AND mask, with the given hotspot.
  artkit.py tga IN:OUT.tga:DEPTH[:rle] ...
      Writes each IN as a true-colour TGA of DEPTH 24 or 32 (with 8 alpha bits), rows
      bottom-up, uncompressed or run-length encoded. ImageMagick's own TGA writer stores the rows of a
      fresh image top first while its header says bottom-up, so it cannot be used.

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


def read_rgba(path, size=None):
    """Pixels of an image as (r, g, b, a) tuples, top row first; (width, height, pixels)
    when no size is given, else just the pixels of a size x size image."""
    pam = subprocess.run(["convert", path, "-alpha", "set", "-type", "TrueColorAlpha",
                          "-depth", "8", "PAM:-"],
                         check=True, stdout=subprocess.PIPE).stdout
    head, raw = pam.split(b"ENDHDR\n", 1)
    fields = dict(line.split(b" ", 1) for line in head.splitlines()[1:] if b" " in line)
    width, height = int(fields[b"WIDTH"]), int(fields[b"HEIGHT"])
    if int(fields[b"DEPTH"]) != 4 or len(raw) != width * height * 4:
        sys.exit("artkit: could not read %s" % path)
    pixels = [tuple(raw[i:i + 4]) for i in range(0, len(raw), 4)]
    if size is None:
        return width, height, pixels
    if (width, height) != (size, size):
        sys.exit("artkit: %s is not %dx%d" % (path, size, size))
    return pixels


def tga_packets(row):
    """Run-length packets of one row (a list of pixel byte strings); packets never span rows."""
    out, i = bytearray(), 0
    while i < len(row):
        run = 1
        while i + run < len(row) and run < 128 and row[i + run] == row[i]:
            run += 1
        if run > 1:
            out.append(0x80 | (run - 1))
            out += row[i]
            i += run
            continue
        start = i
        while i < len(row) and i - start < 128 and (i + 1 >= len(row) or row[i + 1] != row[i]):
            i += 1
        if i == start:  # a run begins right here after all
            i += 1
        out.append(i - start - 1)
        out += b"".join(row[start:i])
    return bytes(out)


def write_tga(src, path, depth, rle):
    width, height, pixels = read_rgba(src)
    step = depth // 8
    kind = 10 if rle else 2
    descriptor = 8 if depth == 32 else 0  # alpha bits; origin bottom-left
    header = struct.pack("<BBBHHBHHHHBB", 0, 0, kind, 0, 0, 0, 0, 0, width, height,
                         depth, descriptor)
    body = bytearray()
    for y in range(height - 1, -1, -1):
        row = [bytes((b, g, r, a))[:step] for r, g, b, a in pixels[y * width:(y + 1) * width]]
        body += tga_packets(row) if rle else b"".join(row)
    with open(path, "wb") as f:
        f.write(header + bytes(body))


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
    elif len(argv) >= 3 and argv[1] == "tga":
        jobs = [job.split(":") for job in argv[2:]]
        if not all(len(j) in (3, 4) and j[2] in ("24", "32") and j[3:] in ([], ["rle"])
                   for j in jobs):
            sys.exit(__doc__)
        for job in jobs:
            write_tga(job[0], job[1], int(job[2]), len(job) == 4)
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
