"""Checks of the shipped sample action file, run by CTest.

Environment: SAMPLE (the committed file), GENERATOR (tools/make_sample_atn.py),
ATNLINGO (the command line), ATNVALIDATE (the independent validator; the
validator checks are skipped when it is not set).
"""
import os
import re
import runpy
import subprocess
import sys
import tempfile
import unittest

PAIRS = [
    ("Background", "Hintergrund"),
    ("copy", "Kopie"),
    ("Color Fill", "Farbfüllung"),
    ("Gradient Fill", "Verlaufsfüllung"),
    ("Gradient Map", "Verlaufsumsetzung"),
    ("Layer", "Ebene"),
    ("Levels", "Tonwertkorrektur"),
]

SAMPLE = os.environ.get("SAMPLE", "")
VALIDATOR = os.environ.get("ATNVALIDATE", "")


def stored_strings(path):
    validator = runpy.run_path(VALIDATOR)
    result = validator["check"](path)
    assert result["valid"], result
    return [(at, layout, text) for at, layout, _, text, _ in result["_strings"]]


class Generator(unittest.TestCase):
    def test_reproduces_committed_file(self):
        with tempfile.TemporaryDirectory() as tmp:
            fresh = os.path.join(tmp, "sample.atn")
            subprocess.run([sys.executable, os.environ["GENERATOR"], fresh], check=True)
            with open(fresh, "rb") as f, open(SAMPLE, "rb") as g:
                self.assertEqual(f.read(), g.read(),
                                 "the committed sample differs from what the generator writes")


@unittest.skipUnless(VALIDATOR, "no validator given")
class Translation(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        self.output = os.path.join(self.tmp.name, "sample-de.atn")

    def tearDown(self):
        self.tmp.cleanup()

    def translate(self):
        args = [os.environ["ATNLINGO"], SAMPLE, self.output]
        for search, replacement in PAIRS:
            args += [search, replacement]
        return subprocess.run(args, capture_output=True, text=True)

    def test_translation_rewrites_big_endian_strings_only(self):
        run = self.translate()
        self.assertEqual(run.returncode, 0, run.stdout + run.stderr)
        before = stored_strings(SAMPLE)  # both checked valid by the validator
        after = stored_strings(self.output)
        self.assertGreaterEqual([layout for _, layout, _ in before].count("le"), 2, "the sample needs file paths")
        self.assertEqual([layout for _, layout, _ in before], [layout for _, layout, _ in after])
        for (_, layout, old), (_, _, new) in zip(before, after):
            expected = old
            if layout == "be":
                for search, replacement in PAIRS:
                    expected = expected.replace(search, replacement)
            # Little-endian Latin text is met as a big-endian reading first,
            # which has no start: the paths stay as they are.
            self.assertEqual(new, expected)

    def test_latin_path_ends_the_scan_of_its_pair(self):
        run = self.translate()
        before = stored_strings(SAMPLE)
        # The path's "Background" is read big-endian one byte early; the three
        # big-endian occurrences before it have each grown by one unit.
        at, text = next((at, text) for at, layout, text in before
                        if layout == "le" and "Background" in text)
        grown = sum(text.count("Background") for a, layout, text in before
                    if layout == "be" and a < at)
        offset = at + 4 + 2 * text.index("Background") - 1 + 2 * grown
        engine_lines = [line for line in run.stdout.splitlines()
                        if re.match(r"(Unable to find|Match found|Possible little-endian)", line)]
        self.assertEqual(engine_lines, [
            "Unable to find the start of the string for a match at offset %d in output file." % offset,
        ])
        pair_of_message = run.stdout.split("Unable to find")[0].rsplit("Replacing", 1)[1]
        self.assertTrue(pair_of_message.startswith(' "Background"'), run.stdout)


if __name__ == "__main__":
    unittest.main()
