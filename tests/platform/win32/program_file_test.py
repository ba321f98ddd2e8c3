#!/usr/bin/python3
"""Checks the cross-built LYNSetup.exe and UninstallLYN67.exe files as
files: machine type, GUI subsystem, imports of system DLLs only, the manifest's execution level, and
the version resource, read both by pefile and by the project's own PE reader
(`lynsim fileinfo --host`).

usage: program_file_test.py LYNSIM OUT_WINDOWS_DIR
"""

import subprocess
import sys

import pefile

SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "msimg32.dll", "version.dll",
               "shell32.dll", "msvcrt.dll", "advapi32.dll", "ole32.dll", "setupapi.dll"}
MACHINES = {"i686": 0x14C, "x86_64": 0x8664}
# Each program: its string table, its fixed version (MS, LS) and whether it
# carries an icon.
PROGRAMS = {
    "LYNSetup.exe": ({"Comments": "Setup Program", "CompanyName": "Orrin Works",
                      "FileDescription": "LYN Installation", "ProductName": "LYNSetup",
                      "InternalName": "LYNSetup", "OriginalFilename": "LYNSetup.exe",
                      "FileVersion": "6.07", "ProductVersion": "6.07"}, (0x60007, 0), True),
    "UninstallLYN67.exe": ({"Comments": "Uninstall Program", "CompanyName": "Orrin Works",
                            "FileDescription": "LYN Uninstallation",
                            "ProductName": "Lynwood Catalog Suite",
                            "InternalName": "UninstallLYN67",
                            "OriginalFilename": "UninstallLYN67.exe", "FileVersion": "2.0.0.0",
                            "ProductVersion": "2.0.0.0"}, (0x20000, 0), False),
}


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


def check(lynsim, out, arch, name):
    strings, (ms, ls), icon = PROGRAMS[name]
    path = f"{out}/{arch}/{name}"
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
    if tables.get("040904B0", tables.get("040904b0")) != strings:
        errors.append(f"string tables {tables}")
    fixed = pe.VS_FIXEDFILEINFO[0]
    if (fixed.FileVersionMS, fixed.FileVersionLS, fixed.ProductVersionMS,
            fixed.ProductVersionLS) != (ms, ls, ms, ls):
        errors.append(f"fixed versions are not {strings['FileVersion']}")
    if 'level="requireAdministrator"' not in manifest(pe):
        errors.append("no manifest asking for administrator rights")
    if icon != any(kind.id == pefile.RESOURCE_TYPE["RT_GROUP_ICON"]
                   for kind in pe.DIRECTORY_ENTRY_RESOURCE.entries):
        errors.append("an icon" if not icon else "no icon")
    own = subprocess.run([lynsim, "fileinfo", "--host", path], capture_output=True, text=True,
                         check=True).stdout
    numeric = f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}"
    for line in (f"FileVersion: {numeric}", f"ProductVersion: {numeric}", "FileOS: NT-Win32",
                 "FileType: App"):
        if line not in own.splitlines():
            errors.append(f"lynsim fileinfo --host lacks {line!r}:\n{own}")
    return [f"{arch}/{name}: {e}" for e in errors]


def main():
    lynsim, out = sys.argv[1], sys.argv[2]
    errors = [e for arch in MACHINES for name in PROGRAMS for e in check(lynsim, out, arch, name)]
    print("\n".join(errors) or "the programs are as designed")
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
