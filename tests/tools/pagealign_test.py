#!/usr/bin/env python3
"""pagealign_test.py <pagealign.py> <program.exe>: the post-link section mover, on the program itself.

The shipped program is packed back the way the linker lays it out (sections end to end at 512-byte
boundaries), then moved again; the moved file must hold every section's bytes unchanged at its new
offset, start the sections it maps on page boundaries, overlap nothing and grow by at most the
allowance. Files the mover must not touch are left byte for byte.
"""
import importlib.util
import struct
import sys
import unittest

module_source = importlib.util.spec_from_file_location("pagealign", sys.argv[1])
pagealign = importlib.util.module_from_spec(module_source)
module_source.loader.exec_module(pagealign)
PROGRAM = open(sys.argv[2], "rb").read()


def headers_size(data):
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    return struct.unpack_from("<I", data, pe + 24 + 60)[0]


def packed(data):
    """The file with its sections' data end to end in table order, as the linker writes it."""
    out = bytearray(data[:headers_size(data)])
    out += b"\0" * (pagealign.align(len(out), 512) - len(out))
    for s in pagealign.section_table(data):
        if s.raw_size:
            struct.pack_into("<I", out, s.offset + 20, len(out))
            out += data[s.raw_ptr:s.raw_ptr + s.raw_size]
    return bytes(out)


def checksum_field(data):
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    return pe + 24 + 64


def fresh_checksum(data):
    """The PE checksum of a file as a verifying tool computes it: the file's 16-bit words added with
    their carries folded back in, the checksum field counted as zero, plus the file's length."""
    blank = bytearray(data)
    field = checksum_field(blank)
    blank[field:field + 4] = bytes(4)
    if len(blank) % 2:
        blank.append(0)
    total = sum(memoryview(bytes(blank)).cast("H"))
    while total >> 16:
        total = (total & 0xFFFF) + (total >> 16)
    return total + len(data)


def stored_checksum(data):
    return struct.unpack_from("<I", data, checksum_field(data))[0]


def contents(data):
    return {s.name: data[s.raw_ptr:s.raw_ptr + s.raw_size] for s in pagealign.section_table(data)}


class PageAlign(unittest.TestCase):
    def test_the_shipped_program_has_its_code_on_a_page_boundary(self):
        text = next(s for s in pagealign.section_table(PROGRAM) if s.name == ".text")
        self.assertEqual(0, text.raw_ptr % 4096)

    def test_moving_keeps_every_byte_and_maps_the_large_sections(self):
        before = packed(PROGRAM)
        self.assertNotEqual(0, next(s for s in pagealign.section_table(before) if s.name == ".text").raw_ptr % 4096)
        after = pagealign.rewrite(before, 1024)
        self.assertTrue(after is not None)
        self.assertLessEqual(len(after), len(before) + 1024)
        self.assertEqual(contents(before), contents(after))
        moved = pagealign.section_table(after)
        by_name = {s.name: s for s in moved}
        self.assertEqual(0, by_name[".text"].raw_ptr % 4096)
        mapped = sum(s.raw_size for s in moved if s.can_be_mapped() and s.raw_ptr % 4096 == 0)
        self.assertGreaterEqual(mapped, by_name[".text"].raw_size)
        spans = sorted((s.raw_ptr, s.raw_ptr + s.raw_size) for s in moved if s.raw_size)
        self.assertGreaterEqual(spans[0][0], headers_size(after))
        for (_, end), (start, _) in zip(spans, spans[1:]):
            self.assertLessEqual(end, start)
        self.assertLessEqual(spans[-1][1], len(after))
        # Only the section table's file offsets (and a checksum, when there is one) change.
        table = {s.offset + 20 for s in moved}
        pe = struct.unpack_from("<I", after, 0x3C)[0]
        checksum = pe + 24 + 64
        for i in range(headers_size(after)):
            if not any(t <= i < t + 4 for t in table | {checksum}):
                self.assertEqual(before[i], after[i], f"header byte {i:#x}")

    def test_the_checksum_written_is_the_new_files_own(self):
        # The shipped program, as the build step left it.
        self.assertNotEqual(0, stored_checksum(PROGRAM))
        self.assertEqual(fresh_checksum(PROGRAM), stored_checksum(PROGRAM))
        # A file moved again, whatever checksum the linker had written into it.
        for old in (stored_checksum(PROGRAM), 0x12345678):
            with self.subTest(old=hex(old)):
                before = bytearray(packed(PROGRAM))
                struct.pack_into("<I", before, checksum_field(before), old)
                after = pagealign.rewrite(bytes(before), 1024)
                self.assertTrue(after is not None)
                self.assertEqual(fresh_checksum(after), stored_checksum(after))

    def test_a_file_already_moved_is_left_as_it_is(self):
        once = pagealign.rewrite(packed(PROGRAM), 1024)
        self.assertTrue(pagealign.rewrite(once, 1024) is None)

    def test_no_allowance_for_growth_moves_only_what_fits_for_free(self):
        before = packed(PROGRAM)
        after = pagealign.rewrite(before, 0)
        if after is not None:
            self.assertLessEqual(len(after), len(before))
            self.assertEqual(contents(before), contents(after))

    def test_a_file_with_data_after_its_sections_or_a_signature_is_not_touched(self):
        before = packed(PROGRAM)
        self.assertTrue(pagealign.rewrite(before + b"\0" * 1024, 1024) is None)
        signed = bytearray(before)
        pe = struct.unpack_from("<I", signed, 0x3C)[0]
        # The certificate table is the fifth data directory, after the optional header's fixed part,
        # which is longer in a 64-bit file.
        magic = struct.unpack_from("<H", signed, pe + 24)[0]
        fixed = 96 if magic == 0x10B else 112
        struct.pack_into("<II", signed, pe + 24 + fixed + 4 * 8, len(before), 8)
        self.assertTrue(pagealign.rewrite(bytes(signed), 1024) is None)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=1)
