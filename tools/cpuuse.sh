#!/bin/bash
# How much of one core the game takes in a real window: the main menu with
# the mouse still, and a mission on the demo map at its normal pace, at
# --scale 1 and 2. Runs on a private Xvfb display and drives the window with
# xdotool; the CPU time is the process's utime + stime from /proc.
#
#   tools/cpuuse.sh [BINARY [DATADIR]]      (default build/vennor build/data)
#   SECONDS_PER_SAMPLE=10 SCALES="1 2" tools/cpuuse.sh
#
# The game runs on a scratch copy of DATADIR with a throw-away HOME and XDG
# folders, so it writes nothing of the player's. Exits non-zero when a run
# could not be measured (the game did not start, or died before the end).
set -u

here=$(cd "$(dirname "$0")/.." && pwd)
binary=$(realpath "${1:-$here/build/vennor}")
datadir=$(realpath "${2:-$here/build/data}")
period=${SECONDS_PER_SAMPLE:-10}
scales=${SCALES:-1 2}

for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "cpuuse: $tool is missing (apt-get install xvfb xdotool)" >&2; exit 2; }
done
[ -x "$binary" ] || { echo "cpuuse: no game at $binary" >&2; exit 2; }
[ -d "$datadir" ] || { echo "cpuuse: no data tree at $datadir" >&2; exit 2; }

scratch=$(mktemp -d /tmp/cpuuse.XXXXXX)
xpid='' gpid=''

stopgame() {
  if [ -n "$gpid" ] && kill -0 "$gpid" 2>/dev/null; then
    kill "$gpid" 2>/dev/null
    for _ in $(seq 50); do kill -0 "$gpid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$gpid" 2>/dev/null
  fi
  [ -n "$gpid" ] && wait "$gpid" 2>/dev/null
  gpid=''
}

cleanup() {
  stopgame
  if [ -n "$xpid" ]; then kill "$xpid" 2>/dev/null; wait "$xpid" 2>/dev/null; fi
  rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# A display number the server picks itself, so that parallel runs never meet.
Xvfb -displayfd 9 -screen 0 1600x1200x24 -nolisten tcp 9>"$scratch/display" 2>"$scratch/xvfb.log" &
xpid=$!
for _ in $(seq 100); do grep -q . "$scratch/display" 2>/dev/null && break; sleep 0.1; done
number=$(head -n1 "$scratch/display" 2>/dev/null)
[ -n "$number" ] || { echo "cpuuse: Xvfb did not start" >&2; cat "$scratch/xvfb.log" >&2; exit 1; }
export DISPLAY=":$number"

hz=$(getconf CLK_TCK)

# utime + stime of every thread of the process, in clock ticks.
cputicks() { awk '{ sub(/^.*\) /, ""); print $12 + $13 }' "/proc/$1/stat" 2>/dev/null; }

# Percent of one core over the sampling period; empty when the game died.
sample() {
  local t0 t1 w0 w1
  t0=$(cputicks "$gpid") || return 1
  w0=$(cut -d' ' -f1 /proc/uptime)
  sleep "$period"
  t1=$(cputicks "$gpid") || return 1
  w1=$(cut -d' ' -f1 /proc/uptime)
  [ -n "$t0" ] && [ -n "$t1" ] || return 1
  awk -v a="$t0" -v b="$t1" -v s="$w0" -v e="$w1" -v hz="$hz" 'BEGIN { printf "%.1f", (b - a) / hz / (e - s) * 100 }'
}

# Picture coordinates to the window's, at the window's scale.
at() { xdotool mousemove --window "$wid" $(($1 * scale)) $(($2 * scale)); }

status=0
for scale in $scales; do
  run="$scratch/run$scale"
  mkdir -p "$run/home" "$run/config" "$run/share" "$run/cache"
  cp -a "$datadir" "$run/data"
  HOME="$run/home" XDG_CONFIG_HOME="$run/config" XDG_DATA_HOME="$run/share" XDG_CACHE_HOME="$run/cache" \
    "$binary" --data "$run/data" --window --scale "$scale" --mute >"$run/out.log" 2>&1 &
  gpid=$!
  wid=$(timeout 30 xdotool search --sync --onlyvisible --name Vennor 2>/dev/null | head -n1)
  if [ -z "$wid" ] || ! kill -0 "$gpid" 2>/dev/null; then
    echo "cpuuse: the game did not start at --scale $scale" >&2
    cat "$run/out.log" >&2
    status=1
    stopgame
    continue
  fi
  xdotool windowfocus "$wid" 2>/dev/null
  # The menu's buttons pulse only under the mouse; it rests on the title.
  at 100 100
  sleep 3
  menu=$(sample) || menu=''
  # "Run Demo", then time for the mission to load and settle.
  at 320 250
  xdotool click --window "$wid" 1
  sleep 4
  at 330 200
  mission=$(sample) || mission=''
  stopgame
  if [ -z "$menu" ] || [ -z "$mission" ]; then
    echo "cpuuse: the game ended before it was measured at --scale $scale" >&2
    cat "$run/out.log" >&2
    status=1
    continue
  fi
  printf 'scale %s: main menu, mouse still %5s %% of one core; mission on the demo map %5s %%  (%s s each)\n' \
    "$scale" "$menu" "$mission" "$period"
done
exit $status
