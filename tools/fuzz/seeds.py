#!/usr/bin/env python3
"""Writes the small seed corpora of the pack and TGA fuzz targets:
tools/fuzz/seeds.py OUTPUT_DIR makes OUTPUT_DIR/pack and OUTPUT_DIR/tga."""
import os
import struct
import sys


def tga(image_type, colour_map_type, width, height, depth, descriptor=0, id_field=b""):
    header = struct.pack("<BBBHHBHHHHBB", len(id_field), colour_map_type, image_type, 0, 0, 0, 0, 0,
                         width, height, depth, descriptor)
    palette = bytes(i % 256 for i in range(768)) if depth == 8 and colour_map_type else b""
    pixels = bytes((i * 37) % 256 for i in range(width * height * depth // 8))
    return header + id_field + palette + pixels


def pack(entries):
    table = struct.pack("<4sI", b"KCAP", len(entries))
    offset = 8 + 264 * len(entries)
    data = b""
    for name, content in entries:
        table += struct.pack("<II", offset, len(content)) + name.encode().ljust(256, b"\0")
        offset += len(content)
        data += content
    return table + data


def write(folder, name, content):
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as out:
        out.write(content)


def main():
    out = sys.argv[1]
    write(f"{out}/tga", "grey.tga", tga(3, 0, 8, 8, 8))
    write(f"{out}/tga", "mapped.tga", tga(1, 1, 8, 8, 8))
    write(f"{out}/tga", "rgb.tga", tga(2, 0, 8, 9, 24, id_field=b"id"))
    write(f"{out}/tga", "rgba-top.tga", tga(2, 0, 9, 8, 32, descriptor=0x28))
    write(f"{out}/pack", "empty.pack", pack([]))
    write(f"{out}/pack", "three.pack", pack([("texture/font.tga", b"abc"), ("FISH.mod", b""),
                                            ("sound/main.wav", b"RIFF")]))
    write(f"{out}/pack", "picture.pack", pack([("caust.tga", tga(2, 0, 8, 8, 24))]))


if __name__ == "__main__":
    main()
