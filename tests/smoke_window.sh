#!/usr/bin/env bash
# Starts the program in a real X window on a sample log, waits for its window, checks its settings.
set -euo pipefail
pelora=$1
generator=$2
scratch=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; rm -rf "$scratch"' EXIT
export XDG_CONFIG_HOME=$scratch/config XDG_RUNTIME_DIR=$scratch/run
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
"$generator" --today "$(date +%F)" "$scratch/charge.log"
"$pelora" "$scratch/charge.log" &
pid=$!
for _ in $(seq 300); do
  if xwininfo -root -tree | grep -q '"Pelora": ("pelora" "Pelora")'; then break; fi
  sleep 0.1
done
xwininfo -root -tree | grep '"Pelora": ("pelora" "Pelora")' || { echo "no Pelora window"; exit 1; }
kill -0 "$pid" || { echo "pelora has ended"; exit 1; }
for _ in $(seq 300); do grep -qs '^Xpos=' "$XDG_CONFIG_HOME/Brisolt/Pelora.conf" && break; sleep 0.1; done
grep -q '^Xpos=' "$XDG_CONFIG_HOME/Brisolt/Pelora.conf" || { echo "no settings written"; exit 1; }
echo "window and settings seen"
