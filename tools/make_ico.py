#!/usr/bin/env python3
"""Writes a Windows icon (.ico) holding the given PNG images as they are (PNG-in-ICO, which
Windows has read since Vista): the build makes the Windows program's icon from the rendered sizes
under packaging/icons/hicolor/.

    make_ico.py OUT.ico IMAGE.png...
"""
import struct
import sys


def png_size(data: bytes, name: str) -> tuple[int, int]:
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        sys.exit(f"make_ico: {name} is not a PNG file")
    return struct.unpack(">II", data[16:24])


def main() -> None:
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    images = []
    for name in sys.argv[2:]:
        with open(name, "rb") as f:
            data = f.read()
        width, height = png_size(data, name)
        if width > 256 or height > 256:
            sys.exit(f"make_ico: {name} is larger than 256 pixels")
        images.append((width, height, data))
    images.sort(key=lambda image: image[0])
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    entries, blobs = b"", b""
    for width, height, data in images:
        # 0 stands for 256 in the directory's one-byte sizes.
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(data), offset)
        blobs += data
        offset += len(data)
    with open(sys.argv[1], "wb") as f:
        f.write(header + entries + blobs)


if __name__ == "__main__":
    main()
