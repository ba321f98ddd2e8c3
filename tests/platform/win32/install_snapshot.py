"""What an install left on a machine, read the same way from a Wine prefix and
from an emulated machine, so that the two can be compared section by section.

A machine is anything with host_path(WINDOWS_PATH) -> host path or None and
export_key(KEY) -> registry editor text: wine_machine.WineMachine, or
EmulatedMachine below over `lynsim`.

snapshot() gives, each a list of lines:
  "uninstall log"  UnInstallLYN.log in the Windows folder
  "install log"    InstallInfo.log in the program folder
  "files"          each file the uninstall log records as placed: "PATH: "
                   and the size and SHA-256 of the file found there, or "missing"
  "entry"          the uninstall entry's values, one a line, sorted
  "shortcuts"      each shortcut the log records: what the program set in it
                   (target, working folder, arguments, description, icon,
                   show command), read back by lnkinfo and from the header
"""

import hashlib
import re
import struct
import subprocess
from pathlib import Path

UNINSTALL_KEY = "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\LYN67"
FILE_SECTIONS = ("[PROGRAM FILES]", "[SYSTEM]", "[COMMON]", "[AP]", "[WINDOWS]", "[APM]")
SHORTCUT_SECTIONS = ("[PROGRAM GROUP SHORTCUT]", "[DESKTOP SHORTCUT]")
LNKINFO_FIELDS = ("Local path", "Description", "Working directory", "Command line arguments",
                  "Icon location")
SHOW_COMMAND_OFFSET = 0x3C  # in the 0x4C-byte shell link header


class EmulatedMachine:
    """An emulated machine made by `lynsim new` with the given profile fields."""

    def __init__(self, lynsim, folder, fields):
        self.lynsim = lynsim
        self.folder = str(folder)
        sets = [arg for name, value in fields.items() for arg in ("--set", f"{name}={value}")]
        self._lynsim("new", self.folder, *sets)

    def _lynsim(self, *args):
        return subprocess.run([self.lynsim, *args], stdout=subprocess.PIPE,
                              stderr=subprocess.PIPE, check=False).stdout.decode()

    def run(self, *script):
        return self._lynsim("run", self.folder, "--headless", *script)

    def uninstall(self, *answers):
        return self._lynsim("uninstall", self.folder, *answers)

    def host_path(self, windows_path):
        path = Path(self._lynsim("path", self.folder, windows_path).strip())
        return path if path.exists() else None

    def export_key(self, key):
        """The key as a version 5 registry file's text (UTF-16LE as lynsim
        writes it), without CRs, as WineMachine.export_key gives it."""
        data = subprocess.run([self.lynsim, "reg", self.folder, "export", key],
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE, check=False).stdout
        return data.decode("utf-16").replace("\r", "") if data else ""


def read_lines(path):
    if path is None:
        return ["(missing)"]
    return path.read_bytes().decode("cp1252").replace("\r", "").split("\n")


def log_entries(lines):
    """A log's entries, in order: (section, path, the lines that follow the
    path up to the next path or section). Lines before a section's first
    path are an entry with the path "". """
    entries = []
    for line in lines:
        if line.startswith("["):
            entries.append((line, "", []))
        elif re.match(r"^[A-Za-z]:\\", line):
            entries.append((entries[-1][0] if entries else "", line, []))
        elif entries:
            entries[-1][2].append(line)
        else:
            entries.append(("", "", [line]))
    return entries


def log_lines(entries):
    """The lines of a log again from its entries."""
    lines = []
    for section, path, rest in entries:
        lines += [section] if not path else [path]
        lines += rest
    return lines


def file_line(machine, path):
    host = machine.host_path(path)
    if host is None or not host.is_file():
        return f"{path}: missing"
    data = host.read_bytes()
    return f"{path}: {len(data)} bytes, SHA-256 {hashlib.sha256(data).hexdigest()[:16]}"


def entry_lines(text):
    """The values of an exported key, without the header and the key line."""
    return sorted(line for line in text.split("\n") if line.startswith('"'))


def shortcut_line(machine, path):
    host = machine.host_path(path)
    if host is None:
        return f"{path}: missing"
    info = subprocess.run(["lnkinfo", str(host)], stdout=subprocess.PIPE, check=False)
    fields = {}
    for line in info.stdout.decode("utf-8", "replace").split("\n"):
        name, _, value = line.strip().partition(":")
        if name.strip() in LNKINFO_FIELDS:
            fields[name.strip()] = value.strip()
    # lnkinfo prints the file size as the show command, so the header is read.
    show = struct.unpack_from("<I", host.read_bytes(), SHOW_COMMAND_OFFSET)[0]
    data = "; ".join(f"{name}={fields.get(name, '')}" for name in LNKINFO_FIELDS)
    return f"{path}: {data}; Show command={show}"


def snapshot(machine, windows_folder, uninstall_key=UNINSTALL_KEY):
    uninstall_log = read_lines(machine.host_path(windows_folder + "\\UnInstallLYN.log"))
    entries = log_entries(uninstall_log)
    program_folder = next((p for s, p, _ in entries if s == "[PROGRAM FILE FOLDER]" and p), "")
    placed = [p for s, p, o in entries if s in FILE_SECTIONS and o[:1] == ["Successful"]]
    shortcuts = [p for s, p, o in entries if s in SHORTCUT_SECTIONS and o[:1] == ["Successful"]]
    return {
        "uninstall log": uninstall_log,
        "install log": read_lines(machine.host_path(program_folder + "\\InstallInfo.log")),
        "files": [file_line(machine, p) for p in placed],
        "entry": entry_lines(machine.export_key(uninstall_key)),
        "shortcuts": [shortcut_line(machine, p) for p in shortcuts],
    }
