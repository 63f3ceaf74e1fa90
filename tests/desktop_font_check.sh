#!/usr/bin/env bash
# A 16 pt desktop font set through qt6ct, LANG=C, a real window under openbox: the frame test of
# the status bar (every pane and the first start's hint whole inside the window, the view 249 by
# 211) runs on the X server in the font the desktop gives it.
set -euo pipefail
gui_tests=$1
source "$(dirname "$0")/xsession.sh"
start_x 1600x1200
start_wm
mkdir -p "$XDG_CONFIG_HOME/qt6ct"
printf '[Fonts]\ngeneral="DejaVu Sans,16,-1,5,50,0,0,0,0,0"\n' > "$XDG_CONFIG_HOME/qt6ct/qt6ct.conf"
QT_QPA_PLATFORM=xcb QT_QPA_PLATFORMTHEME=qt6ct LANG=C DESKTOP_FONT_POINTS=16 \
  "$gui_tests" --gtest_filter=MainFrameTest.StatusBarFitsTheDesktopFont
