"""Parses a VS_VERSIONINFO resource into its fixed part and its child blocks, in file order."""

import struct

FIXED_SIGNATURE = 0xFEEF04BD
FIXED_FIELDS = ("signature", "struct_version", "file_version_ms", "file_version_ls",
                "product_version_ms", "product_version_ls", "flags_mask", "flags", "os", "type",
                "subtype", "date_ms", "date_ls")


class Node:
    """A block: its key, its value bytes, its children."""

    def __init__(self, key, value, children):
        self.key, self.value, self.children = key, value, children

    def text(self):
        return self.value.decode("utf-16-le").rstrip("\0")


def _align(offset):
    return (offset + 3) & ~3


def _node(data, start, ancestors):
    length, value_length = struct.unpack_from("<HH", data, start)
    end = start + length
    key_end = start + 6
    while data[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = data[start + 6:key_end].decode("utf-16-le")
    value_start = _align(key_end + 2)
    if len(ancestors) == 3 and ancestors[1] == "StringFileInfo":
        # A string of a string table: the value runs to the end of the block (writers
        # disagree on whether wValueLength counts characters or bytes).
        return Node(key, data[value_start:end], []), _align(end)
    value = data[value_start:value_start + value_length]
    children = []
    position = _align(value_start + value_length)
    while position < end:
        child, position = _node(data, position, ancestors + [key])
        children.append(child)
    return Node(key, value, children), _align(end)


def parse(data):
    """(fixed fields as a dict, root Node)."""
    root, _ = _node(data, 0, [])
    fixed = dict(zip(FIXED_FIELDS, struct.unpack_from("<13I", root.value, 0)))
    return fixed, root
