#!/usr/bin/env bash
# The whole --report against the honest yardstick, `wc -l` on the same file: both commands run in
# turn in one loop (so whatever else the machine does falls on both), then the medians and their
# ratio. Run from the source folder after `cmake --build --preset default`:
#   bash bench/report_vs_wc.sh [LOG] [ROUNDS]
# Without LOG a 5 million-line log (260 MB) is generated once into the temporary folder.
set -euo pipefail
pelora=${PELORA:-build/app/pelora}
log=${1:-}
rounds=${2:-25}
if [ -z "$log" ]; then
    log=${TMPDIR:-/tmp}/pelora-report-vs-wc-5000000.log
    [ -s "$log" ] || build/gen_charge_log --lines 5000000 "$log"
fi
# Two rounds unmeasured: the file in the page cache, the program's libraries too.
for _ in 1 2; do "$pelora" --report --json "$log" >/dev/null; wc -l "$log" >/dev/null; done
load=$(cut -d' ' -f1 /proc/loadavg)
report=() count=()
# Microseconds from the shell itself: a `date` process per reading would add its own start to both.
for _ in $(seq "$rounds"); do
    t0=${EPOCHREALTIME/./}; "$pelora" --report --json "$log" >/dev/null
    t1=${EPOCHREALTIME/./}; wc -l "$log" >/dev/null
    t2=${EPOCHREALTIME/./}
    report+=($((t1 - t0))) count+=($((t2 - t1)))
done
# Milliseconds: the median and the range of each command's times, then the ratio of the medians.
summary() { printf '%s\n' "$@" | sort -n | awk '{v[NR] = $1 / 1000} END {m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2; printf "median %.1f ms (%.1f to %.1f)", m, v[1], v[NR]}'; }
medianOf() { printf '%s\n' "$@" | sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
echo "log: $log ($(wc -c <"$log") bytes), $rounds rounds, load average $load before, $(cut -d' ' -f1 /proc/loadavg) after"
echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
echo "pelora --report --json: $(summary "${report[@]}")"
echo "wc -l:                  $(summary "${count[@]}")"
awk -v r="$(medianOf "${report[@]}")" -v c="$(medianOf "${count[@]}")" 'BEGIN {printf "ratio: %.2f times wc -l\n", r / c}'
