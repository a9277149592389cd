#!/usr/bin/env python3
"""Writes the small seed files of fuzz_bmp and fuzz_tga (fuzz/corpus/fuzz_bmp, fuzz_tga).

Each seed takes the decoders down one of their roads: every bit depth, the RLE codes, bit
fields, the header forms, and every TGA type and storage order. Run from anywhere; rerunning
rewrites the same files.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
CORPUS = os.path.join(HERE, "..", "corpus")


def bmp(width, height, bpp, bits, compression=0, palette=(), header_size=40, masks=b"", core=False):
    table = b"".join(struct.pack("<I", c)[:3 if core else 4] for c in palette)
    if core:
        info = struct.pack("<IHHHH", 12, width, height, 1, bpp)
    else:
        info = struct.pack("<IiiHHIIiiII", header_size, width, height, 1, bpp, compression,
                           len(bits) if header_size > 40 else 0, 2835, 2835, 0, 0)
        info += bytes(header_size - 40)
    offset = 14 + len(info) + len(table) + len(masks)
    return b"BM" + struct.pack("<IHHI", offset + len(bits), 0, 0, offset) + info + table + masks + bits


def tga(image_type, width, height, depth, descriptor, body, colour_map=b"", map_length=0, image_id=b""):
    header = struct.pack("<BBBHHBHHHHBB", len(image_id), 1 if colour_map else 0, image_type, 0,
                         map_length, 24 if colour_map else 0, 0, 0, width, height, depth, descriptor)
    return header + image_id + colour_map + body


GREYS = [0x010101 * i for i in range(16)]
BMP_SEEDS = {
    "pal1.bmp": bmp(8, 2, 1, b"\xA5\0\0\0\x5A\0\0\0", palette=(0x000000, 0xFFFFFF)),
    "pal4.bmp": bmp(5, 3, 4, b"\x01\x23\x40\0" * 3, palette=GREYS),
    "pal4rle.bmp": bmp(9, 2, 4, bytes([1, 0xF0, 0, 2, 3, 0, 0, 3, 0x12, 0x30, 3, 0xBC, 0, 0,
                                        4, 0x56, 0, 5, 0x12, 0x34, 0x50, 0, 0, 1]), 2, GREYS),
    "pal8rle.bmp": bmp(6, 3, 8, bytes([2, 1, 0, 3, 2, 3, 4, 0, 0, 0, 0, 2, 1, 1, 3, 9, 0, 1]), 1,
                       [0x030201 * i for i in range(256)]),
    "pal4core.bmp": bmp(3, 2, 4, b"\x01\x20\0\0\x21\x00\0\0", palette=GREYS, core=True),
    "rgb16.bmp": bmp(3, 2, 16, struct.pack("<4H", 0x7FFF, 0x7C00, 0x03E0, 0) * 2),
    "rgb16-565.bmp": bmp(2, 2, 16, struct.pack("<2H", 0xF800, 0x07E0) * 2, 3,
                         masks=struct.pack("<3I", 0xF800, 0x07E0, 0x001F)),
    "rgb24-topdown.bmp": bmp(3, -2, 24, bytes(range(1, 10)) + b"\0\0\0" + bytes(range(11, 20)) + b"\0\0\0"),
    "rgb32bf.bmp": bmp(2, 1, 32, bytes(range(8)), 3, masks=struct.pack("<3I", 0xFF0000, 0xFF00, 0xFF)),
    "v4header.bmp": bmp(2, 1, 24, b"\1\2\3\4\5\6\0\0", header_size=108),
}

RGBA = bytes([10, 20, 30, 255, 40, 50, 60, 128, 70, 80, 90, 0, 1, 2, 3, 64])
TGA_SEEDS = {
    "colourmapped.tga": tga(1, 2, 2, 8, 0, b"\0\1\2\1", bytes(range(9)), 3),
    "truecolour24.tga": tga(2, 2, 1, 24, 0, bytes(range(6)), image_id=b"seed"),
    "truecolour32-topdown.tga": tga(2, 2, 2, 32, 0x28, RGBA),
    "truecolour32-rle.tga": tga(10, 3, 2, 32, 0x08, b"\x00" + RGBA[:4] + b"\x83" + RGBA[4:8] + b"\x00" + RGBA[8:12]),
    "grey-rle.tga": tga(11, 4, 2, 8, 0, bytes([0x82, 200, 0x02, 1, 2, 3, 0x80, 9])),
    "rgb16-righttoleft.tga": tga(2, 3, 1, 16, 0x10, struct.pack("<3H", 0x7FFF, 0x8000, 0x03E0)),
    "truecolour24-rle.tga": tga(10, 2, 2, 24, 0x20, b"\x81\1\2\3\x01\4\5\6\7\x08\x09"),
}

for folder, seeds in (("fuzz_bmp", BMP_SEEDS), ("fuzz_tga", TGA_SEEDS)):
    os.makedirs(os.path.join(CORPUS, folder), exist_ok=True)
    for name, data in seeds.items():
        with open(os.path.join(CORPUS, folder, name), "wb") as out:
            out.write(data)
