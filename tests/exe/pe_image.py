"""Reads the parts of a Windows PE executable that the static checks look at.

Only the structures the checks need: the COFF and optional headers, the section table (to turn
relative virtual addresses into file offsets), the import directory and the resource tree.
"""

import struct

PE32_MAGIC = 0x10B
PE32_PLUS_MAGIC = 0x20B


class PeFormatError(Exception):
    pass


class Resource:
    """One leaf of the resource tree; type and name are an int id or an upper-case str."""

    def __init__(self, kind, name, language, data):
        self.kind, self.name, self.language, self.data = kind, name, language, data

    def __repr__(self):
        return f"Resource({self.kind!r}, {self.name!r}, {self.language}, {len(self.data)} bytes)"


class PeImage:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise PeFormatError("no MZ signature")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise PeFormatError("no PE signature")
        (self.machine, section_count, _, _, _, optional_size,
         self.characteristics) = struct.unpack_from("<HHIIIHH", data, pe + 4)
        optional = pe + 24
        self.magic = struct.unpack_from("<H", data, optional)[0]
        (self.major_image_version, self.minor_image_version, self.major_subsystem_version,
         self.minor_subsystem_version) = struct.unpack_from("<HHHH", data, optional + 44)
        self.subsystem = struct.unpack_from("<H", data, optional + 68)[0]
        directories = optional + (96 if self.magic == PE32_MAGIC else 112)
        count = struct.unpack_from("<I", data, directories - 4)[0]
        self.directories = [struct.unpack_from("<II", data, directories + 8 * i)
                            for i in range(count)]
        self.sections = []
        table = optional + optional_size
        for i in range(section_count):
            name, virtual_size, address, raw_size, raw_offset = struct.unpack_from(
                "<8sIIII", data, table + 40 * i)
            self.sections.append((name.rstrip(b"\0").decode("ascii", "replace"),
                                  address, max(virtual_size, raw_size), raw_offset))

    def offset(self, rva):
        for _, address, size, raw_offset in self.sections:
            if address <= rva < address + size:
                return raw_offset + rva - address
        raise PeFormatError(f"address {rva:#x} lies in no section")

    def _c_string(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("ascii")

    def imported_dlls(self):
        """Names of the DLLs in the import directory, as the file spells them."""
        rva, size = self.directories[1] if len(self.directories) > 1 else (0, 0)
        names = []
        if not rva or not size:
            return names
        position = self.offset(rva)
        while True:
            fields = struct.unpack_from("<IIIII", self.data, position)
            if not any(fields):
                return names
            names.append(self._c_string(fields[3]))
            position += 20

    def resources(self):
        """Every resource leaf, in the order of the resource directory."""
        rva, size = self.directories[2] if len(self.directories) > 2 else (0, 0)
        if not rva or not size:
            return []
        base = self.offset(rva)
        found = []

        def entry_id(value):
            if not value & 0x80000000:
                return value
            start = base + (value & 0x7FFFFFFF)
            length = struct.unpack_from("<H", self.data, start)[0]
            return self.data[start + 2:start + 2 + 2 * length].decode("utf-16-le")

        def walk(directory, path):
            named, numbered = struct.unpack_from("<HH", self.data, base + directory + 12)
            for i in range(named + numbered):
                name, target = struct.unpack_from("<II", self.data, base + directory + 16 + 8 * i)
                key = path + [entry_id(name)]
                if target & 0x80000000:
                    walk(target & 0x7FFFFFFF, key)
                else:
                    data_rva, data_size = struct.unpack_from("<II", self.data, base + target)
                    start = self.offset(data_rva)
                    found.append(Resource(key[0], key[1], key[2],
                                          self.data[start:start + data_size]))

        walk(0, [])
        return found


def load(path):
    with open(path, "rb") as file:
        return PeImage(file.read())
