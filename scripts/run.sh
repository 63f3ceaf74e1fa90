#!/usr/bin/env bash
# Builds Pelora and starts it on a sample charge log made for today's date, with settings of its
# own under the build folder's run/, so it neither touches the user's settings nor hands the sample
# to a Pelora that is already running. Without a display it prints the report of the same log
# instead. Usage: scripts/run.sh [BUILD-FOLDER]: the default preset's build/ unless a folder
# already configured is given, which is then built and run as it is.
set -euo pipefail
build=${1:+$(cd "$1" && pwd)}
cd "$(dirname "$0")/.."

if [ -z "$build" ]; then
  bash scripts/install-deps.sh
  cmake --preset default >/dev/null
  build=$PWD/build
fi
cmake --build "$build" --target pelora gen_charge_log

sample=$build/sample/charge.log
mkdir -p "$build/sample"
"$build/gen_charge_log" --today "$(date +%F)" --days 400 --lines 4000 "$sample"

export XDG_CONFIG_HOME=$build/run/config
mkdir -p "$XDG_CONFIG_HOME"
# A sanitized build leaves aside the system libraries' leaks that tests/lsan.supp names.
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/lsan.supp}

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "No display here (DISPLAY is not set), so this is the report of $sample instead of the window:"
  exec "$build/app/pelora" --report "$sample"
fi
exec "$build/app/pelora" "$sample"
