"""Binary layouts of icon and cursor resources.

An icon or cursor image is a device-independent bitmap: a 40-byte BITMAPINFOHEADER whose height
counts the colour bits and the mask together (twice the picture), the palette as RGBQUADs, the
colour bits and then the 1-bit AND mask, both bottom-up with rows padded to 4 bytes. A mask bit
of 1 lets the screen show through; those pixels carry palette index 0, which is black.
"""

import struct

HEADER_SIZE = 40


def _row_bytes(width, bits):
    return (width * bits + 31) // 32 * 4


def _pack_row(indices, bits):
    data = bytearray(_row_bytes(len(indices), bits))
    per_byte = 8 // bits
    for x, index in enumerate(indices):
        shift = 8 - bits * (x % per_byte + 1)
        data[x // per_byte] |= index << shift
    return bytes(data)


def encode_image(rows, palette, bits):
    """rows: palette indices top-down, None for transparent; palette: (r, g, b) entries."""
    size = len(rows)
    if len(palette) != 1 << bits:
        raise ValueError("the palette must have exactly 2**bits entries")
    colour = b"".join(
        _pack_row([0 if i is None else i for i in row], bits) for row in reversed(rows))
    mask = b"".join(
        _pack_row([1 if i is None else 0 for i in row], 1) for row in reversed(rows))
    header = struct.pack("<IiiHHIIiiII", HEADER_SIZE, size, 2 * size, 1, bits, 0,
                         len(colour) + len(mask), 0, 0, 0, 0)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    return header + table + colour + mask


def decode_image(data):
    """The inverse of encode_image, for previews: rows of (r, g, b) or None."""
    _, width, height2, _, bits = struct.unpack_from("<IiiHH", data, 0)
    height = height2 // 2
    palette = [(data[o + 2], data[o + 1], data[o])
               for o in range(HEADER_SIZE, HEADER_SIZE + 4 * (1 << bits), 4)]
    colour_start = HEADER_SIZE + 4 * len(palette)
    mask_start = colour_start + _row_bytes(width, bits) * height
    rows = []
    for y in range(height - 1, -1, -1):
        row = []
        for x in range(width):
            bit_offset = x * bits
            byte = data[colour_start + y * _row_bytes(width, bits) + bit_offset // 8]
            index = (byte >> (8 - bits - bit_offset % 8)) & ((1 << bits) - 1)
            mask_byte = data[mask_start + y * _row_bytes(width, 1) + x // 8]
            row.append(None if mask_byte >> (7 - x % 8) & 1 else palette[index])
        rows.append(row)
    return rows


def image_fields(data):
    """(width, height, bit count) read back from an encoded image."""
    _, width, height2, _, bits = struct.unpack_from("<IiiHH", data, 0)
    return width, height2 // 2, bits


def _colour_count(bits):
    return 0 if bits >= 8 else 1 << bits


def icon_group(images):
    """GRPICONDIR for [(resource id, encoded image)], in the order given."""
    data = struct.pack("<HHH", 0, 1, len(images))
    for resource_id, image in images:
        width, height, bits = image_fields(image)
        data += struct.pack("<BBBBHHIH", width % 256, height % 256, _colour_count(bits), 0, 1,
                            bits, len(image), resource_id)
    return data


def cursor_resource(image, hot_spot):
    """An RT_CURSOR resource: the hot spot, then the image."""
    return struct.pack("<HH", *hot_spot) + image


def cursor_group(resource_id, resource):
    """The group directory of one cursor; it counts the height twice, as the bitmap does."""
    width, height, bits = image_fields(resource[4:])
    return struct.pack("<HHHHHHHIH", 0, 2, 1, width, 2 * height, 1, bits, len(resource),
                       resource_id)


def ico_file(images):
    """A .ico file of encoded images, for viewers."""
    data = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for image in images:
        width, height, bits = image_fields(image)
        data += struct.pack("<BBBBHHII", width % 256, height % 256, _colour_count(bits), 0, 1,
                            bits, len(image), offset)
        offset += len(image)
    return data + b"".join(images)


def cur_file(image, hot_spot):
    """A .cur file of one encoded image, for viewers."""
    width, height, bits = image_fields(image)
    return struct.pack("<HHHBBBBHHII", 0, 2, 1, width % 256, height % 256, _colour_count(bits), 0,
                       hot_spot[0], hot_spot[1], len(image), 22) + image
