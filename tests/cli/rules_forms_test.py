"""The dry run and the batch of the command line on the shipped sample, run by
CTest. Environment: ATNLINGO (the command line), SAMPLE, RULES (the default
rules)."""
import json
import os
import shutil
import subprocess
import tempfile
import unittest

ATNLINGO, SAMPLE, RULES = (os.environ.get(name, "") for name in ("ATNLINGO", "SAMPLE", "RULES"))


def atnlingo(*args):
    return subprocess.run([ATNLINGO, *args], capture_output=True, text=True)


def listing(folder):
    """Every file under `folder` with its content."""
    files = {}
    for root, _, names in os.walk(folder):
        for name in names:
            with open(os.path.join(root, name), "rb") as f:
                files[os.path.relpath(os.path.join(root, name), folder)] = f.read()
    return files


class Forms(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        self.dir = self.tmp.name
        self.input = self.path("in.atn")
        shutil.copy(SAMPLE, self.input)

    def tearDown(self):
        self.tmp.cleanup()

    def path(self, *names):
        return os.path.join(self.dir, *names)

    def test_dry_run_writes_nothing_and_lists_what_the_run_changes(self):
        for mode in ([], ["--exact"]):
            with self.subTest(mode=mode):
                before = listing(self.dir)
                dry = atnlingo("--rules", RULES, *mode, "--dry-run", "--json", self.input)
                text = atnlingo("--rules", RULES, "--dry-run", *mode, self.input)
                self.assertEqual(listing(self.dir), before)
                self.assertEqual((dry.returncode, text.returncode), (0, 0), dry.stderr)
                self.assertIn('Replacing "Layer" with "Ebene"\n', dry.stderr)
                report = json.loads(dry.stdout)

                output = self.path("out.atn")
                run = atnlingo("--rules", RULES, *mode, self.input, output)
                self.assertEqual(run.returncode, 0, run.stdout)
                old, new = (json.loads(atnlingo("--list", "--json", f).stdout)["strings"]
                            for f in (self.input, output))
                changes = [{"offset": a["offset"], "layout": a["layout"], "role": a["role"],
                            "before": a["text"], "after": b["text"]}
                           for a, b in zip(old, new) if a["text"] != b["text"]]
                self.assertEqual(report["changes"], changes)
                self.assertTrue(report["wellFormed"] and report["wouldWrite"])
                self.assertEqual(sum(rule["rewrittenTexts"] for rule in report["rules"]),
                                 int(run.stdout.split("Translated: ")[1].split()[0]))
                self.assertTrue(text.stdout.endswith("%d of %d stored texts would change.\n"
                                                     % (len(changes), sum(1 for s in old if s["text"]))))
                os.remove(output)

    def test_batch_goes_on_after_a_failing_input(self):
        os.mkdir(self.path("de"))
        shutil.copy(SAMPLE, self.path("de", "self.atn"))
        with open(self.path("broken.atn"), "wb") as f:
            f.write(b"not an action file")
        with open(self.path("de", "broken.atn"), "w") as f:
            f.write("precious")
        inputs = [self.input, self.path("broken.atn"), self.path("de", "self.atn")]
        run = atnlingo("--rules", RULES, "--exact", "--output-dir", self.path("de"), *inputs)
        self.assertEqual(run.returncode, 1, run.stdout)
        single = atnlingo("--rules", RULES, "--exact", self.input, self.path("single.atn"))
        self.assertEqual(single.returncode, 0)
        files = listing(self.path("de"))
        self.assertEqual(sorted(files), ["broken.atn", "in.atn", "self.atn", "self.atn.bak"])
        self.assertEqual(files["in.atn"], files["self.atn"])
        self.assertEqual(files["in.atn"], listing(self.dir)["single.atn"])
        self.assertEqual(files["broken.atn"], b"precious")
        with open(SAMPLE, "rb") as f:
            self.assertEqual(files["self.atn.bak"], f.read())
        starts = [line for line in run.stdout.splitlines() if line.startswith("File ")]
        self.assertEqual(starts, ["File %d of 3: %s" % (i + 1, path) for i, path in enumerate(inputs)])
        self.assertTrue(run.stdout.endswith("Translated 2 of 3 files.\n"), run.stdout[-200:])


if __name__ == "__main__":
    unittest.main()
