#!/usr/bin/env bash
# How fast pelora starts against the floors of Qt programs, interleaved in one run: `--report` and
# `--report --csv` on a household log of 10,000 lines against a program that only makes a
# QCoreApplication and prints a line, and (under an X server of its own) the window against an
# empty QMainWindow, each time from start to a mapped window. Prints medians and ratios.
# Usage: bash bench/headless_start.sh BUILD BENCH-BUILD [ROUNDS], e.g. build build-bench 200.
set -euo pipefail
build=$(realpath "$1") bench=$(realpath "$2") rounds=${3:-200}
source "$(dirname "$0")/../tests/xsession.sh"
log=$scratch/household.log
"$build/gen_charge_log" --today "$(date +%F)" --days 400 --lines 10000 "$log"
/usr/bin/python3 - "$build/app/pelora" "$bench/bench/qtcore_floor" "$log" "$rounds" <<'PY'
import statistics, subprocess, sys, time
pelora, floor, log, rounds = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
commands = {"floor": [floor], "--report": [pelora, "--report", log], "--report --csv": [pelora, "--report", "--csv", log]}
times = {name: [] for name in commands}
for _ in range(rounds):
    for name, command in commands.items():
        start = time.perf_counter()
        subprocess.run(command, stdout=subprocess.DEVNULL, check=True)
        times[name].append((time.perf_counter() - start) * 1000)
base = statistics.median(times["floor"])
for name, values in times.items():
    print(f"{name:16} median {statistics.median(values):6.2f} ms  ratio {statistics.median(values) / base:4.2f}")
PY

# The window: from start until the X server maps a window of that title.
start_x 1024x768
mapped() { # COMMAND...: milliseconds until its window shows, then it is ended
  local start pid
  start=$(date +%s%N)
  "$@" >/dev/null 2>&1 & pid=$!
  until xwininfo -root -tree 2>/dev/null | grep -q '"Pelora"'; do :; done
  echo $((($(date +%s%N) - start) / 1000000))
  kill -TERM "$pid"; wait "$pid" 2>/dev/null || true
  while xwininfo -root -tree 2>/dev/null | grep -q '"Pelora"'; do :; done
}
bare=() window=()
for _ in $(seq 20); do
  bare+=("$(mapped "$bench/bench/bare_window")")
  window+=("$(mapped "$build/app/pelora" "$log")")
done
median() { printf '%s\n' "$@" | sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
b=$(median "${bare[@]}") w=$(median "${window[@]}")
echo "bare QMainWindow shown: median $b ms; Pelora's window: median $w ms (ratio $(awk "BEGIN {printf \"%.2f\", $w / $b}"))"
