#!/usr/bin/env python3
"""How much of a parser the replay of its fuzz corpus ran.

    parsercoverage.py MINIMUM TARGET OBJDIR[,OBJDIR...] PART...

A parser is a set of functions, each PART one source file and which of its
functions are the parser's:
    file.cpp            every function of the file
    file.cpp:a,b        only functions a and b
    file.cpp:-a,b       every function but a and b
    file.h:a            functions of a header, as compiled into the parts'
                        .cpp files (templates and inline functions)
A function is named as written, without its class, arguments or template
arguments; every instance of a template counts. The lines are gcov's own
(gcov --json-format), so the figure is the lines of those functions that the
replay ran. Prints one line per part and the parser's total, and exits 1 when
the total is below MINIMUM per cent. With PARSERCOVERAGE_MISSED set, each part
also lists the lines its replay did not run.
"""
import json
import os
import re
import subprocess
import sys


def basename(demangled):
    # "void std::foo<int>(x)" -> "foo"; "ns::f(...)" -> "f"; lambdas keep
    # the name of the function or table they are in.
    name = re.sub(r"\[abi:[^]]*\]", "", demangled).split("(")[0]
    name = re.sub(r"<[^<>]*>", "", re.sub(r"<[^<>]*>", "", name))
    name = name.split(" ")[-1]
    parts = [p for p in name.split("::") if p and not p.startswith("{lambda")]
    return parts[-1] if parts else name


def gcovfiles(source, objdirs, root):
    """gcov's JSON 'files' for the object of source, from the first object
    folder that has it."""
    rel = os.path.relpath(os.path.join(root, source), root)
    for d in objdirs:
        for top, _, names in os.walk(d):
            if os.path.basename(source) + ".gcno" not in names:
                continue
            # CMake keeps the source's folders under the object folder.
            if not top.replace("/__/", "/").rstrip("/").endswith(os.path.dirname(rel)):
                continue
            note = os.path.abspath(os.path.join(top, os.path.basename(source) + ".gcno"))
            out = subprocess.run(["gcov", "--json-format", "--stdout", "-o", note, os.path.join(root, source)],
                                 capture_output=True, text=True, cwd="/tmp")
            if out.returncode != 0 or not out.stdout.strip():
                continue
            files = []
            for chunk in out.stdout.splitlines():
                if chunk.strip():
                    files += json.loads(chunk)["files"]
            return files
    return None


def main():
    minimum = float(sys.argv[1])
    target = sys.argv[2]
    objdirs = sys.argv[3].split(",")
    parts = sys.argv[4:]
    root = os.getcwd()
    compiled = {}  # source -> gcov files of its object
    for p in parts:
        source = p.split(":")[0]
        if source.endswith(".cpp"):
            compiled[source] = gcovfiles(source, objdirs, root)
    total_run = total_lines = 0
    for p in parts:
        source, _, which = p.partition(":")
        keep = drop = None
        if which.startswith("-"):
            drop = set(which[1:].split(","))
        elif which:
            keep = set(which.split(","))
        pool = [compiled.get(source)] if source.endswith(".cpp") else list(compiled.values())
        ranges, counts = [], {}
        for files in pool:
            for f in files or []:
                if os.path.relpath(f["file"], root) != source:
                    continue
                for fn in f["functions"]:
                    name = basename(fn["demangled_name"])
                    if (keep is not None and name not in keep) or (drop is not None and name in drop):
                        continue
                    ranges.append((fn["start_line"], fn["end_line"]))
                for line in f["lines"]:
                    n = line["line_number"]
                    counts[n] = max(counts.get(n, 0), line["count"])
        if not ranges:
            print(f"{target:<12}{p[:46]:<48}{'not compiled in':>16}")
            total_lines += 1
            continue
        lines = {n for n in counts if any(a <= n <= b for a, b in ranges)}
        run = sum(1 for n in lines if counts[n] > 0)
        total_run += run
        total_lines += len(lines)
        share = 100.0 * run / len(lines) if lines else 100.0
        print(f"{target:<12}{p[:46]:<48}{run:>6} / {len(lines):<5}{share:6.1f} %")
        if os.environ.get("PARSERCOVERAGE_MISSED"):
            missed = sorted(n for n in lines if counts[n] == 0)
            if missed:
                print(f"{'':<12}  lines not run: {' '.join(map(str, missed))}")
    share = 100.0 * total_run / total_lines if total_lines else 0.0
    print(f"{target:<12}{'the parser':<48}{total_run:>6} / {total_lines:<5}{share:6.1f} %")
    return 0 if share >= minimum else 1


if __name__ == "__main__":
    sys.exit(main())
