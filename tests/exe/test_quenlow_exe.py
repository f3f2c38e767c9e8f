"""Static checks of the release Quenlow.exe: header, imports and resources, read with pefile.

Run one group of checks per CTest test:  QUENLOW_EXE=path python3 test_quenlow_exe.py ClassName
"""

import collections
import filecmp
import functools
import os
import struct
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ElementTree

import pefile

RT_CURSOR, RT_ICON, RT_GROUP_CURSOR, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 1, 3, 12, 14, 16, 24
ENGLISH_US, NEUTRAL = 1033, 0

# Windows' own libraries; a MinGW run-time DLL here would mean the program cannot start alone.
SYSTEM_DLLS = {"KERNEL32.DLL", "USER32.DLL", "GDI32.DLL", "COMCTL32.DLL", "MSVCRT.DLL",
               "ADVAPI32.DLL", "OLEACC.DLL", "UXTHEME.DLL", "OLE32.DLL", "OLEAUT32.DLL",
               "SHELL32.DLL", "COMDLG32.DLL"}

# (resource id, side in pixels, bits per pixel, bytes), in the order of the group directory.
PROGRAM_ICON = [(1, 64, 8, 5672), (2, 48, 8, 3752), (3, 32, 8, 2216), (4, 24, 8, 1736),
                (5, 16, 8, 1384)]
WINDOW_ICON = [(30001, 32, 1, 304), (30002, 32, 4, 744), (30003, 16, 4, 296)]

VERSION_STRINGS = [("CompanyName", "Quenlow Software"), ("FileDescription", "Quenlow"),
                   ("LegalCopyright", "Copyright (C) 2026 Quenlow Software"),
                   ("ProductName", "Quenlow"), ("FileVersion", "1.00"), ("ProductVersion", "1.00"),
                   ("InternalName", "Quenlow"), ("OriginalFilename", "Quenlow.exe")]

REPO = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))

# One leaf of the resource tree; type and name are an int id or a str.
Resource = collections.namedtuple("Resource", "kind name language data")


@functools.cache
def executable():
    path = os.environ.get("QUENLOW_EXE")
    if not path:
        raise unittest.SkipTest("QUENLOW_EXE names no executable")
    return pefile.PE(path)


class ExeTestCase(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        image = executable()
        label = lambda entry: entry.id if entry.name is None else str(entry.name)  # noqa: E731
        cls.resources = [
            Resource(label(kind), label(name), leaf.id,
                     image.get_data(leaf.data.struct.OffsetToData, leaf.data.struct.Size))
            for kind in image.DIRECTORY_ENTRY_RESOURCE.entries
            for name in kind.directory.entries for leaf in name.directory.entries]

    def find(self, kind, name):
        matches = [r for r in self.resources if r.kind == kind and r.name == name]
        self.assertEqual(len(matches), 1, f"resource type {kind} name {name!r}: expected one, "
                                          f"got {[r[:3] for r in matches]}")
        return matches[0]

    def check_icon_group(self, group, expected):
        reserved, kind, count = struct.unpack_from("<HHH", group.data, 0)
        self.assertEqual((reserved, kind), (0, 1), "group directory header")
        self.assertEqual(count, len(expected), "number of images in the group")
        self.assertEqual(len(group.data), 6 + 14 * count, "group directory size")
        for position, (resource_id, side, bits, size) in enumerate(expected):
            with self.subTest(position=position + 1, resource=resource_id):
                width, height, colours, _, planes, bit_count, byte_count, listed_id = \
                    struct.unpack_from("<BBBBHHIH", group.data, 6 + 14 * position)
                self.assertEqual(listed_id, resource_id, "icon resource id")
                self.assertEqual((width, height), (side % 256, side % 256), "size")
                self.assertEqual((planes, bit_count), (1, bits), "planes and bits per pixel")
                self.assertEqual(colours, 0 if bits >= 8 else 1 << bits, "colour count")
                self.assertEqual(byte_count, size, "bytes listed in the directory")
                self.check_icon_image(self.find(RT_ICON, resource_id), side, bits, size)

    def check_icon_image(self, resource, side, bits, size):
        data = resource.data
        self.assertEqual(len(data), size, f"bytes of icon {resource.name}")
        self.assertNotEqual(data[:8], b"\x89PNG\r\n\x1a\n", "images are bitmaps, not PNG")
        header, width, height, planes, bit_count, compression = struct.unpack_from(
            "<IiiHHI", data, 0)
        self.assertEqual(header, 40, "BITMAPINFOHEADER size")
        self.assertEqual((width, height), (side, 2 * side), "bitmap size, mask included")
        self.assertEqual((planes, bit_count, compression), (1, bits, 0), "uncompressed DIB")
        row = lambda bpp: (side * bpp + 31) // 32 * 4  # noqa: E731
        layout = 40 + 4 * (1 << bits) + row(bits) * side + row(1) * side
        self.assertEqual(layout, size, "header, full palette, colour bits and mask add up")


class ExecutableHeader(unittest.TestCase):
    def test_is_a_32_bit_windows_gui_program(self):
        image = executable()
        header = image.OPTIONAL_HEADER
        self.assertEqual(header.Magic, 0x10B, "optional header magic (PE32)")
        self.assertEqual(image.FILE_HEADER.Machine, 0x14C, "machine (i386)")
        self.assertEqual(header.Subsystem, 2, "subsystem (Windows GUI)")
        self.assertEqual((header.MajorSubsystemVersion, header.MinorSubsystemVersion), (4, 0),
                         "subsystem version")
        self.assertEqual((header.MajorImageVersion, header.MinorImageVersion), (1, 0),
                         "image version")


class ImportedLibraries(unittest.TestCase):
    def test_only_windows_own_libraries(self):
        names = [entry.dll.decode().upper() for entry in executable().DIRECTORY_ENTRY_IMPORT]
        self.assertIn("KERNEL32.DLL", names)
        self.assertEqual(sorted(set(names) - SYSTEM_DLLS), [], "libraries Windows lacks")


class ProgramIconGroup(ExeTestCase):
    def test_aaa_is_the_first_icon_group_in_english(self):
        groups = [r for r in self.resources if r.kind == RT_GROUP_ICON]
        self.assertTrue(groups, "no icon group at all")
        self.assertEqual((groups[0].name, groups[0].language), ("AAA", ENGLISH_US))

    def test_images_1_to_5(self):
        self.check_icon_group(self.find(RT_GROUP_ICON, "AAA"), PROGRAM_ICON)
        for resource_id, *_ in PROGRAM_ICON:
            self.assertEqual(self.find(RT_ICON, resource_id).language, ENGLISH_US)


class WindowIconGroup(ExeTestCase):
    def test_group_1_is_language_neutral(self):
        self.assertEqual(self.find(RT_GROUP_ICON, 1).language, NEUTRAL)

    def test_images_30001_to_30003(self):
        self.check_icon_group(self.find(RT_GROUP_ICON, 1), WINDOW_ICON)

    def test_no_other_icons(self):
        ids = sorted(r.name for r in self.resources if r.kind == RT_ICON)
        self.assertEqual(ids, sorted(i for i, *_ in PROGRAM_ICON + WINDOW_ICON))
        groups = [r.name for r in self.resources if r.kind == RT_GROUP_ICON]
        self.assertEqual(groups, ["AAA", 1])


class HandCursor(ExeTestCase):
    def test_hand_is_one_32_pixel_16_colour_cursor(self):
        group = self.find(RT_GROUP_CURSOR, "HAND")
        reserved, kind, count, width, height, planes, bits, size, cursor_id = \
            struct.unpack_from("<HHHHHHHIH", group.data, 0)
        self.assertEqual((reserved, kind, count), (0, 2, 1), "cursor group header")
        self.assertEqual((width, height, planes, bits), (32, 64, 1, 4), "cursor entry")
        cursor = self.find(RT_CURSOR, cursor_id)
        self.assertEqual(len(cursor.data), size, "bytes listed in the directory")
        self.assertEqual(size, 4 + 744, "hot spot, then a 32 x 32 16-colour bitmap and mask")
        hot_x, hot_y = struct.unpack_from("<HH", cursor.data, 0)
        self.assertTrue(0 <= hot_x < 32 and 0 <= hot_y < 32, "hot spot inside the picture")
        mask = cursor.data[4 + 40 + 64 + 16 * 32:]
        row = mask[(31 - hot_y) * 4:(32 - hot_y) * 4]
        self.assertEqual(row[hot_x // 8] >> (7 - hot_x % 8) & 1, 0, "hot spot on the hand")


class VersionBlock(ExeTestCase):
    # pefile keeps the blocks of VS_VERSIONINFO, and the strings of a table, in file order.
    def setUp(self):
        self.assertEqual(self.find(RT_VERSION, 1).language, ENGLISH_US)
        self.image = executable()
        self.blocks = self.image.FileInfo[0]

    def test_fixed_part(self):
        self.assertEqual(self.image.VS_VERSIONINFO[0].Key, b"VS_VERSION_INFO")
        expected = {
            "Signature": 0xFEEF04BD,
            "FileVersionMS": 0x00010000, "FileVersionLS": 0,
            "ProductVersionMS": 0x00010000, "ProductVersionLS": 0,
            "FileFlagsMask": 0, "FileFlags": 0, "FileOS": 4, "FileType": 1, "FileSubtype": 0,
            "FileDateMS": 0, "FileDateLS": 0,
        }
        fixed = self.image.VS_FIXEDFILEINFO[0]
        self.assertEqual({k: getattr(fixed, k) for k in expected}, expected)

    def test_translation_block_comes_first(self):
        self.assertEqual([block.Key for block in self.blocks], [b"VarFileInfo", b"StringFileInfo"])
        variables = self.blocks[0].Var
        self.assertEqual([v.entry for v in variables], [{b"Translation": "0x0409 0x04b0"}])
        # pefile reads only the first Var and keeps the last pair of its value: the lengths show
        # that the block holds that one Var (after a 32-byte header and key) with one pair.
        self.assertEqual((self.blocks[0].Length, variables[0].ValueLength),
                         (32 + variables[0].Length, 4), "one Var with one translation")

    def test_strings_in_order(self):
        tables = self.blocks[1].StringTable
        self.assertEqual([table.LangID.upper() for table in tables], [b"040904B0"])
        self.assertEqual([(k.decode(), v.decode()) for k, v in tables[0].entries.items()],
                         VERSION_STRINGS)


class Manifest(ExeTestCase):
    def test_manifest_asks_for_common_controls_6_dpi_awareness_and_no_elevation(self):
        root = ElementTree.fromstring(self.find(RT_MANIFEST, 1).data)
        elements = list(root.iter())

        def named(local):
            return [e for e in elements if e.tag.rsplit("}", 1)[-1] == local]

        identities = [(e.get("name"), e.get("version")) for e in named("assemblyIdentity")]
        self.assertIn(("Microsoft.Windows.Common-Controls", "6.0.0.0"), identities)
        self.assertEqual([e.get("level") for e in named("requestedExecutionLevel")],
                         ["asInvoker"])
        self.assertEqual([e.text for e in named("dpiAware")], ["true/pm"])
        self.assertEqual([e.text for e in named("dpiAwareness")], ["PerMonitorV2,PerMonitor"])


class ArtworkUpToDate(unittest.TestCase):
    def test_generator_rewrites_the_committed_files(self):
        committed = os.path.join(REPO, "app", "resources", "art")
        generator = os.path.join(REPO, "tools", "artwork", "generate.py")
        with tempfile.TemporaryDirectory() as fresh:
            subprocess.run([sys.executable, generator, "--out", fresh], check=True)
            names = sorted(os.listdir(fresh))
            self.assertEqual(sorted(os.listdir(committed)), names, "files in the art folder")
            _, differ, errors = filecmp.cmpfiles(committed, fresh, names, shallow=False)
            self.assertEqual(differ + errors, [], "files that the generator would change")


if __name__ == "__main__":
    unittest.main()
