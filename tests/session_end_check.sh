#!/usr/bin/env bash
# The end of an X session: the X server goes away under a running window. What the user changed
# is in the settings file while the window runs, and stays there when the window goes.
set -euo pipefail
pelora=$1
source "$(dirname "$0")/xsession.sh"
printf '96/12/20 10:00:00  OUT00:01:40      100 0\r\n' > "$scratch/a.log"
printf '96/12/20 10:00:00  OUT00:01:40      200 0\r\n' > "$scratch/b.log"

start_x 640x480

"$pelora" "$scratch/a.log" &
pid=$!
wait_for Pelora
"$pelora" "$scratch/b.log" # handed to the running window, which opens it
kept() { grep -q "^VamloLogPath=$scratch/b.log\$" "$conf" && grep -q "^File1=$scratch/b.log\$" "$conf"; }
for _ in $(seq 300); do kept && break; sleep 0.1; done
kept || { echo "the file opened is not in the settings while the window runs:"; cat "$conf"; exit 1; }
kill "$xserver"
wait "$pid" || true
kept || { echo "the settings lost the file opened when the X server went away:"; cat "$conf"; exit 1; }
echo "settings kept when the X server went away"
