#!/usr/bin/env python3
"""Mutation testing for the portable core, against the native unit tests.

Each mutant changes one token of one source file. The tool rebuilds `unit_tests`
incrementally, runs it, records whether the tests noticed, and puts the file back.

    tools/mutate.py ROOT BUILD OUT.tsv [GLOB ...] [--list] [--limit N] [--sample N]

GLOBs are relative to ROOT; without any the portable core is used. Results are
appended to OUT.tsv one row per mutant, so an interrupted run can be resumed by
starting the same command again (ids already in the file are skipped).

Operators (--ops): rel  < <= > >= == != (to the neighbouring / opposite one)
                   arith + - * / % and their compound forms
                   shift << >> (and <<= >>=)      logic  && ||
                   not  removes a unary !          int    n -> n+1, 0 <-> 1
                   bool true <-> false             bit    & | ^ (and &= |= ^=)
                   ret  return X; -> return {}; (X is still evaluated and dropped)
Comments, string and character literals, preprocessor lines and assert(...)
are never mutated.

Binary operators are told apart from unary ones, pointer/reference declarators
and template brackets by their spacing, which relies on the sources being
formatted with the repository's .clang-format (binary operators spaced on both
sides, `T* p`, `static_cast<int>`).
"""

import argparse
import csv
import fnmatch
import hashlib
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import time
from dataclasses import dataclass
from pathlib import Path

DEFAULT_GLOBS = [
    "src/text/*.cpp",
    "src/keycodes/*.cpp",
    "src/programming/*.cpp",
    "src/settings/*.cpp",
    "src/device/*.cpp",
    "src/framework/AppName.cpp",
    "src/app/Branding.cpp",
]
DEFAULT_EXCLUDES = ["*_win.cpp", "src/device/Brondel.cpp"]
TARGET = "unit_tests"
ALL_OPS = ["rel", "arith", "shift", "logic", "not", "int", "bool", "bit", "ret"]
TSV_FIELDS = ["id", "file", "line", "column", "operator", "original", "replacement",
              "status", "killer", "seconds"]

# ---------------------------------------------------------------------------
# Tokenising


@dataclass
class Token:
    kind: str  # ident, number, string, char, punct, pp
    text: str
    start: int
    end: int
    line: int
    col: int
    space_before: bool = False
    space_after: bool = False


PUNCTUATORS = sorted(
    """>>= <<= <=> ->* ... :: -> ++ -- << >> <= >= == != && || += -= *= /= %= &= |= ^= .* ##
    { } [ ] ( ) ; : ? . , + - * / % ^ & | ~ ! = < > #""".split(),
    key=len, reverse=True)
RE_IDENT = re.compile(r"[A-Za-z_]\w*")
RE_NUMBER = re.compile(r"\.?[0-9](?:[eEpP][+-]|'(?=\w)|[\w.])*")
RE_RAW = re.compile(r'(?:u8|u|U|L)?R"([^()\\\s]{0,16})\(')
RE_QUOTE = re.compile(r"(?:u8|u|U|L)?(['\"])")


def tokenize(src):
    """Tokens of a C++ source, comments and white space dropped. Preprocessor lines
    come back as one `pp` token each."""
    tokens = []
    i, n = 0, len(src)
    line_starts = [0] + [m.end() for m in re.finditer("\n", src)]

    def line_col(pos):
        lo, hi = 0, len(line_starts) - 1
        while lo < hi:
            mid = (lo + hi + 1) // 2
            if line_starts[mid] <= pos:
                lo = mid
            else:
                hi = mid - 1
        return lo + 1, pos - line_starts[lo] + 1

    at_line_start = True
    while i < n:
        c = src[i]
        if c == "\n":
            at_line_start = True
            i += 1
            continue
        if c in " \t\r\f\v":
            i += 1
            continue
        if src.startswith("//", i):
            j = src.find("\n", i)
            i = n if j < 0 else j
            continue
        if src.startswith("/*", i):
            j = src.find("*/", i + 2)
            i = n if j < 0 else j + 2
            continue
        start = i
        kind = None
        if c == "#" and at_line_start:
            j = i
            while True:
                k = src.find("\n", j)
                if k < 0:
                    j = n
                    break
                if src[k - 1] == "\\":
                    j = k + 1
                    continue
                j = k
                break
            kind, i = "pp", j
        else:
            m = RE_RAW.match(src, i)
            if m:
                close = ")" + m.group(1) + '"'
                j = src.find(close, m.end())
                kind, i = "string", (n if j < 0 else j + len(close))
            else:
                m = RE_QUOTE.match(src, i)
                if m:
                    quote = m.group(1)
                    j = m.end()
                    while j < n and src[j] != quote and src[j] != "\n":
                        j += 2 if src[j] == "\\" else 1
                    kind, i = ("string" if quote == '"' else "char"), min(j + 1, n)
                elif c.isdigit() or (c == "." and i + 1 < n and src[i + 1].isdigit()):
                    m = RE_NUMBER.match(src, i)
                    kind, i = "number", m.end()
                elif c.isalpha() or c == "_":
                    m = RE_IDENT.match(src, i)
                    kind, i = "ident", m.end()
                else:
                    for p in PUNCTUATORS:
                        if src.startswith(p, i):
                            kind, i = "punct", i + len(p)
                            break
                    else:
                        kind, i = "punct", i + 1
        at_line_start = False
        line, col = line_col(start)
        tokens.append(Token(kind, src[start:i], start, i, line, col,
                            start == 0 or src[start - 1].isspace(),
                            i >= n or src[i].isspace()))
    return tokens


# ---------------------------------------------------------------------------
# Mutant generation


@dataclass
class Mutant:
    id: int
    file: str
    line: int
    column: int
    op: str
    original: str
    replacement: str
    start: int
    end: int
    text: str = None  # what goes into the file, when it is more than `replacement`

    def key(self):
        return (self.file, str(self.line), str(self.column), self.op, self.original,
                self.replacement)


BINARY = {
    # token: (operator class, replacement)
    "<": ("rel", "<="), "<=": ("rel", "<"), ">": ("rel", ">="), ">=": ("rel", ">"),
    "==": ("rel", "!="), "!=": ("rel", "=="),
    "+": ("arith", "-"), "-": ("arith", "+"), "*": ("arith", "/"), "/": ("arith", "*"),
    "%": ("arith", "/"),
    "<<": ("shift", ">>"), ">>": ("shift", "<<"),
    "&&": ("logic", "||"), "||": ("logic", "&&"),
    "&": ("bit", "|"), "|": ("bit", "&"), "^": ("bit", "|"),
}
COMPOUND = {
    "+=": ("arith", "-="), "-=": ("arith", "+="), "*=": ("arith", "/="), "/=": ("arith", "*="),
    "%=": ("arith", "/="), "<<=": ("shift", ">>="), ">>=": ("shift", "<<="),
    "&=": ("bit", "|="), "|=": ("bit", "&="), "^=": ("bit", "|="),
}
# `return X;` where `return {};` would change nothing or repeats another mutant.
TRIVIAL_RETURNS = {"{}", "0", "0u", "false", "true", "nullptr", "std::nullopt", "{ }"}
RE_INT = re.compile(r"^(0[xX][0-9a-fA-F]+|0[bB][01]+|0[0-7]*|[1-9][0-9]*)([uUlLzZ]*)$")


def mutate_int(text):
    m = RE_INT.match(text)
    if not m:
        return None  # floating point, user-defined literal, digit separators
    digits, suffix = m.groups()
    if digits[:2] in ("0x", "0X"):
        value, prefix, fmt = int(digits[2:], 16), digits[:2], ("X" if digits[2:].isupper() else "x")
    elif digits[:2] in ("0b", "0B"):
        value, prefix, fmt = int(digits[2:], 2), digits[:2], "b"
    elif digits[0] == "0" and len(digits) > 1:
        value, prefix, fmt = int(digits, 8), "0", "o"
    else:
        value, prefix, fmt = int(digits), "", "d"
    new = 0 if value == 1 else value + 1
    body = format(new, fmt)
    if prefix and fmt in "xXb":
        body = body.zfill(len(digits) - 2)
    elif fmt == "o":
        prefix = "0" if new else ""
    return prefix + body + suffix


def skipped_ranges(tokens):
    """Token indexes inside assert(...)/static_assert(...) or just after `operator`."""
    skip = set()
    for i, t in enumerate(tokens):
        if t.kind == "ident" and t.text in ("assert", "static_assert"):
            j = i + 1
            if j < len(tokens) and tokens[j].text == "(":
                depth = 0
                while j < len(tokens):
                    if tokens[j].text == "(":
                        depth += 1
                    elif tokens[j].text == ")":
                        depth -= 1
                        if depth == 0:
                            break
                    j += 1
                skip.update(range(i, j + 1))
        if t.kind == "ident" and t.text == "operator" and i + 1 < len(tokens):
            skip.add(i + 1)
    return skip


def return_expression(tokens, i):
    """Index of the `;` ending the `return` at i, or None."""
    depth = 0
    for j in range(i + 1, len(tokens)):
        t = tokens[j].text
        if t in "([{":
            depth += 1
        elif t in ")]}":
            depth -= 1
            if depth < 0:
                return None
        elif t == ";" and depth == 0:
            return j
    return None


def lambda_bodies(tokens):
    """For each token, whether its innermost enclosing brace is a lambda body (`](...) {` or
    `] {`): a lambda's deduced return type cannot come from `return {};`."""
    inside, stack, parens = [], [], []
    match = {}
    for i, t in enumerate(tokens):
        if t.text == "(":
            parens.append(i)
        elif t.text == ")" and parens:
            match[i] = parens.pop()
    for i, t in enumerate(tokens):
        if t.text == "{":
            prev = i - 1
            if prev >= 0 and tokens[prev].text == ")" and prev in match:
                prev = match[prev] - 1
            stack.append(prev >= 0 and tokens[prev].text == "]")
        elif t.text == "}" and stack:
            stack.pop()
        inside.append(bool(stack) and stack[-1])
    return inside


def generate(rel_path, src, ops):
    tokens = tokenize(src)
    skip = skipped_ranges(tokens)
    in_lambda = lambda_bodies(tokens)
    out = []

    def add(op, tok_start, tok_end, original, replacement):
        if op in ops:
            out.append(Mutant(0, rel_path, tok_start.line, tok_start.col, op, original,
                              replacement, tok_start.start, tok_end.end))

    for i, t in enumerate(tokens):
        if i in skip or t.kind in ("pp", "string", "char"):
            continue
        if t.kind == "punct":
            if t.text in BINARY and t.space_before and t.space_after:
                op, repl = BINARY[t.text]
                add(op, t, t, t.text, repl)
            elif t.text in COMPOUND:
                op, repl = COMPOUND[t.text]
                add(op, t, t, t.text, repl)
            elif t.text == "!" and not t.space_after:
                add("not", t, t, "!", "")
        elif t.kind == "number":
            repl = mutate_int(t.text)
            if repl is not None:
                add("int", t, t, t.text, repl)
        elif t.kind == "ident":
            if t.text in ("true", "false"):
                add("bool", t, t, t.text, "false" if t.text == "true" else "true")
            elif t.text == "return":
                j = return_expression(tokens, i)
                if j is None or j == i + 1 or in_lambda[i]:
                    continue
                first, last = tokens[i + 1], tokens[j - 1]
                expr = "".join(x.text for x in tokens[i + 1:j])
                if expr in TRIVIAL_RETURNS:
                    continue
                shown = " ".join(src[first.start:last.end].split())
                if len(shown) > 60:
                    shown = shown[:57] + "..."
                if "ret" in ops:
                    # The expression is still evaluated, so that a parameter or local it used
                    # does not turn into an unused-variable error under -Werror.
                    body = src[first.start:last.end]
                    text = ("return {};" if body.startswith("{") else
                            f"{{ static_cast<void>({body}); return {{}}; }}")
                    out.append(Mutant(0, rel_path, first.line, first.col, "ret", shown, "{}",
                                      t.start, tokens[j].end, text))
    return out


def find_sources(root, globs, excludes):
    files = []
    for g in globs:
        for p in sorted(root.glob(g)):
            rel = p.relative_to(root).as_posix()
            if p.is_file() and not any(fnmatch.fnmatch(rel, e) or fnmatch.fnmatch(p.name, e)
                                       for e in excludes) and rel not in files:
                files.append(rel)
    return files


def all_mutants(root, files, ops):
    mutants = []
    for rel in files:
        src = (root / rel).read_text(encoding="utf-8")
        mutants.extend(generate(rel, src, ops))
    for n, m in enumerate(mutants, 1):
        m.id = n
    return mutants


# ---------------------------------------------------------------------------
# Building and testing


class Terminated(Exception):
    pass


def on_sigterm(signum, frame):
    raise Terminated(f"signal {signum}")


def run(cmd, timeout=None, **kw):
    """Runs cmd in its own process group; returns (returncode or None on timeout, output)."""
    proc = subprocess.Popen(cmd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                            errors="replace", start_new_session=True, **kw)
    try:
        out, _ = proc.communicate(timeout=timeout)
        return proc.returncode, out
    except subprocess.TimeoutExpired:
        os.killpg(proc.pid, signal.SIGKILL)
        out, _ = proc.communicate()
        return None, out
    except BaseException:
        try:
            os.killpg(proc.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        proc.wait()
        raise


def build(build_dir, jobs):
    return run(["cmake", "--build", str(build_dir), "--target", TARGET, "-j", str(jobs)])


def first_error(output, root):
    for line in output.splitlines():
        if "error:" in line:
            return " ".join(line.replace(str(root) + "/", "").split())[:160]
    return ""


def run_tests(build_dir, timeout):
    exe = build_dir / TARGET
    rc, out = run([str(exe), "--gtest_brief=1"], timeout=timeout, cwd=str(build_dir))
    if rc is None:
        return "timeout", ""
    if rc == 0:
        return "survived", ""
    failed = re.findall(r"^\[  FAILED  \] ([\w/.]+)", out, re.M)
    failed = list(dict.fromkeys(failed))
    if failed:
        more = f" (+{len(failed) - 1})" if len(failed) > 1 else ""
        return "killed", failed[0] + more
    if rc < 0:
        try:
            return "killed", f"<{signal.Signals(-rc).name}>"
        except ValueError:
            return "killed", f"<signal {-rc}>"
    return "killed", f"<exit {rc}>"


class SourceGuard:
    """Keeps a backup of every file it mutates under the build dir, so that the original can
    be put back even after the runner itself was killed."""

    def __init__(self, root, build_dir):
        self.root = root
        self.backup_dir = build_dir / "mutate-backup"
        self.originals = {}
        self.last_mtime = 0

    def recover(self):
        if not self.backup_dir.exists():
            return
        for b in sorted(self.backup_dir.rglob("*")):
            if b.is_file():
                rel = b.relative_to(self.backup_dir)
                target = self.root / rel
                if target.read_bytes() != b.read_bytes():
                    print(f"restoring {rel} from an interrupted run", flush=True)
                    self._write(target, b.read_bytes())
                b.unlink()
        shutil.rmtree(self.backup_dir, ignore_errors=True)

    def _write(self, path, data):
        path.write_bytes(data)
        # A strictly newer mtime each time, so make never takes a mutant's object file for
        # the restored source or the other way round.
        t = max(time.time_ns(), self.last_mtime + 10_000_000)
        self.last_mtime = t
        os.utime(path, ns=(t, t))

    def original(self, rel):
        if rel not in self.originals:
            self.originals[rel] = (self.root / rel).read_bytes()
        return self.originals[rel]

    def apply(self, m):
        data = self.original(m.file)
        backup = self.backup_dir / m.file
        backup.parent.mkdir(parents=True, exist_ok=True)
        if not backup.exists():
            backup.write_bytes(data)
        text = data.decode("utf-8")
        self._write(self.root / m.file,
                    (text[:m.start] + (m.text if m.text is not None else m.replacement) +
                     text[m.end:]).encode("utf-8"))

    def restore(self, rel):
        data = self.originals[rel]
        path = self.root / rel
        if path.read_bytes() != data:
            self._write(path, data)
        if hashlib.sha256(path.read_bytes()).digest() != hashlib.sha256(data).digest():
            raise RuntimeError(f"could not restore {rel}")
        backup = self.backup_dir / rel
        if backup.exists():
            backup.unlink()


# ---------------------------------------------------------------------------
# Results


def read_results(path):
    if not path.exists():
        return {}
    with path.open(newline="", encoding="utf-8") as f:
        rows = list(csv.DictReader(f, delimiter="\t"))
    return {int(r["id"]): r for r in rows if r.get("id", "").isdigit()}


def append_result(path, row):
    new = not path.exists() or path.stat().st_size == 0
    with path.open("a", newline="", encoding="utf-8") as f:
        w = csv.DictWriter(f, fieldnames=TSV_FIELDS, delimiter="\t", lineterminator="\n")
        if new:
            w.writeheader()
        w.writerow(row)
        f.flush()
        os.fsync(f.fileno())


def summarize(results, files=None):
    rows = sorted(results.values(), key=lambda r: int(r["id"]))
    order = list(files or []) + [r["file"] for r in rows]
    order = list(dict.fromkeys(order))
    statuses = ["killed", "survived", "timeout", "nocompile"]
    print()
    print(f"{'file':40} {'mutants':>7} {'killed':>7} {'survived':>8} {'timeout':>7} "
          f"{'nocompile':>9} {'score':>6}")
    total = {s: 0 for s in statuses}
    for f in order:
        fr = [r for r in rows if r["file"] == f]
        c = {s: sum(1 for r in fr if r["status"] == s) for s in statuses}
        for s in statuses:
            total[s] += c[s]
        print(f"{f:40} {len(fr):7} {c['killed']:7} {c['survived']:8} {c['timeout']:7} "
              f"{c['nocompile']:9} {score(c):>6}")
    print(f"{'TOTAL':40} {len(rows):7} {total['killed']:7} {total['survived']:8} "
          f"{total['timeout']:7} {total['nocompile']:9} {score(total):>6}")
    survivors = [r for r in rows if r["status"] == "survived"]
    if survivors:
        print(f"\nsurvivors ({len(survivors)}):")
        for r in survivors:
            print(f"  #{r['id']:<4} {r['file']}:{r['line']}:{r['column']}  {r['operator']:5} "
                  f"{r['original']!s} -> {r['replacement'] or '(removed)'}")


def score(c):
    detected = c["killed"] + c["timeout"]
    valid = detected + c["survived"]
    return f"{100.0 * detected / valid:.1f}%" if valid else "-"


# ---------------------------------------------------------------------------


def main():
    ap = argparse.ArgumentParser(description=__doc__,
                                 formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("root", type=Path, help="source tree root (holds CMakeLists.txt)")
    ap.add_argument("build", type=Path, help="build directory (created if missing)")
    ap.add_argument("output", type=Path, help="results TSV (appended to; resumable)")
    ap.add_argument("globs", nargs="*", help="source globs relative to root")
    ap.add_argument("--exclude", action="append", default=None,
                    help=f"glob of files to leave out (default: {' '.join(DEFAULT_EXCLUDES)})")
    ap.add_argument("--ops", default=",".join(ALL_OPS),
                    help=f"operator classes to use (default: all of {','.join(ALL_OPS)})")
    ap.add_argument("--list", action="store_true", help="print the mutants and stop")
    ap.add_argument("--limit", type=int, help="try at most N mutants (the first N)")
    ap.add_argument("--sample", type=int, help="try a random sample of N mutants")
    ap.add_argument("--seed", type=int, default=1, help="seed for --sample (default 1)")
    ap.add_argument("--timeout", type=float, default=60, help="test timeout in s (default 60)")
    ap.add_argument("--jobs", type=int, default=1, help="build jobs (default 1)")
    ap.add_argument("--nice", type=int, default=19, help="raise own niceness to at least N")
    ap.add_argument("--summary", action="store_true", help="only summarise the TSV")
    args = ap.parse_args()

    root = args.root.resolve()
    build_dir = args.build.resolve()
    ops = set(args.ops.split(","))
    unknown = ops - set(ALL_OPS)
    if unknown:
        ap.error(f"unknown operator class: {', '.join(sorted(unknown))}")
    files = find_sources(root, args.globs or DEFAULT_GLOBS,
                         DEFAULT_EXCLUDES if args.exclude is None else args.exclude)

    if args.summary:
        summarize(read_results(args.output), files)
        return 0

    guard = SourceGuard(root, build_dir)
    if not args.list:
        guard.recover()  # before reading the sources, in case a killed run left a mutant

    mutants = all_mutants(root, files, ops)
    selected = mutants
    if args.sample is not None and args.sample < len(selected):
        selected = sorted(random.Random(args.seed).sample(selected, args.sample),
                          key=lambda m: m.id)
    if args.limit is not None:
        selected = selected[:args.limit]

    if args.list:
        for m in selected:
            print(f"{m.id}\t{m.file}:{m.line}:{m.column}\t{m.op}\t{m.original}\t"
                  f"{m.replacement or '(removed)'}")
        per_file = {}
        for m in selected:
            per_file[m.file] = per_file.get(m.file, 0) + 1
        print(f"\n{len(selected)} of {len(mutants)} mutants in {len(files)} files", file=sys.stderr)
        for f in files:
            print(f"  {f}: {per_file.get(f, 0)}", file=sys.stderr)
        return 0

    if args.nice:
        current = os.nice(0)
        if current < args.nice:
            os.nice(args.nice - current)
    signal.signal(signal.SIGINT, signal.default_int_handler)
    signal.signal(signal.SIGTERM, on_sigterm)
    signal.signal(signal.SIGHUP, signal.SIG_IGN)

    done = read_results(args.output)
    by_id = {m.id: m for m in mutants}
    for mid, row in done.items():
        m = by_id.get(mid)
        if m is None or tuple(row[k] for k in ("file", "line", "column", "operator",
                                                "original", "replacement")) != m.key():
            sys.exit(f"{args.output}: row {mid} does not match the mutants of this tree; "
                     "use a new output file")
    todo = [m for m in selected if m.id not in done]
    print(f"{len(mutants)} mutants in {len(files)} files; {len(selected)} selected, "
          f"{len(selected) - len(todo)} already done, {len(todo)} to run", flush=True)

    started = time.monotonic()
    if not (build_dir / "CMakeCache.txt").exists():
        rc, out = run(["cmake", "-S", str(root), "-B", str(build_dir),
                       "-DCMAKE_BUILD_TYPE=Debug"])
        if rc != 0:
            print(out)
            sys.exit("configure failed")
    rc, out = build(build_dir, args.jobs)
    if rc != 0:
        print(out)
        sys.exit("the unmutated tree does not build")
    t0 = time.monotonic()
    status, killer = run_tests(build_dir, args.timeout)
    baseline = time.monotonic() - t0
    if status != "survived":
        sys.exit(f"the unmutated tests do not pass: {status} {killer}")
    print(f"baseline: builds and passes, tests take {baseline:.1f} s "
          f"(setup {time.monotonic() - started:.0f} s)", flush=True)

    current = None
    try:
        for n, m in enumerate(todo, 1):
            if current is not None and current != m.file:
                guard.restore(current)
            current = m.file
            t0 = time.monotonic()
            guard.apply(m)
            rc, out = build(build_dir, args.jobs)
            if rc != 0:
                status, killer = "nocompile", first_error(out, root)
            else:
                status, killer = run_tests(build_dir, args.timeout)
            guard.restore(m.file)
            secs = time.monotonic() - t0
            append_result(args.output, {
                "id": m.id, "file": m.file, "line": m.line, "column": m.column,
                "operator": m.op, "original": m.original, "replacement": m.replacement,
                "status": status, "killer": killer, "seconds": f"{secs:.1f}"})
            done[m.id] = {"id": str(m.id), "file": m.file, "line": str(m.line),
                          "column": str(m.column), "operator": m.op, "original": m.original,
                          "replacement": m.replacement, "status": status}
            print(f"[{n}/{len(todo)}] #{m.id} {m.file}:{m.line}:{m.column} {m.op} "
                  f"{m.original} -> {m.replacement or '(removed)'}: {status} {killer} "
                  f"({secs:.1f} s)", flush=True)
    except (KeyboardInterrupt, Terminated) as e:
        print(f"\ninterrupted ({str(e) or 'Ctrl-C'}); results so far are in {args.output}",
              flush=True)
        return_code = 130
    else:
        return_code = 0
    finally:
        for rel in list(guard.originals):
            guard.restore(rel)
        shutil.rmtree(guard.backup_dir, ignore_errors=True)
    if return_code == 0 and todo:
        # Leave the build dir matching the restored sources.
        build(build_dir, args.jobs)
    print(f"\nelapsed {time.monotonic() - started:.0f} s")
    summarize(done, files)
    return return_code


if __name__ == "__main__":
    sys.exit(main())
