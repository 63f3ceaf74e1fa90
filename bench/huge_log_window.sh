#!/usr/bin/env bash
# How the window and --watch behave on a 100 GB (sparse) charge log, as the README reports it:
# run as `xvfb-run -a -s "-screen 0 1024x768x24" bash bench/huge_log_window.sh build/app/pelora`.
# Times are wall-clock milliseconds from the action to its effect (a window, a settings value).
set -euo pipefail
pelora=$(realpath "$1")
source "$(dirname "$0")/../tests/xsession.sh"
now() { date +%s%N; }
since() { echo $((($(now) - $1) / 1000000)); }
# Waits (5 ms steps, up to 15 s) until the settings file holds a line matching $1.
settled() { for _ in $(seq 3000); do grep -q "$1" "$conf" 2>/dev/null && return; sleep 0.005; done; echo "never: $1"; }
openbox >/dev/null 2>&1 &
for _ in $(seq 300); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break; sleep 0.1; done
huge=$scratch/huge.log small=$scratch/small.log
printf '96/12/20 10:00:00  OUT00:01:40      100 0\r\n' > "$huge"
truncate -s 100G "$huge"
printf '96/12/20 10:00:00  OUT00:01:40      700 0\r\n' > "$small"

start=$(now); "$pelora" "$huge" & pid=$!
for _ in $(seq 3000); do [ -n "$(window Pelora)" ] && break; sleep 0.005; done
echo "window visible: $(since "$start") ms"
sleep 0.5; xdotool windowactivate --sync "$(window Pelora)" 2>/dev/null || true; sleep 0.3
for key in t:'^YenMode=1$' m:'^DayMode=0$'; do
  start=$(now); xdotool key "ctrl+${key%%:*}"; settled "${key#*:}"
  echo "Ctrl+${key%%:*} while it loads: $(since "$start") ms"
done
start=$(now); "$pelora" "$huge"; echo "second start handing it over: $(since "$start") ms"
start=$(now); xdotool key ctrl+c; settled '^YenMode=0$'; echo "Ctrl+c after the hand-over: $(since "$start") ms"
start=$(now); "$pelora" "$small"; settled "^VamloLogPath=$small\$"; echo "small log handed over, read and kept: $(since "$start") ms"
kill -TERM "$pid"; wait "$pid"

for signal in TERM INT HUP; do
  "$pelora" --watch "$huge" >/dev/null & watch=$!
  for _ in $(seq 300); do [ "$(awk '/^rchar/ {print $2}' "/proc/$watch/io")" -gt $((64 << 20)) ] && break; sleep 0.01; done
  start=$(now); kill -"$signal" "$watch"; set +e; wait "$watch"; status=$?; set -e
  echo "--watch ended by SIG$signal during its first load: status $status after $(since "$start") ms"
done
