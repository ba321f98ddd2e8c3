#!/usr/bin/python3
"""The product's round trip under Wine, held against the reviewed scenario
wine-like.t (see golden.py): a fresh prefix is recorded, the product is
installed with the x86_64 LYNSetup.exe through windriver.exe, removed as the
system's list of programs removes it (the uninstall entry's UninstallString
run, its question answered Yes and its report OK), and the prefix is
recorded again. Then a cabinet that is not one stops a new install with
"File Missing"; the program folder stays, its install-information log being
open without sharing when the stop deletes it (Windows, and Wine with it,
refuses to delete such a file, and the shell's deletion ends there), while
the temporary folder goes.

What may legitimately differ from the scenario, each set aside for its
reason:
- System files the machine already had: Wine's own stand-ins, in other
  versions and not the same set as the scenario's; the survey's decisions,
  and so what is copied and registered, follow them.
- Self-registration of the product's libraries: they are 32-bit libraries,
  which the x86_64 build, a 64-bit process, cannot load ("Failed" where the
  scenario's 32-bit program registered them).
- Where the uninstall entry and the shared files are kept: a 32-bit program
  on 64-bit Windows writes HKLM\\SOFTWARE through Wow6432Node and its system
  folder is SysWOW64; the x86_64 build uses the native ones. Both logs name
  system32, as the programs see it, and the entry's values are compared.
- The shortcuts' times, volume serial numbers and layout are the platform's
  own; only the data the program sets in them is compared.
- The install's transcript only has to end with Finish: the driver reports
  what a click changed once the program has handled it, the emulated
  machine each change as it happens (every progress dot).
- The uninstaller: the shipped 32-bit one cannot start under the 64-bit
  Wine of the tests, so the x86_64 build of the same sources is put in its
  place (the entry still names the file the install placed). Its report
  keeps exactly the shared files this install's log placed.
- Message box icons: windriver.exe cannot tell another process's icon apart
  and reports any as "critical"; the icon word is left out of both.
- The uninstaller's own file: Windows does not delete a running program's
  file and Wine may or may not; where it refuses, the uninstaller asks for
  removal at the next restart (the one entry of
  "PendingFileRenameOperations") and says so. The emulated machine deletes
  it at once.

usage: wine_round_trip_test.py WINDOWS_BUILD_DIR CABINET
Exits 77 (skipped, with a message) only when Wine cannot start at all.
"""

import hashlib
import re
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

import golden
import pefile
from install_log import (FILE_SECTIONS, SHORTCUT_SECTIONS, UNINSTALL_KEY, log_entries, log_lines,
                         placed, present_before, read_lines, set_aside)
from lnk_fields import fields
from wine_machine import SOURCE_FOLDER, WINESERVER, WineMachine, main_or_skip, \
    install_product, missing_programs

STOP_SCRIPT = ["--answer", "Yes", "--click", "lblAcceptYes", "--click", "cmdOK", "--answer", "OK"]
SESSION_MANAGER = "HKLM\\System\\CurrentControlSet\\Control\\Session Manager"
SHARED_SECTIONS = ("[SYSTEM]", "[COMMON]")
RESTART_TITLE = "Removed when Windows restarts:"
KEPT_TITLE = "Shared files kept, since other programs may use them:"
PE32_MACHINE = 0x14C


def is_pe32(host):
    try:
        return host is not None and pefile.PE(str(host), fast_load=True).FILE_HEADER.Machine == \
            PE32_MACHINE
    except pefile.PEFormatError:
        return False


def registration_as_shipped(wine, log, expected):
    """The log with each 32-bit library that failed to register under Wine
    and registered on the scenario's machine counted as registered."""
    shipped = {path: rest for section, path, rest in log_entries(expected)
               if section == "[REGISTRATION]"}
    entries = []
    for section, path, rest in log_entries(log):
        if section == "[REGISTRATION]" and rest[:1] == ["Failed"] and \
                shipped.get(path, [])[:1] == ["Successful"] and is_pe32(wine.host_path(path)):
            rest = ["Successful"] + rest[1:]
        entries.append((section, path, rest))
    return log_lines(entries)


def drive_state(wine):
    """Every folder and file of drive C:, by lower-case Windows path: None for
    a folder, the SHA-256 of a file. The folder the test put the setup
    program in is not part of the machine."""
    root = wine.prefix / "drive_c"
    source = SOURCE_FOLDER.lower()
    state = {}
    for path in root.rglob("*"):
        name = "c:\\" + "\\".join(path.relative_to(root).parts).lower()
        if path.is_symlink() or name == source or name.startswith(source + "\\"):
            continue
        state[name] = hashlib.sha256(path.read_bytes()).hexdigest() if path.is_file() else None
    return state


def registry_string(text, name):
    """A REG_SZ value of an exported key, unescaped; None when absent."""
    match = re.search(rf'^"{re.escape(name)}"="((?:[^"\\]|\\.)*)"$', text, re.M)
    return re.sub(r"\\(.)", r"\1", match.group(1)) if match else None


def pending_renames(wine):
    """The paths of the prefix's "PendingFileRenameOperations", without the
    "\\??\\" prefix, read from the registry file Wine writes when its server
    ends: its reg.exe does not always show the value while the prefix runs."""
    subprocess.run([WINESERVER, "-w"], env=wine.env, check=False)
    text = (wine.prefix / "system.reg").read_text("utf-8", "replace")
    key = text.find("\n[" + SESSION_MANAGER.partition("\\")[2].replace("\\", "\\\\") + "]")
    end = text.find("\n[", key + 1)
    match = re.search(r'^"PendingFileRenameOperations"=str\(7\):"(.*)"$', text[key:end], re.M)
    if key < 0 or not match:
        return []
    # The file writes a backslash as \\ and each string's end as \0.
    data = re.sub(r"\\(.)", lambda m: "\0" if m.group(1) == "0" else m.group(1), match.group(1))
    return [path.removeprefix("\\??\\").lower() for path in data.split("\0") if path]


def read_transcript(transcript):
    """The transcript's lines without the icon word, each message box cut
    before its first empty line (a box's further lines follow its msgbox line
    after two blanks); and the titled lists of the report below that line:
    title -> lines."""
    lines, lists, cut, title = [], {}, False, None
    for line in transcript.rstrip().split("\n"):
        cut = line.startswith("  ") and (cut or not line.strip())
        item = line[2:].rstrip('"')
        if not cut:
            lines.append(line.replace("] critical ", "] "))
            title = None
        elif item.endswith(":"):
            title = item
            lists[title] = []
        elif item and title:
            lists[title].append(item.lower())
    return lines, lists


def compare_logs(wine, golden_name):
    """Both logs of the prefix against the golden ones named; what differs."""
    logs = {"UnInstallLYN.log": "C:\\windows\\UnInstallLYN.log",
            "InstallInfo.log": "C:\\Program Files\\LYN\\InstallInfo.log"}
    logs = {name: golden.as_golden(read_lines(wine.host_path(path)), wine.user_name())
            for name, path in logs.items()}
    expected = {name: golden.log(golden_name + name) for name in logs}
    already = present_before(logs["InstallInfo.log"]) | present_before(expected["InstallInfo.log"])
    print("set aside, present before on either machine:", ", ".join(sorted(already)))
    problems = []
    for name, log in logs.items():
        log = registration_as_shipped(wine, log, expected[name])
        if set_aside(log, already) != set_aside(expected[name], already):
            problems.append(f"{name} differs from {golden_name}{name}:\n" + "\n".join(log))
    return problems


def check_stop(wine, exes):
    """A new install from a cabinet that is not one, against the scenario."""
    install_product(wine, exes, wine.prefix / "EMPTY.CAB", STOP_SCRIPT)
    problems = compare_logs(wine, "wine-like-file-missing.")
    temp = "C:\\users\\" + wine.user_name() + "\\AppData\\Local\\Temp\\LYNSetup"
    if wine.host_path("C:\\Program Files\\LYN") is None or wine.host_path(temp) is not None:
        problems.append("the stop did not leave the program folder, or left the temporary one")
    return problems


def check_install(wine, transcript, files):
    """The install against the scenario; returns what is wrong."""
    raw = read_lines(wine.host_path("C:\\windows\\UnInstallLYN.log"))
    problems = [] if transcript.rstrip().endswith("ended: Finish") else \
        ["the install did not end with Finish:\n" + transcript]
    problems += compare_logs(wine, "wine-like.")
    for path in placed(raw, FILE_SECTIONS):
        host = wine.host_path(path)
        if host is None or host.read_bytes() != (files / path.split("\\")[-1]).read_bytes():
            problems.append(f"{path} is not the product's file")
    values = sorted(line for line in wine.export_key(UNINSTALL_KEY).split("\n")
                    if line.startswith('"'))
    shown = sorted(line.split("LYN67 ", 1)[1].rsplit(" (", 1)[0] for line in
                   golden.printed("lynsim diff BEFORE M | grep -v") if "LYN67 " in line)
    if values != shown:
        problems.append(f"the uninstall entry holds {values}, not {shown}")
    made = [fields(wine.host_path(p)) for p in placed(raw, SHORTCUT_SECTIONS)]
    if made != golden.printed("for l in") + golden.printed("python3"):
        problems.append("the shortcuts hold other data:\n" + "\n".join(made))
    return problems, raw


def remove(wine, exes):
    """Runs the program the uninstall entry names, as the x86_64 build."""
    program = registry_string(wine.export_key(UNINSTALL_KEY), "UninstallString")
    if program is None:
        return None, ""
    shutil.copy(Path(exes) / "UninstallLYN67.exe", wine.host_path(program))
    transcript = wine.run("windriver.exe", program, "--answer", "Yes", "--answer", "OK",
                          cwd=wine.prefix / "drive_c" / SOURCE_FOLDER.split("\\")[1])
    return program.lower(), transcript


def check_removal(program, transcript, log, before, after, pending, entry):
    """The removal against the scenario and this install's log."""
    problems = []
    if program is None or registry_string(entry, "UninstallString") is not None:
        problems.append("the uninstall entry is not removed")
    lines, lists = read_transcript(transcript)
    if lines != read_transcript("\n".join(golden.printed("lynsim uninstall M")))[0]:
        problems.append("the uninstaller's transcript differs from the scenario's:\n" + transcript)
    shared = {p.lower() for p in placed(log, SHARED_SECTIONS)}
    restart = [program] if program in after else []
    if set(lists.get(KEPT_TITLE, [])) != shared:
        problems.append(f"the report keeps {lists.get(KEPT_TITLE)}, the log placed {shared}")
    if lists.get(RESTART_TITLE, []) != restart or pending != restart:
        problems.append(f"left to a restart: {lists.get(RESTART_TITLE)}, pending {pending}")
    # The folders the install made for the shared files stay with them.
    allowed = shared | set(restart) | {"\\".join(p.split("\\")[:n])
                                        for p in shared for n in range(2, p.count("\\") + 1)}
    for path in sorted(set(before) | set(after)):
        if before.get(path, "gone") != after.get(path, "gone") and path not in allowed:
            problems.append(f"{path} changed by the round trip")
    return problems


def main():
    exes, cabinet = sys.argv[1:3]
    if missing_programs(exes, ("LYNSetup.exe", "UninstallLYN67.exe", "windriver.exe")):
        return 1
    with tempfile.TemporaryDirectory() as scratch:
        with WineMachine(scratch) as wine:
            before = drive_state(wine)
            transcript = install_product(wine, exes, cabinet)
            problems, log = check_install(wine, transcript, Path(cabinet).parent / "files")
            program, removal = remove(wine, exes)
            print("under Wine:\n" + removal)
            entry = wine.export_key(UNINSTALL_KEY)
            pending = pending_renames(wine)
            problems += check_removal(program, removal, log, before, drive_state(wine),
                                      pending, entry)
            (wine.prefix / "EMPTY.CAB").write_bytes(b"")
            problems += check_stop(wine, exes)
    for problem in problems:
        print("WRONG under Wine: " + problem)
    return 1 if problems else 0


if __name__ == "__main__":
    main_or_skip(main)
