"""The reader against the independent validator, run by CTest.

Every file the reader's tests are built on (written by CORPUS_WRITER), the
reader's fuzz seeds (SEEDS: files of each kind of structure, generated files,
the sample's translations), the shipped sample and its translation go through
`atnlingo --check`; the verdicts must match the validator's. For the files
both call well-formed, the stored strings (offset, layout, role, event, text)
and the action and event counts must match too, and the translation of the
sample must be well-formed.

Environment: ATNLINGO, ATNVALIDATE, CORPUS_WRITER, SEEDS, SAMPLE.
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
        subprocess.run([ATNLINGO, os.environ["SAMPLE"], cls.translated,
                        "Background", "Hintergrund", "copy", "Kopie", "Layer", "Ebene"],
                       check=True, capture_output=True)
        cls.files = [os.path.join(where, name) for where in (folder, os.environ["SEEDS"])
                     for name in sorted(os.listdir(where))]
        cls.files.append(os.environ["SAMPLE"])

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def test_verdicts_strings_and_counts_agree(self):
        run = subprocess.run([ATNLINGO, "--check"] + self.files, capture_output=True, text=True)
        lines = run.stdout.splitlines()
        self.assertEqual(len(lines), len(self.files), run.stderr)
        mine = {}
        for path, line in zip(self.files, lines):
            self.assertTrue(line.startswith(path + ": "), line)
            mine[path] = line[len(path) + 2:].startswith("well-formed")
        theirs = {path: self.validator["check"](path) for path in self.files}
        differ = [os.path.basename(path) for path in self.files if mine[path] != theirs[path]["valid"]]
        self.assertEqual(differ, [])
        self.assertGreater(sum(mine.values()), 20, "too few well-formed files to compare")
        self.assertLess(sum(mine.values()), len(self.files) - 20, "too few damaged files to compare")

        for path in self.files:
            if not (mine[path] and theirs[path]["valid"]):
                continue
            with self.subTest(file=os.path.basename(path)):
                run = subprocess.run([ATNLINGO, "--list", "--json", path], capture_output=True, text=True)
                listed = json.loads(run.stdout)
                counts = (theirs[path]["actions"], theirs[path]["events"])
                self.assertEqual((listed["actions"], listed["events"]), counts)
                with open(path, "rb") as f:
                    data = f.read()
                expected = [expected_string(data, *s[:4]) for s in theirs[path]["_strings"]]
                got = [(s["offset"], s["layout"], s["role"], s["event"], s["key"] if e[4] is not None else None,
                        s["text"]) for s, e in zip(listed["strings"], expected)]
                self.assertEqual(len(listed["strings"]), len(expected))
                self.assertEqual(got, expected)

    def test_translated_sample_is_well_formed(self):
        self.assertTrue(self.validator["check"](self.translated)["valid"])


if __name__ == "__main__":
    unittest.main()
