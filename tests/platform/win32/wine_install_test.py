#!/usr/bin/python3
"""Installs the demo product with the x86_64 LYNSetup.exe into a fresh Wine
prefix (the licence accepted, Continue, Finish, through windriver.exe), and
on an emulated machine of the same profile: Windows 7 SP1 64-bit as Wine
reports it, with the prefix's own folders and account. Then compares what the
two installs left: the logs, the files in their places, the uninstall entry
and the shortcuts.

What may legitimately differ, and is set aside below, each for its reason:
- System files the machine already had. The emulated Windows 7 holds
  Windows 7's versions; the prefix holds Wine's own stand-ins, in other
  versions and not the same set. The survey's decisions on those files, and
  so whether they are copied and registered, follow the versions found.
- Self-registration of the product's libraries. They are 32-bit libraries:
  the shipped 32-bit program loads them, as the emulated machine does, but
  the x86_64 build under Wine is a 64-bit process and cannot ("Failed").
- Where the uninstall entry is kept. A 32-bit program on 64-bit Windows
  writes HKLM\\SOFTWARE through the 32-bit view (Wow6432Node); the x86_64
  build writes the native key. Each side's entry is read where it is.
- The shortcuts' times, volume serial numbers and layout are the platform's
  own; only the data the program sets in them is compared.
- The two transcripts are only required to end with Finish: the driver
  reports what a click changed once the program has handled it, the
  emulated machine each change as it happens (every progress dot).

usage: wine_install_test.py LYNSIM WINDOWS_BUILD_DIR CABINET
Exits 77 (skipped, with a message) only when Wine cannot start at all.
"""

import difflib
import struct
import sys
import tempfile
from pathlib import Path

from install_snapshot import UNINSTALL_KEY, EmulatedMachine, log_entries, log_lines, snapshot
from wine_machine import missing_programs, INSTALL_SCRIPT, WineMachine, WineUnavailable, install_product

# The emulated machine that reports what Wine reports: Windows 7 Ultimate N
# SP1, 64-bit, a workstation without suite bits.
# Wine starts a program that asks for administrator rights elevated without
# a prompt, as Windows does with User Account Control off.
WINE_LIKE_PROFILE = {"wProcessorArchitecture": "9", "Wow64": "true", "GetProductInfo": "0x1C",
                     "wSuiteMask": "0", "wProductType": "1", "EnableLUA": "false"}
WOW64_UNINSTALL_KEY = UNINSTALL_KEY.replace("SOFTWARE\\", "SOFTWARE\\Wow6432Node\\")
PE32_MACHINE = 0x14C
# What the owner check writes before a system file's entry.
OWNER_CHECK_NOTES = {"First Time Install", "Security is not available or not enabled.",
                     "Write Permission Granted.", "Permission Granted."}


def present_before(install_log):
    """Paths the survey found already there (a version, or "Unknown")."""
    return {path.lower() for section, path, rest in log_entries(install_log)
            if section == "[VERSION]" and path and
            not rest[0].startswith("Version Present = None")}


def set_aside(lines, paths):
    """A log without the entries of those paths, with the owner check's note
    written before each (before its section's header when it opens the
    section), and without the sections left empty by that."""
    kept, emptied = [], set()
    for section, path, rest in log_entries(lines):
        if path.lower() not in paths:
            kept.append((section, path, list(rest)))
            continue
        emptied.add(section)
        # Its note goes; the note it carries at its end is the next entry's.
        before = next((e for e in reversed(kept) if e[1] or e[2]), None)
        if before and before[2] and before[2][-1] in OWNER_CHECK_NOTES:
            before[2].pop()
        if before and rest and rest[-1] in OWNER_CHECK_NOTES:
            before[2].append(rest[-1])
    filled = {section for section, path, _ in kept if path}
    return log_lines([e for e in kept if e[0] not in emptied or e[0] in filled])


def files_set_aside(lines, paths):
    """File lines ("PATH: ...") without those paths."""
    return [line for line in lines if line.split(": ")[0].lower() not in paths]


def is_pe32(host):
    data = host.read_bytes() if host else b""
    if len(data) < 0x40 or data[:2] != b"MZ":
        return False
    offset = struct.unpack_from("<I", data, 0x3C)[0]
    return data[offset:offset + 4] == b"PE\0\0" and \
        struct.unpack_from("<H", data, offset + 4)[0] == PE32_MACHINE


def registration_as_shipped(wine, wine_log, emulated_log):
    """The Wine log with each library that failed to register there but
    registered on the emulated machine counted as registered, when it is a
    32-bit library; returns the log and the libraries so counted."""
    emulated = {path: rest for section, path, rest in log_entries(emulated_log)
                if section == "[REGISTRATION]"}
    entries, counted = [], []
    for section, path, rest in log_entries(wine_log):
        if section == "[REGISTRATION]" and rest[:1] == ["Failed"] and \
                emulated.get(path, [])[:1] == ["Successful"] and is_pe32(wine.host_path(path)):
            rest = ["Successful"] + rest[1:]
            counted.append(path)
        entries.append((section, path, rest))
    return log_lines(entries), counted


def check_wine_install(on_wine):
    """What the install must have left in the prefix, whatever the emulated
    machine did: each file the survey chose placed and found there, the log
    ended, the entry's six values, the four shortcuts. Returns the number of
    failures."""
    problems = [line for line in on_wine["files"] + on_wine["shortcuts"]
                if line.endswith(": missing")]
    if "[END]" not in on_wine["uninstall log"]:
        problems.append("the uninstall log has no [END]")
    to_install = {path.lower() for section, path, rest in log_entries(on_wine["install log"])
                  if section == "[VERSION]" and path and rest[0].endswith("Install = True")}
    placed = {line.split(": ")[0].lower() for line in on_wine["files"]}
    problems += [f"{path} was to be installed and is not recorded as placed"
                 for path in sorted(to_install - placed)]
    problems += [f"{path} is recorded as placed but was not to be installed"
                 for path in sorted(placed - to_install)]
    if len(on_wine["entry"]) != 6:
        problems.append(f"the uninstall entry has {len(on_wine['entry'])} values, not 6")
    if len(on_wine["shortcuts"]) != 4:
        problems.append(f"{len(on_wine['shortcuts'])} shortcuts, not 4")
    for problem in problems:
        print(f"WRONG under Wine: {problem}")
    return len(problems)


def main():
    lynsim, exes, cabinet = sys.argv[1:4]
    if missing_programs(exes, ("LYNSetup.exe", "windriver.exe")):
        return 1
    with tempfile.TemporaryDirectory() as scratch:
        try:
            with WineMachine(scratch) as wine:
                transcript = install_product(wine, exes, cabinet)
                folders = wine.folders()
                on_wine = snapshot(wine, folders["WindowsDirectory"], UNINSTALL_KEY)
                emulated = EmulatedMachine(lynsim, Path(scratch) / "machine",
                                           {**WINE_LIKE_PROFILE, **folders})
                emulated_transcript = emulated.run(*INSTALL_SCRIPT)
                on_machine = snapshot(emulated, folders["WindowsDirectory"],
                                      WOW64_UNINSTALL_KEY)
                for log in ("uninstall log", "install log"):
                    on_wine[log], counted = registration_as_shipped(wine, on_wine[log],
                                                                     on_machine[log])
        except WineUnavailable as e:
            print(f"SKIPPED: Wine cannot start here ({e})")
            return 77

    failures = 0
    for where, text in (("under Wine", transcript), ("on the emulated machine",
                                                     emulated_transcript)):
        if not text.rstrip().endswith("ended: Finish"):
            print(f"WRONG: the install {where} did not end with Finish:")
            print(text)
            failures += 1

    failures += check_wine_install(on_wine)
    already = present_before(on_wine["install log"]) | present_before(on_machine["install log"])
    print("set aside, present before the install on either machine:",
          ", ".join(sorted(already)) or "none")
    print("set aside, 32-bit libraries the 64-bit process could not register:",
          ", ".join(counted) or "none")
    for section in on_wine:
        leave_out = {"uninstall log": set_aside, "install log": set_aside,
                     "files": files_set_aside}.get(section, lambda lines, _: lines)
        wine_lines = leave_out(on_wine[section], already)
        machine_lines = leave_out(on_machine[section], already)
        if wine_lines == machine_lines:
            print(f"same: {section} ({len(wine_lines)} lines)")
            continue
        print(f"DIFFERENT: {section}")
        sys.stdout.writelines(difflib.unified_diff(
            [line + "\n" for line in machine_lines], [line + "\n" for line in wine_lines],
            "emulated machine", "Wine"))
        failures += 1
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
