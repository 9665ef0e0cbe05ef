#!/usr/bin/env python3
"""Writes the sample export folder (sample/): five slide images drawn here,
a stand-in player file and the kind of leftover files an HTML export leaves.

Run from anywhere; it rewrites sample/ in the repository. Standard library only.
"""
import os
import struct

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "sample")
W, H = 320, 240

PALETTE = [
    (255, 255, 255), (0, 0, 128), (192, 192, 255), (208, 64, 64),
    (64, 96, 192), (64, 160, 80), (240, 200, 64), (40, 40, 48),
]


def lzw_stream(pixels, min_code=3):
    """GIF LZW data that never grows past 4-bit codes: a clear code every few
    pixels keeps the decoder's table small, which every reader accepts."""
    clear, end = 1 << min_code, (1 << min_code) + 1
    size = min_code + 1
    bits, nbits, out = 0, 0, bytearray()

    def put(code):
        nonlocal bits, nbits
        bits |= code << nbits
        nbits += size
        while nbits >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8

    for i, p in enumerate(pixels):
        if i % 6 == 0:
            put(clear)
        put(p)
    put(end)
    if nbits:
        out.append(bits & 0xFF)
    return bytes(out)


def gif(pixels, w=W, h=H):
    head = b"GIF89a" + struct.pack("<HHBBB", w, h, 0xF2, 0, 0)
    pal = b"".join(bytes(c) for c in PALETTE)
    image = b"," + struct.pack("<HHHHB", 0, 0, w, h, 0) + bytes([3])
    data = lzw_stream(pixels)
    blocks = b"".join(bytes([len(data[i:i + 255])]) + data[i:i + 255]
                      for i in range(0, len(data), 255))
    return head + pal + image + blocks + b"\x00;"


def slide(number):
    px = [0] * (W * H)

    def rect(x0, y0, x1, y1, c):
        for y in range(max(0, y0), min(H, y1)):
            px[y * W + max(0, x0):y * W + min(W, x1)] = [c] * (min(W, x1) - max(0, x0))

    rect(0, 0, W, 40, 1)                      # title band
    rect(12, 12, 12 + 40 * number, 28, 2)     # slide number as a bar in the title
    rect(0, H - 8, W, H, 2)                   # footer
    for i in range(number + 1):               # a chart that grows with the slide
        h = 20 + ((i * 37 + number * 23) % 120)
        rect(40 + i * 40, 200 - h, 40 + i * 40 + 26, 200, 3 + (i % 4))
    rect(30, 200, 290, 202, 7)                # axis
    return gif(px)


def arrow(left):
    """A 24 x 24 arrow button."""
    px = [2] * (24 * 24)
    for y in range(24):
        reach = 12 - abs(y - 12)
        for x in range(4, 4 + reach + 4):
            if 4 <= y <= 20:
                px[y * 24 + (23 - x if left else x)] = 1
    return gif(px, 24, 24)


def main():
    os.makedirs(ROOT, exist_ok=True)
    for name in os.listdir(ROOT):
        os.remove(os.path.join(ROOT, name))
    for n in range(1, 6):
        with open(os.path.join(ROOT, "sld%03d.gif" % n), "wb") as f:
            f.write(slide(n))
    files = {
        "show.ppz": b"Stand-in for a player file: the viewer links to it as pres0.ppz.\r\n",
        "index.htm": b"<HTML><HEAD><TITLE>Sample</TITLE></HEAD>"
                     b"<BODY><A HREF=\"sld001.htm\">Start</A></BODY></HTML>\r\n",
        "sld001.htm": b"<HTML><BODY><IMG SRC=\"sld001.gif\"></BODY></HTML>\r\n",
        "tsld001.htm": b"<HTML><BODY>Slide 1 (text)</BODY></HTML>\r\n",
        "tsld002.htm": b"<HTML><BODY>Slide 2 (text)</BODY></HTML>\r\n",
        "sld002.htm": b"<HTML><BODY><IMG SRC=\"sld002.gif\"></BODY></HTML>\r\n",
    }
    for name, data in files.items():
        with open(os.path.join(ROOT, name), "wb") as f:
            f.write(data)
    # The export's navigation images: leftovers, since they are not img*/sld*.
    for name, flip in (("next.gif", False), ("prev.gif", True), ("first.gif", True)):
        with open(os.path.join(ROOT, name), "wb") as f:
            f.write(arrow(flip))


if __name__ == "__main__":
    main()
