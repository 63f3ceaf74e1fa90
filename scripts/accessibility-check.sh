#!/usr/bin/env bash
# Shows Pelora as a screen reader sees it: the window started on a file under Xvfb with a private
# D-Bus and AT-SPI bus, its accessible tree printed through pyatspi. Needs xvfb, at-spi2-core,
# python3-pyatspi and dbus (apt-get install them first). Usage: scripts/accessibility-check.sh FILE
set -euo pipefail
pelora=$(cd "$(dirname "$0")/.." && pwd)/build/app/pelora
file=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export XDG_RUNTIME_DIR=$scratch XDG_CONFIG_HOME=$scratch/config
xvfb-run -a dbus-run-session -- bash -c '
  /usr/libexec/at-spi-bus-launcher --launch-immediately & sleep 1
  QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$0" "$1" & pid=$!; sleep 3
  /usr/bin/python3 - <<PY
import pyatspi
def walk(node, depth):
    print("  " * depth + node.getRoleName() + ": " + (node.name or ""))
    for i in range(node.childCount):
        walk(node.getChildAtIndex(i), depth + 1)
desktop = pyatspi.Registry.getDesktop(0)
for i in range(desktop.childCount):
    app = desktop.getChildAtIndex(i)
    if app and app.name == "Pelora":
        walk(app, 0)
PY
  kill $pid' "$pelora" "$file" 2>/dev/null
