#!/usr/bin/env python3
"""make_icon.py OUT.ico: writes the installer's icon, one 32 x 32 image with
24 bits per pixel: a box in the wizard's blue with a green arrow pointing
into it, on a transparent background."""
import struct
import sys

SIZE = 32
CLEAR = None
BOX = (0x2E, 0x6D, 0xB4)        # red, green, blue
BOX_DARK = (0x1C, 0x4A, 0x80)
LID = (0x5A, 0x94, 0xD8)
ARROW = (0x2F, 0xA8, 0x4F)
ARROW_DARK = (0x1E, 0x75, 0x36)


def pixel(x, y):
    """Colour at column x, row y (row 0 at the top), or CLEAR."""
    # The arrow: a shaft from the top down to a head that ends inside the box.
    if 13 <= x <= 18 and 1 <= y <= 11:
        return ARROW_DARK if x in (13, 18) else ARROW
    if 12 <= y <= 19:
        half = 19 - y
        if 15.5 - half - 1 <= x <= 15.5 + half + 1:
            edge = abs(x - 15.5) >= half
            return ARROW_DARK if edge else ARROW
    # The box: a lid across, then the body with a darker outline.
    if 14 <= y <= 17 and 3 <= x <= 28:
        return BOX_DARK if y == 14 or x in (3, 28) else LID
    if 18 <= y <= 29 and 5 <= x <= 26:
        return BOX_DARK if y == 29 or x in (5, 26) else BOX
    return CLEAR


def icon_bytes():
    rows = []
    mask_rows = []
    for y in reversed(range(SIZE)):  # bottom-up, as BMP rows are
        row = bytearray()
        mask = 0
        for x in range(SIZE):
            colour = pixel(x, y)
            if colour is CLEAR:
                row += b"\0\0\0"
                mask |= 1 << (SIZE - 1 - x)
            else:
                r, g, b = colour
                row += bytes((b, g, r))
        rows.append(bytes(row))
        mask_rows.append(struct.pack(">I", mask))
    pixels = b"".join(rows)
    masks = b"".join(mask_rows)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 24, 0, len(pixels) + len(masks), 0, 0, 0, 0)
    image = header + pixels + masks
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 24, len(image), 6 + 16)
    return directory + entry + image


if __name__ == "__main__":
    with open(sys.argv[1], "wb") as out:
        out.write(icon_bytes())
