#!/usr/bin/env python3
"""Collection benchmark: `quorvane --check` of a tree of 1,000 models against `cat` of the models
and `find` of the tree.

Builds the tree with bench/make_model_tree in a new temporary folder (1,000 models of about 1 MB
in nested folders, 30 texture links each, some in another case than their files, some to files
that are not there; about 1.1 GB) and removes it at the end. With the page cache warm, times,
interleaved round by round in shuffled order, each of:

    cat      cat of every model (one process, the paths as arguments)
    find     find of the tree
    check    quorvane --check TREE           (the report for people)
    json     quorvane --check --json TREE    (JSON Lines)

all with their output to /dev/null and LC_ALL=C. The figures are medians of --runs rounds; the
goal is check <= 2 x (cat + find), and a peak memory (/usr/bin/time's %M, the most of three
further runs) of at most 8 MiB. With --moved, the files of 10% of the links (three of each
model's 30) lie in another subfolder of the model's, so every model's folder is searched once.

    python3 bench/check_tree.py [--program P] [--maker M] [--models N] [--runs N] [--folder F] [--moved]
"""
import argparse
import os
import random
import shutil
import statistics
import subprocess
import sys
import tempfile

from whole_process import spawn


def peak_kib(argv, folder):
    """The peak memory of one run of argv, in KiB, as /usr/bin/time reports it (from that small
    program, not from this script: a child's peak counts the process it was forked from)."""
    report = os.path.join(folder, "peak.txt")
    if spawn(["/usr/bin/time", "-f", "%M", "-o", report] + argv, os.devnull, os.devnull)[1] not in (0, 1):
        sys.exit(f"{argv}: failed under /usr/bin/time")
    with open(report) as f:
        return int(f.read().split()[-1])


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--program", default=os.path.join(root, "build/default/quorvane"))
    parser.add_argument("--maker", default=os.path.join(root, "build/default/bench/make_model_tree"))
    parser.add_argument("--models", type=int, default=1000, help="a multiple of 100, at least 1000 for the figures")
    parser.add_argument("--runs", type=int, default=9)
    parser.add_argument("--folder", help="where the temporary tree is made (default: the system's)")
    parser.add_argument("--moved", action="store_true", help="10%% of the links' files in other subfolders")
    args = parser.parse_args()
    program = os.path.abspath(args.program)
    for path in (program, args.maker):
        if not os.access(path, os.X_OK):
            sys.exit(f"{path}: not an executable program (build it first)")

    folder = tempfile.mkdtemp(prefix="quorvane-tree.", dir=args.folder)
    try:
        tree = os.path.join(folder, "tree")
        if spawn([args.maker, tree, str(args.models)] + (["moved"] if args.moved else []), os.devnull, os.devnull)[1] != 0:
            sys.exit("make_model_tree failed")
        listing = subprocess.run(["find", tree, "-name", "*.pmx"], capture_output=True, text=True, check=True)
        models = sorted(listing.stdout.split())
        size = sum(os.path.getsize(m) for m in models)
        cat, find = shutil.which("cat"), shutil.which("find")
        tasks = {
            "cat": [cat] + models,
            "find": [find, tree],
            "check": [program, "--check", tree],
            "json": [program, "--check", "--json", tree],
        }
        for argv in tasks.values():  # the tree and the models into the page cache
            spawn(argv, os.devnull, os.devnull)
        times = {name: [] for name in tasks}
        for _ in range(args.runs):
            order = list(tasks)
            random.shuffle(order)
            for name in order:
                seconds, status = spawn(tasks[name], os.devnull, os.devnull)
                if status not in (0, 1):  # the tree holds findings: 1
                    sys.exit(f"{name}: exit status {status}")
                times[name].append(seconds)
        peaks = {}
        if os.access("/usr/bin/time", os.X_OK):
            for name in ("check", "json"):
                peaks[name] = max(peak_kib(tasks[name], folder) for _ in range(3))
        median = {name: statistics.median(values) for name, values in times.items()}
        moved = ", 10% of the links moved" if args.moved else ""
        print(f"tree: {len(models)} models, {size / 1e6:.0f} MB{moved}; median of {args.runs} interleaved runs each")
        for name in tasks:
            peak = f"  peak {peaks[name]} KiB" if name in peaks else ""
            print(f"  {name:6} {median[name] * 1000:8.1f} ms{peak}")
        base = median["cat"] + median["find"]
        for name in ("check", "json"):
            print(f"{name} / (cat + find) = {median[name] / base:.2f} (goal <= 2), "
                  f"peak memory {peaks.get(name, '(no /usr/bin/time)')} KiB (goal <= 8192)")
    finally:
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    main()
