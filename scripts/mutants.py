#!/usr/bin/env python3
"""Deliberate faults: apply each one-line fault, rebuild, run the suite, record what failed.

Each fault in the list (scripts/mutants.list by default) is one line of three tab-separated
fields: a file relative to the source tree, a text that occurs exactly once in it, and the faulty
text that replaces it. Lines starting with '#' and blank lines are ignored. For every fault the
file is changed, the build folder is brought up to date (ninja rebuilds only what depends on the
file), the suite runs with ctest on the offscreen platform, the failing tests are recorded and the
file is put back, also when the run is interrupted. A fault that no test catches is listed as
SURVIVED and makes the exit code 1; a fault that does not compile is listed as NO-BUILD.
"""
import argparse
import os
import re
import signal
import subprocess
import sys
import time
from pathlib import Path

SOURCE = Path(__file__).resolve().parent.parent


def read_faults(path):
    faults = []
    for number, line in enumerate(path.read_text().splitlines(), 1):
        if not line.strip() or line.lstrip().startswith("#"):
            continue
        fields = line.split("\t")
        if len(fields) != 3:
            sys.exit(f"{path}:{number}: expected file<TAB>original<TAB>faulty")
        faults.append(tuple(field.replace("\\n", "\n") for field in fields))
    return faults


def build(build_dir, log):
    result = subprocess.run(["cmake", "--build", str(build_dir), "-j2"], stdout=subprocess.PIPE,
                            stderr=subprocess.STDOUT, text=True)
    log.write(result.stdout)
    return result.returncode == 0


def run_suite(build_dir, timeout, exclude, log):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    command = ["ctest", "--test-dir", str(build_dir), "-j2", "--timeout", str(timeout)]
    if exclude:
        command += ["-E", exclude]
    result = subprocess.run(command, env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                            text=True)
    log.write(result.stdout)
    # Value-parameterised tests carry "  # GetParam() = ..." after their name.
    failed = re.findall(r"^\s*\d+ - (\S+)", result.stdout.split("tests FAILED:")[-1], re.M)
    return failed if result.returncode != 0 else []


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("build", type=Path, help="a configured build folder of this tree")
    parser.add_argument("--list", type=Path, default=SOURCE / "scripts" / "mutants.list")
    parser.add_argument("--only", default="", help="run only faults whose file matches this regex")
    parser.add_argument("--timeout", type=int, default=60, help="per-test timeout in seconds")
    parser.add_argument("--exclude", default="^install_", help="ctest -E regex of tests to skip")
    args = parser.parse_args()

    faults = [f for f in read_faults(args.list) if re.search(args.only, f[0])]
    log_path = args.build / "mutants.log"
    rows = []
    # Turn SIGTERM into the same unwinding as Ctrl-C so the finally clause restores the file.
    signal.signal(signal.SIGTERM, lambda *_: (_ for _ in ()).throw(KeyboardInterrupt()))
    with open(log_path, "w") as log:
        try:
            for number, (name, original, faulty) in enumerate(faults, 1):
                path = SOURCE / name
                text = path.read_text()
                if text.count(original) != 1:
                    rows.append((name, original, faulty, "NOT-UNIQUE"))
                    continue
                started = time.time()
                log.write(f"\n### fault {number}: {name}: {original!r} -> {faulty!r}\n")
                try:
                    path.write_text(text.replace(original, faulty))
                    if not build(args.build, log):
                        outcome = "NO-BUILD"
                    else:
                        failed = run_suite(args.build, args.timeout, args.exclude, log)
                        outcome = " ".join(failed) if failed else "SURVIVED"
                finally:
                    path.write_text(text)
                rows.append((name, original, faulty, outcome))
                print(f"[{number}/{len(faults)} {time.time() - started:.0f}s] {name}: "
                      f"{original.strip()!r} -> {faulty.strip()!r}: {outcome}", flush=True)
        except KeyboardInterrupt:
            print("interrupted; the source is restored", file=sys.stderr)
        finally:
            build(args.build, log)

    print("\nfault | caught by")
    for name, original, faulty, outcome in rows:
        print(f"{name}: `{original.strip()}` -> `{faulty.strip()}` | {outcome}")
    bad = [r for r in rows if r[3] in ("SURVIVED", "NO-BUILD", "NOT-UNIQUE")]
    print(f"\n{len(rows) - len(bad)} of {len(faults)} faults caught; log in {log_path}")
    return 1 if bad or len(rows) < len(faults) else 0


if __name__ == "__main__":
    sys.exit(main())
