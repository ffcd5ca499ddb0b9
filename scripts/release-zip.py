#!/usr/bin/env python3
"""release-zip.py <out.zip> <epoch> <file>...: the release zip, the same bytes from the same inputs.

Entries go in by name order, flat, each stamped with the commit's time (`epoch`, seconds since 1970,
UTC) and plain read-write attributes; text files (.txt) get Windows line ends, so that Notepad on
Windows 7 shows them as lines. SHA256SUMS.txt, listing every other entry, is added last in name
order like the rest.
"""
import hashlib
import os
import sys
import time
import zipfile


def entries(paths):
    out = {}
    for path in paths:
        data = open(path, "rb").read()
        name = os.path.basename(path)
        if name.lower().endswith(".txt"):
            data = data.replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")
        out[name] = data
    sums = "".join(f"{hashlib.sha256(out[n]).hexdigest()} *{n}\r\n" for n in sorted(out))
    out["SHA256SUMS.txt"] = sums.encode("ascii")
    return out


def write(zip_path, epoch, files):
    # A zip stores local time without a zone; the commit's UTC time stands for it, and 1980 is the
    # earliest a zip can hold.
    stamp = time.gmtime(max(epoch, 315532800))[:6]
    with zipfile.ZipFile(zip_path, "w") as z:
        for name in sorted(files):
            info = zipfile.ZipInfo(name, date_time=stamp)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.create_system = 0          # made on "MS-DOS": Windows reads the attributes as its own
            info.external_attr = 0x20       # the archive bit alone: an ordinary, writable file
            z.writestr(info, files[name], compresslevel=9)


if __name__ == "__main__":
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    write(sys.argv[1], int(sys.argv[2]), entries(sys.argv[3:]))
