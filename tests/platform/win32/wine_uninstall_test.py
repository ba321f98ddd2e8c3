#!/usr/bin/python3
"""The product's round trip under Wine, compared with the same round trip on
an emulated machine of the prefix's profile: a fresh prefix is recorded, the
product installed with the x86_64 LYNSetup.exe, then removed as the system's
list of programs removes it (the uninstall entry's UninstallString run, its
question answered Yes and its report OK through windriver.exe), and the
prefix recorded again.

Checked under Wine: the uninstall entry is gone; every file, shortcut and
folder the install placed is gone, except the shared files in the system and
DAO folders, which the uninstaller keeps on purpose, and its own file when
Wine leaves that to the next restart (then it must be the one pending
rename, "PendingFileRenameOperations", and the report must say so); nothing
else of the prefix changed.

Compared with the emulated machine: the transcripts (question, answer,
report), each side's report against its own log, and what each side left of
what its install placed. What may legitimately differ, each for its reason:
- The shared files kept. Which system files the install placed follows the
  versions each machine already had (Wine's own stand-ins, Windows 7's on
  the emulated machine), so each report's kept list is checked against its
  own log, not against the other side's.
- The uninstaller's own file. Windows does not delete a running program's
  file and Wine may or may not; where it refuses, the uninstaller asks for
  removal at the next restart and its report says so. The emulated machine
  has no running program's file to hold, so it deletes it at once.
- The message box icons. windriver.exe cannot tell another process's icon
  apart and reports any icon as "critical"; the emulated transcript names
  only the stop icon. The icon word is left out of both.
- The uninstaller run. The shipped uninstaller is a 32-bit program, which the
  64-bit Wine of the tests cannot start; the x86_64 build of the same sources
  is put in its place before it is run (the entry still names the file the
  install placed).
- Where the shared system files are kept. The emulated machine runs the
  shipped 32-bit program on 64-bit Windows, whose system folder is
  SysWOW64; the x86_64 build under Wine uses system32. Both logs name
  system32, as the programs see it.
- Access-list grants the install made stay on both sides (each grant
  replaces the Users group's own entries of the object); the prefix's
  access lists are not visible from the host, so only the emulated machine's
  are checked (by `lynsim diff`).

usage: wine_uninstall_test.py LYNSIM WINDOWS_BUILD_DIR CABINET
Exits 77 (skipped, with a message) only when Wine cannot start at all.
"""

import hashlib
import re
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

from install_snapshot import (FILE_SECTIONS, SHORTCUT_SECTIONS, UNINSTALL_KEY, EmulatedMachine,
                              log_entries, read_lines)
from wine_install_test import WINE_LIKE_PROFILE, WOW64_UNINSTALL_KEY
from wine_machine import missing_programs, INSTALL_SCRIPT, SOURCE_FOLDER, WINESERVER, WineMachine, WineUnavailable, \
    install_product

UNINSTALL_ANSWERS = ["--answer", "Yes", "--answer", "OK"]
SESSION_MANAGER = "HKLM\\System\\CurrentControlSet\\Control\\Session Manager"
# Sections whose files are shared with other programs and never removed.
SHARED_SECTIONS = ("[SYSTEM]", "[COMMON]")
SYSTEM32, SYSWOW64 = "c:\\windows\\system32\\", "c:\\windows\\syswow64\\"
RESTART_TITLE = "Removed when Windows restarts:"
KEPT_TITLE = "Shared files kept, since other programs may use them:"


def drive_state(wine):
    """Every folder and file of drive C:, by lower-case Windows path: None for
    a folder, the SHA-256 of a file. The folder the test put the setup
    program in is not part of the machine."""
    root = wine.prefix / "drive_c"
    source = SOURCE_FOLDER.lower() + "\\"
    state = {}
    for path in root.rglob("*"):
        if path.is_symlink():
            continue
        name = "c:\\" + "\\".join(path.relative_to(root).parts).lower()
        if name == SOURCE_FOLDER.lower() or name.startswith(source):
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
    return [path.removeprefix("\\??\\") for path in data.split("\0")]


def report_lists(transcript):
    """The titled lists of the uninstaller's report, from its message box:
    title -> lines. The transcript prints a box's text after its title and
    buttons, each further line after two blanks, and leaves backslashes
    alone."""
    lines = transcript.split("\n")
    text = []
    for i, line in enumerate(lines):
        if not line.startswith("msgbox: "):
            continue
        first = re.search(r'\] (?:critical )?"(.*)$', line)
        box = [first.group(1) if first else ""]
        for more in lines[i + 1:]:
            if not more.startswith("  "):
                break
            box.append(more[2:])
        if any("was removed." in item for item in box):
            box[-1] = box[-1][:-1] if box[-1].endswith('"') else box[-1]
            text = box
    lists, title = {}, None
    for item in text:
        if item.endswith(":"):
            title = item
            lists[title] = []
        elif item and title:
            lists[title].append(item)
    return lists


def placed(uninstall_log):
    """What the log records as placed: (shared files, product files and
    shortcuts, folders), each a set of lower-case paths."""
    entries = log_entries(uninstall_log)
    ok = [(s, p) for s, p, rest in entries if p and rest[:1] == ["Successful"]]
    shared = {p.lower() for s, p in ok if s in SHARED_SECTIONS}
    product = {p.lower() for s, p in ok
               if s in FILE_SECTIONS + SHORTCUT_SECTIONS and s not in SHARED_SECTIONS}
    folders = {p.lower() for s, p, _ in entries
               if p and s in ("[PROGRAM FILE FOLDER]", "[PROGRAM GROUP]")}
    program_folder = next((p for s, p, _ in entries if s == "[PROGRAM FILE FOLDER]" and p), "")
    folders.add(program_folder.lower() + "\\maps")
    return shared, product, folders


def comparable(transcript):
    """The transcript's lines without the icon word, and each message box
    cut before its first empty line, where the report's lists begin (a box's
    further lines follow its msgbox line after two blanks)."""
    lines, cut = [], False
    for line in transcript.rstrip().split("\n"):
        if not line.startswith("  "):
            cut = False
        elif not line.strip():
            cut = True
        if not cut:
            lines.append(line.replace("] critical ", "] "))
    return lines


def check_report(transcript, shared, restart_expected):
    """The report kept exactly the log's shared files, and speaks of a restart
    only for the uninstaller's own file, when one was asked for."""
    lists = report_lists(transcript)
    problems = []
    kept = {p.lower() for p in lists.get(KEPT_TITLE, [])}
    if kept != shared:
        problems.append(f"the report keeps {sorted(kept)}, the log placed {sorted(shared)}")
    restart = [p.lower() for p in lists.get(RESTART_TITLE, [])]
    if restart != restart_expected:
        problems.append(f"the report leaves {restart} to a restart, not {restart_expected}")
    if "These could not be removed:" in lists:
        problems.append("the report lists files left behind")
    return problems


def wine_round_trip(wine, exes, cabinet):
    """Records, installs, removes and records again; returns the two
    records, the log, the uninstall transcript and the entry left."""
    before = drive_state(wine)
    install = install_product(wine, exes, cabinet)
    if not install.rstrip().endswith("ended: Finish"):
        raise AssertionError("the install under Wine did not end with Finish:\n" + install)
    log = read_lines(wine.host_path("C:\\windows\\UnInstallLYN.log"))
    program = registry_string(wine.export_key(UNINSTALL_KEY), "UninstallString")
    if program is None:
        raise AssertionError("the install under Wine left no UninstallString")
    shutil.copy(Path(exes) / "UninstallLYN67.exe", wine.host_path(program))
    transcript = wine.run("windriver.exe", program, *UNINSTALL_ANSWERS,
                          cwd=wine.prefix / "drive_c" / SOURCE_FOLDER.split("\\")[1])
    return {"before": before, "after": drive_state(wine), "log": log, "program": program.lower(),
            "transcript": transcript, "entry": wine.export_key(UNINSTALL_KEY)}


def emulated_round_trip(lynsim, folder, fields):
    machine = EmulatedMachine(lynsim, folder / "machine", fields)
    before = folder / "before"
    shutil.copytree(machine.folder, before)
    machine.run(*INSTALL_SCRIPT)
    log = read_lines(machine.host_path(fields["WindowsDirectory"] + "\\UnInstallLYN.log"))
    transcript = machine.uninstall(*UNINSTALL_ANSWERS)
    diff = subprocess.run([lynsim, "diff", str(before), machine.folder], stdout=subprocess.PIPE,
                          check=False).stdout.decode().rstrip().split("\n")
    return {"log": log, "transcript": transcript, "diff": diff,
            "entry": machine.export_key(WOW64_UNINSTALL_KEY)}


def folders_of(path):
    parts = path.split("\\")
    return {"\\".join(parts[:n]) for n in range(2, len(parts))}


def check_wine(wine_side):
    """What the round trip left in the prefix."""
    shared, product, folders = placed(wine_side["log"])
    before, after = wine_side["before"], wine_side["after"]
    problems = []
    if registry_string(wine_side["entry"], "UninstallString") is not None:
        problems.append("the uninstall entry is still there")
    pending = [p.lower() for p in wine_side["pending"] if p]
    own = wine_side["program"]
    restart = [own] if own in after else []
    if pending != restart:
        problems.append(f"pending renames {pending}, expected {restart}")
    problems += check_report(wine_side["transcript"], shared, restart)
    left = sorted((product | folders) & set(after) - set(restart))
    problems += [f"{p} was placed by the install and is still there" for p in left]
    problems += [f"the shared file {p} was removed" for p in sorted(shared - set(after))]
    # The folders the install made for the shared files stay with them.
    allowed = shared | set(restart) | {f for p in shared for f in folders_of(p)}
    for path in sorted(set(before) | set(after)):
        if before.get(path, "gone") == after.get(path, "gone") or path in allowed:
            continue
        change = "added" if path not in before else "removed" if path not in after else "changed"
        problems.append(f"{path} {change} by the round trip")
    return [f"WRONG under Wine: {p}" for p in problems]


def check_emulated(emulated_side):
    shared, _, _ = placed(emulated_side["log"])
    problems = []
    if registry_string(emulated_side["entry"], "UninstallString") is not None:
        problems.append("the uninstall entry is still there")
    problems += check_report(emulated_side["transcript"], shared, [])
    for line in emulated_side["diff"]:
        kind, _, what = line.partition(": ")
        # The machine keeps a 32-bit program's system folder where 64-bit
        # Windows does; the log names it as the program sees it.
        seen = what.lower().replace(SYSWOW64, SYSTEM32)
        kept = ("file added", "file changed", "registration added")
        replaced = kind == "access removed" and "BUILTIN\\Users:" in what
        if kind == "access added" or replaced or (kind in kept and seen in shared):
            continue
        problems.append(f"the round trip left: {line}")
    return [f"WRONG on the emulated machine: {p}" for p in problems]


def compare(wine_side, emulated_side):
    """The transcripts line by line (the report's lists are checked on each
    side against that side's log), and what the two installs placed for the
    uninstaller to remove."""
    problems = []
    wine_lines = comparable(wine_side["transcript"])
    machine_lines = comparable(emulated_side["transcript"])
    if wine_lines != machine_lines:
        problems.append("the transcripts differ:\n  Wine: " + "\n  Wine: ".join(wine_lines) +
                        "\n  emulated: " + "\n  emulated: ".join(machine_lines))
    _, wine_product, wine_folders = placed(wine_side["log"])
    _, machine_product, machine_folders = placed(emulated_side["log"])
    if (wine_product, wine_folders) != (machine_product, machine_folders):
        problems.append("the two installs placed different product files, shortcuts or folders")
    return [f"DIFFERENT: {p}" for p in problems]


def main():
    lynsim, exes, cabinet = sys.argv[1:4]
    if missing_programs(exes, ("LYNSetup.exe", "UninstallLYN67.exe", "windriver.exe")):
        return 1
    with tempfile.TemporaryDirectory() as scratch:
        try:
            with WineMachine(scratch) as wine:
                wine_side = wine_round_trip(wine, exes, cabinet)
                fields = {**WINE_LIKE_PROFILE, **wine.folders()}
                wine_side["pending"] = pending_renames(wine)
        except WineUnavailable as e:
            print(f"SKIPPED: Wine cannot start here ({e})")
            return 77
        emulated_side = emulated_round_trip(lynsim, Path(scratch), fields)

    print("under Wine:\n" + wine_side["transcript"])
    print("on the emulated machine:\n" + emulated_side["transcript"])
    problems = check_wine(wine_side) + check_emulated(emulated_side) + \
        compare(wine_side, emulated_side)
    own = "at the next restart" if wine_side["program"] in wine_side["after"] else "at once"
    print(f"under Wine the uninstaller's own file was removed {own}")
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
