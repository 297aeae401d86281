#!/usr/bin/env python3
"""Runs two builds of the program on the same models and compares what they do, byte for byte.

For every model file: a check at display level 0 (English) and at level 2 (Japanese), and a save
with answers that accept every question (the links repaired with a file beside the model), then
the same three on copies of the file cut short at many lengths: every length for files up to
8 KiB, else lengths around the multiples of 64 KiB and a fixed pseudo-random set of 128. The
console output (standard output and error), the exit status and the saved file must be the same
for both builds. Meant for a change that must not alter behaviour: build the commit before it
somewhere outside the repository and compare.

    tools/differential_check.py [--whole] BEFORE AFTER [model files or folders ...]

--whole compares the whole files only, without the cut copies (for a corpus of many files).

Without models, the real-world models under ../shared/fixtures/real-models are used (every
.pmx file); given folders contribute every file they hold (a fuzz corpus, for instance).
"""
import os
import random
import shutil
import subprocess
import sys
import tempfile

SMALL_FILE = 8192
# Answers good for any question: "y" for Yes/No/Cancel, "o" for OK/Cancel, a file for the open
# dialog; a line that does not fit the question is refused and the next one is tried.
ANSWERS = b"y\no\nx.png\n" * 1200
CHECKS = [
    ("check", [], {"LC_ALL": "C"}, b""),
    ("check -D2 ja", ["-D2"], {"LC_ALL": "ja_JP.SJIS"}, b""),
    ("save", [], {"LC_ALL": "C"}, ANSWERS),
]


def model_files(arguments, root):
    if not arguments:
        fixtures = os.path.join(root, "..", "shared", "fixtures", "real-models")
        found = []
        for folder, _, names in os.walk(fixtures):
            found += [os.path.join(folder, n) for n in names if n.lower().endswith(".pmx")]
        return sorted(found)
    found = []
    for argument in arguments:
        if os.path.isdir(argument):
            for folder, _, names in os.walk(argument):
                found += [os.path.join(folder, n) for n in names]
        else:
            found.append(argument)
    return sorted(found)


def cut_lengths(path, size):
    if size <= SMALL_FILE:
        return list(range(size))
    lengths = set()
    for multiple in range(1 << 16, size, 1 << 16):
        lengths.update(multiple + delta for delta in (-3, -1, 0, 1, 2))
    rng = random.Random(os.path.basename(path))
    lengths.update(rng.randrange(size) for _ in range(128))
    return sorted(n for n in lengths if 0 <= n < size)


def run(program, folder, data, args, env, answers):
    """One run in a fresh `folder` holding the model as m.pmx and an x.png: what it printed,
    its exit status and the files it left (names and bytes)."""
    shutil.rmtree(folder, ignore_errors=True)
    os.mkdir(folder)
    with open(os.path.join(folder, "m.pmx"), "wb") as f:
        f.write(data)
    with open(os.path.join(folder, "x.png"), "wb") as f:
        f.write(b"\x89PNG")
    result = subprocess.run([program] + args + [os.path.join(folder, "m.pmx")], input=answers,
                            capture_output=True, env=dict(os.environ, **env), timeout=300)
    left = {}
    for name in sorted(os.listdir(folder)):
        if name not in ("m.pmx", "x.png"):
            with open(os.path.join(folder, name), "rb") as f:
                left[name] = f.read()
    return result.stdout, result.stderr, result.returncode, left


def first_difference(a, b):
    for i, (x, y) in enumerate(zip(a, b)):
        if x != y:
            return i
    return min(len(a), len(b))


def main():
    arguments = sys.argv[1:]
    whole = bool(arguments) and arguments[0] == "--whole"
    if whole:
        arguments = arguments[1:]
    if len(arguments) < 2:
        sys.exit(__doc__)
    before, after = (os.path.abspath(p) for p in arguments[:2])
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    models = model_files(arguments[2:], root)
    if not models:
        sys.exit("no models to compare")
    work = tempfile.mkdtemp(prefix="quorvane-diff.")
    folder = os.path.join(work, "model")
    runs = differences = 0
    try:
        for path in models:
            with open(path, "rb") as f:
                data = f.read()
            for length in [len(data)] + ([] if whole else cut_lengths(path, len(data))):
                for name, args, env, answers in CHECKS:
                    if length < len(data) and name != "check" and length % 3 != 0:
                        continue  # the cuts: every check, a third of them at level 2 and saved
                    one = run(before, folder, data[:length], args, env, answers)
                    two = run(after, folder, data[:length], args, env, answers)
                    runs += 1
                    if one == two:
                        continue
                    differences += 1
                    what = ["standard output", "standard error", "exit status", "files left"]
                    for part, x, y in zip(what, one, two):
                        if x != y:
                            where = first_difference(x, y) if isinstance(x, bytes) else ""
                            print(f"DIFFERENT {path} cut at {length} ({name}): {part} {where}")
                            if isinstance(x, bytes):
                                print("  before:", x[max(0, where - 80):where + 80])
                                print("  after: ", y[max(0, where - 80):where + 80])
            print(f"{path}: compared", flush=True)
    finally:
        shutil.rmtree(work, ignore_errors=True)
    print(f"{len(models)} models, {runs} runs compared, {differences} different")
    sys.exit(1 if differences else 0)


if __name__ == "__main__":
    main()
