"""Writes a Windows .ico from PNG files, each at a chosen bit depth (4, 8 or 32 bits per pixel),
or as the PNG file itself ("png"), the form Windows reads for 256 x 256 images.

Usage: make_ico.py out.ico picture.png:bits ...

Pixels come from ImageMagick as raw RGBA. The 4- and 8-bit images get a palette from
ImageMagick's quantiser (without dithering) and a 1-bit transparency mask from the alpha channel;
the 32-bit images keep their alpha and carry an empty mask.
"""

import struct
import subprocess
import sys


def rgba_pixels(path, colours=None):
    command = ["convert", path]
    if colours:
        # Quantise the opaque colours; transparent pixels are painted black by the mask rule.
        command += ["-background", "black", "-alpha", "remove", "+dither", "-colors", str(colours)]
    command += ["-depth", "8", "rgba:-"]
    raw = subprocess.run(command, check=True, capture_output=True).stdout
    size = int(subprocess.run(["identify", "-format", "%w", path], check=True,
                              capture_output=True, text=True).stdout)
    return size, [raw[i:i + 4] for i in range(0, len(raw), 4)]


def padded(row):
    return row + b"\0" * (-len(row) % 4)


def and_mask(size, alpha):
    rows = []
    for y in reversed(range(size)):
        bits = bytearray((size + 7) // 8)
        for x in range(size):
            if alpha[y * size + x] < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        rows.append(padded(bytes(bits)))
    return b"".join(rows)


def palette_image(path, bits):
    size, original = rgba_pixels(path)
    alpha = [p[3] for p in original]
    _, quantised = rgba_pixels(path, (1 << bits) - 1)
    colours = [b"\0\0\0"]  # index 0: black, under the transparent pixels
    index = []
    for pixel, a in zip(quantised, alpha):
        rgb = pixel[:3] if a >= 128 else b"\0\0\0"
        if rgb not in colours:
            colours.append(rgb)
        index.append(colours.index(rgb))
    if len(colours) > (1 << bits):
        sys.exit(f"{path}: {len(colours)} colours do not fit {bits} bits")
    palette = b"".join(bytes((c[2], c[1], c[0], 0)) for c in colours)
    palette += b"\0" * (4 * (1 << bits) - len(palette))
    rows = []
    for y in reversed(range(size)):
        line = index[y * size:(y + 1) * size]
        if bits == 4:
            line = [(line[i] << 4) | (line[i + 1] if i + 1 < size else 0) for i in range(0, size, 2)]
        rows.append(padded(bytes(line)))
    return size, palette, b"".join(rows), and_mask(size, alpha)


def true_colour_image(path):
    size, pixels = rgba_pixels(path)
    rows = [b"".join(bytes((p[2], p[1], p[0], p[3])) for p in pixels[y * size:(y + 1) * size])
            for y in reversed(range(size))]
    return size, b"", b"".join(rows), and_mask(size, [255] * len(pixels))


def main():
    out, arguments = sys.argv[1], sys.argv[2:]
    images = []
    for argument in arguments:
        path, kind = argument.rsplit(":", 1)
        if kind == "png":
            size, _ = rgba_pixels(path)
            with open(path, "rb") as file:
                images.append((size, 32, file.read()))
            continue
        bits = int(kind)
        size, palette, xor, mask = (true_colour_image(path) if bits == 32
                                    else palette_image(path, bits))
        header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, bits, 0,
                             len(xor) + len(mask), 0, 0, 0, 0)
        images.append((size, bits, header + palette + xor + mask))
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = b""
    for size, bits, data in images:
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 16 if bits == 4 else 0, 0, 1,
                               bits, len(data), offset)
        offset += len(data)
    with open(out, "wb") as file:
        file.write(directory + entries + b"".join(data for _, _, data in images))


main()
