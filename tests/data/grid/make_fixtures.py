#!/usr/bin/env python3
"""Writes the picture fixtures of the grid tests: GIFs with known frames,
delays and positions, and a small bitmap whose top-left pixel is its key
colour."""
import struct
from pathlib import Path

HERE = Path(__file__).resolve().parent
PALETTE = [(255, 255, 255), (255, 0, 0), (0, 160, 0), (0, 0, 255)]


def lzw(pixels, min_size=2):
    # Literal codes only, with the code width growing as a decoder expects
    # (enough for the few pixels of these fixtures: no table reset).
    clear, eoi = 1 << min_size, (1 << min_size) + 1
    size, nxt = min_size + 1, eoi + 1
    codes = [(clear, size)]
    for i, px in enumerate(pixels):
        codes.append((px, size))
        if i > 0:
            nxt += 1
            if nxt == (1 << size) and size < 12:
                size += 1
    codes.append((eoi, size))
    acc = bits = 0
    out = bytearray()
    for code, width in codes:
        acc |= code << bits
        bits += width
        while bits >= 8:
            out.append(acc & 0xFF)
            acc >>= 8
            bits -= 8
    if bits:
        out.append(acc & 0xFF)
    blocks = bytearray([min_size])
    for i in range(0, len(out), 255):
        chunk = out[i:i + 255]
        blocks += bytes([len(chunk)]) + chunk
    return bytes(blocks + b"\x00")


def gif(width, height, frames):
    data = bytearray(b"GIF89a")
    data += struct.pack("<HHBBB", width, height, 0x81, 0, 0)
    for r, g, b in PALETTE:
        data += bytes([r, g, b])
    data += b"\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00"
    for left, top, w, h, colour, delay in frames:
        data += b"\x21\xF9\x04" + bytes([0x04]) + struct.pack("<H", delay) + b"\x00\x00"
        data += b"\x2C" + struct.pack("<HHHHB", left, top, w, h, 0)
        data += lzw([colour] * (w * h))
    data += b"\x3B"
    return bytes(data)


def bmp(width, height, pixel):
    row = (width * 3 + 3) & ~3
    body = bytearray()
    for y in range(height - 1, -1, -1):
        line = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            line += bytes([b, g, r])
        body += line + b"\x00" * (row - len(line))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(body), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    return header + info + bytes(body)


def main():
    (HERE / "anim3.gif").write_bytes(gif(8, 8, [
        (0, 0, 8, 8, 1, 10),
        (2, 3, 4, 4, 2, 20),
        (5, 5, 2, 2, 3, 30),
    ]))
    (HERE / "single.gif").write_bytes(gif(6, 4, [(0, 0, 6, 4, 3, 50)]))
    # Magenta key colour at (0, 0) and round the edge, a blue 2x2 middle.
    (HERE / "key.bmp").write_bytes(bmp(4, 4, lambda x, y: (0, 0, 255) if 1 <= x <= 2 and 1 <= y <= 2 else (255, 0, 255)))


if __name__ == "__main__":
    main()
