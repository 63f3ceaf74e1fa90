#!/usr/bin/env bash
# The window on a settings file of a million keys (49 MB, all kept), as the README reports it:
# `bash bench/large_settings.sh build/app/pelora`. Times are wall-clock milliseconds from the
# action to its effect; the second start's time is how soon the busy window answers.
set -euo pipefail
pelora=$(realpath "$1")
source "$(dirname "$0")/../tests/xsession.sh"
start_x 1024x768
openbox >/dev/null 2>&1 &
for _ in $(seq 300); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break; sleep 0.1; done
now() { date +%s%N; }
since() { echo $((($(now) - $1) / 1000000)); }
# Waits (5 ms steps, up to 15 s or more) until the settings file holds a line matching $1.
settled() { for _ in $(seq 3000); do grep -q "$1" "$conf" 2>/dev/null && return; sleep 0.005; done; echo "never: $1"; }
memory() { awk '/^VmHWM/ {hwm=$2} /^VmRSS/ {rss=$2} END {printf "peak %d MB, now %d MB", hwm/1024, rss/1024}' "/proc/$1/status"; }
log=$scratch/charge.log other=$scratch/other.log
printf '96/12/20 10:00:00  OUT00:01:40      100 0\r\n' > "$log"
printf '96/12/20 10:00:00  OUT00:01:40      700 0\r\n' > "$other"
{ printf '[Window]\nDayMode=1\n[Junk]\n'; seq -f 'key%07.0f=some value that is kept as it is' 0 999999; } > "$conf"
echo "settings file: $(du -m "$conf" | cut -f1) MB"

start=$(now); "$pelora" "$log" & pid=$!
wait_for Pelora
echo "window visible: $(since "$start") ms"
settled "^VamloLogPath=$log\$"; sleep 1
xdotool windowactivate --sync "$(window Pelora)" 2>/dev/null || true
for round in 1 2; do
  start=$(now); xdotool key ctrl+m; sleep 0.05
  answered=$(now); "$pelora" "$other"; answer=$(since "$answered")
  settled '^DayMode=0$'
  echo "Ctrl+M ($round): second start answered in $answer ms meanwhile; the file written after $(since "$start") ms"
  xdotool key ctrl+d; settled '^DayMode=1$'
done
echo "memory: $(memory "$pid")"
start=$(now); kill -TERM "$pid"; wait "$pid"; echo "exit after SIGTERM: $(since "$start") ms"
grep -q '^key0999999=some value' "$conf" && echo "all keys kept"
