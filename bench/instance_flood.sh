#!/usr/bin/env bash
# A flood of second starts, as a hostile or broken program of the user's could send them: 40
# threads connect to the running window's socket, send one byte and close, for 8 seconds. Prints
# the window's memory before, after and 5 s later, the window manager's CPU time, and how soon a
# real second start is answered afterwards. Run as
# `xvfb-run -a -s "-screen 0 1024x768x24" bash bench/instance_flood.sh build/app/pelora`.
set -euo pipefail
pelora=$(realpath "$1")
source "$(dirname "$0")/../tests/xsession.sh"
openbox >/dev/null 2>&1 & wm=$!
for _ in $(seq 300); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break; sleep 0.1; done
printf '96/12/20 10:00:00  OUT00:01:40      100 0\r\n' > "$scratch/a.log"
"$pelora" "$scratch/a.log" & pid=$!
wait_for Pelora
sleep 1
rss() { awk '/VmRSS/ {printf "%.0f MB", $2 / 1024}' "/proc/$pid/status"; }
echo "before: $(rss)"
python3 - "$XDG_CONFIG_HOME/Brisolt/Pelora95Instance.socket" <<'PY'
import socket, sys, threading, time
path, end, sent = sys.argv[1], time.time() + 8, [0]
def flood():
    while time.time() < end:
        try:
            s = socket.socket(socket.AF_UNIX)
            s.connect(path)
            s.send(b"x")
            s.close()
            sent[0] += 1
        except OSError:
            pass
threads = [threading.Thread(target=flood) for _ in range(40)]
for t in threads:
    t.start()
for t in threads:
    t.join()
print("connections:", sent[0])
PY
echo "after the flood: $(rss)"
start=$(date +%s%N); "$pelora" "$scratch/a.log"
echo "a second start afterwards: status $? in $((($(date +%s%N) - start) / 1000000)) ms"
sleep 5
echo "5 s later: $(rss); the window manager's CPU time: $(ps -o time= -p "$wm")"
kill -TERM "$pid"; wait "$pid"
