"""The reader against the independent validator, run by CTest.

Every file the reader's tests are built on (written by CORPUS_WRITER), the
shipped sample and its translation go through `atnlingo --check`; the verdicts
must match the validator's. For the files both call well-formed, the stored
strings (offset, layout, role, event, text) and the action and event counts
must match too. The translation of the sample must be well-formed, with the
big-endian strings translated and the little-endian ones as they were.

Environment: ATNLINGO, ATNVALIDATE, CORPUS_WRITER, SAMPLE.
"""
import json
import os
import re
import runpy
import subprocess
import sys
import tempfile
import unittest

ATNLINGO = os.environ["ATNLINGO"]
PAIRS = [("Background", "Hintergrund"), ("copy", "Kopie"), ("Layer", "Ebene")]


def expected_string(data, at, layout, role, text):
    """The validator's record of a string as --list --json reports it."""
    if role in ("set.name", "action.name"):
        return (at, layout, role.replace(".n", "N"), "", "", text)
    event = role.split(".")[1]
    if role.endswith(".className"):
        return (at, layout, "className", event, None, text)
    if role.endswith(".ref.name"):
        return (at, layout, "referenceName", event, None, text)
    key = re.sub(r"\[\d+\]", "", role).rsplit(".", 1)[1]
    if layout == "le":  # the value's type code stands before its byte count
        kind = {b"Pth ": "filePath", b"alis": "aliasPath"}[data[at - 16:at - 12]]
        return (at, layout, kind, event, key, text)
    return (at, layout, "textValue", event, key, text)


class Agreement(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.validator = runpy.run_path(os.environ["ATNVALIDATE"])
        cls.tmp = tempfile.TemporaryDirectory()
        folder = cls.tmp.name
        subprocess.run([os.environ["CORPUS_WRITER"], folder], check=True)
        cls.translated = os.path.join(folder, "sample-de.atn")
        subprocess.run([ATNLINGO, os.environ["SAMPLE"], cls.translated] + [text for pair in PAIRS for text in pair],
                       check=True, capture_output=True)
        cls.files = sorted(os.path.join(folder, name) for name in os.listdir(folder))
        cls.files.append(os.environ["SAMPLE"])

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def verdicts(self):
        run = subprocess.run([ATNLINGO, "--check"] + self.files, capture_output=True, text=True)
        lines = run.stdout.splitlines()
        self.assertEqual(len(lines), len(self.files), run.stderr)
        mine = {}
        for path, line in zip(self.files, lines):
            self.assertTrue(line.startswith(path + ": "), line)
            mine[path] = line[len(path) + 2:].startswith("well-formed")
        return mine

    def test_verdicts_agree(self):
        mine = self.verdicts()
        differ = [os.path.basename(path) for path in self.files
                  if mine[path] != self.validator["check"](path)["valid"]]
        self.assertEqual(differ, [])
        self.assertGreater(sum(mine.values()), 20, "too few well-formed files to compare")
        self.assertLess(sum(mine.values()), len(self.files) - 20, "too few damaged files to compare")

    def test_strings_and_counts_agree(self):
        mine = self.verdicts()
        for path in self.files:
            if not mine[path]:
                continue
            theirs = self.validator["check"](path)
            if not theirs["valid"]:
                continue  # reported by test_verdicts_agree
            with self.subTest(file=os.path.basename(path)):
                run = subprocess.run([ATNLINGO, "--list", "--json", path], capture_output=True, text=True)
                listed = json.loads(run.stdout)
                self.assertEqual((listed["actions"], listed["events"]), (theirs["actions"], theirs["events"]))
                with open(path, "rb") as f:
                    data = f.read()
                expected = [expected_string(data, *s[:4]) for s in theirs["_strings"]]
                got = [(s["offset"], s["layout"], s["role"], s["event"], s["key"] if e[4] is not None else None,
                        s["text"]) for s, e in zip(listed["strings"], expected)]
                self.assertEqual(len(listed["strings"]), len(expected))
                self.assertEqual(got, expected)

    def test_sample_translation_rewrites_big_endian_strings_only(self):
        before, after = (self.validator["check"](path) for path in (os.environ["SAMPLE"], self.translated))
        self.assertTrue(before["valid"] and after["valid"])
        layouts = [s[1] for s in before["_strings"]]
        self.assertGreaterEqual(layouts.count("le"), 2, "the sample needs file paths")
        self.assertEqual(layouts, [s[1] for s in after["_strings"]])
        for (_, layout, _, old, _), (_, _, _, new, _) in zip(before["_strings"], after["_strings"]):
            expected = old
            if layout == "be":
                for search, replacement in PAIRS:
                    expected = expected.replace(search, replacement)
            # Little-endian Latin text is met as a big-endian reading first,
            # which has no start: the paths stay as they are.
            self.assertEqual(new, expected)


if __name__ == "__main__":
    unittest.main()
