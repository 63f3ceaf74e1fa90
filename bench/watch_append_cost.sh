#!/usr/bin/env bash
# What appends cost --watch --json on a generated 5 million-line log, as the README reports it:
# `bash bench/watch_append_cost.sh build/app/pelora [APPENDS] [RUNS]` (needs perf). CPU time of the
# whole process, every thread, from just before the first append to the last one's report (each
# append is its own change: the next is written once the report of the one before is read, past the
# 50 ms that make a burst one change), against one full load: `--report --json` on the same log,
# start-up included, which is what the watch's first load costs. Prints both and their ratio for
# each run. The log lies in a folder of its own under TMPDIR: only entries made or removed there
# would wake the watch besides the appends.
set -euo pipefail
pelora=$(realpath "$1") appends=${2:-20} runs=${3:-5}
generate=$(dirname "$pelora")/../gen_charge_log
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
day=2026-12-08 log=$scratch/charge.log
"$generate" --today "$day" --days 400 --lines 5000000 "$log"
entry() { printf '26/12/08 23:%02d:00  OUT00:01:40      %d 0\r\n' "$(($1 % 60))" "$((100 + $1))"; }
# Milliseconds of CPU perf counted in its output file $1.
counted() { awk -F, '$3 == "task-clock" {printf "%.1f", $1}' "$1"; }

for _ in $(seq "$runs"); do
  perf stat -x, -e task-clock -r 3 -o "$scratch/load" "$pelora" --report --json --today "$day" "$log" >/dev/null
  coproc watch { exec "$pelora" --watch --json --today "$day" "$log"; }
  read -r _ <&"${watch[0]}"
  perf stat -x, -e task-clock -p "$watch_PID" -o "$scratch/appends" &
  counter=$!
  sleep 0.2
  for i in $(seq "$appends"); do
    entry "$i" >>"$log"
    read -r -t 30 _ <&"${watch[0]}"
  done
  kill -INT "$counter"
  wait "$counter" || true
  kill "$watch_PID"
  wait "$watch_PID" || true
  load=$(counted "$scratch/load") cost=$(counted "$scratch/appends")
  awk -v n="$appends" -v a="$cost" -v l="$load" \
    'BEGIN {printf "%d appends: %.1f ms CPU; one full load: %.1f ms CPU; ratio %.3f\n", n, a, l, a / l}'
done
