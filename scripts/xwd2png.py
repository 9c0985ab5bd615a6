#!/usr/bin/env python3
"""Turns an X window dump (xwd -root) into a PNG, with no image library.

Xvfb at depth 24 writes 32 bits per pixel on some servers and 24 on others:
the header says which.
"""
import struct
import sys
import zlib


def convert(src, dst):
    data = open(src, 'rb').read()
    h = struct.unpack('>25I', data[:100])
    header_size, width, height = h[0], h[4], h[5]
    bits_per_pixel, bytes_per_line, ncolors = h[11], h[12], h[19]
    step = bits_per_pixel // 8
    offset = header_size + ncolors * 12
    rows = []
    for y in range(height):
        line = data[offset + y * bytes_per_line: offset + y * bytes_per_line + width * step]
        out = bytearray(b'\x00')
        for x in range(width):
            b, g, r = line[step * x: step * x + 3]
            out += bytes((r, g, b))
        rows.append(bytes(out))

    def chunk(kind, body):
        return (struct.pack('>I', len(body)) + kind + body
                + struct.pack('>I', zlib.crc32(kind + body) & 0xffffffff))

    png = (b'\x89PNG\r\n\x1a\n'
           + chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0))
           + chunk(b'IDAT', zlib.compress(b''.join(rows), 6))
           + chunk(b'IEND', b''))
    open(dst, 'wb').write(png)


if __name__ == '__main__':
    convert(sys.argv[1], sys.argv[2])
