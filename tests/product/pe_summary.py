#!/usr/bin/env python3
"""Prints, for each PE file given, one line read with pefile:
NAME FILE-VERSION SUBSYSTEM EXPORT,EXPORT,...
"""
import os
import sys

import pefile

for path in sys.argv[1:]:
    pe = pefile.PE(path)
    fixed = pe.VS_FIXEDFILEINFO[0]
    version = "%d.%d.%d.%d" % (fixed.FileVersionMS >> 16, fixed.FileVersionMS & 0xFFFF,
                               fixed.FileVersionLS >> 16, fixed.FileVersionLS & 0xFFFF)
    exports = []
    if hasattr(pe, "DIRECTORY_ENTRY_EXPORT"):
        exports = [symbol.name.decode() for symbol in pe.DIRECTORY_ENTRY_EXPORT.symbols if symbol.name]
    print(os.path.basename(path), version, pe.OPTIONAL_HEADER.Subsystem, ",".join(exports) or "-")
