"""The release Quenlow.exe read with pefile: QUENLOW_EXE=path python3 test_quenlow_exe.py Class"""

import functools
import os
import struct
import unittest
import xml.etree.ElementTree as ElementTree

import pefile

RT_CURSOR, RT_ICON, RT_GROUP_CURSOR, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 1, 3, 12, 14, 16, 24
EN, NEUTRAL = 1033, 0

# Windows' own libraries; a MinGW run-time DLL here would mean the program cannot start alone.
SYSTEM_DLLS = {"KERNEL32.DLL", "USER32.DLL", "GDI32.DLL", "COMCTL32.DLL", "MSVCRT.DLL",
               "ADVAPI32.DLL", "OLEACC.DLL", "UXTHEME.DLL", "OLE32.DLL", "OLEAUT32.DLL",
               "SHELL32.DLL", "COMDLG32.DLL"}

# Each icon group's images in directory order: (resource id, side in pixels, bits per pixel, bytes).
ICON_GROUPS = {
    "AAA": [(1, 64, 8, 5672), (2, 48, 8, 3752), (3, 32, 8, 2216), (4, 24, 8, 1736),
            (5, 16, 8, 1384)],
    1: [(30001, 32, 1, 304), (30002, 32, 4, 744), (30003, 16, 4, 296)],
}

# Every resource in directory order: (type, name, language). Named entries come first in a type,
# so "AAA" is the first icon group, the one Explorer shows.
RESOURCES = [(RT_CURSOR, 101, NEUTRAL)] + [
    (RT_ICON, image, EN if group == "AAA" else NEUTRAL)
    for group, images in ICON_GROUPS.items() for image, *_ in images] + [
    (RT_GROUP_CURSOR, "HAND", NEUTRAL), (RT_GROUP_ICON, "AAA", EN), (RT_GROUP_ICON, 1, NEUTRAL),
    (RT_VERSION, 1, EN), (RT_MANIFEST, 1, EN)]

VERSION_STRINGS = [("CompanyName", "Quenlow Software"), ("FileDescription", "Quenlow"),
                   ("LegalCopyright", "Copyright (C) 2026 Quenlow Software"),
                   ("ProductName", "Quenlow"), ("FileVersion", "1.00"), ("ProductVersion", "1.00"),
                   ("InternalName", "Quenlow"), ("OriginalFilename", "Quenlow.exe")]


@functools.cache
def executable():
    path = os.environ.get("QUENLOW_EXE")
    if not path:
        raise unittest.SkipTest("QUENLOW_EXE names no executable")
    return pefile.PE(path)


@functools.cache
def resources():
    """{(type, name): [(language, data), ...]}, in directory order."""
    image = executable()
    label = lambda entry: entry.id if entry.name is None else str(entry.name)  # noqa: E731
    found = {}
    for kind in image.DIRECTORY_ENTRY_RESOURCE.entries:
        for name in kind.directory.entries:
            for leaf in name.directory.entries:
                data = image.get_data(leaf.data.struct.OffsetToData, leaf.data.struct.Size)
                found.setdefault((label(kind), label(name)), []).append((leaf.id, data))
    return found


class ExecutableHeader(unittest.TestCase):
    def test_is_a_32_bit_windows_gui_program(self):
        header = executable().OPTIONAL_HEADER
        self.assertEqual(
            (header.Magic, executable().FILE_HEADER.Machine, header.Subsystem,
             header.MajorSubsystemVersion, header.MinorSubsystemVersion,
             header.MajorImageVersion, header.MinorImageVersion),
            (0x10B, 0x14C, 2, 4, 0, 1, 0), "PE32, i386, Windows GUI 4.0, image version 1.0")


class ImportedLibraries(unittest.TestCase):
    def test_only_windows_own_libraries(self):
        names = [entry.dll.decode().upper() for entry in executable().DIRECTORY_ENTRY_IMPORT]
        self.assertIn("KERNEL32.DLL", names)
        self.assertEqual(sorted(set(names) - SYSTEM_DLLS), [], "libraries Windows lacks")


class Resources(unittest.TestCase):
    def test_exactly_these_in_this_order(self):
        found = [(kind, name, language)
                 for (kind, name), leaves in resources().items() for language, _ in leaves]
        self.assertEqual(found, RESOURCES)

    def test_icon_groups_list_their_images(self):
        for group, images in ICON_GROUPS.items():
            directory = resources()[(RT_GROUP_ICON, group)][0][1]
            self.assertEqual(struct.unpack_from("<HHH", directory), (0, 1, len(images)))
            for position, (image, side, bits, size) in enumerate(images):
                with self.subTest(group=group, image=image):
                    colours = 0 if bits >= 8 else 1 << bits
                    self.assertEqual(struct.unpack_from("<BBBBHHIH", directory, 6 + 14 * position),
                                     (side % 256, side % 256, colours, 0, 1, bits, size, image))
                    self.assertEqual(len(resources()[(RT_ICON, image)][0][1]), size)

    def test_hand_cursor_is_one_32_pixel_16_colour_image(self):
        directory = resources()[(RT_GROUP_CURSOR, "HAND")][0][1]
        self.assertEqual(struct.unpack_from("<HHHHHHHIH", directory),
                         (0, 2, 1, 32, 64, 1, 4, 748, 101), "one 32 x 32 16-colour image")
        self.assertEqual(len(resources()[(RT_CURSOR, 101)][0][1]), 748)


class VersionBlock(unittest.TestCase):
    def test_fixed_part_translation_and_strings(self):
        image = executable()
        expected = {"FileVersionMS": 0x00010000, "FileVersionLS": 0, "ProductVersionMS": 0x00010000,
                    "ProductVersionLS": 0, "FileFlags": 0, "FileOS": 4, "FileType": 1}
        fixed = image.VS_FIXEDFILEINFO[0]
        self.assertEqual({key: getattr(fixed, key) for key in expected}, expected)
        blocks = {block.Key: block for block in image.FileInfo[0]}
        self.assertEqual([v.entry for v in blocks[b"VarFileInfo"].Var],
                         [{b"Translation": "0x0409 0x04b0"}])
        tables = blocks[b"StringFileInfo"].StringTable
        self.assertEqual([table.LangID.upper() for table in tables], [b"040904B0"])
        self.assertEqual([(k.decode(), v.decode()) for k, v in tables[0].entries.items()],
                         VERSION_STRINGS)


class Manifest(unittest.TestCase):
    def test_manifest_asks_for_common_controls_6_dpi_awareness_and_no_elevation(self):
        elements = list(ElementTree.fromstring(resources()[(RT_MANIFEST, 1)][0][1]).iter())

        def named(local):
            return [e for e in elements if e.tag.rsplit("}", 1)[-1] == local]

        identities = [(e.get("name"), e.get("version")) for e in named("assemblyIdentity")]
        self.assertIn(("Microsoft.Windows.Common-Controls", "6.0.0.0"), identities)
        self.assertEqual([e.get("level") for e in named("requestedExecutionLevel")],
                         ["asInvoker"])
        self.assertEqual([e.text for e in named("dpiAware")], ["true/pm"])
        self.assertEqual([e.text for e in named("dpiAwareness")], ["PerMonitorV2,PerMonitor"])


if __name__ == "__main__":
    unittest.main()
