#!/usr/bin/env bash
# Under a window manager (openbox), as users run it: at scale factor 2 a stored place comes back
# where it was stored; the detail dialog's outer size, frame included, is the fixed one; and on a
# log of 1 TiB (sparse, minutes to read) the window shows and answers keys while it loads, and a
# file handed over meanwhile is read at once; a burst of second starts is answered and brings a
# minimized window back.
set -euo pipefail
pelora=$1
source "$(dirname "$0")/xsession.sh"
start_x 1600x1200
printf '96/12/20 10:00:00  OUT00:01:40      100 0\r\n' > "$scratch/charge.log"
openbox >/dev/null 2>&1 &
managing() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
for _ in $(seq 300); do managing && break; sleep 0.1; done
managing || { echo "openbox did not come up"; exit 1; }
# Waits until the window manager has framed the window with this title.
framed() {
  for _ in $(seq 300); do xprop -id "$(window "$1")" _NET_FRAME_EXTENTS 2>/dev/null | grep -q = && return; sleep 0.1; done
  echo "$1 was never framed"; exit 1
}
outer() { # width x height with the window manager's frame
  local id=$1 geometry extents
  geometry=$(xwininfo -id "$id" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}')
  extents=$(xprop -id "$id" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
  read -r w h <<<"$geometry"; read -r l r t b <<<"$extents"
  echo "$((w + l + r))x$((h + t + b))"
}

printf '[Window]\nXpos=500\nYpos=300\n' > "$conf"
QT_SCALE_FACTOR=2 "$pelora" "$scratch/charge.log" &
pid=$!
wait_for Pelora
framed Pelora
# Ctrl+T comes after the window manager's placement: once the time unit is written, the program
# has handled that placement too.
xdotool windowactivate --sync "$(window Pelora)" 2>/dev/null || true
xdotool key ctrl+t
for _ in $(seq 300); do grep -q '^YenMode=1$' "$conf" && break; sleep 0.1; done
grep -q '^YenMode=1$' "$conf" || { echo "Ctrl+T was not handled"; exit 1; }
kill -TERM "$pid"; wait "$pid"
grep -q '^Xpos=500$' "$conf" && grep -q '^Ypos=300$' "$conf" \
  || { echo "place not kept at scale 2:"; grep pos "$conf"; exit 1; }

"$pelora" "$scratch/charge.log" &
pid=$!
wait_for Pelora
xdotool windowactivate --sync "$(window Pelora)" 2>/dev/null || true
xdotool key ctrl+s
wait_for 'アクセス履歴詳細'
framed 'アクセス履歴詳細'
# Its frame's size settles a moment after it is framed, later on a busy machine.
for _ in $(seq 300); do
  size=$(outer "$(window 'アクセス履歴詳細')")
  [ "$size" = 561x477 ] && break
  sleep 0.1
done
[ "$size" = 561x477 ] || { echo "day table's outer size $size, not 561x477"; exit 1; }
kill -TERM "$pid"; wait "$pid"

printf '96/12/20 10:00:00  OUT00:01:40      100 0\r\n' > "$scratch/huge.log"
truncate -s 1T "$scratch/huge.log"
"$pelora" "$scratch/huge.log" &
pid=$!
wait_for Pelora
for _ in $(seq 300); do [ "$(awk '/^rchar/ {print $2}' "/proc/$pid/io")" -gt $((64 << 20)) ] && break; sleep 0.1; done
xdotool windowactivate --sync "$(window Pelora)" 2>/dev/null || true
xdotool key ctrl+n
for _ in $(seq 300); do grep -q '^YenMode=2$' "$conf" && break; sleep 0.1; done
grep -q '^YenMode=2$' "$conf" || { echo "Ctrl+N was not handled while the log loads"; exit 1; }
"$pelora" "$scratch/charge.log" || { echo "the hand-over failed"; exit 1; }
for _ in $(seq 300); do grep -q "^VamloLogPath=$scratch/charge.log\$" "$conf" && break; sleep 0.1; done
grep -q "^VamloLogPath=$scratch/charge.log\$" "$conf" || { echo "the file handed over was not read"; exit 1; }
kill -TERM "$pid"; wait "$pid"
# A burst of second starts at a minimized window: each is answered, and the window comes back.
"$pelora" "$scratch/charge.log" &
pid=$!
wait_for Pelora
framed Pelora
xdotool windowminimize --sync "$(window Pelora)"
starts=()
for _ in $(seq 10); do timeout 60 "$pelora" & starts+=($!); done
for start in "${starts[@]}"; do wait "$start" || { echo "a second start in a burst was not answered"; exit 1; }; done
for _ in $(seq 300); do xwininfo -id "$(window Pelora)" | grep -q IsViewable && break; sleep 0.1; done
xwininfo -id "$(window Pelora)" | grep -q IsViewable || { echo "the window did not come back for a burst of starts"; exit 1; }
kill -TERM "$pid"; wait "$pid"
echo "place kept at scale 2; detail dialog 561x477 with its frame; keys and a hand-over during a huge load; a burst of starts answered"
