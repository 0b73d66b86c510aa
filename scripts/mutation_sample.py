#!/usr/bin/env python3
"""Measures how many deliberate faults the tests catch.

Draws single-token mutations (a comparison turned round, && for ||, + for -,
true for false, a number off by one, a dropped !) in the .cpp files under
src/families and src/link from a fixed seed, applies each one alone, builds the
test programs that cover those folders, runs them and counts the mutant as
caught when a test fails or hangs. A mutant that does not compile is skipped
and not counted. Every file is put back as it was, also on Ctrl+C.

    scripts/mutation_sample.py [--seed 26] [--count 30] [--build build/test]
                               [--shards 2] [--nice 15]

The build folder must be configured already (as scripts/test.sh does). The
same seed on the same sources draws the same mutants, so two runs before and
after a change to the tests compare like with like.
"""
import argparse
import os
import random
import re
import subprocess
import sys
import time

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
FOLDERS = ["src/families", "src/link"]
TEST_PROGRAMS = ["quarvin_families_tests", "quarvin_link_tests"]

# (pattern, replacement) pairs; binary operators only where spaced, as the
# project's style writes them, which keeps template brackets and -> out.
SWAPS = [
    (r" == ", " != "), (r" != ", " == "),
    (r" < ", " <= "), (r" <= ", " < "), (r" > ", " >= "), (r" >= ", " > "),
    (r" && ", " || "), (r" \|\| ", " && "),
    (r" \+ ", " - "), (r" - ", " + "),
    (r"\btrue\b", "false"), (r"\bfalse\b", "true"),
    (r"(?<![\w.])!(?!=)", ""),
]
NUMBER = re.compile(r"(?<![\w.])(0x[0-9A-Fa-f]+|\d+)(?![\w.])")


def blank_out_non_code(text):
    """The text with comments, string and char literals and preprocessor lines
    replaced by spaces, so positions still match but nothing in them is drawn."""
    out = list(text)
    i, n = 0, len(text)
    line_start = True
    while i < n:
        c = text[i]
        if line_start and c == "#":
            j = text.find("\n", i)
            j = n if j < 0 else j
            for k in range(i, j):
                out[k] = " "
            i = j
            continue
        if c == "\n":
            line_start = True
            i += 1
            continue
        if not c.isspace():
            line_start = False
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
        elif c in "\"'":
            j = i + 1
            while j < n and text[j] != c:
                j += 2 if text[j] == "\\" else 1
            j += 1
        else:
            i += 1
            continue
        for k in range(i, min(j, n)):
            if out[k] != "\n":
                out[k] = " "
        i = j
    return "".join(out)


def candidates(text):
    """Every (offset, old, new) single-token mutation of the file, in order."""
    code = blank_out_non_code(text)
    found = []
    for pattern, new in SWAPS:
        for m in re.finditer(pattern, code):
            found.append((m.start(), m.group(0), new))
    for m in NUMBER.finditer(code):
        old = m.group(0)
        value = int(old, 16) if old.lower().startswith("0x") else int(old)
        new = hex(value + 1) if old.lower().startswith("0x") else str(value + 1)
        found.append((m.start(), old, new))
    found.sort()
    return found


def source_files():
    files = []
    for folder in FOLDERS:
        for root, _, names in os.walk(os.path.join(TOP, folder)):
            files += [os.path.join(root, f) for f in names if f.endswith(".cpp")]
    return sorted(files)


def run(cmd, timeout):
    try:
        done = subprocess.run(cmd, cwd=TOP, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL, timeout=timeout)
        return done.returncode
    except subprocess.TimeoutExpired:
        return "timeout"


def build(build_dir, nice):
    return run(["nice", "-n", str(nice), "cmake", "--build", build_dir, "-j", "2",
                "--target"] + TEST_PROGRAMS, timeout=5400) == 0


def run_sharded(path, shards, timeout, nice):
    """Runs one test program split into shards side by side (GoogleTest's own
    sharding); 0 when every shard passes, 1 as soon as one fails (the others are
    ended), "timeout" when they are not done in time."""
    procs = []
    for index in range(shards):
        env = dict(os.environ, GTEST_TOTAL_SHARDS=str(shards), GTEST_SHARD_INDEX=str(index))
        procs.append(subprocess.Popen(["nice", "-n", str(nice), path, "--gtest_fail_fast",
                                       "--gtest_brief=1"], cwd=TOP, env=env,
                                      stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
    deadline = time.time() + timeout
    result = 0
    while procs and result == 0:
        for p in list(procs):
            code = p.poll()
            if code is None:
                continue
            procs.remove(p)
            if code != 0:
                result = 1
        if procs and result == 0:
            if time.time() > deadline:
                result = "timeout"
            else:
                time.sleep(0.2)
    for p in procs:
        p.kill()
        p.wait()
    return result


def tests_fail(build_dir, timeout, shards, nice):
    for program in TEST_PROGRAMS:
        path = os.path.join(build_dir, "tests", program)
        result = run_sharded(path, shards, timeout, nice)
        if result != 0:
            return "hang" if result == "timeout" else "fail"
    return None


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--seed", type=int, default=26)
    parser.add_argument("--count", type=int, default=30, help="mutants that compile")
    parser.add_argument("--build", default="build/test")
    parser.add_argument("--shards", type=int, default=2,
                        help="processes each test program is split into")
    parser.add_argument("--nice", type=int, default=15, help="niceness of builds and tests")
    parser.add_argument("--max-tries", type=int, default=0,
                        help="drawn mutants at most (default: 4 x count)")
    args = parser.parse_args()
    build_dir = os.path.join(TOP, args.build)
    rng = random.Random(args.seed)
    files = source_files()

    if not build(build_dir, args.nice):
        sys.exit("the unmutated tree does not build in " + build_dir)
    start = time.time()
    if tests_fail(build_dir, 3600, args.shards, args.nice):
        sys.exit("the tests fail without any mutation")
    # A mutant that runs three times as long as the clean tests (and at least a
    # minute) is taken as hanging: caught.
    timeout = max(60.0, 3 * (time.time() - start))
    print("clean tests took %.0f s; a mutant running over %.0f s counts as hanging"
          % (time.time() - start, timeout), flush=True)

    applied = caught = drawn = 0
    max_tries = args.max_tries or 4 * args.count
    while applied < args.count and drawn < max_tries:
        path = rng.choice(files)
        with open(path, encoding="utf-8") as f:
            original = f.read()
        options = candidates(original)
        if not options:
            continue
        offset, old, new = options[rng.randrange(len(options))]
        drawn += 1
        line = original.count("\n", 0, offset) + 1
        where = "%s:%d  %r -> %r" % (os.path.relpath(path, TOP), line, old.strip(), new.strip())
        try:
            with open(path, "w", encoding="utf-8") as f:
                f.write(original[:offset] + new + original[offset + len(old):])
            if not build(build_dir, args.nice):
                print("skipped (does not compile)  " + where, flush=True)
                continue
            applied += 1
            verdict = tests_fail(build_dir, timeout, args.shards, args.nice)
            if verdict:
                caught += 1
            print("%-8s %s" % (verdict or "MISSED", where), flush=True)
        finally:
            with open(path, "w", encoding="utf-8") as f:
                f.write(original)
    build(build_dir, args.nice)
    share = 100.0 * caught / applied if applied else 0.0
    print("caught %d / applied %d (%.0f%%), seed %d" % (caught, applied, share, args.seed))


if __name__ == "__main__":
    main()
