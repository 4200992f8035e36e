#!/usr/bin/env python3
"""Seeds the faults listed in tests/mutants.txt into the code one at a time, runs the tests that
should notice each, and prints which were killed and which survived. Not part of the tests.

Each mutant is a block of tests/mutants.txt:

    ## core|win  short name
    file: src/...            (relative to the repository)
    tests: ctest regex       (the tests run for it; a failure kills it)
    <<<
    exact text, found exactly once in the file
    ===
    the fault seeded in its place
    >>>

A mutant whose text is no longer in the file is reported as stale; one that does not build
is stillborn and counts for neither side.
"""
import re
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
PRESET = {"core": "native", "win": "windows"}


def parse(path):
    mutants = []
    text = path.read_text(encoding="utf-8")
    for block in re.split(r"^## ", text, flags=re.M)[1:]:
        head, _, body = block.partition("\n")
        layer, _, name = head.strip().partition(" ")
        fields = dict(re.findall(r"^(file|tests): *(.+)$", body, flags=re.M))
        edit = re.search(r"^<<<\n(.*?)\n===\n(.*?)^>>>$", body, flags=re.M | re.S)
        if layer not in PRESET or "file" not in fields or "tests" not in fields or not edit:
            sys.exit(f"mutants: malformed block '{head.strip()}'")
        mutants.append({"layer": layer, "name": name.strip(), "file": fields["file"].strip(),
                        "tests": fields["tests"].strip(), "old": edit.group(1), "new": edit.group(2).removesuffix("\n")})
    return mutants


def run(args, timeout):
    try:
        return subprocess.run(args, cwd=ROOT, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                              timeout=timeout).returncode
    except subprocess.TimeoutExpired:
        return -1


def try_mutant(m):
    source = ROOT / m["file"]
    original = source.read_bytes()
    text = original.decode("utf-8")
    if text.count(m["old"]) != 1:
        return "stale"
    preset = PRESET[m["layer"]]
    try:
        source.write_bytes(text.replace(m["old"], m["new"]).encode("utf-8"))
        if run(["cmake", "--build", "--preset", preset, "-j2"], 900) != 0:
            return "stillborn"
        # A test that hangs on the fault is as good as one that fails.
        code = run(["ctest", "--preset", preset, "-R", m["tests"], "--timeout", "120", "--no-tests=error"], 1800)
        return "survived" if code == 0 else "killed"
    finally:
        source.write_bytes(original)


def main():
    only = sys.argv[1:]  # optional: names or layers to run
    mutants = [m for m in parse(ROOT / "tests" / "mutants.txt")
               if not only or m["layer"] in only or m["name"] in only]
    for preset in sorted({PRESET[m["layer"]] for m in mutants}):
        if run(["cmake", "--build", "--preset", preset, "-j2"], 1800) != 0:
            sys.exit(f"mutate: the unmutated {preset} build fails")
        if run(["ctest", "--preset", preset, "-R", "|".join(m["tests"] for m in mutants
                                                             if PRESET[m["layer"]] == preset)], 3600) != 0:
            sys.exit(f"mutate: the unmutated {preset} tests fail")
    results = []
    for m in mutants:
        started = time.monotonic()
        outcome = try_mutant(m)
        results.append((m, outcome))
        print(f"{outcome:9} {m['layer']:4} {m['name']}  ({time.monotonic() - started:.0f} s)", flush=True)
    print()
    for layer in PRESET:
        counted = [o for m, o in results if m["layer"] == layer and o in ("killed", "survived")]
        if counted:
            killed = counted.count("killed")
            print(f"{layer}: {killed} of {len(counted)} killed ({100 * killed // len(counted)} %)")
    for m, o in results:
        if o in ("survived", "stale", "stillborn"):
            print(f"  {o}: [{m['layer']}] {m['name']} ({m['file']})")


if __name__ == "__main__":
    main()
