"""The install's logs as the Wine tests read them: lines without CR, in the
machine's code page (1252), and split into entries."""

import re

UNINSTALL_KEY = "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\LYN67"
FILE_SECTIONS = ("[SYSTEM]", "[COMMON]", "[AP]", "[WINDOWS]", "[APM]")
SHORTCUT_SECTIONS = ("[PROGRAM GROUP SHORTCUT]", "[DESKTOP SHORTCUT]")
# What the owner check writes before a system file's entry.
OWNER_CHECK_NOTES = {"First Time Install", "Security is not available or not enabled.",
                     "Write Permission Granted.", "Permission Granted."}


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


def present_before(install_log):
    """Paths the survey found already there (a version, or "Unknown")."""
    return {path.lower() for section, path, rest in log_entries(install_log)
            if section == "[VERSION]" and path and
            not rest[0].startswith("Version Present = None")}


def set_aside(lines, paths):
    """A log without the entries of those paths, with the owner check's note
    written before each (before its section's header when it opens the
    section), and without the sections left empty by that. Which system
    files a machine already had, and so what its survey decided for them,
    are each platform's own."""
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


def placed(uninstall_log, sections):
    """The paths the log records as placed, in those sections, in order."""
    return [p for s, p, rest in log_entries(uninstall_log)
            if p and s in sections and rest[:1] == ["Successful"]]
