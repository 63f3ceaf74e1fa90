#!/usr/bin/env bash
# The end of an X session: the X server goes away under a running window. Everything the user
# changed more than a second before must already be in the settings file.
set -euo pipefail
pelora=$1
scratch=$(mktemp -d)
trap 'kill "$xvfb" "$pid" 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$scratch"' EXIT
export XDG_CONFIG_HOME=$scratch/config XDG_RUNTIME_DIR=$scratch/run
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
printf '96/12/20 10:00:00  OUT00:01:40      100 0\r\n' > "$scratch/a.log"
printf '96/12/20 10:00:00  OUT00:01:40      200 0\r\n' > "$scratch/b.log"

Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp 3>"$scratch/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$scratch/display")
unset QT_QPA_PLATFORM

"$pelora" "$scratch/a.log" &
pid=$!
for _ in $(seq 300); do xwininfo -root -tree 2>/dev/null | grep -q '"Pelora": ("pelora"' && break; sleep 0.1; done
"$pelora" "$scratch/b.log" # handed to the running window, which opens it
sleep 1.5
kill "$xvfb"
wait "$pid" || true
conf=$XDG_CONFIG_HOME/Brisolt/Pelora.conf
grep -q "^VamloLogPath=$scratch/b.log\$" "$conf" || { echo "charge file not kept:"; cat "$conf"; exit 1; }
grep -q "^File1=$scratch/b.log\$" "$conf" || { echo "recent files not kept:"; cat "$conf"; exit 1; }
echo "settings kept when the X server went away"
