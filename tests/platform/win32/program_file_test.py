#!/usr/bin/python3
"""Checks the cross-built LYNSetup.exe files as files: machine type, GUI
subsystem, imports of system DLLs only, the manifest's execution level, and
the version resource, read both by pefile and by the project's own PE reader
(`lynsim fileinfo --host`).

usage: program_file_test.py LYNSIM OUT_WINDOWS_DIR
"""

import subprocess
import sys

import pefile

SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "msimg32.dll", "version.dll",
               "shell32.dll", "msvcrt.dll", "advapi32.dll", "ole32.dll", "setupapi.dll"}
STRINGS = {
    "Comments": "Setup Program",
    "CompanyName": "Orrin Works",
    "FileDescription": "LYN Installation",
    "ProductName": "LYNSetup",
    "InternalName": "LYNSetup",
    "OriginalFilename": "LYNSetup.exe",
    "FileVersion": "6.07",
    "ProductVersion": "6.07",
}
MACHINES = {"i686": 0x14C, "x86_64": 0x8664}


def string_table(pe):
    for info in pe.FileInfo[0]:
        if info.Key == b"StringFileInfo":
            for table in info.StringTable:
                yield table.LangID.decode(), {k.decode(): v.decode() for k, v in table.entries.items()}


def manifest(pe):
    for kind in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        if kind.id == pefile.RESOURCE_TYPE["RT_MANIFEST"]:
            data = kind.directory.entries[0].directory.entries[0].data.struct
            return pe.get_data(data.OffsetToData, data.Size).decode()
    return ""


def check(lynsim, path, arch):
    errors = []
    pe = pefile.PE(path)
    if pe.FILE_HEADER.Machine != MACHINES[arch]:
        errors.append(f"machine {pe.FILE_HEADER.Machine:#x}")
    if pe.OPTIONAL_HEADER.Subsystem != 2:
        errors.append(f"subsystem {pe.OPTIONAL_HEADER.Subsystem}, not the GUI's")
    imports = {entry.dll.decode().lower() for entry in pe.DIRECTORY_ENTRY_IMPORT}
    if not imports <= SYSTEM_DLLS:
        errors.append(f"imports beyond the system's DLLs: {sorted(imports - SYSTEM_DLLS)}")
    tables = dict(string_table(pe))
    if tables.get("040904B0", tables.get("040904b0")) != STRINGS:
        errors.append(f"string tables {tables}")
    fixed = pe.VS_FIXEDFILEINFO[0]
    if (fixed.FileVersionMS, fixed.FileVersionLS, fixed.ProductVersionMS,
            fixed.ProductVersionLS) != (0x60007, 0, 0x60007, 0):
        errors.append("fixed versions are not 6.7.0.0")
    if 'level="asInvoker"' not in manifest(pe):
        errors.append("no manifest asking for the invoker's rights")
    if not any(kind.id == pefile.RESOURCE_TYPE["RT_GROUP_ICON"]
               for kind in pe.DIRECTORY_ENTRY_RESOURCE.entries):
        errors.append("no icon")
    own = subprocess.run([lynsim, "fileinfo", "--host", path], capture_output=True, text=True,
                         check=True).stdout
    for line in ("FileVersion: 6.7.0.0", "ProductVersion: 6.7.0.0", "FileOS: NT-Win32",
                 "FileType: App"):
        if line not in own.splitlines():
            errors.append(f"lynsim fileinfo --host lacks {line!r}:\n{own}")
    return [f"{arch}: {e}" for e in errors]


def main():
    lynsim, out = sys.argv[1], sys.argv[2]
    errors = []
    for arch in MACHINES:
        errors += check(lynsim, f"{out}/{arch}/LYNSetup.exe", arch)
    print("\n".join(errors) or "both programs are as designed")
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
