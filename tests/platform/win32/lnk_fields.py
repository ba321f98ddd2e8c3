#!/usr/bin/python3
"""What the program sets in a shortcut file, one line: the target, the
working folder, the arguments, the description and the icon as lnkinfo reads
them, and the show command from the header (lnkinfo prints the file size
there). The Wine tests compare a prefix's shortcuts with the emulated ones
the scenario wine-like.t prints this way.

usage: lnk_fields.py FILE...
"""

import struct
import subprocess
import sys

FIELDS = ("Local path", "Description", "Working directory", "Command line arguments",
          "Icon location")
SHOW_COMMAND_OFFSET = 0x3C  # in the 0x4C-byte shell link header


def fields(path):
    info = subprocess.run(["lnkinfo", str(path)], stdout=subprocess.PIPE, check=False)
    found = {}
    for line in info.stdout.decode("utf-8", "replace").split("\n"):
        name, _, value = line.strip().partition(":")
        if name.strip() in FIELDS:
            found[name.strip()] = value.strip()
    with open(path, "rb") as file:
        show = struct.unpack_from("<I", file.read(0x4C), SHOW_COMMAND_OFFSET)[0]
    return "; ".join(f"{name}={found.get(name, '')}" for name in FIELDS) + f"; Show command={show}"


if __name__ == "__main__":
    for argument in sys.argv[1:]:
        print(fields(argument))
