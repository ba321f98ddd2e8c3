"""The reviewed expectations the Wine tests hold Wine's runs against: what
the commands of the scenario tests/data/scenarios/wine-like.t print on an
emulated machine that reports what Wine reports, and its golden logs. The
scenario's machine names its account "wineuser"; a prefix's account is
written as that name before anything is compared."""

import re
from pathlib import Path

DATA = Path(__file__).resolve().parents[2] / "data"
SCENARIO = DATA / "scenarios" / "wine-like.t"
GOLDEN_USER = "wineuser"


def printed(command):
    """The lines the scenario's first command beginning with `command`
    printed, without their indent and without a status line."""
    lines = SCENARIO.read_text().split("\n")
    start = next(i for i, line in enumerate(lines) if line.startswith("  $ " + command))
    out = []
    for line in lines[start + 1:]:
        if not line.startswith("  ") or line.startswith("  $ "):
            break
        if not re.fullmatch(r"  \[\d+\]", line):
            out.append(line[2:])
    return out


def log(name):
    """A golden log's lines, as read_lines gives a machine's."""
    return (DATA / "logs" / name).read_bytes().decode("cp1252").replace("\r", "").split("\n")


def as_golden(lines, user):
    """The lines with the prefix's account in its folders named as the
    scenario names it."""
    folder = re.compile(re.escape("\\users\\" + user + "\\"), re.IGNORECASE)
    return [folder.sub("\\\\users\\\\" + GOLDEN_USER + "\\\\", line) for line in lines]


def new_machine_command():
    """The scenario's command that makes its machine, for a shell in which
    lynsim is on the path."""
    return next(line[4:] for line in SCENARIO.read_text().split("\n")
                if line.startswith("  $ lynsim new M "))
