#!/usr/bin/env python3
"""Folder-listing benchmark: 1,024 links that name, in another case, files among 30,000 beside
the model.

Each such link is looked up without case, which searches the folder's names. Builds the folder
with bench/make_link_folder, then times, interleaved round by round, the check of the model
(answers from /dev/null; every link is present, so the run asks nothing and ends with status 0)
by the program and, with --baseline, by an earlier build in the same rounds; the two must print
the same report. The figures are medians of --runs rounds; the peak memory is /usr/bin/time's %M
of one further run each.

    python3 bench/folder_listing.py [--program P] [--baseline B] [--maker M] [--runs N]
"""
import argparse
import filecmp
import os
import random
import shutil
import statistics
import sys
import tempfile

from whole_process import peak_kib, spawn


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--program", default=os.path.join(root, "build/default/quorvane"))
    parser.add_argument("--baseline", help="an earlier build, timed in the same rounds")
    parser.add_argument("--maker", default=os.path.join(root, "build/default/bench/make_link_folder"))
    parser.add_argument("--runs", type=int, default=5)
    args = parser.parse_args()
    programs = {"program": os.path.abspath(args.program)}
    if args.baseline:
        programs["baseline"] = os.path.abspath(args.baseline)
    for path in list(programs.values()) + [args.maker]:
        if not os.access(path, os.X_OK):
            sys.exit(f"{path}: not an executable program (build it first)")

    folder = tempfile.mkdtemp(prefix="quorvane-bench.")
    reports = tempfile.mkdtemp(prefix="quorvane-reports.")
    try:
        if spawn([args.maker, folder], os.devnull, os.devnull)[1] != 0:
            sys.exit("make_link_folder failed")
        model = os.path.join(folder, "links.pmx")
        times = {name: [] for name in programs}
        for _ in range(args.runs):
            order = list(programs)
            random.shuffle(order)
            for name in order:
                seconds, status = spawn([programs[name], model], os.devnull, os.path.join(reports, name))
                if status != 0:
                    sys.exit(f"{name}: exit status {status}")
                times[name].append(seconds)
        outputs = [os.path.join(reports, name) for name in programs]
        if args.baseline and not filecmp.cmp(*outputs, shallow=False):
            sys.exit("the two builds printed different reports")
        print(f"1,024 links among 30,000 files; median of {args.runs} interleaved runs each")
        median = {name: statistics.median(values) for name, values in times.items()}
        timed = os.access("/usr/bin/time", os.X_OK)
        for name, program in programs.items():
            peak = peak_kib([program, model], os.devnull, reports) if timed else "?"
            print(f"  {name:10} {median[name] * 1000:10.1f} ms  peak {peak} KiB")
        if args.baseline:
            print(f"baseline / program = {median['baseline'] / median['program']:.1f}")
    finally:
        shutil.rmtree(folder, ignore_errors=True)
        shutil.rmtree(reports, ignore_errors=True)


if __name__ == "__main__":
    main()
