#!/usr/bin/env python3
"""Writes the file panel's benchmark folder: 10,000 small pages with titles and 2,000
pictures (500 each of GIF, JPEG, PNG and BMP) with real headers. Deterministic.

    make-filelist-folder.py FOLDER
"""
import os
import struct
import sys
import zlib

folder = sys.argv[1]
os.makedirs(folder, exist_ok=True)
for i in range(10000):
    with open(os.path.join(folder, "page%05d.html" % i), "w") as f:
        f.write("<HTML><HEAD><TITLE>Page number %d of the site</TITLE></HEAD>\n<BODY>\n" % i)
        f.write("<P>Some text of page %d, long enough to look like a page.</P>\n" % i * 8)
        f.write("</BODY></HTML>\n")


def gif(w, h):
    return (b"GIF89a" + struct.pack("<HH", w, h) + b"\x80\x00\x00" + b"\x00\x00\x00\xff\xff\xff"
            + b"\x2c" + struct.pack("<HHHH", 0, 0, w, h) + b"\x00\x02\x02\x44\x01\x00\x3b")


def jpeg(w, h):
    jfif = b"\xff\xe0" + struct.pack(">H", 16) + b"JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00"
    sof = b"\xff\xc0" + struct.pack(">HBHH", 11, 8, h, w) + b"\x01\x01\x11\x00"
    return b"\xff\xd8" + jfif + sof + b"\xff\xd9"


def png(w, h):
    ihdr = struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0)
    chunk = b"IHDR" + ihdr
    return b"\x89PNG\r\n\x1a\n" + struct.pack(">I", 13) + chunk + struct.pack(">I", zlib.crc32(chunk))


def bmp(w, h):
    row = (w * 3 + 3) // 4 * 4
    pixels = b"\x00" * (row * h)
    header = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return b"BM" + struct.pack("<IHHI", 14 + 40 + len(pixels), 0, 0, 54) + header + pixels


makers = [("gif", gif), ("jpg", jpeg), ("png", png), ("bmp", bmp)]
for i in range(2000):
    ext, make = makers[i % 4]
    with open(os.path.join(folder, "picture%04d.%s" % (i, ext)), "wb") as f:
        f.write(make(16 + i % 50, 8 + i % 30))
