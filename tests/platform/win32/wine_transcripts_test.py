#!/usr/bin/python3
"""Runs LYNSetup.exe under Wine, driven by windriver.exe, with each script of
the scenario wine-like.t that ends before the install (see golden.py), and
requires each transcript to be what the scenario printed on the emulated
machine: the 64-bit question answered both ways, the licence page's
options, Cancel, and a second copy started while the first holds its window.

usage: wine_transcripts_test.py WINDOWS_BUILD_DIR
Exits 77 (skipped, with a message) only when Wine cannot start at all.
"""

import shutil
import sys
import tempfile
from pathlib import Path

import golden
from wine_machine import WineMachine, main_or_skip, missing_programs

SCRIPTS = [["--answer", "Yes"], ["--answer", "No"],
           ["--answer", "Yes", "--click", "lblAcceptYes", "--click", "lblAcceptNo", "--click",
            "OpAccept(0)", "--click", "OpAccept(1)"],
           ["--answer", "Yes", "--click", "lblAcceptYes", "--click", "cmdExit"]]


def command(script):
    """The script as the scenario's command line spells it."""
    quoted = [f"'{a}'" if "(" in a else a for a in script]
    return " ".join(["lynsim run M --headless", *quoted])


def main():
    exes = sys.argv[1]
    if missing_programs(exes, ("LYNSetup.exe", "windriver.exe")):
        return 1
    runs = {}
    with tempfile.TemporaryDirectory() as scratch:
        with WineMachine(scratch) as wine:
            for name in ("LYNSetup.exe", "windriver.exe"):
                shutil.copy(Path(exes) / name, scratch)
            for script in SCRIPTS:
                runs[command(script)] = wine.run("windriver.exe", "LYNSetup.exe", *script,
                                                 cwd=scratch)
            # The driver starts a first copy, which holds its window.
            runs["mkfifo first"] = wine.run("windriver.exe", "LYNSetup.exe", "--beside",
                                            cwd=scratch)
    failures = 0
    for key, transcript in runs.items():
        expected = "\n".join(golden.printed(key))
        if transcript.rstrip("\n") == expected:
            print(f"same: {key}")
            continue
        print(f"DIFFERENT: {key}\nunder Wine:\n{transcript}\nin the scenario:\n{expected}")
        failures += 1
    return 1 if failures else 0


if __name__ == "__main__":
    main_or_skip(main)
