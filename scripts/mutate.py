#!/usr/bin/env python3
"""A mutant sample: each line of scripts/mutants.txt ("file | text | replacement") changes one spot
of the code; the whole suite (packaging aside) then runs against it alone. A failing suite kills
the mutant. Run from a built checkout (cmake --preset default && cmake --build build); prints one
line per mutant and a summary, and leaves every file as it was."""
import pathlib
import re
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
for device in ("/dev/null", "/dev/zero", "/dev/full"):
    if not pathlib.Path(device).is_char_device():
        sys.exit(f"{device} is not a character device: stopping before anything else is touched")


def run(*command):
    return subprocess.run(command, cwd=ROOT, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode


def main():
    results = []
    for number, line in enumerate((ROOT / "scripts/mutants.txt").read_text(encoding="utf-8").splitlines(), 1):
        if not line.strip() or line.startswith("#"):
            continue
        name, rest = line.split(" | ", 1)
        path = ROOT / name
        original = path.read_text(encoding="utf-8")
        # The text may itself hold " | ": the longest leading part found in the file is the text.
        pieces = (rest + " ").split(" | ")
        old, new = pieces[0].strip(), " | ".join(pieces[1:]).strip()
        for k in range(len(pieces) - 1, 0, -1):
            if " | ".join(pieces[:k]).strip() in original:
                old, new = " | ".join(pieces[:k]).strip(), " | ".join(pieces[k:]).strip()
                break
        if old not in original:
            results.append((number, "missing", name, old))
            continue
        path.write_text(original.replace(old, new, 1), encoding="utf-8")
        try:
            if run("cmake", "--build", "build") != 0:
                outcome = "no build"
            else:
                test = subprocess.run(["ctest", "--test-dir", "build", "-LE", "package", "-j2", "--timeout", "120",
                                       "--stop-on-failure"], cwd=ROOT, capture_output=True, text=True)
                # The first test that failed, so a kill can be traced (and a flaky one told apart).
                first = re.search(r"Test +#\d+: (\S+) .*\*\*\*", test.stdout)
                outcome = f"killed by {first.group(1) if first else '?'}" if test.returncode else "SURVIVED"
        finally:
            path.write_text(original, encoding="utf-8")
        results.append((number, outcome, name, old))
        print(f"{number:3} {outcome:9} {name}: {old}", flush=True)
    run("cmake", "--build", "build")
    counted = [r for r in results if r[1].startswith("killed") or r[1] == "SURVIVED"]
    killed = sum(r[1].startswith("killed") for r in counted)
    print(f"{killed} of {len(counted)} killed; {len(results) - len(counted)} not counted (missing or no build)")


if __name__ == "__main__":
    main()
