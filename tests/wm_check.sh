#!/usr/bin/env bash
# Under a window manager (openbox), as users run it: places are stored in device pixels, so at scale
# factor 2 a stored place comes back at the same pixels, a window never lands mostly off the screen
# and a move comes back at the same pixels unscaled; the detail dialog's outer size, frame
# included, is the fixed one; and on a log of 1 TiB (sparse, minutes to read) the window shows and
# answers keys while it loads, and a file handed over meanwhile is read at once; a burst of second
# starts is answered and brings a minimized window back.
set -euo pipefail
pelora=$1
source "$(dirname "$0")/xsession.sh"
start_x 1600x1200
printf '96/12/20 10:00:00  OUT00:01:40      100 0\r\n' > "$scratch/charge.log"
start_wm
# Waits until the window manager has framed the window with this title.
framed() {
  for _ in $(seq 300); do xprop -id "$(window "$1")" _NET_FRAME_EXTENTS 2>/dev/null | grep -q = && return; sleep 0.1; done
  echo "$1 was never framed"; exit 1
}
frame_box() { # left top right bottom of the window with this title, frame included, in device pixels
  local id x y w h l r t b
  id=$(window "$1")
  read -r x y w h <<<"$(xwininfo -id "$id" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}')"
  read -r l r t b <<<"$(xprop -id "$id" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')"
  echo "$((x - l)) $((y - t)) $((x + w + r)) $((y + h + b))"
}
# Whether the window's frame lies wholly on the screen with its top-left at $1 $2 (- for anywhere).
on_screen_at() {
  read -r l t r b <<<"$(frame_box Pelora)"
  { [ "$1" = - ] || [ "$l $t" = "$1 $2" ]; } && [ "$l" -ge 0 ] && [ "$t" -ge 0 ] && [ "$r" -le 1600 ] && [ "$b" -le 1200 ]
}
# Starts the window at scale factor $1; waits until on_screen_at $2 $3, then until key $4 has set
# unit $5: by then the program has handled the window manager's placement too.
placed() {
  QT_SCALE_FACTOR=$1 "$pelora" "$scratch/charge.log" &
  pid=$!
  wait_for Pelora
  framed Pelora
  for _ in $(seq 300); do on_screen_at "$2" "$3" && break; sleep 0.1; done
  on_screen_at "$2" "$3" || { echo "at scale $1 the frame spans $l $t $r $b, not from $2 $3 wholly on the screen"; exit 1; }
  xdotool windowactivate --sync "$(window Pelora)" 2>/dev/null || true
  xdotool key "$4"
  for _ in $(seq 300); do grep -q "^YenMode=$5\$" "$conf" && return; sleep 0.1; done
  echo "$4 was not handled"; exit 1
}
stored() { grep -q "^Xpos=$1\$" "$conf" && grep -q "^Ypos=$2\$" "$conf" || { echo "stored place not $1 $2:"; grep pos "$conf"; exit 1; }; }

# Stored by an unscaled run: at the same pixels at scale 2, and kept.
printf '[Window]\nXpos=700\nYpos=500\n' > "$conf"
placed 2 700 500 ctrl+t 1
kill -TERM "$pid"; wait "$pid"
stored 700 500
# The window at scale 2 would be mostly off the screen there: moved onto it, the stored place kept.
printf '[Window]\nXpos=1300\nYpos=900\n' > "$conf"
placed 2 - - ctrl+t 1
kill -TERM "$pid"; wait "$pid"
stored 1300 900
# Moved at scale 2: an unscaled run puts it at the same pixels.
placed 2 - - ctrl+n 2
xdotool windowmove "$(window Pelora)" 300 200
for _ in $(seq 300); do grep -q '^Xpos=1300$' "$conf" || break; sleep 0.1; done
read -r x y _ <<<"$(frame_box Pelora)"
kill -TERM "$pid"; wait "$pid"
placed 1 "$x" "$y" ctrl+t 1
kill -TERM "$pid"; wait "$pid"

"$pelora" "$scratch/charge.log" &
pid=$!
wait_for Pelora
xdotool windowactivate --sync "$(window Pelora)" 2>/dev/null || true
xdotool key ctrl+s
wait_for 'アクセス履歴詳細'
framed 'アクセス履歴詳細'
# Its frame's size settles a moment after it is framed, later on a busy machine.
for _ in $(seq 300); do
  read -r l t r b <<<"$(frame_box 'アクセス履歴詳細')"
  size=$((r - l))x$((b - t))
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
echo "places kept in device pixels at scale 2 and 1, on the screen; detail dialog 561x477 with its frame; keys and a hand-over during a huge load; a burst of starts answered"
