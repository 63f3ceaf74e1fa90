#!/usr/bin/env bash
# The settings file's place taken while the window runs: by a FIFO, or by a link to a device node
# or a FIFO (made in this check's scratch folder). The next change (Ctrl+M) neither blocks on it
# nor replaces it, the failure is told once, a second start is still answered, and SIGTERM ends
# the window in order.
set -euo pipefail
pelora=$1
source "$(dirname "$0")/xsession.sh"
start_x 640x480
openbox >/dev/null 2>&1 &
for _ in $(seq 300); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break; sleep 0.1; done
printf '96/12/20 10:00:00  OUT00:01:40      100 0\r\n' > "$scratch/charge.log"
node=$scratch/node
for taker in fifo device-link fifo-link; do
  rm -f "$conf" "$node"
  printf '[Window]\nDayMode=1\n' > "$conf"
  "$pelora" "$scratch/charge.log" &
  pid=$!
  wait_for Pelora
  for _ in $(seq 300); do grep -qs '^VamloLogPath=' "$conf" && break; sleep 0.1; done
  rm "$conf"
  case $taker in
    fifo) mkfifo "$conf"; kind=fifo ;;
    device-link) mknod "$node" c 1 3 || { echo "cannot make a device node here"; exit 1; }; ln -s "$node" "$conf"; kind="character special file" ;;
    fifo-link) mkfifo "$node"; ln -s "$node" "$conf"; kind=fifo ;;
  esac
  xdotool windowactivate --sync "$(window Pelora)" 2>/dev/null || true
  xdotool key ctrl+m
  # The write that could not be made is told in a box of its own.
  for _ in $(seq 300); do [ "$(xwininfo -root -tree | grep -c '"Pelora": ("pelora" "Pelora")')" -ge 2 ] && break; sleep 0.1; done
  timeout 20 "$pelora" "$scratch/charge.log" || { echo "$taker: a second start was not answered"; exit 1; }
  [ "$(stat -L -c %F "$conf")" = "$kind" ] || { echo "$taker: the settings' place became $(stat -L -c %F "$conf")"; exit 1; }
  leftovers=$(find "$XDG_CONFIG_HOME/Brisolt" -name 'Pelora.conf.*' | wc -l)
  [ "$leftovers" = 0 ] || { echo "$taker: files left beside the settings"; exit 1; }
  kill -TERM "$pid"
  for _ in $(seq 200); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && { echo "$taker: SIGTERM did not end the window"; exit 1; }
  wait "$pid" || { echo "$taker: the window ended with $?"; exit 1; }
done
echo "a FIFO, a link to a device node and a link to a FIFO in the settings' place: left as they were"
