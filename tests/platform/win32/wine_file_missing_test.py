#!/usr/bin/python3
"""Runs the x86_64 LYNSetup.exe under Wine with a cabinet it cannot read, so
that the file phase stops with "File Missing", and holds what the stop left
against the scenario wine-like.t (see golden.py).

The stop deletes the temporary folder and then the program folder while the
install-information log is still open without sharing. Windows, and Wine
with it, refuses to delete a file open without FILE_SHARE_DELETE, and the
shell's deletion ends at the first entry it cannot delete: the program
folder and its log stay, the temporary folder goes. Both logs must be the
golden ones byte for byte, the survey's lines of system files present before
the run set aside (their versions are each platform's own).

usage: wine_file_missing_test.py WINDOWS_BUILD_DIR
Exits 77 (skipped, with a message) only when Wine cannot start at all.
"""

import sys
import tempfile
from pathlib import Path

import golden
from install_log import present_before, read_lines, set_aside
from wine_machine import WineMachine, WineUnavailable, install_product, missing_programs

SCRIPT = ["--answer", "Yes", "--click", "lblAcceptYes", "--click", "cmdOK", "--answer", "OK"]


def main():
    exes = sys.argv[1]
    if missing_programs(exes, ("LYNSetup.exe", "windriver.exe")):
        return 1
    with tempfile.TemporaryDirectory() as scratch:
        unreadable = Path(scratch) / "EMPTY.CAB"
        unreadable.write_bytes(b"")
        try:
            with WineMachine(scratch) as wine:
                transcript = install_product(wine, exes, unreadable, SCRIPT)
                temp = wine.folders()["TempPath"] + "LYNSetup"
                left = {"program folder": wine.host_path("C:\\Program Files\\LYN") is not None,
                        "temporary folder": wine.host_path(temp) is not None}
                logs = {name: golden.as_golden(read_lines(wine.host_path(path)),
                                               wine.user_name())
                        for name, path in (("UnInstallLYN.log", "C:\\windows\\UnInstallLYN.log"),
                                           ("InstallInfo.log",
                                            "C:\\Program Files\\LYN\\InstallInfo.log"))}
        except WineUnavailable as e:
            print(f"SKIPPED: Wine cannot start here ({e})")
            return 77
    print(transcript)
    problems = [] if transcript.rstrip().endswith("ended: File Missing") else \
        ["the run did not end with File Missing"]
    if left != {"program folder": True, "temporary folder": False}:
        problems.append(f"what the stop left: {left}")
    expected = {name: golden.log("wine-like-file-missing." + name) for name in logs}
    already = present_before(logs["InstallInfo.log"]) | present_before(expected["InstallInfo.log"])
    for name, log in logs.items():
        if set_aside(log, already) != set_aside(expected[name], already):
            problems.append(f"{name} differs from the golden log:\n" + "\n".join(log))
    for problem in problems:
        print("WRONG under Wine: " + problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
