#!/usr/bin/env python3
"""lynsim matrix on three editions and three variants (with the default
person's, which every matrix runs): each combination's record against what
that machine must show, the schema of matrix.json, the merge of two shards
against the whole run, and a combination that hangs cut at its limit while
the others go on.

Usage: matrix_test.py LYNSIM SCHEMA"""
import json
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

import jsonschema

LYNSIM = ""
SCHEMA = ""
PRESETS = "win95,winxp-pro,win7-ultimate-sp1"
VARIANTS = "standard-user,declines-elevation,cd"
NOT_STARTED = "not started, error 1223 (The operation was canceled by the user.)"
SECURITY_OFF = "Security is not available or not enabled."

# (preset, variant) -> (outcome, ending). Windows 95 is refused at start; the
# XP machines install with the help viewer's registration failing (hh.exe
# exports no DllRegisterServer); the declined elevation exists only where
# Windows asks for it.
ENDINGS = {
    "win95": ("refused", "Invalid OS"),
    "winxp-pro": ("installed with failures", "Finish"),
    "win7-ultimate-sp1": ("installed", "Finish"),
}
EXPECTED = {(preset, variant): ending for preset, ending in ENDINGS.items()
            for variant in ("default", "standard-user", "cd")}
EXPECTED.update({("win95", "declines-elevation"): ("not applicable", None),
                 ("winxp-pro", "declines-elevation"): ("not applicable", None),
                 ("win7-ultimate-sp1", "declines-elevation"): ("not started", NOT_STARTED)})


def matrix(*arguments):
    return subprocess.run([LYNSIM, "matrix", *map(str, arguments)], stdout=subprocess.PIPE,
                          stderr=subprocess.PIPE, text=True, check=False)


def small_matrix(out, *arguments):
    return matrix(out, "--presets", PRESETS, "--variants", VARIANTS, *arguments)


def combinations(out):
    document = json.loads((Path(out) / "matrix.json").read_text())
    return {(c["preset"], c["variant"]): c for c in document["combinations"]}


class SmallMatrix(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.scratch = tempfile.TemporaryDirectory()
        cls.addClassCleanup(cls.scratch.cleanup)
        cls.out = Path(cls.scratch.name) / "whole"
        cls.result = small_matrix(cls.out)
        cls.records = combinations(cls.out)

    def test_each_combination_ends_as_its_machine_must(self):
        self.assertEqual(self.result.returncode, 0, self.result.stderr)
        self.assertEqual(set(self.records), set(EXPECTED))
        for key, (outcome, ending) in EXPECTED.items():
            with self.subTest(combination=key):
                record = self.records[key]
                self.assertEqual((record["outcome"], record["ending"]), (outcome, ending))
                if outcome != "not applicable":
                    transcript = self.out / record["files"]["transcript"]
                    self.assertTrue(transcript.read_text().rstrip().endswith("ended: " + ending))

    def test_what_the_variants_change(self):
        xp_user = self.records[("winxp-pro", "standard-user")]
        # No elevation: HKLM is not writable.
        self.assertIn("the uninstall entry row: a cross (the default person: a tick)",
                      xp_user["differences"])
        self.assertIsNone(xp_user["uninstall"], "nothing of the product is there to remove")

        # Off NTFS the permission timer makes no test: no grant, and the
        # replaced system file is logged without an owner check.
        xp_cd = self.records[("winxp-pro", "cd")]
        info = next(log for log in xp_cd["logs"] if log["name"] == "InstallInfo.log")
        counts = {s["text"]: s["count"] for s in info["sentences"]}
        self.assertGreater(counts.get(SECURITY_OFF, 0), 0)
        self.assertEqual(xp_cd["grants"], [])
        self.assertIn("makes 0 grants to the Users group (the default person: 3)",
                      self.records[("win7-ultimate-sp1", "cd")]["differences"])

    def test_the_uninstall_leaves_only_shared_files_and_access_changes(self):
        flagged = {}
        for key, record in self.records.items():
            if record["uninstall"] is None:
                continue
            with self.subTest(combination=key):
                self.assertEqual(record["uninstall"]["ending"]["status"], 0)
                self.assertIn("was removed", record["uninstall"]["report"])
                flagged[key] = [f"{line['change']}: {line['what']}" for line in record["leftovers"]
                                if line["flagged"]]
                self.assertTrue(all(line.startswith("access ") for line in flagged[key]), flagged[key])
                kept = [line for line in record["leftovers"] if not line["flagged"]]
                self.assertTrue(kept, "the shared files the install placed stay")
        # The default person on Windows 7 opens HKLM\SOFTWARE to Users; the
        # uninstaller keeps that grant, and the record flags it.
        self.assertTrue(any(": HKEY_LOCAL_MACHINE\\SOFTWARE: BUILTIN\\Users:" in line
                            for line in flagged[("win7-ultimate-sp1", "default")]), flagged)

    def test_the_record_follows_the_documented_schema(self):
        schema = json.loads(Path(SCHEMA).read_text())
        document = json.loads((self.out / "matrix.json").read_text())
        validator = jsonschema.Draft202012Validator({"$ref": "#/$defs/matrix", "$defs": schema["$defs"]})
        self.assertEqual([error.message for error in validator.iter_errors(document)], [])

    def test_two_shards_merged_are_the_whole_run(self):
        first, second, merged = (Path(self.scratch.name) / name
                                 for name in ("first", "second", "merged"))
        for out, shard in ((first, "1/2"), (second, "2/2")):
            result = small_matrix(out, "--shard", shard, "--jobs", "1")
            self.assertEqual(result.returncode, 0, result.stderr)
        ran = [{key for key, c in combinations(out).items() if c["outcome"] != "not run"}
               for out in (first, second)]
        self.assertEqual(ran[0] & ran[1], set())
        self.assertEqual(ran[0] | ran[1], set(EXPECTED))
        result = matrix("merge", merged, first, second)
        self.assertEqual(result.returncode, 0, result.stderr)
        for page in ("matrix.json", "index.html"):
            self.assertEqual((merged / page).read_text(), (self.out / page).read_text(), page)
        again = matrix("merge", merged, first, first)
        self.assertEqual(again.returncode, 1)
        self.assertIn("ran in two parts", again.stderr)


class HungCombination(unittest.TestCase):
    # The limit leaves the default person's combination room on a busy
    # machine under the sanitizers.
    def test_a_combination_past_its_limit_is_cut_and_the_rest_go_on(self):
        with tempfile.TemporaryDirectory() as scratch:
            variants = Path(scratch) / "slow.ini"
            variants.write_text("[slow-registration]\n"
                                "Description = a control that takes a minute to register\n"
                                "SelfRegistration.MSCOMCTL.OCX = delay=60000\n")
            out = Path(scratch) / "out"
            result = matrix(out, "--presets", "win7-ultimate-sp1", "--variants", str(variants),
                            "--time-limit", "10")
            self.assertEqual(result.returncode, 1, result.stderr)
            records = combinations(out)
            slow = records[("win7-ultimate-sp1", "slow-registration")]
            self.assertEqual((slow["outcome"], slow["ending"]),
                             ("hung", "cut at its time limit of 10 s during the install"))
            self.assertEqual(records[("win7-ultimate-sp1", "default")]["outcome"], "installed")
            left = subprocess.run(["pgrep", "-f", str(out)], stdout=subprocess.PIPE, text=True,
                                  check=False)
            self.assertEqual(left.stdout, "", "no process of the matrix outlives it")


if __name__ == "__main__":
    LYNSIM, SCHEMA = sys.argv[1], sys.argv[2]
    unittest.main(argv=sys.argv[:1], verbosity=2)
