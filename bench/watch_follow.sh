#!/usr/bin/env bash
# How soon --watch reports an append to a log whose name is not UTF-8, and to one whose folder's
# parent was renamed and the path made anew, as the README reports it:
# `bash bench/watch_follow.sh build/app/pelora [ROUNDS]`. Milliseconds from the append written to its
# report read; the window follows its log with the same code.
set -euo pipefail
pelora=$(realpath "$1") rounds=${2:-20}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
day=(--json --today 1997-03-20)
entry() { printf '97/03/20 10:%02d:00  OUT00:01:40      %d 0\r\n' "$1" "$((100 + $1))"; }
# $1: the log, $2: what is done to it before each append (then left to settle), $3: the case.
measure() {
  local log=$1 times=() line expected start
  mkdir -p "$(dirname "$log")"
  entry 0 >"$log"
  coproc watch { exec "$pelora" --watch "${day[@]}" "$log"; }
  read -r line <&"${watch[0]}"
  for i in $(seq "$rounds"); do
    eval "$2"
    sleep 0.2
    { cat "$log"; entry "$i"; } >"$scratch/next"
    expected=$("$pelora" --report "${day[@]}" "$scratch/next")
    start=$(date +%s%N)
    entry "$i" >>"$log"
    while read -r -t 30 line <&"${watch[0]}" && [ "$line" != "$expected" ]; do :; done
    times+=($((($(date +%s%N) - start) / 1000000)))
  done
  kill "$watch_PID"
  wait "$watch_PID" || true
  printf '%s\n' "${times[@]}" | sort -n | awk -v what="$3" '{t[NR] = $1} END {print what ": median " t[int((NR + 1) / 2)] " ms, max " t[NR] " ms"}'
}
measure "$scratch/"$'\xff\xfe.log' : "a name that is not UTF-8"
measure "$scratch/s/a/b/log" 'mv "$scratch/s/a" "$scratch/s/a2-$i" && mkdir -p "$scratch/s/a/b" && entry 0 >"$log"' \
  "the folder's parent renamed and the path made anew"
