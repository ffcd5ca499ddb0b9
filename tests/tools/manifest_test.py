#!/usr/bin/env python3
"""manifest_test.py <program.exe>: the application manifest that Windows reads from the built program.

Windows takes a program's manifest from its resource of type 24, id 1 (learn.microsoft.com, "Application
manifests"). The test walks the program's resource directory to it, parses it as XML and checks what the
program relies on: the Windows versions it is written for, its own scaling per monitor, running as the
user who starts it, and the classic common controls (no dependency on version 6).
"""
import struct
import sys
import unittest
import xml.etree.ElementTree as ET

PROGRAM = open(sys.argv[1], "rb").read()

ASM1 = "{urn:schemas-microsoft-com:asm.v1}"
ASM3 = "{urn:schemas-microsoft-com:asm.v3}"
COMPAT = "{urn:schemas-microsoft-com:compatibility.v1}"
WS2005 = "{http://schemas.microsoft.com/SMI/2005/WindowsSettings}"
WS2016 = "{http://schemas.microsoft.com/SMI/2016/WindowsSettings}"

WINDOWS_7 = "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"
WINDOWS_8 = "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}"
WINDOWS_81 = "{1f676c76-80e1-4239-95bb-83d0f6d0da78}"
WINDOWS_10 = "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"


def sections(data):
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    count = struct.unpack_from("<H", data, pe + 6)[0]
    optional_size = struct.unpack_from("<H", data, pe + 20)[0]
    magic = struct.unpack_from("<H", data, pe + 24)[0]
    directories = pe + 24 + (96 if magic == 0x10B else 112)
    resource_rva = struct.unpack_from("<I", data, directories + 2 * 8)[0]
    table = pe + 24 + optional_size
    out = []
    for i in range(count):
        vsize, va, raw_size, raw_ptr = struct.unpack_from("<IIII", data, table + 40 * i + 8)
        out.append((va, max(vsize, raw_size), raw_ptr))
    return resource_rva, out


def offset_of(rva, table):
    for va, size, raw_ptr in table:
        if va <= rva < va + size:
            return raw_ptr + rva - va
    raise ValueError("address outside every section: %#x" % rva)


def entries(data, base, directory):
    named, numbered = struct.unpack_from("<HH", data, base + directory + 12)
    for i in range(named + numbered):
        name, target = struct.unpack_from("<II", data, base + directory + 16 + 8 * i)
        yield name, target


def resource(data, type_id, name_id):
    """The bytes of resource (type_id, name_id), whatever its language, or None."""
    rva, table = sections(data)
    base = offset_of(rva, table)
    for t, t_dir in entries(data, base, 0):
        if t != type_id:
            continue
        for n, n_dir in entries(data, base, t_dir & 0x7FFFFFFF):
            if n != name_id:
                continue
            for _, leaf in entries(data, base, n_dir & 0x7FFFFFFF):
                data_rva, size = struct.unpack_from("<II", data, base + leaf)
                start = offset_of(data_rva, table)
                return data[start:start + size]
    return None


class Manifest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        raw = resource(PROGRAM, 24, 1)
        if raw is None:
            raise AssertionError("the program carries no manifest (resource type 24, id 1)")
        cls.root = ET.fromstring(raw)

    def test_it_is_one_assembly_of_version_one(self):
        self.assertEqual(ASM1 + "assembly", self.root.tag)
        self.assertEqual("1.0", self.root.get("manifestVersion"))

    def test_it_names_every_windows_from_7_on(self):
        ids = {e.get("Id").lower() for e in self.root.iter(COMPAT + "supportedOS")}
        self.assertEqual({WINDOWS_7, WINDOWS_8, WINDOWS_81, WINDOWS_10}, ids)

    def test_it_scales_itself_per_monitor(self):
        aware = [e.text.strip() for e in self.root.iter(WS2005 + "dpiAware")]
        awareness = [e.text.strip() for e in self.root.iter(WS2016 + "dpiAwareness")]
        self.assertEqual(["true/pm"], aware)
        self.assertEqual(["PerMonitorV2, PerMonitor"], awareness)

    def test_it_runs_as_the_user_who_starts_it(self):
        levels = list(self.root.iter(ASM3 + "requestedExecutionLevel"))
        self.assertEqual(1, len(levels))
        self.assertEqual("asInvoker", levels[0].get("level"))
        self.assertEqual("false", levels[0].get("uiAccess"))

    def test_it_keeps_the_classic_common_controls(self):
        names = [e.get("name") for e in self.root.iter(ASM1 + "assemblyIdentity")]
        self.assertNotIn("Microsoft.Windows.Common-Controls", names)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
