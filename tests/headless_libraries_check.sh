#!/usr/bin/env bash
# What each command without a window loads, as the dynamic linker lists it: the report, the CSV,
# the help and the watch QtCore alone; the picture QtGui besides, never the widget library.
set -euo pipefail
pelora=$1
scratch=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$scratch"' EXIT
sample=$scratch/charge.log
"$2" --today 1996-12-20 --days 60 --lines 300 "$sample"
unset DISPLAY WAYLAND_DISPLAY

# The libraries the command loaded, one a line (its output goes to the given file).
loaded() {
  local out=$1; shift
  LD_DEBUG=files LD_DEBUG_OUTPUT=$scratch/libs "$pelora" "$@" > "$out"
  sed -n 's/.*file=\([^ ]*\).*\[0\];  needed by.*/\1/p; s/.*file=\([^ ]*\).*dynamically loaded by.*/\1/p' "$scratch"/libs.* | sort -u
  rm -f "$scratch"/libs.*
}
refuse() { # LIST PATTERN WHAT
  if grep -E "$2" <<<"$1"; then echo "$3 loads the libraries above"; exit 1; fi
  return 0
}
for command in "--report" "--report --csv" "--report --json" "--help"; do
  # shellcheck disable=SC2086
  libs=$(loaded "$scratch/out" $command --today 1996-12-20 "$sample")
  grep -q libQt6Core <<<"$libs" || { echo "pelora $command: no libraries listed"; exit 1; }
  refuse "$libs" 'libQt6(Gui|Widgets|Network|DBus)|libX11|libxcb|libGL|libfontconfig' "pelora $command"
done
libs=$(loaded "$scratch/picture.png" --render - --today 1996-12-20 "$sample")
grep -q libQt6Gui <<<"$libs" || { echo "pelora --render: QtGui not listed"; exit 1; }
refuse "$libs" 'libQt6Widgets|libQt6Network' "pelora --render"
head -c 8 "$scratch/picture.png" | grep -q PNG || { echo "pelora --render drew nothing"; exit 1; }

# The watch runs until it is ended: its libraries are all loaded once its first report is out.
LD_DEBUG=files LD_DEBUG_OUTPUT=$scratch/libs "$pelora" --watch --today 1996-12-20 "$sample" > "$scratch/watch" &
pid=$!
for _ in $(seq 300); do [ -s "$scratch/watch" ] && break; sleep 0.1; done
[ -s "$scratch/watch" ] || { echo "pelora --watch printed nothing in 30 s"; exit 1; }
kill -TERM "$pid"; wait "$pid" || true
libs=$(sed -n 's/.*file=\([^ ]*\).*\[0\];  needed by.*/\1/p' "$scratch"/libs.* | sort -u)
grep -q libQt6Core <<<"$libs" || { echo "pelora --watch: no libraries listed"; exit 1; }
refuse "$libs" 'libQt6(Gui|Widgets|Network|DBus)|libX11|libxcb|libGL|libfontconfig' "pelora --watch"
echo "commands without a window checked"
