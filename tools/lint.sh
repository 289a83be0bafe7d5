#!/usr/bin/env bash
# tools/lint.sh — clang-tidy (checks in .clang-tidy) and cppcheck (suppressions
# in tools/cppcheck-suppressions.txt) over every source of the game, the
# platform layer and the tools. Prints each finding and exits non-zero if
# there is any, so that a new one stops ./check.sh.
# Uses its own build directory, build-lint/, configured only for its compile
# commands and the generated overlay font header that platform/gdi.cpp reads.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build-lint
jobs=$(nproc)
dirs=(app video text world view game sound editor resources platform tools)

mkdir -p "$build"
log=$build/lint-build.log
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVENNOR_TESTS=OFF \
      -DCMAKE_EXPORT_COMPILE_COMMANDS=ON "${launcher[@]}" >"$log" 2>&1 ||
  { cat "$log"; exit 1; }
cmake --build "$build" -j "$jobs" --target overlayfont >>"$log" 2>&1 ||
  { cat "$log"; exit 1; }

files=()
for d in "${dirs[@]}"; do
  while IFS= read -r f; do files+=("$f"); done < <(find "$d" -name '*.cpp' | sort)
done

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

# ---- clang-tidy: one process per file, each writing its own log ------------
# The compile commands are g++'s; clang does not know all of its warning flags.
echo "clang-tidy: ${#files[@]} files, $jobs at a time"
printf '%s\n' "${files[@]}" |
  xargs -P "$jobs" -I{} sh -c \
    'clang-tidy -p "$1" --quiet --extra-arg=-Wno-unknown-warning-option "$2" \
       >"$3/$(echo "$2" | tr / _).tidy" 2>&1 || echo "$2" >>"$3/failed"' \
    _ "$build" {} "$out"

# A finding in a header shows once for every file that includes it.
tidy_findings=$(cat "$out"/*.tidy | grep -E '^[^ ].*:[0-9]+:[0-9]+: (warning|error):' |
                sort -u || true)
tidy_count=0
[ -n "$tidy_findings" ] && tidy_count=$(printf '%s\n' "$tidy_findings" | wc -l)

# ---- cppcheck ---------------------------------------------------------------
cpp_failed=0
# One process: its checks across files (one definition rule) need them all,
# and the whole run takes seconds.
echo "cppcheck: ${#files[@]} files"
cppcheck --quiet --std=c++20 --language=c++ \
  --enable=warning,performance,portability --inline-suppr \
  --suppressions-list=tools/cppcheck-suppressions.txt \
  -I . -I "$build/generated" \
  --template='{file}:{line}:{column}: {severity}: {message} [{id}]' \
  "${files[@]}" 2>"$out/cppcheck" || cpp_failed=1
cpp_findings=$(sort -u "$out/cppcheck")
cpp_count=0
[ -n "$cpp_findings" ] && cpp_count=$(printf '%s\n' "$cpp_findings" | wc -l)

status=0
if [ "$tidy_count" -gt 0 ]; then
  echo "clang-tidy found $tidy_count:"
  # Each finding with its source line and notes, as clang-tidy printed it.
  cat "$out"/*.tidy | grep -v -E '^[0-9]+ warnings? (and [0-9]+ errors? )?generated\.$' |
    grep -v -E '^Suppressed [0-9]+ warnings|^Use -header-filter|^Error while processing' || true
  status=1
fi
if [ -s "$out/failed" ]; then
  echo "clang-tidy failed on:"; sort "$out/failed"
  status=1
fi
if [ "$cpp_failed" -ne 0 ]; then
  echo "cppcheck failed"
  status=1
fi
if [ "$cpp_count" -gt 0 ]; then
  echo "cppcheck found $cpp_count:"
  printf '%s\n' "$cpp_findings"
  status=1
fi
echo "lint: clang-tidy $tidy_count, cppcheck $cpp_count"
exit $status
