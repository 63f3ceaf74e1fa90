#!/usr/bin/env bash
# scripts/run.sh, on this build, beside a Pelora the user already runs: it starts its own window on
# the sample with settings of its own, and the user's settings and window are left alone.
set -euo pipefail
source_dir=$1
build=$2
pelora=$3
source "$(dirname "$0")/xsession.sh"
start_x 640x480
printf '96/12/20 10:00:00  OUT00:01:40      100 0\r\n' > "$scratch/mine.log"
windows() { xwininfo -root -tree 2>/dev/null | grep -c '"Pelora": ("pelora" "Pelora")' || true; }
charge_file() { grep -E '^(VamloLogPath|File[0-9])=' "$conf"; }

"$pelora" "$scratch/mine.log" &
wait_for Pelora
for _ in $(seq 300); do grep -qs '^VamloLogPath=' "$conf" && break; sleep 0.1; done
before=$(charge_file)

# The sample's window keeps the sample in settings of its own.
(cd "$source_dir" && bash scripts/run.sh "$build" >/dev/null 2>&1) &
own=$build/run/config/Brisolt/Pelora.conf
own_sample() { grep -qs "^VamloLogPath=$build/sample/charge.log\$" "$own"; }
for _ in $(seq 300); do [ "$(windows)" -ge 2 ] && own_sample && break; sleep 0.1; done
[ "$(windows)" -ge 2 ] || { echo "run.sh did not open a window of its own"; exit 1; }
own_sample || { echo "run.sh's window did not keep its sample in $own"; exit 1; }
[ "$(charge_file)" = "$before" ] || { echo "the user's charge file changed: $(charge_file)"; exit 1; }
echo "run.sh kept to itself"
