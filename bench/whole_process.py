#!/usr/bin/env python3
"""Whole-process benchmark: how close checking and saving a large model come to the disk cache.

Builds a model folder of about 75 MB with bench/make_large_model, then times, interleaved round
by round, `cat` and `cp` of the model, the check (answers from /dev/null: the run reads the model,
checks it and stops at the first question) and the save (answers from the folder's answers.txt:
axes and texture links repaired, model-new.pmx written). Each figure is the median of --runs
rounds; the results are the ratios, as the machines are shared and noisy:

    check / cat              goal at most 3
    (save - check) / cp      goal at most 2
    peak memory              goal at most 4096 KiB (/usr/bin/time's %M)

--baseline times a second build of the program (an earlier commit) in the same rounds, so a
before/after pair is measured side by side; the two saves must write the same bytes.

    python3 bench/whole_process.py [--program P] [--baseline B] [--maker M] [--runs N]
"""
import argparse
import hashlib
import os
import random
import shutil
import statistics
import sys
import tempfile
import time


def spawn(argv, stdin, stdout):
    """Runs argv to its end; returns (seconds, exit status)."""
    actions = [
        (os.POSIX_SPAWN_OPEN, 0, stdin, os.O_RDONLY, 0),
        (os.POSIX_SPAWN_OPEN, 1, stdout, os.O_WRONLY | os.O_CREAT | os.O_TRUNC, 0o644),
        (os.POSIX_SPAWN_OPEN, 2, os.devnull, os.O_WRONLY, 0),
    ]
    env = dict(os.environ, LC_ALL="C")
    start = time.perf_counter()
    pid = os.posix_spawn(argv[0], argv, env, file_actions=actions)
    _, status = os.waitpid(pid, 0)
    seconds = time.perf_counter() - start
    return seconds, os.waitstatus_to_exitcode(status)


def peak_kib(argv, stdin, folder):
    """The peak memory of one run of argv, in KiB, as /usr/bin/time reports it. A child's peak
    counts the memory of the process it was forked from, so it is measured from that small
    program rather than from this script."""
    report = os.path.join(folder, "peak.txt")
    if spawn(["/usr/bin/time", "-f", "%M", "-o", report] + argv, stdin, os.devnull)[1] != 0:
        sys.exit(f"{argv}: failed under /usr/bin/time")
    with open(report) as f:
        return int(f.read().split()[-1])


def digest(path):
    h = hashlib.sha256()
    with open(path, "rb") as f:
        for block in iter(lambda: f.read(1 << 20), b""):
            h.update(block)
    return h.hexdigest()


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--program", default=os.path.join(root, "build/default/quorvane"))
    parser.add_argument("--baseline", help="an earlier build, timed in the same rounds")
    parser.add_argument("--maker", default=os.path.join(root, "build/default/bench/make_large_model"))
    parser.add_argument("--runs", type=int, default=9)
    args = parser.parse_args()
    if args.runs < 5:
        parser.error("--runs: at least 5")
    programs = {"": os.path.abspath(args.program)}
    if args.baseline:
        programs["baseline "] = os.path.abspath(args.baseline)
    for path in list(programs.values()) + [args.maker]:
        if not os.access(path, os.X_OK):
            sys.exit(f"{path}: not an executable program (build it first)")

    folder = tempfile.mkdtemp(prefix="quorvane-bench.")
    try:
        model = os.path.join(folder, "model.pmx")
        answers = os.path.join(folder, "answers.txt")
        copy = os.path.join(folder, "copy.pmx")
        saved = os.path.join(folder, "model-new.pmx")
        if spawn([args.maker, folder], os.devnull, os.devnull)[1] != 0:
            sys.exit("make_large_model failed")
        cat = shutil.which("cat")
        cp = shutil.which("cp")

        tasks = {"cat": ([cat, model], os.devnull, None), "cp": ([cp, model, copy], os.devnull, copy)}
        for label, program in programs.items():
            tasks[label + "check"] = ([program, model], os.devnull, None)
            tasks[label + "save"] = ([program, model], answers, saved)
        times = {name: [] for name in tasks}
        saves = {}
        spawn([cat, model], os.devnull, os.devnull)  # the model into the page cache
        for _ in range(args.runs):
            order = list(tasks)
            random.shuffle(order)
            for name in order:
                argv, stdin, output = tasks[name]
                if output and os.path.exists(output):
                    os.remove(output)  # each run writes a new file, as the first save of a model does
                seconds, status = spawn(argv, stdin, os.devnull)
                if status != 0:
                    sys.exit(f"{name}: exit status {status}")
                if name.endswith("save"):
                    if not os.path.exists(saved):
                        sys.exit(f"{name}: no {saved}")
                    saves.setdefault(name, digest(saved))
                times[name].append(seconds)
        if len(set(saves.values())) > 1:
            sys.exit("the saves wrote different bytes: " + repr(saves))

        peaks = {}
        if os.access("/usr/bin/time", os.X_OK):
            for name, (argv, stdin, output) in tasks.items():
                if name not in ("cat", "cp"):
                    peaks[name] = max(peak_kib(argv, stdin, folder) for _ in range(3))

        median = {name: statistics.median(values) for name, values in times.items()}
        size = os.path.getsize(model)
        print(f"model: {size / 1e6:.1f} MB; median of {args.runs} interleaved runs each")
        for name in tasks:
            peak = f"  peak {peaks[name]} KiB" if name in peaks else ""
            print(f"  {name:18} {median[name] * 1000:8.1f} ms{peak}")
        for label in programs:
            check, save = median[label + "check"], median[label + "save"]
            peak = max(peaks.get(label + "check", 0), peaks.get(label + "save", 0)) or "(no /usr/bin/time)"
            print(f"{label or 'program '}check / cat = {check / median['cat']:.2f} (goal <= 3), "
                  f"(save - check) / cp = {(save - check) / median['cp']:.2f} (goal <= 2), "
                  f"peak memory {peak} KiB (goal <= 4096)")
    finally:
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    main()
