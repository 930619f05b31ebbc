#!/usr/bin/env python3
"""Adds seed files to the corpora of the fuzz targets in fuzz/corpus/.

The seeds come from the repository itself: the shipped rule file and sample
action files, long stored strings of matches, rule texts of every kind, and
a few argument vectors of the command line. Run it again after changing
those; the fuzzers find their way from these seeds much faster than from
nothing.

  tools/make_corpus.py [FOLDER]

FOLDER holds the files that atnformat_writecorpus writes (the action files
the reader's tests are built on); its well-formed ones join the seeds of the
reader and rewriter.

It writes its own seeds and leaves every other file in the corpora alone:
the seeds taken from engine test cases that have since gone, and the inputs
that fuzzing runs found, stay as they were committed.
"""
import pathlib
import struct
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
CORPUS = ROOT / "fuzz" / "corpus"

# Extra flags of process seeds: the buffer consumed (0x10), with room to grow
# (0x20).
CONSUMED, ROOM = 0x10, 0x20


def process_seed(buffer, search, replacement, lenient, extra=0):
    flags = (1 if lenient else 0) | extra
    return bytes([flags, len(search)]) + search + bytes([len(replacement)]) + replacement + buffer


def rule_pairs(path):
    pairs = []
    for line in path.read_text(encoding="utf-8").splitlines():
        fields = [f for f in line.split(";") if f]
        if len(fields) >= 3 and fields[0] in ("1", "true"):
            pairs.append((fields[1].encode(), fields[2].encode()))
    return pairs


def process_seeds():
    seeds = {}
    pairs = rule_pairs(ROOT / "resources" / "rules" / "default-en-de.rul")
    for sample in sorted((ROOT / "resources" / "samples").glob("*.atn")):
        for index, (search, replacement) in enumerate(pairs):
            seeds[f"{sample.stem}-rule{index + 1}"] = process_seed(sample.read_bytes(), search, replacement, False,
                                                                   CONSUMED | ROOM if index % 2 else 0)
    return seeds


def long_string(units, little, planted=None):
    """One stored string of the units again and again; `planted`, (field,
    position), puts three units there whose bytes, read one byte off the unit
    grid, give that length field."""
    text = bytearray()
    for index, unit in enumerate(units):
        if planted and index == planted[1]:
            low, high = planted[0] & 0xFF, planted[0] >> 8
            text += bytes([0x4E, low, high, 0, 0, 0x41] if little else [0x41, 0, 0, high, low, 0x2D])
        text += unit
    count = len(text) // 2 + 1
    header = struct.pack(">I", 2 * count + 12) + b"txtu" + struct.pack("<I", 2 * count + 12) if little else b""
    return b"\x11\x22" + header + struct.pack("<I" if little else ">I", count) + bytes(text) + b"\0\0\0\x55"


def long_string_seeds():
    """Walks back over hundreds of rewrites in one string, in both layouts."""
    be_a, le_a = [b"\0a"] * 300, [b"\x2d\x4e"] + [b"a\x4e", b"a\0"] * 300
    return {
        "long-big-endian": process_seed(long_string(be_a, False), b"a", b"b", False, CONSUMED | ROOM),
        "long-big-endian-longer-planted": process_seed(long_string(be_a, False, (321, 40)), b"a", b"bcd", False),
        "long-little-endian-shorter": process_seed(long_string(le_a, True), b"a", b"", False, CONSUMED),
        "long-little-endian-planted": process_seed(long_string(le_a, True, (521, 81)), b"a", b"b", False),
        "long-little-endian-lenient-planted": process_seed(long_string(le_a, True, (621, 81)), b"a", b"bc", True,
                                                           CONSUMED | ROOM),
    }


RULE_TEXTS = {
    "flags": "1;a;b;\nyes;c;d;\n0;e;f;\nTRUE;g;h;\nfalse;i;j;\ntrue;k;l",
    "separators": ";;1;;;a;;;b;;;\n\n\n1;x\n0;;;\n",
    "crlf": "1;a;b;\r\n1;c;d;\r\n1;a\r\nb;c;\n",
    "marks": "1;a;\u0301b;c;\n1;a;b;\u0301\n1;\u0600;a;b;\n1;a;\u200db;c",
    "byte-order-mark": "\ufeff1;a;b;\n\ufeff0;c;d;\n",
    "nul": "1;a\0b;c\0;\n",
    "astral": "1;\U0001F600;\U0001F601x;\n",
}
RULE_BYTES = {
    "invalid-byte": b"1;a;\xff;\n",
    "surrogate": b"1;\xed\xa0\x80;b;\n",
    "cut-short": b"1;a;b;\n1;c;d\xe2\x82",
}


def rule_seeds():
    seeds = {name: text.encode() for name, text in RULE_TEXTS.items()}
    seeds.update(RULE_BYTES)
    seeds["default-en-de"] = (ROOT / "resources" / "rules" / "default-en-de.rul").read_bytes()
    return seeds


# Argument choices of cli_fuzz.cpp.
RULES, LENIENT, HELP, VERSION, IN, OUT, RUL, IN_AGAIN, FOLDER, MISSING, TEXT = range(11)
EXACT, DRY_RUN, JSON, OUTPUT_DIR = range(12, 16)


def cli_seed(args, atn, rules):
    out = bytearray([len(args)])
    for arg in args:
        if isinstance(arg, bytes):
            out += bytes([TEXT, len(arg)]) + arg
        else:
            out.append(arg)
    return bytes(out) + struct.pack(">H", len(atn)) + atn + rules


def cli_seeds():
    atn = bytes.fromhex("11 22 33 44 00 00 00 04 00 41 00 42 00 43 00 00 55 66")
    rules = b"1;B;XY;\n0;A;Q;\n"
    return {
        "pair": cli_seed([IN, OUT, b"B", b"XY"], atn, rules),
        "lenient": cli_seed([LENIENT, IN, OUT, b"B", b"XY"], atn, rules),
        "rules": cli_seed([RULES, RUL, IN, OUT], atn, rules),
        "rules-lenient-same-file": cli_seed([RULES, RUL, LENIENT, IN, IN_AGAIN], atn, rules),
        "same-file": cli_seed([IN, IN, b"B", b"XY", b"XY", b"Z"], atn, rules),
        "unpaired": cli_seed([IN, OUT, b"B"], atn, rules),
        "folder-output": cli_seed([IN, FOLDER, b"B", b"XY"], atn, rules),
        "missing-input": cli_seed([MISSING, OUT, b"B", b"XY"], atn, rules),
        "help": cli_seed([HELP], atn, rules),
        "version": cli_seed([VERSION], atn, rules),
        "no-rules": cli_seed([RULES, RUL, IN, OUT], atn, b"0;B;XY;\n"),
        "exact-before-rules": cli_seed([EXACT, RULES, RUL, IN, OUT], atn, rules),
        "dry-run-json": cli_seed([RULES, RUL, DRY_RUN, JSON, IN], atn, rules),
        "batch-in-place": cli_seed([OUTPUT_DIR, b".", RULES, RUL, IN], atn, rules),
    }


def write(target, seeds):
    folder = CORPUS / target
    folder.mkdir(parents=True, exist_ok=True)
    for name, data in sorted(seeds.items()):
        (folder / name).write_bytes(data)
    print(f"{target}: {len(seeds)} seeds")


def atnformat_seeds():
    seeds = {sample.stem: sample.read_bytes() for sample in (ROOT / "resources" / "samples").glob("*.atn")}
    for name, seed in process_seeds().items():
        search_length = seed[1]
        replacement_length = seed[2 + search_length]
        seeds.setdefault(name, seed[3 + search_length + replacement_length:])
    if len(sys.argv) > 1:
        for kind in ("structure-*", "small*", "generated-*"):
            for path in pathlib.Path(sys.argv[1]).glob(kind):
                seeds[path.stem] = path.read_bytes()
    return seeds


def main():
    write("atnformat_fuzz", atnformat_seeds())
    write("process_fuzz", {**process_seeds(), **long_string_seeds()})
    write("rulefile_editor_fuzz", rule_seeds())
    write("rulefile_translation_fuzz", rule_seeds())
    write("cli_fuzz", cli_seeds())


if __name__ == "__main__":
    main()
