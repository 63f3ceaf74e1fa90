#!/usr/bin/env bash
# scripts/run.sh beside a Pelora the user already runs: it starts its own window on the sample,
# and the user's settings and window are left alone.
set -euo pipefail
source_dir=$1
pelora=$2
scratch=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$scratch"' EXIT
export XDG_CONFIG_HOME=$scratch/config XDG_RUNTIME_DIR=$scratch/run
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
printf '96/12/20 10:00:00  OUT00:01:40      100 0\r\n' > "$scratch/mine.log"
windows() { xwininfo -root -tree 2>/dev/null | grep -c '"Pelora": ("pelora" "Pelora")' || true; }

"$pelora" "$scratch/mine.log" &
for _ in $(seq 300); do [ "$(windows)" -ge 1 ] && break; sleep 0.1; done
for _ in $(seq 300); do grep -qs '^VamloLogPath=' "$XDG_CONFIG_HOME/Brisolt/Pelora.conf" && break; sleep 0.1; done
charge_file() { grep -E '^(VamloLogPath|File[0-9])=' "$XDG_CONFIG_HOME/Brisolt/Pelora.conf"; }
before=$(charge_file)

(cd "$source_dir" && bash scripts/run.sh >/dev/null 2>&1) &
for _ in $(seq 300); do [ "$(windows)" -ge 2 ] && break; sleep 0.1; done
[ "$(windows)" -ge 2 ] || { echo "run.sh did not open a window of its own"; exit 1; }
sleep 1
[ "$(charge_file)" = "$before" ] || { echo "the user's charge file changed: $(charge_file)"; exit 1; }
echo "run.sh kept to itself"
