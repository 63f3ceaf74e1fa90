#!/usr/bin/env bash
# A screen reader's view of the keyboard walk, on a real AT-SPI bus: the window takes the focus
# and the graph speaks today's slot, the arrow keys move through the slots with their unit, the
# detail dialog is a dialog whose rows Tab and the arrow keys reach, and the closing-day box
# reads by name. Each step waits (up to 30 s) for the focus to be told.
set -euo pipefail
pelora=$1
source "$(dirname "$0")/xsession.sh"
start_x 800x600
today=$(date +%y/%m/%d)
yesterday=$(date -d yesterday +%y/%m/%d)
printf '%s 10:00:00  OUT00:01:40    1,230 0\r\n' "$today" > "$scratch/charge.log"

dbus-daemon --session --nofork --print-address=3 3>"$scratch/bus" >/dev/null 2>&1 &
for _ in $(seq 300); do [ -s "$scratch/bus" ] && break; sleep 0.1; done
export DBUS_SESSION_BUS_ADDRESS=$(head -1 "$scratch/bus")
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$pelora" "$scratch/charge.log" &
pid=$!
wait_for Pelora

/usr/bin/python3 - "$(window Pelora)" "$today" "$yesterday" <<'PY'
import subprocess, sys, time
import pyatspi
from gi.repository import GLib

window, today, yesterday = sys.argv[1:]
heard = []  # (role, name) of each object told to have the focus

def on_focus(event):
    if event.detail1 == 1:
        heard.append((event.source.getRoleName(), event.source.name))

def dialog_roles():
    desktop = pyatspi.Registry.getDesktop(0)
    apps = [desktop.getChildAtIndex(i) for i in range(desktop.childCount)]
    pelora = next(app for app in apps if app and app.name == "Pelora")
    return {(w.getRoleName(), w.name) for w in (pelora.getChildAtIndex(i) for i in range(pelora.childCount))}

# Keys to press, then what must be heard before the next step.
steps = [
    (["--window", window, "Tab"], ("list item", f"{today}: 1230 円")),
    (["Left"], ("list item", f"{yesterday}: 0 円")),
    (["ctrl+t"], ("list item", f"{yesterday}: 0:00:00")),
    (["End"], ("label", None)),
    (["ctrl+s"], ("push button", "OK")),
    (["Tab"], ("list item", None)),
    (["End"], ("list item", "一日当たりの平均: 回数 0、時間 0:00:03、料金 41 円")),
    # Without a window manager the focus goes back to no window when a dialog closes.
    (["Escape"], None),
    (["--window", window, "ctrl+x"], ("text", "毎月の〆切日")),
    (["Escape"], None),
]
failure = []
state = {"step": -1, "deadline": 0}

def tick():
    step = state["step"]
    if step >= 0 and steps[step][1] is not None:
        role, name = steps[step][1]
        if not any(r == role and (name is None or n == name) for r, n in heard[state["from"]:]):
            if time.monotonic() < state["deadline"]:
                return True
            failure.append(f"step {step}: {steps[step][1]} not heard; heard {heard[state['from']:]}")
            pyatspi.Registry.stop()
            return False
    if step == 4:  # the detail dialog is up: it must be a dialog
        if ("dialog", "アクセス履歴詳細") not in dialog_roles():
            failure.append(f"no dialog named アクセス履歴詳細 among {dialog_roles()}")
    state["step"] = step = step + 1
    if step == len(steps):
        pyatspi.Registry.stop()
        return False
    state["from"] = len(heard)
    state["deadline"] = time.monotonic() + 30
    keys = steps[step][0]
    if keys[0] == "--window":
        subprocess.run(["xdotool", "windowfocus", "--sync", keys[1]], check=False)
        keys = keys[2:]
    subprocess.run(["xdotool", "key", "--delay", "100"] + keys, check=True)
    return True

pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")
# As screen readers do: told of changed names, it forgets the names it has kept.
pyatspi.Registry.registerEventListener(lambda event: None, "object:property-change:accessible-name")
GLib.timeout_add(100, tick)
pyatspi.Registry.start()
if failure:
    print("\n".join(failure))
    sys.exit(1)
PY
kill -TERM "$pid"; wait "$pid"
