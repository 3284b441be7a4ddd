#!/usr/bin/env python3
"""Mutation testing: does the suite notice a small, plausible fault?

Applies each mutation of a list (scripts/mutations.txt by default) on its own, in place: the
file's exact text is replaced, the default build is brought up to date for the test programs
that see that layer, and their tests run under ctest. The file is always put back, also on
Ctrl+C or a kill; a run that died harder is mended by the next one from the saved copy.

A mutation is killed when a test fails (or times out), survives when all pass, fails to build,
or is stale when its text no longer occurs exactly once. The kill rate counts only the killed
and the survivors, the mutations that built and changed behaviour under test.

Usage: scripts/mutate.py [--list FILE] [--only REGEX] [--timeout S] [--report FILE] [--check]
"""

import argparse
import os
import re
import signal
import subprocess
import sys
import time
from dataclasses import dataclass, field
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
BUILD = ROOT / "build"
JOURNAL = BUILD / "mutate-journal"

# Which test programs (by ctest label) see a layer, and what to build for them. The pure layers
# are all tested by one program; cli, the tool windows and the program have their own.
PURE = ("raster", "model", "files", "transforms", "history", "exchange", "analysis", "views",
        "editing")
LABELS = {
    "core": ["spectrane_core_tests", "line_data_replay", "exchange_replay"],
    "cli": ["spectrane_cli_tests", "spectrane-cli"],
    "qtsupport": ["spectrane_qtsupport_tests"],
    "toolwindows": ["spectrane_toolwindows_tests"],
    "app": ["spectrane_app_tests"],
}


@dataclass
class Mutation:
    description: str
    file: str = ""
    find: str = ""
    replace: str = ""
    labels: list = field(default_factory=list)
    tests: str = ""  # a ctest -R regex narrowing the labelled tests
    line: int = 0


def unescape(text):
    """{NL} stands for a line end (a C++ "\\n" stays as it is written)."""
    return text.replace("{NL}", "\n")


def read_list(path):
    """Blocks opened by '[description]', then 'key: value' lines; '#' starts a comment line."""
    mutations = []
    for number, raw in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        line = raw.rstrip("\n")
        if not line.strip() or line.lstrip().startswith("#"):
            continue
        if line.startswith("[") and line.rstrip().endswith("]"):
            mutations.append(Mutation(line.strip()[1:-1], line=number))
            continue
        key, sep, value = line.partition(":")
        if not sep or not mutations or key.strip() not in ("file", "find", "replace", "labels",
                                                            "tests"):
            sys.exit(f"{path}:{number}: expected '[description]' or 'key: value', got {line!r}")
        m = mutations[-1]
        value = value[1:] if value.startswith(" ") else value
        key = key.strip()
        if key == "labels":
            m.labels = value.split()
        elif key in ("find", "replace"):
            setattr(m, key, unescape(value))
        else:
            setattr(m, key, value.strip())
    for m in mutations:
        if not m.file or not m.find:
            sys.exit(f"{path}:{m.line}: '{m.description}' needs file and find")
        if not m.labels:
            layer = Path(m.file).parts[1] if m.file.startswith("src/") else ""
            m.labels = ["core"] if layer in PURE else [layer]
        for label in m.labels:
            if label not in LABELS:
                sys.exit(f"{path}:{m.line}: unknown label {label}")
    return mutations


class Restorer:
    """Keeps the original bytes of the mutated file, on disk too, and puts them back."""

    def __init__(self):
        self.path = None
        self.original = None

    def mend_leftover(self):
        if not JOURNAL.exists():
            return
        name, _, data = JOURNAL.read_bytes().partition(b"\0")
        target = ROOT / name.decode()
        target.write_bytes(data)
        JOURNAL.unlink()
        print(f"put back {name.decode()} from an interrupted run")

    def mutate(self, path, text):
        self.original = path.read_bytes()
        self.path = path
        JOURNAL.write_bytes(str(path.relative_to(ROOT)).encode() + b"\0" + self.original)
        path.write_text(text, encoding="utf-8")

    def restore(self):
        if self.path is not None:
            self.path.write_bytes(self.original)
            self.path = None
            JOURNAL.unlink(missing_ok=True)


def run(command, timeout):
    """Exit status of `command`, or None when it ran past `timeout` seconds (its group killed)."""
    proc = subprocess.Popen(command, cwd=ROOT, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                            start_new_session=True)
    try:
        out, _ = proc.communicate(timeout=timeout)
        return proc.returncode, out.decode(errors="replace")
    except subprocess.TimeoutExpired:
        os.killpg(proc.pid, signal.SIGKILL)
        proc.communicate()
        return None, ""
    except BaseException:
        os.killpg(proc.pid, signal.SIGKILL)
        proc.communicate()
        raise


def build(targets, timeout):
    status, out = run(["cmake", "--build", str(BUILD), "--target", *targets], timeout)
    return status == 0, out


def test(m, timeout, jobs):
    command = ["ctest", "--test-dir", str(BUILD), "--no-tests=error", "-j", str(jobs),
               "--timeout", str(timeout), "-L", "^(" + "|".join(m.labels) + ")$"]
    if m.tests:
        command += ["-R", m.tests]
    status, out = run(command, timeout * 4)
    return status == 0, out


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--list", type=Path, default=ROOT / "scripts" / "mutations.txt")
    parser.add_argument("--only", default="", help="regex over descriptions and files")
    parser.add_argument("--timeout", type=int, default=120, help="seconds per test")
    parser.add_argument("--build-timeout", type=int, default=900)
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 2)
    parser.add_argument("--report", type=Path, help="also write the table here (Markdown)")
    parser.add_argument("--verbose", action="store_true", help="show the output of survivors")
    parser.add_argument("--check", action="store_true",
                        help="only check that every mutation's text occurs once")
    args = parser.parse_args()

    mutations = read_list(args.list)
    if args.only:
        mutations = [m for m in mutations if re.search(args.only, m.description + " " + m.file)]
    if args.check:
        stale = [m for m in mutations if not (ROOT / m.file).exists()
                 or (ROOT / m.file).read_text(encoding="utf-8").count(m.find) != 1]
        for m in stale:
            print(f"stale: {m.file}: {m.description}")
        print(f"{len(mutations) - len(stale)} of {len(mutations)} mutations apply")
        return 1 if stale else 0
    if not (BUILD / "build.ninja").exists():
        sys.exit("configure first: cmake --preset default")
    os.environ.setdefault("QT_QPA_PLATFORM", "offscreen")

    restorer = Restorer()
    restorer.mend_leftover()

    def stop(signum, _frame):
        raise KeyboardInterrupt(f"signal {signum}")

    for sig in (signal.SIGTERM, signal.SIGHUP):
        signal.signal(sig, stop)

    # The tree as it stands must build and pass, or every mutation would look killed.
    all_targets = sorted({t for m in mutations for label in m.labels for t in LABELS[label]})
    ok, out = build(all_targets, args.build_timeout)
    if not ok:
        sys.exit("the unmutated tree does not build:\n" + out[-3000:])

    rows = []
    started = time.monotonic()
    try:
        for index, m in enumerate(mutations, 1):
            path = ROOT / m.file
            text = path.read_text(encoding="utf-8") if path.exists() else ""
            t0 = time.monotonic()
            if text.count(m.find) != 1:
                outcome = "stale"
            else:
                restorer.mutate(path, text.replace(m.find, m.replace))
                try:
                    built, out = build(sorted({t for l in m.labels for t in LABELS[l]}),
                                       args.build_timeout)
                    if not built:
                        outcome = "build-failed"
                    else:
                        passed, out = test(m, args.timeout, args.jobs)
                        outcome = "survived" if passed else "killed"
                        if passed and args.verbose:
                            print(out[-2000:])
                finally:
                    restorer.restore()
            seconds = time.monotonic() - t0
            rows.append((m, outcome, seconds))
            print(f"[{index}/{len(mutations)}] {outcome:12} {seconds:6.0f} s  {m.file}: "
                  f"{m.description}", flush=True)
    except KeyboardInterrupt:
        restorer.restore()
        print("interrupted; the source is as it was")
    finally:
        restorer.restore()
    # Leave no mutated program behind in the build.
    if not build(all_targets, args.build_timeout)[0]:
        print("warning: the restored tree did not build again")

    counts = {k: sum(1 for _, o, _ in rows if o == k)
              for k in ("killed", "survived", "build-failed", "stale")}
    judged = counts["killed"] + counts["survived"]
    rate = 100.0 * counts["killed"] / judged if judged else 0.0
    lines = ["| # | layer | file | mutation | outcome |", "|---|---|---|---|---|"]
    for i, (m, outcome, _) in enumerate(rows, 1):
        layer = Path(m.file).parts[1] if len(Path(m.file).parts) > 1 else m.file
        lines.append(f"| {i} | {layer} | {Path(m.file).name} | {m.description} | {outcome} |")
    summary = (f"killed {counts['killed']}, survived {counts['survived']}, "
               f"build-failed {counts['build-failed']}, stale {counts['stale']}: "
               f"kill rate {rate:.0f}% of {judged} that built "
               f"({(time.monotonic() - started) / 60:.1f} min)")
    print("\n".join(lines) + "\n\n" + summary)
    if args.report:
        args.report.write_text("\n".join(lines) + "\n\n" + summary + "\n", encoding="utf-8")
    return 0 if counts["stale"] == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
