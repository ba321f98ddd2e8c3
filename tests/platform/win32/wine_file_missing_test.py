#!/usr/bin/python3
"""Runs the x86_64 LYNSetup.exe under Wine with a cabinet it cannot read, so
that the file phase stops with "File Missing", and the same on an emulated
machine of the same profile; then compares what the stop left.

The stop deletes the temporary folder and then the program folder while the
install-information log is still open without sharing. Windows, and Wine
with it, refuses to delete a file open without FILE_SHARE_DELETE, and the
shell's deletion ends at the first entry it cannot delete: the program
folder and its log stay, the temporary folder goes. Which of the folder's
other entries went before the log depends on the order the file system
lists them, so only the log and the folder are compared. Both logs must be
byte for byte what the emulated machine wrote, the version survey's lines of
system files present before the run set aside (their versions are each
platform's own).

usage: wine_file_missing_test.py LYNSIM WINDOWS_BUILD_DIR
Exits 77 (skipped, with a message) only when Wine cannot start at all.
"""

import sys
import tempfile
from pathlib import Path

from install_snapshot import EmulatedMachine, read_lines
from wine_install_test import WINE_LIKE_PROFILE, present_before, set_aside
from wine_machine import WineMachine, WineUnavailable, install_product, missing_programs

SCRIPT = ["--answer", "Yes", "--click", "lblAcceptYes", "--click", "cmdOK", "--answer", "OK"]
PROGRAM_FOLDER = "C:\\Program Files\\LYN"


def outcome(machine, folders):
    """What the stop left: the two logs and which folders are there."""
    return {
        "uninstall log": read_lines(machine.host_path(folders["WindowsDirectory"] +
                                                      "\\UnInstallLYN.log")),
        "install log": read_lines(machine.host_path(PROGRAM_FOLDER + "\\InstallInfo.log")),
        "program folder": machine.host_path(PROGRAM_FOLDER) is not None,
        "temporary folder": machine.host_path(folders["TempPath"] + "LYNSetup") is not None,
    }


def main():
    lynsim, exes = sys.argv[1:3]
    if missing_programs(exes, ("LYNSetup.exe", "windriver.exe")):
        return 1
    with tempfile.TemporaryDirectory() as scratch:
        unreadable = Path(scratch) / "EMPTY.CAB"
        unreadable.write_bytes(b"")
        try:
            with WineMachine(scratch) as wine:
                transcript = install_product(wine, exes, unreadable, SCRIPT)
                folders = wine.folders()
                on_wine = outcome(wine, folders)
                emulated = EmulatedMachine(lynsim, Path(scratch) / "machine",
                                           {**WINE_LIKE_PROFILE, **folders})
                emulated.host_path("C:\\Distribution\\LYN.CAB").write_bytes(b"")
                emulated_transcript = emulated.run(*SCRIPT)
                on_machine = outcome(emulated, folders)
        except WineUnavailable as e:
            print(f"SKIPPED: Wine cannot start here ({e})")
            return 77

    failures = 0
    for where, text in (("under Wine", transcript), ("on the emulated machine",
                                                     emulated_transcript)):
        if "File Missing" not in text:
            print(f"WRONG: no File Missing stop {where}:")
            print(text)
            failures += 1
    already = present_before(on_wine["install log"]) | present_before(on_machine["install log"])
    for part in on_wine:
        wine_part, machine_part = on_wine[part], on_machine[part]
        if part.endswith("log"):
            wine_part, machine_part = set_aside(wine_part, already), set_aside(machine_part,
                                                                               already)
        if wine_part == machine_part:
            print(f"same: {part}")
            continue
        print(f"DIFFERENT: {part}\n  emulated machine: {machine_part}\n  Wine: {wine_part}")
        failures += 1
    if not on_wine["program folder"]:
        print("WRONG under Wine: the program folder went, though its log was open")
        failures += 1
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
