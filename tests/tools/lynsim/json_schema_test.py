#!/usr/bin/env python3
"""Every lynsim command with --json prints one object on one line that the
documented schema (docs/lynsim.schema.json) accepts: each command is run on
a machine before and after an install, and its output is checked against
the schema's definition of that command. (A run whose copies fail is
tools/lynsim/cmd_run_test.cpp's.)

Usage: json_schema_test.py LYNSIM SCHEMA"""
import json
import subprocess
import sys
import tempfile
from pathlib import Path

import jsonschema


def main(lynsim, schema_file):
    schema = json.loads(Path(schema_file).read_text())
    jsonschema.Draft202012Validator.check_schema(schema)
    problems = []
    checked = set()

    def check(command, *arguments, status=0):
        result = subprocess.run([lynsim, command, *arguments, "--json"], stdout=subprocess.PIPE,
                                stderr=subprocess.PIPE, text=True, check=False)
        where = " ".join([command, *arguments])
        if result.returncode != status:
            problems.append(f"{where}: status {result.returncode}: {result.stderr.strip()}")
            return None
        if result.stdout.count("\n") != 1:
            problems.append(f"{where}: not one line: {result.stdout[:200]!r}")
            return None
        record = json.loads(result.stdout)
        definition = {"$ref": f"#/$defs/{command}", "$defs": schema["$defs"]}
        for error in jsonschema.Draft202012Validator(definition).iter_errors(record):
            problems.append(f"{where}: {error.json_path}: {error.message}")
        checked.add(command)
        return record

    with tempfile.TemporaryDirectory() as scratch:
        machine = str(Path(scratch) / "m")
        before = str(Path(scratch) / "before")
        subprocess.run([lynsim, "new", machine], check=True, stdout=subprocess.DEVNULL)
        subprocess.run(["cp", "-a", machine, before], check=True)
        check("fields")
        check("presets")
        check("osinfo", machine)
        check("survey", machine)
        run = check("run", machine, "--headless", "--click", "lblAcceptYes", "--click", "cmdOK",
                    "--click", "cmdExit")
        if run is not None:
            if run["ending"] != {"reason": "Finish", "status": 0}:
                problems.append(f"run: ending {run['ending']}")
            if not run["log"] or not run["log"]["complete"]:
                problems.append("run: the record has no complete log")
            if run["failedFiles"]:
                problems.append(f"run: failed files {run['failedFiles']}")
        check("run", machine, "--headless", "--click", "lblAcceptYes", "--click", "cmdOK",
              "--answer", "ok", status=0)
        check("ls", machine, "C:\\Program Files\\LYN\\*.exe")
        check("fileinfo", machine, "C:\\Program Files\\LYN\\LYN.exe")
        check("acl", machine, "C:\\Windows")
        check("acl", machine, "HKLM\\SOFTWARE")
        diff = check("diff", before, machine, status=1)
        if diff is not None and diff["same"]:
            problems.append("diff: the machines are the same")
        fat = str(Path(scratch) / "fat")
        subprocess.run([lynsim, "new", fat, "--set", "Drive.C=FAT32"], check=True,
                       stdout=subprocess.DEVNULL)
        check("acl", fat, "C:\\Windows")

    # matrix.json is a file, not a --json output: matrix_test.py checks it.
    missing = set(schema["$defs"]) - checked - {"account", "matrix"}
    if missing:
        problems.append(f"never checked: {sorted(missing)}")
    for problem in problems:
        print("FAILED:", problem)
    print(f"{len(checked)} commands checked against the schema, {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
