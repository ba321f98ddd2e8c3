#!/usr/bin/env python3
"""Writes a compiled-help (ITSF) container holding the given pages.

usage: make_chm.py OUTPUT.chm PAGE...

The container has the two header sections, a one-chunk directory (one PMGL
listing chunk) and the pages stored uncompressed in content section 0, each
under "/" and its file name. The timestamp is fixed, so the output depends
only on the pages.
"""
import os
import struct
import sys
import uuid

CHUNK_SIZE = 0x1000
ITSF_HEADER_SIZE = 0x60
SECTION0_SIZE = 0x18
ITSP_HEADER_SIZE = 0x54
ITSF_GUID_1 = uuid.UUID("7C01FD10-7BAA-11D0-9E0C-00A0C922E6EC").bytes_le
ITSF_GUID_2 = uuid.UUID("7C01FD11-7BAA-11D0-9E0C-00A0C922E6EC").bytes_le
ITSP_GUID = uuid.UUID("5D02926A-212E-11D0-9DF9-00A0C922E6EC").bytes_le
LANGUAGE = 0x0409
DENSITY = 2  # a quick-reference entry every 1 + 2**DENSITY directory entries


def encint(value):
    """The directory's variable-length integer: 7 bits a byte, high bit set on all but the last."""
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.append(0x80 | (value & 0x7F))
        value >>= 7
    return bytes(reversed(out))


def listing_chunk(entries):
    body = b""
    offsets = []
    for name, section, offset, length in entries:
        offsets.append(0x14 + len(body))
        encoded = name.encode("utf-8")
        body += encint(len(encoded)) + encoded + encint(section) + encint(offset) + encint(length)
    quickref = b""
    step = 1 + (1 << DENSITY)
    for i in range(step, len(entries), step):
        quickref = struct.pack("<H", offsets[i]) + quickref
    quickref += struct.pack("<H", len(entries))
    free = CHUNK_SIZE - 0x14 - len(body)
    if free < len(quickref):
        raise SystemExit("make_chm.py: the pages do not fit one directory chunk")
    header = b"PMGL" + struct.pack("<Iiii", free, 0, -1, -1)
    return header + body + b"\0" * (free - len(quickref)) + quickref


def main():
    output, pages = sys.argv[1], sys.argv[2:]
    content = b""
    entries = [("/", 0, 0, 0)]
    for page in pages:
        with open(page, "rb") as f:
            data = f.read()
        entries.append(("/" + os.path.basename(page), 0, len(content), len(data)))
        content += data
    entries.sort(key=lambda e: e[0].lower())

    directory = b"ITSP" + struct.pack(
        "<IIIIIiiiiiII", 1, ITSP_HEADER_SIZE, 0x0A, CHUNK_SIZE, DENSITY, 1, -1, 0, 0, -1, 1, LANGUAGE
    ) + ITSP_GUID + struct.pack("<Iiii", ITSP_HEADER_SIZE, -1, -1, -1)
    directory += listing_chunk(entries)

    section0_offset = ITSF_HEADER_SIZE
    directory_offset = section0_offset + SECTION0_SIZE
    content_offset = directory_offset + len(directory)
    total = content_offset + len(content)

    header = b"ITSF" + struct.pack("<III", 3, ITSF_HEADER_SIZE, 1)
    header += struct.pack(">I", 0x12345678) + struct.pack("<I", LANGUAGE)
    header += ITSF_GUID_1 + ITSF_GUID_2
    header += struct.pack("<QQQQQ", section0_offset, SECTION0_SIZE, directory_offset, len(directory),
                          content_offset)
    section0 = struct.pack("<IIQII", 0x01FE, 0, total, 0, 0)
    with open(output, "wb") as out:
        out.write(header + section0 + directory + content)


if __name__ == "__main__":
    main()
