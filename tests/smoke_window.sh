#!/usr/bin/env bash
# Starts the program in a real X window on a sample log, waits for its window, checks its settings.
set -euo pipefail
pelora=$1
generator=$2
source "$(dirname "$0")/xsession.sh"
start_x 640x480
"$generator" --today "$(date +%F)" "$scratch/charge.log"
"$pelora" "$scratch/charge.log" &
pid=$!
wait_for Pelora
kill -0 "$pid" || { echo "pelora has ended"; exit 1; }
for _ in $(seq 300); do grep -qs '^Xpos=' "$conf" && break; sleep 0.1; done
grep -q '^Xpos=' "$conf" || { echo "no settings written"; exit 1; }
echo "window and settings seen"
