#!/usr/bin/env python3
"""Moves the raw data of a linked program's sections to page-aligned places in the file.

    pagealign.py [--max-growth BYTES] <program.exe>     rewrites the file in place

The linker lays sections out at 512-byte boundaries, which keeps the file small. A loader that maps
the file page by page (Wine does) can only map a section whose data starts on a 4096-byte boundary;
any other section it reads into memory of the process's own, so the program's code, constants and
resources would cost their whole size in private memory. Here as many bytes of sections as possible
move to page boundaries, with the other sections filling the gaps that leaves, so that
the file grows by at most BYTES (1024 unless told) over the sections packed end to end.

Only file offsets change: every address in the image, the headers' sizes and the sections' contents
stay as they are. A file carrying a certificate table, a symbol table or data after its last section
is left alone.
"""
import itertools
import os
import struct
import sys

PAGE = 4096


def align(value, to):
    return (value + to - 1) // to * to


class Section:
    def __init__(self, data, offset):
        self.offset = offset
        self.name = data[offset:offset + 8].rstrip(b"\0").decode("latin-1")
        (self.vsize, self.va, self.raw_size, self.raw_ptr) = struct.unpack_from("<4I", data, offset + 8)
        self.flags = struct.unpack_from("<I", data, offset + 36)[0]
        self.new_ptr = self.raw_ptr

    def can_be_mapped(self):
        """A page or more long: worth mapping, since mapped pages cost nothing until read (nor, in a
        writable section, until written)."""
        return self.raw_size >= PAGE


def best_fill(fillers, gap):
    """The fillers that fill the most of a gap of `gap` bytes (there are only a few of them)."""
    best, best_sum = (), 0
    for mask in range(1 << len(fillers)):
        chosen = tuple(f for i, f in enumerate(fillers) if mask >> i & 1)
        total = sum(f.raw_size for f in chosen)
        if best_sum < total <= gap:
            best, best_sum = chosen, total
    return best


def plan(order, fillers, headers_end):
    """Places the sections of `order` on page boundaries, in that order, with the others filling the
    gaps before them; returns (end of the data, {section: file offset})."""
    pos, where, pool = headers_end, {}, list(fillers)
    for m in order:
        # The gap may also reach a later page boundary, when the fillers fill that one better.
        options = []
        for extra in range(0, sum(f.raw_size for f in pool) + PAGE, PAGE):
            gap = align(pos, PAGE) - pos + extra
            fill = best_fill(pool, gap)
            options.append((gap - sum(f.raw_size for f in fill), extra, fill))
        waste, _, fill = min(options, key=lambda o: (o[0], o[1]))
        for f in fill:
            where[f] = pos
            pos += f.raw_size
            pool.remove(f)
        pos += waste
        where[m] = pos
        pos += m.raw_size
    for f in pool:
        where[f] = pos
        pos += f.raw_size
    return pos, where


def layout(sections, headers_end, file_align, max_growth):
    """Gives the sections new file offsets, with as many bytes as possible on page boundaries, in a
    file at most `max_growth` bytes longer than the sections packed end to end. Returns the new end
    of the file and the bytes mapped, or (None, 0) when no section fits."""
    with_data = [s for s in sections if s.raw_size]
    candidates = [s for s in with_data if s.can_be_mapped()]
    packed_end = headers_end + sum(s.raw_size for s in with_data)
    best = None
    for mask in range(1, 1 << len(candidates)):
        chosen = [c for i, c in enumerate(candidates) if mask >> i & 1]
        mapped = sum(c.raw_size for c in chosen)
        if best and mapped < best[0]:
            continue
        others = [s for s in with_data if s not in chosen]
        for order in itertools.permutations(chosen):
            end, where = plan(order, others, headers_end)
            if end - packed_end <= max_growth and (not best or mapped > best[0] or end < best[1]):
                best = (mapped, end, where)
    if not best:
        return None, 0
    for s, offset in best[2].items():
        s.new_ptr = offset
    return align(best[1], file_align), best[0]


def section_table(data):
    """The sections of a PE file, in the order of its section table."""
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    count, = struct.unpack_from("<H", data, pe + 6)
    optional_size, = struct.unpack_from("<H", data, pe + 20)
    return [Section(data, pe + 24 + optional_size + 40 * i) for i in range(count)]


def checksum(data):
    total = 0
    for (word,) in struct.iter_unpack("<H", data + b"\0" * (len(data) % 2)):
        total += word
        total = (total & 0xFFFF) + (total >> 16)
    return (total + len(data)) & 0xFFFFFFFF


def rewrite(data, max_growth):
    """The rewritten file, or None when the file stays as it is (the reason printed)."""
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        raise ValueError("not a PE file")
    count, = struct.unpack_from("<H", data, pe + 6)
    symbols, = struct.unpack_from("<I", data, pe + 12)
    optional_size, = struct.unpack_from("<H", data, pe + 20)
    opt = pe + 24
    magic, = struct.unpack_from("<H", data, opt)
    file_align, = struct.unpack_from("<I", data, opt + 36)
    headers_size, = struct.unpack_from("<I", data, opt + 60)
    directories = opt + (96 if magic == 0x10B else 112)
    directory_count, = struct.unpack_from("<I", data, directories - 4)
    if symbols:
        print("pagealign: the file has a symbol table; left as it is")
        return None
    if directory_count > 4 and struct.unpack_from("<II", data, directories + 4 * 8)[1]:
        print("pagealign: the file is signed; left as it is")
        return None
    sections = section_table(data)
    with_data = [s for s in sections if s.raw_size]
    file_end = max((s.raw_ptr + s.raw_size for s in with_data), default=headers_size)
    if len(data) > align(file_end, file_align):
        print("pagealign: the file has data after its last section; left as it is")
        return None
    mapped_now = sum(s.raw_size for s in with_data if s.can_be_mapped() and s.raw_ptr % PAGE == 0)
    end, mapped = layout(sections, align(headers_size, file_align), file_align, max_growth)
    if end is None or mapped <= mapped_now:
        for s in sections:
            s.new_ptr = s.raw_ptr
        return None

    out = bytearray(end)
    out[:headers_size] = data[:headers_size]
    for s in with_data:
        out[s.new_ptr:s.new_ptr + s.raw_size] = data[s.raw_ptr:s.raw_ptr + s.raw_size]
        struct.pack_into("<I", out, s.offset + 20, s.new_ptr)
    # Debug directory entries hold file offsets too.
    if directory_count > 6:
        debug_rva, debug_size = struct.unpack_from("<II", data, directories + 6 * 8)
        for s in with_data:
            if debug_size and s.va <= debug_rva < s.va + s.raw_size:
                first = s.new_ptr + debug_rva - s.va
                for entry in range(first, first + debug_size, 28):
                    rva, = struct.unpack_from("<I", out, entry + 20)
                    for t in with_data:
                        if rva and t.va <= rva < t.va + t.raw_size:
                            struct.pack_into("<I", out, entry + 24, t.new_ptr + rva - t.va)
    # A checksum the linker wrote is made again for the new file.
    if struct.unpack_from("<I", data, opt + 64)[0]:
        struct.pack_into("<I", out, opt + 64, 0)
        struct.pack_into("<I", out, opt + 64, checksum(bytes(out)))
    return bytes(out)


def main(argv):
    args = argv[1:]
    max_growth = 1024
    if len(args) == 3 and args[0] == "--max-growth":
        max_growth, args = int(args[1]), args[2:]
    if len(args) != 1:
        print("usage: pagealign.py [--max-growth BYTES] <program.exe>", file=sys.stderr)
        return 2
    path = args[0]
    with open(path, "rb") as f:
        data = f.read()
    out = rewrite(data, max_growth)
    if out is None:
        return 0
    tmp = path + ".tmp"
    with open(tmp, "wb") as f:
        f.write(out)
    os.replace(tmp, path)
    names = [s.name for s in sorted((s for s in section_table(out) if s.raw_size), key=lambda s: s.raw_ptr)]
    print(f"pagealign: {os.path.basename(path)}: {len(data)} -> {len(out)} bytes; sections in the file: "
          + ", ".join(names))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
