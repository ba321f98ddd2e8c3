#!/usr/bin/env python3
"""The registry editor's files both ways between Wine's regedit and lynsim
reg: values of every type are set under Wine and exported with regedit /E;
lynsim imports that file into a machine and exports the key again; regedit
imports lynsim's file (and its REGEDIT4 form) into the emptied key and
exports it once more. Wine's first export must come back byte for byte each
time: both tools write the version 5 layout the registry editor writes
(UTF-16LE with a byte-order mark, CR LF, hex lists broken before column 80,
keys depth first, so "Windows NT" after the whole of "Windows"). Key names
compare without case, and the machine spells the root's SOFTWARE key in
capitals, so key lines are compared case-folded.

Usage: wine_regedit_test.py LYNSIM
Exit status 77 (skipped) when Wine cannot start."""
import subprocess
import sys
import tempfile
from pathlib import Path

from wine_machine import WINE, WineMachine, main_or_skip, windows_path

KEY = "HKEY_LOCAL_MACHINE\\Software\\LynRoundTrip"


def wide(text):
    """A string's UTF-16LE bytes with their NUL, as a hex list."""
    return ",".join(f"{b:02x}" for b in (text + "\0").encode("utf-16-le"))


SOURCE = "\r\n".join([
    "Windows Registry Editor Version 5.00", "",
    f"[{KEY}\\Windows]",
    '@="default \\"quoted\\" C:\\\\path caf\u00e9"',
    '"Dword"=dword:00005710',
    '"Big"=dword:ffffffff',
    '"Long"=hex:' + ",".join(f"{i % 256:02x}" for i in range(300)),
    '"Empty"=hex:',
    '"Expand"=hex(2):' + wide("%SystemRoot%\\system32"),
    '"Multi"=hex(7):' + wide("one") + "," + wide("two") + ",00,00",
    '"Qword"=hex(b):01,02,03,04,05,06,07,08',
    '"None"=hex(0):01,02',
    "", f"[{KEY}\\Windows\\CurrentVersion]", '"x"="y"',
    "", f"[{KEY}\\Windows NT]", '"Name"="Windows NT"', "", ""])


def comparable(data):
    """A version 5 file's text with its key lines case-folded."""
    text = data.decode("utf-16")
    return "\n".join(line.lower() if line.startswith("[") else line
                     for line in text.split("\r\n"))


def main(lynsim):
    with tempfile.TemporaryDirectory() as scratch:
        folder = Path(scratch)

        def lynsim_reg(*arguments):
            return subprocess.run([lynsim, "reg", str(folder / "m"), *arguments],
                                  stdout=subprocess.PIPE, check=True).stdout

        with WineMachine(folder / "wine") as wine:
            def regedit(*arguments):
                subprocess.run([WINE, "regedit", *arguments], env=wine.env, check=True,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

            def export(name):
                regedit("/E", windows_path(folder / name), KEY)
                return (folder / name).read_bytes()

            (folder / "source.reg").write_bytes(b"\xff\xfe" + SOURCE.encode("utf-16-le"))
            (folder / "delete.reg").write_bytes(f"REGEDIT4\r\n\r\n[-{KEY}]\r\n".encode("ascii"))
            regedit("/S", windows_path(folder / "source.reg"))
            first = export("wine.reg")
            subprocess.run([lynsim, "new", str(folder / "m")], check=True,
                           stdout=subprocess.DEVNULL)
            lynsim_reg("import", str(folder / "wine.reg"))
            machine = lynsim_reg("export", KEY)
            problems = []
            if comparable(machine) != comparable(first):
                problems.append("lynsim's export differs from Wine's")
            for name, data in (("machine.reg", machine),
                               ("machine4.reg", lynsim_reg("export", KEY, "--regedit4"))):
                (folder / name).write_bytes(data)
                regedit("/S", windows_path(folder / "delete.reg"))
                regedit("/S", windows_path(folder / name))
                if export("again.reg") != first:
                    problems.append(f"Wine's export after importing {name} differs")
        for problem in problems:
            print("FAILED:", problem)
        if problems:
            print("Wine's export:\n" + first.decode("utf-16"))
            print("lynsim's export:\n" + machine.decode("utf-16"))
            return 1
        print("the key went through Wine's regedit and lynsim both ways unchanged")
        return 0


if __name__ == "__main__":
    main_or_skip(lambda: main(sys.argv[1]))
