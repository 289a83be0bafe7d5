#!/usr/bin/env python3
"""Mutants of one source file, for tools/mutate.sh.

  mutate.py list FILE [EQUIVALENTS]    one mutant a line: number, line, E or -, what changes
  mutate.py apply FILE NUMBER          writes mutant NUMBER of FILE over FILE

A mutant changes one thing on a line that checks or parses: a comparison
flipped (< and >=, <= and >, == and !=), a constant compared against shifted
by one either way (a literal, a NAME in capitals, or a range's bound in
inrange<...> / inrange(v, lo, hi)), or a check dropped (the condition of an
`if (...) return / exitgame / continue` made false). Lines of the debug log,
comments, preprocessor lines and static_asserts are left alone, and so are
the bounds of for loops (walking a table's length is no check of the file;
one past its end is what the sanitized tests are for).

The list is made again from the text each time, so a number stays valid
only while the file is unchanged; the equivalents are keyed by the line's
text and the change, never by a line number.
"""
import re
import sys

COMPARE = re.compile(r"(?<= )(<=|>=|==|!=|<|>)(?= )")
FLIP = {"<": ">=", ">=": "<", "<=": ">", ">": "<=", "==": "!=", "!=": "=="}
# A constant: a number literal, or a NAME in capitals (with an optional cast before it).
CONST = r"(?:\(\w+\))?(?:0x[0-9A-Fa-f]+|\d+)[uUlL]*|(?:\(\w+\))?[A-Z][A-Z0-9_]*\b"
RIGHT = re.compile(r"\s*(" + CONST + r")")
LEFT = re.compile(r"(" + CONST + r")\s*$")
RANGE_T = re.compile(r"\b(?:inrange<\s*\w+|allinrange<\s*\w+\s*,\s*[^,<>]+?)\s*,\s*([^,<>]+?)\s*,\s*([^,<>]+?)\s*>")
RANGE_F = re.compile(r"\binrange\(\s*\w+\s*,\s*([^,()]+?)\s*,\s*([^,()]+?)\s*\)")
CHECKSTART = re.compile(r"^(\s*(?:\}\s*else\s+)?)if \(")
DROPPED = re.compile(r"\s*(return\b|exitgame\s*\(|continue\s*;)")


def blank_strings(line):
    """The line with string and character literals and its // comment blanked
    out, keeping every other column where it was."""
    out, i, n = [], 0, len(line)
    while i < n:
        c = line[i]
        if c in "\"'":
            j = i + 1
            while j < n and line[j] != c:
                j += 2 if line[j] == "\\" else 1
            out.append(c + "_" * (min(j, n) - i - 1) + (c if j < n else ""))
            i = j + 1
        elif line.startswith("//", i):
            out.append(" " * (n - i))
            break
        else:
            out.append(c)
            i += 1
    return "".join(out)


def skipped(code):
    s = code.strip()
    return (not s or s.startswith(("#", "*", "/*")) or "debuglog" in code or "static_assert" in code
            or "snprintf" in code)


def shifted(const):
    m = re.match(r"(\(\w+\))?(0x[0-9A-Fa-f]+|\d+)([uUlL]*)$", const)
    if m:
        cast, num, suffix = m.groups()
        v = int(num, 0)
        outs = [v + 1] + ([v - 1] if v > 0 else [])
        return [(cast or "") + str(x) + suffix for x in outs] + ([] if v > 0 else ["-1"])
    return ["(" + const + " + 1)", "(" + const + " - 1)"]


def bound_shifts(b):
    b = b.strip()
    if re.fullmatch(r"-?\d+", b):
        v = int(b)
        return [str(v + 1), str(v - 1)]
    return ["(" + b + ") + 1", "(" + b + ") - 1"]


def matching_paren(text, at):
    """Index of the ')' closing the '(' at text[at], or -1."""
    depth = 0
    for i in range(at, len(text)):
        if text[i] == "(":
            depth += 1
        elif text[i] == ")":
            depth -= 1
            if depth == 0:
                return i
    return -1


def mutants(lines):
    """(line index, new lines, what) for every mutant, in a fixed order."""
    codes = [blank_strings(l) for l in lines]
    out = []
    for li, (line, code) in enumerate(zip(lines, codes)):
        if skipped(code):
            continue
        seen = {}

        def add(start, end, new, what):
            key = what
            seen[key] = seen.get(key, 0) + 1
            if seen[key] > 1:
                what += " #%d" % seen[key]
            changed = list(lines)
            changed[li] = line[:start] + new + line[end:]
            out.append((li, changed, what))

        # A loop's own bound is no check: it is left to the sanitized tests.
        loops = []
        for f in re.finditer(r"\bfor \(", code):
            end = matching_paren(code, f.end() - 1)
            loops.append((f.end(), end if end >= 0 else len(code)))
        for m in COMPARE.finditer(code):
            if any(a <= m.start() < b for a, b in loops):
                continue
            op = m.group(1)
            left = code[:m.start()].rstrip()
            lw = re.search(r"(\S+)$", left)
            lt = line[lw.start(1):lw.end(1)] if lw else ""
            rw = re.match(r"\s*(\S+)", code[m.end():])
            rt = line[m.end() + rw.start(1):m.end() + rw.end(1)] if rw else ""
            add(m.start(), m.end(), FLIP[op], "%s %s %s => %s %s %s" % (lt, op, rt, lt, FLIP[op], rt))
            r = RIGHT.match(code, m.end())
            if r and not re.match(r"[\w.(\[]", code[r.end():r.end() + 1] or " "):
                for s in shifted(r.group(1)):
                    add(r.start(1), r.end(1), s, "%s %s %s => %s %s %s" % (lt, op, r.group(1), lt, op, s))
            l = LEFT.search(left)
            if l and not re.search(r"[\w.)\]]$", left[:l.start(1)]):
                for s in shifted(l.group(1)):
                    add(l.start(1), l.end(1), s, "%s %s %s => %s %s %s" % (l.group(1), op, rt, s, op, rt))
        for rx in (RANGE_T, RANGE_F):
            for m in rx.finditer(code):
                for g, name in ((1, "low"), (2, "high")):
                    for s in bound_shifts(m.group(g)):
                        add(m.start(g), m.end(g), s, "%s bound %s => %s" % (name, m.group(g).strip(), s))
    # Checks dropped: the condition made false, so the line count stays.
    text = "\n".join(codes)
    starts = [0]
    for l in lines:
        starts.append(starts[-1] + len(l) + 1)
    for li, code in enumerate(codes):
        m = CHECKSTART.match(code)
        if not m or skipped(code):
            continue
        open_at = starts[li] + m.end() - 1
        close_at = matching_paren(text, open_at)
        if close_at < 0 or not DROPPED.match(text, close_at + 1):
            continue
        cl = max(i for i in range(len(starts)) if starts[i] <= close_at)
        changed = list(lines)
        oc = m.end()
        changed[li] = lines[li][:oc] + "false && (" + lines[li][oc:]
        cc = close_at - starts[cl] + (len("false && (") if cl == li else 0)
        changed[cl] = changed[cl][:cc] + ")" + changed[cl][cc:]
        out.append((li, changed, "check dropped"))
    out.sort(key=lambda t: t[0])
    return out


def read_equivalents(path):
    """(file, line snippet, what) triples: a line of the file reads
    `file | snippet of the line | what changes | why it cannot change behaviour`."""
    eq = []
    if not path:
        return eq
    with open(path, encoding="utf-8") as f:
        for raw in f:
            if not raw.strip() or raw.lstrip().startswith("#"):
                continue
            parts = [p.strip() for p in raw.rstrip("\n").split(" | ")]
            if len(parts) < 4:
                sys.exit("%s: not `file | snippet | what | why`: %s" % (path, raw.strip()))
            eq.append((parts[0], parts[1], parts[2]))
    return eq


def main():
    if len(sys.argv) < 3 or sys.argv[1] not in ("list", "apply"):
        sys.exit(__doc__)
    path = sys.argv[2]
    with open(path, encoding="utf-8") as f:
        lines = f.read().split("\n")
    ms = mutants(lines)
    if sys.argv[1] == "apply":
        n = int(sys.argv[3])
        with open(path, "w", encoding="utf-8") as f:
            f.write("\n".join(ms[n][1]))
        return
    eq = read_equivalents(sys.argv[3] if len(sys.argv) > 3 else None)
    used = set()
    for n, (li, _, what) in enumerate(ms):
        text = lines[li].strip()
        mark = "-"
        for k, (file, snippet, ewhat) in enumerate(eq):
            if file == path and snippet in text and ewhat == what:
                mark = "E"
                used.add(k)
        print("%d\t%d\t%s\t%s\t%s" % (n, li + 1, mark, what, text))
    for k, (file, snippet, ewhat) in enumerate(eq):
        if file == path and k not in used:
            print("unmatched equivalent: %s | %s | %s" % (file, snippet, ewhat), file=sys.stderr)


if __name__ == "__main__":
    main()
