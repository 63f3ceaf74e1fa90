# Sourced by the real-window checks: a scratch folder with settings and runtime folders of its
# own (removed at exit, with every program started here ended first), and waiting for windows.
scratch=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$scratch"' EXIT
export XDG_CONFIG_HOME=$scratch/config XDG_RUNTIME_DIR=$scratch/run
# No session bus, on every machine alike: whether the desktop has one, or would start one, must not
# change what the program does here.
export DBUS_SESSION_BUS_ADDRESS=unix:path=$scratch/no-session-bus
mkdir -m 700 -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME/Brisolt"
conf=$XDG_CONFIG_HOME/Brisolt/Pelora.conf

# The id of the program's window with this title (empty while there is none).
window() { xwininfo -root -tree 2>/dev/null | grep "\"$1\": (\"pelora\" \"Pelora\")" | awk '{print $1}' | head -1; }
# Waits up to 30 s for it.
wait_for() {
  for _ in $(seq 300); do [ -n "$(window "$1")" ] && return; sleep 0.1; done
  echo "no window $1"; exit 1
}

# Waits up to 30 s until the X server answers: on a busy machine it may still be starting.
display_ready() {
  for _ in $(seq 300); do xdpyinfo >/dev/null 2>&1 && return; sleep 0.1; done
  echo "no X server at $DISPLAY"; exit 1
}
# An X server of this check's own (SIZE as 640x480), on a display number the server itself finds
# free and takes at once: two servers started close together, or one still ending, never share one.
# It never resets when its last client leaves (as xdpyinfo does just below): a program connecting
# during such a reset is refused.
start_x() {
  Xvfb -displayfd 3 -screen 0 "${1}x24" -nolisten tcp -noreset 3>"$scratch/display" 2>/dev/null &
  xserver=$!
  for _ in $(seq 300); do [ -s "$scratch/display" ] && break; sleep 0.1; done
  export DISPLAY=:$(cat "$scratch/display")
  unset QT_QPA_PLATFORM
  display_ready
}
# Starts openbox on that server and waits up to 30 s until it manages the screen.
start_wm() {
  openbox >"$scratch/openbox.log" 2>&1 &
  for _ in $(seq 300); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return; sleep 0.1; done
  echo "openbox did not come up:"; cat "$scratch/openbox.log"; exit 1
}
