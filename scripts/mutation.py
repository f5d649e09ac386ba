#!/usr/bin/env python3
"""Mutation check of the Qt-free core.

Plants one small fault ("mutant") at a time in src/ (every folder except the Qt
code in platform/ and console/), rebuilds the unit tests that compile the
changed file, runs them until the first failure and restores the file. A mutant
the tests let through "survives"; the score is the share of mutants killed.

    scripts/mutation.py [--count N] [--seed S] [--folders core,rcon] [--list]
"""
import argparse
import hashlib
import json
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import time
from bisect import bisect_right
from collections import Counter
from dataclasses import dataclass, field
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
QT_FOLDERS = {"platform", "console"}
LOG_CALLS = ("SMS", "SmsConsole")  # calls that only write to the activity / console log
EQUIVALENT_FILE = ROOT / "scripts" / "mutation-equivalent.txt"
NOT_DELETED = {"assert", "static_assert", "reserve"}  # deleting these changes nothing seen


def swap(*pairs):
    return {a: [b] for x, y in pairs for a, b in ((x, y), (y, x))}


# kind, pattern on the masked source, replacements of the matched text. The
# code is clang-formatted, so binary operators stand between blanks (which
# tells `a < b` from `std::vector<int>` and `a && b` from `T&& t`).
OPERATORS = [
    ("rel", r"(?<=\s)(?:<=|>=|<|>)(?=\s)", {"<": ["<="], "<=": ["<"], ">": [">="], ">=": [">"]}),
    ("eq", r"(?<=\s)(?:==|!=)(?=\s)", swap(("==", "!="))),
    ("logic", r"(?<=\s)(?:&&|\|\|)(?=\s)", swap(("&&", "||"))),
    ("not", r"!(?!=)", {"!": [""]}),
    ("arith", r"(?<=\s)(?:\+=|-=|\+|-)(?=\s)|\+\+|--", swap(("+", "-"), ("+=", "-="), ("++", "--"))),
    ("bool", r"\b(?:true|false)\b", swap(("true", "false"))),
]
INTEGER = re.compile(r"(?<![\w.'])(?:0[xX][\da-fA-F']+|\d[\d']*)(?=[uUlLzZ]*(?![\w.']))")
CALL = re.compile(r"(?<![\w.>:~])[A-Za-z_]\w*(?:(?:\.|->|::)[A-Za-z_]\w*)*\(")
LOG_CALL = re.compile(r"(?:\b\w+(?:\.|->))*\b(?:%s)\s*\(" % "|".join(LOG_CALLS))
CODE_BRACE = re.compile(r"(?:[)\]}]|\b(?:const|noexcept|override|mutable|try))\s*$")


@dataclass
class Mutant:
    file: str
    folder: str
    line: int
    kind: str
    change: str
    original: str
    mutated: str
    source: bytes = field(repr=False)
    result: str = ""
    seconds: float = 0.0
    by: str = ""

    def key(self):
        return (self.file, self.original.strip(), self.change)


# --- Finding the places to mutate -------------------------------------------

def blank(chars, a, b):
    for k in range(a, b):
        if chars[k] != "\n":
            chars[k] = " "


def literal_end(text, i, quote):
    j = i + 1
    while j < len(text) and text[j] not in (quote, "\n"):
        j += 2 if text[j] == "\\" else 1
    return j + 1


def code_mask(text):
    """The text with comments, string and character literals, preprocessor
    lines and log-only calls blanked; newlines and offsets stay as they were."""
    chars, i, n = list(text), 0, len(text)
    while i < n:
        c, j = text[i], None
        if text.startswith("//", i):
            j = n if text.find("\n", i) < 0 else text.find("\n", i)
        elif text.startswith("/*", i):
            j = n if text.find("*/", i) < 0 else text.find("*/", i) + 2
        elif c == "#" and not text[text.rfind("\n", 0, i) + 1 : i].strip():
            j = i
            while (j := text.find("\n", j + 1)) > 0 and text[j - 1] == "\\":
                pass
            j = n if j < 0 else j
        elif c == '"' and (raw := re.match(r'R"([^(\s]*)\(', text[i - 1 : i + 20])):
            end = text.find(")" + raw.group(1) + '"', i)
            j = n if end < 0 else end + len(raw.group(1)) + 2
        elif c == '"':
            j = literal_end(text, i, '"')
        elif c == "'" and not re.search(r"(?<![\w'])\d[\w']*$", text[max(0, i - 40) : i]):
            j = literal_end(text, i, "'")  # (not a digit separator as in 1'000)
        if j is None:
            i += 1
        else:
            blank(chars, i, j)
            i = j
    masked = "".join(chars)
    for call in LOG_CALL.finditer(masked):
        end = statement_end(masked, call.end() - 1)
        if end:
            blank(chars, call.start(), end)
    return "".join(chars)


def closing(text, i):
    depth = 0
    for k in range(i, len(text)):
        if text[k] in "([{":
            depth += 1
        elif text[k] in ")]}":
            depth -= 1
            if depth == 0:
                return k
    return None


def statement_end(masked, paren):
    """Where the call statement whose argument list opens at paren ends (past
    its ';'), following chained calls; None when it is no call statement."""
    while (close := closing(masked, paren)) is not None:
        rest = masked[close + 1 :]
        if chain := re.match(r"\s*(?:\.|->)\s*\w+\(", rest):
            paren = close + chain.end()
        elif end := re.match(r"\s*;", rest):
            return close + 1 + end.end()
        else:
            return None
    return None


def function_bodies(masked):
    """For each offset, whether it lies inside a function (or lambda) body."""
    inside, stack, last = bytearray(len(masked)), [False], 0
    for i, c in enumerate(masked):
        if c == "{":
            stack.append(stack[-1] or bool(CODE_BRACE.search(masked[max(0, last - 9) : last + 1])))
        elif c == "}" and len(stack) > 1:
            stack.pop()
        inside[i] = stack[-1]
        if not c.isspace():
            last = i
    return inside


def call_sites(masked):
    inside = function_bodies(masked)
    for call in CALL.finditer(masked):
        before = masked[max(0, call.start() - 200) : call.start()].rstrip()
        label = re.search(r"(?<!:):$", before) and "?" not in re.split(r"[;{}]", before)[-1]
        starts = not before or before[-1] in ";{})" or label or re.search(r"\belse$", before)
        callee = call.group()[:-1]
        end = statement_end(masked, call.end() - 1) if starts and inside[call.start()] else None
        if end and re.split(r"\.|->|::", callee)[-1] not in NOT_DELETED:
            span = masked[call.start() : end]
            yield call.start(), end, callee + "(...)", ["{}" + "\n" * span.count("\n")]


def integer_options(token):
    try:
        value = int(token.replace("'", ""), 0)
    except ValueError:  # an octal literal such as 017
        return []
    values = [value + 1] + ([value - 1] if value > 0 else []) + ([0] if value > 1 else [])
    return [hex(v) if token[:2] in ("0x", "0X") else str(v) for v in values]


def sites_in(text):
    """Every (start, end, kind, original, replacements) the text offers."""
    masked = code_mask(text)
    line_starts = [0] + [m.end() for m in re.finditer("\n", text)]
    for kind, pattern, replacements in OPERATORS:
        for m in re.finditer(pattern, masked):
            line = text[line_starts[bisect_right(line_starts, m.start()) - 1] :].split("\n", 1)[0]
            if m.group() in ("+", "+=") and re.search(r"[\"']|<char>", line):
                continue  # most likely builds a string: would not compile
            yield m.start(), m.end(), kind, m.group(), replacements[m.group()]
    for m in INTEGER.finditer(masked):
        if options := integer_options(m.group()):
            yield m.start(), m.end(), "const", m.group(), options
    for start, end, callee, options in call_sites(masked):
        yield start, end, "call", callee, options


def make_mutant(rel, folder, text, site, rng):
    start, end, kind, original, options = site
    replacement = rng.choice(options)
    mutated = text[:start] + replacement + text[end:]
    line = text.count("\n", 0, start)
    shown = "(deleted)" if kind == "call" else replacement or "(removed)"
    return Mutant(rel, folder, line + 1, kind, f"{original} -> {shown}",
                  text.split("\n")[line], mutated.split("\n")[line],
                  mutated.encode("utf-8", "surrogateescape"))


def sample_mutants(files_by_folder, count, seed, least=0):
    """count mutants, shared between the folders in proportion to their sites;
    a folder gets at least `least` of them (so the total may pass count)."""
    rng = random.Random(seed)
    sites = {}
    for folder, files in files_by_folder.items():
        for rel in files:
            text = (ROOT / rel).read_bytes().decode("utf-8", "surrogateescape")
            sites.setdefault(folder, []).extend((rel, text, s) for s in sites_in(text))
    total = sum(len(s) for s in sites.values())
    exact = {f: count * len(s) / total for f, s in sites.items()} if total else {}
    quota = {f: int(x) for f, x in exact.items()}
    for f in sorted(exact, key=lambda f: quota[f] - exact[f])[: count - sum(quota.values())]:
        quota[f] += 1
    quota = {f: max(q, least) for f, q in quota.items()}
    mutants = []
    for folder in sorted(sites):
        for rel, text, site in rng.sample(sites[folder], min(quota[folder], len(sites[folder]))):
            mutants.append(make_mutant(rel, folder, text, site, rng))
    return sorted(mutants, key=lambda m: (m.file, m.line)), {f: len(s) for f, s in sites.items()}


def load_equivalents():
    """path | original line text | change  # why it changes nothing observable"""
    entries = set()
    if not EQUIVALENT_FILE.exists():
        return entries
    for raw in EQUIVALENT_FILE.read_text(encoding="utf-8").splitlines():
        if not raw.strip() or raw.startswith("#"):
            continue
        body, _, why = raw.rpartition(" # ")
        path, _, rest = body.partition(" | ")
        line, _, change = rest.rpartition(" | ")
        if not (why.strip() and path.strip() and line.strip() and change.strip()):
            sys.exit(f"{EQUIVALENT_FILE.name}: needs 'path | line | change  # why': {raw}")
        entries.add((path.strip(), line.strip(), change.strip()))
    return entries


# --- Building and testing ---------------------------------------------------

def run(cmd, timeout=None, cwd=None):
    """(exit status, output); None on a timeout. The command's whole process
    group ends with it, also on Ctrl-C."""
    proc = subprocess.Popen(cmd, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                            text=True, start_new_session=True)
    try:
        output = proc.communicate(timeout=timeout)[0]
        return proc.returncode, output
    except subprocess.TimeoutExpired:
        return None, ""
    finally:
        if proc.poll() is None:
            os.killpg(proc.pid, signal.SIGKILL)
            proc.wait()


class Workbench:
    """The dedicated build directory, its unit test binaries and what they compile."""

    def __init__(self, build, jobs):
        self.build, self.jobs = build, str(jobs)
        self.backup = build / "mutation-pending.bak"

    def prepare(self):
        # The library's own checks, as in `make asan-tests`, catch reads past the end.
        flags = ["-DCMAKE_BUILD_TYPE=Debug", "-DCORVANE_CORE_ONLY=ON", "-DCORVANE_BENCH=OFF",
                 "-DCMAKE_CXX_FLAGS=-D_GLIBCXX_ASSERTIONS"]
        if shutil.which("ccache"):
            flags.append("-DCMAKE_CXX_COMPILER_LAUNCHER=ccache")
            os.environ.setdefault("CCACHE_BASEDIR", str(ROOT))
        self.build.mkdir(parents=True, exist_ok=True)
        self.recover()
        for cmd in (["cmake", "-S", str(ROOT), "-B", str(self.build), "-G", "Ninja", *flags],
                    ["cmake", "--build", str(self.build), "-j", self.jobs]):
            print("+", " ".join(cmd), flush=True)
            status, output = run(cmd)
            if status:
                sys.exit(output[-4000:] + "\nthe unmutated build fails")
        # The unit tests' comma-decimal locale, which ctest's fixture makes otherwise.
        status, output = run(["sh", str(ROOT / "tests" / "support" / "comma-locale.sh"),
                              str(self.build / "locale")])
        if status:
            sys.exit(output)
        self.binaries = sorted(p for p in (self.build / "tests" / "unit").rglob("*")
                               if p.is_file() and os.access(p, os.X_OK) and "." not in p.name
                               and "CMakeFiles" not in p.parts)
        self.sources = {b.name: self.compiled_sources(b.name) for b in self.binaries}

    def compiled_sources(self, target):
        """The repository files (sources and headers) a test binary compiles."""
        commands = run(["ninja", "-C", str(self.build), "-t", "commands", target])[1]
        objects = set(re.findall(r" -o (\S+\.o) -c ", commands))
        files, current = set(), None
        for line in self.deps.splitlines():
            if line and not line[0].isspace():
                current = line.split(":")[0] in objects
            elif current and line.strip():
                path = Path(os.path.normpath(self.build / line.strip()))
                if path.is_relative_to(ROOT / "src"):
                    files.add(str(path.relative_to(ROOT)))
        return files

    @property
    def deps(self):
        if not hasattr(self, "_deps"):
            self._deps = run(["ninja", "-C", str(self.build), "-t", "deps"])[1]
        return self._deps

    def targets_for(self, mutant):
        """The binaries that compile the file: its own folder's first, then the fastest."""
        hit = [b for b in self.binaries if mutant.file in self.sources[b.name]]
        return sorted(hit, key=lambda b: (not b.name.startswith(mutant.folder + "_"),
                                          self.baseline.get(b.name, 0)))

    def run_tests(self, binary, timeout):
        status, _ = run([binary, "--gtest_fail_fast", "--gtest_brief=1"], timeout, binary.parent)
        return "timeout" if status is None else "killed" if status else "passed"

    def measure_baseline(self, timeout):
        self.baseline, self.timeout = {}, {}
        for binary in self.binaries:
            start = time.monotonic()
            if self.run_tests(binary, 600) != "passed":
                sys.exit(f"{binary.name} fails without any mutant; fix the tests first")
            self.baseline[binary.name] = time.monotonic() - start
            self.timeout[binary.name] = timeout or max(30.0, 5 * self.baseline[binary.name])
            print(f"  {binary.name}: {self.baseline[binary.name]:.1f}s", flush=True)

    def try_mutant(self, mutant):
        """Builds and tests one mutant; the file is always restored byte for byte."""
        path = ROOT / mutant.file
        original = path.read_bytes()
        digest = hashlib.sha256(original).digest()
        self.backup.write_bytes(mutant.file.encode() + b"\n" + original)
        try:
            path.write_bytes(mutant.source)
            for binary in self.targets_for(mutant):
                status, _ = run(["cmake", "--build", str(self.build), "-j", self.jobs,
                                 "--target", binary.name])
                if status:
                    return "no-compile", binary.name
                if (result := self.run_tests(binary, self.timeout[binary.name])) != "passed":
                    return result, binary.name
            return "survived", ""
        finally:
            path.write_bytes(original)
            if hashlib.sha256(path.read_bytes()).digest() != digest:
                sys.exit(f"could not restore {mutant.file}; its original is in {self.backup}")
            self.backup.unlink()

    def recover(self):
        """Puts back a file a killed earlier run left mutated."""
        if self.backup.exists():
            rel, _, original = self.backup.read_bytes().partition(b"\n")
            (ROOT / rel.decode()).write_bytes(original)
            self.backup.unlink()
            print(f"restored {rel.decode()}, left mutated by an interrupted run")


# --- Reporting ----------------------------------------------------------------

def score_table(mutants, folders):
    rows = []
    for folder in folders + ["overall"]:
        n = Counter(m.result for m in mutants if folder in ("overall", m.folder))
        killed = n["killed"] + n["timeout"]
        scored = killed + n["survived"]
        rows.append({"folder": folder, "sampled": sum(n.values()), "killed": killed,
                     "survived": n["survived"], "no_compile": n["no-compile"],
                     "equivalent": n["equivalent"],
                     "score": round(100 * killed / scored, 1) if scored else None})
    return rows


def print_report(mutants, rows):
    print(f"\n{'folder':<12}{'sampled':>8}{'killed':>8}{'survived':>10}{'no-compile':>12}"
          f"{'equivalent':>12}{'score':>8}")
    for r in rows:
        score = "-" if r["score"] is None else f"{r['score']:.0f}%"
        print(f"{r['folder']:<12}{r['sampled']:>8}{r['killed']:>8}{r['survived']:>10}"
              f"{r['no_compile']:>12}{r['equivalent']:>12}{score:>8}")
    survivors = [m for m in mutants if m.result == "survived"]
    if survivors:
        print(f"\nsurviving mutants: {len(survivors)}")
    for m in survivors:
        print(f"{m.file}:{m.line}  [{m.kind}] {m.change}\n  - {m.original.strip()}\n"
              f"  + {m.mutated.strip()}")


def interrupt(*_):
    raise KeyboardInterrupt


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--count", type=int, default=150, help="mutants to sample (150)")
    parser.add_argument("--seed", type=int, default=18, help="seed of the sample (18)")
    parser.add_argument("--folders", help="only these src/ folders, comma-separated")
    parser.add_argument("--min-per-folder", type=int, default=0,
                        help="at least this many mutants in every folder (0)")
    parser.add_argument("--build-dir", default="build-mutation", help="(build-mutation)")
    parser.add_argument("--jobs", type=int, default=2, help="build jobs (2)")
    parser.add_argument("--timeout", type=float, default=0,
                        help="seconds per test binary before a mutant counts as a hang "
                             "(default: five times its unmutated run, at least 30)")
    parser.add_argument("--json", help="summary file (BUILD_DIR/mutation-report.json)")
    parser.add_argument("--list", action="store_true", help="print the sample and stop")
    args = parser.parse_args()

    bench = Workbench((ROOT / args.build_dir).resolve(), args.jobs)
    bench.prepare()
    wanted = set(args.folders.split(",")) if args.folders else None
    tested = set().union(*bench.sources.values())
    folders = sorted(d.name for d in (ROOT / "src").iterdir() if d.is_dir()
                     and d.name not in QT_FOLDERS and (wanted is None or d.name in wanted))
    files = {f: sorted(str(p.relative_to(ROOT)) for p in (ROOT / "src" / f).rglob("*")
                       if p.suffix in (".cpp", ".h")) for f in folders}
    for f in folders:
        if untested := [p for p in files[f] if p not in tested]:
            print(f"not compiled into any unit test, left out: {' '.join(untested)}")
        files[f] = [p for p in files[f] if p in tested]
    mutants, sizes = sample_mutants(files, args.count, args.seed, args.min_per_folder)
    print(f"{len(mutants)} mutants (seed {args.seed}) from sites per folder: "
          + ", ".join(f"{f} {sizes.get(f, 0)}" for f in folders), flush=True)
    equivalent = load_equivalents()
    if args.list:
        for m in mutants:
            mark = "  (listed as equivalent)" if m.key() in equivalent else ""
            print(f"{m.file}:{m.line}  [{m.kind}] {m.change}{mark}\n  + {m.mutated.strip()}")
        return 0

    for sig in (signal.SIGINT, signal.SIGTERM):
        signal.signal(sig, interrupt)
    print("unit tests without mutants:", flush=True)
    bench.measure_baseline(args.timeout)
    started, interrupted = time.monotonic(), False
    try:
        for i, m in enumerate(mutants, 1):
            start = time.monotonic()
            m.result, m.by = ("equivalent", "") if m.key() in equivalent else bench.try_mutant(m)
            m.seconds = round(time.monotonic() - start, 1)
            print(f"[{i:>3}/{len(mutants)}] {m.result:<10} {m.file}:{m.line}  {m.change}"
                  f"  ({m.seconds:.1f}s{', ' + m.by if m.by else ''})", flush=True)
    except KeyboardInterrupt:
        interrupted = True
        print("\ninterrupted; the mutated file is restored. Results so far:")
    done = [m for m in mutants if m.result]
    rows = score_table(done, folders)
    print_report(done, rows)
    elapsed = time.monotonic() - started
    print(f"\n{len(done)} mutants in {elapsed / 60:.1f} min ({elapsed / max(len(done), 1):.1f}s each)")
    report = Path(args.json) if args.json else bench.build / "mutation-report.json"
    report.write_text(json.dumps({
        "seed": args.seed, "count": args.count, "min_per_folder": args.min_per_folder,
        "interrupted": interrupted,
        "seconds": round(elapsed), "folders": rows,
        "mutants": [{k: v for k, v in vars(m).items() if k != "source"} for m in done]},
        indent=1) + "\n", encoding="utf-8")
    print(f"summary: {report}")
    return 130 if interrupted else 0


if __name__ == "__main__":
    sys.exit(main())
