#!/usr/bin/env bash
# Runs window tests on a virtual X screen under a real window manager, where windows get frames:
#   under_openbox.sh TEST_PROGRAM GTEST_FILTER SCREENSHOT_DIR
# Exit 77 (skipped) when the X server or the window manager is not installed.
set -u
program=$1 filter=$2 shots=$3
for tool in xvfb-run openbox; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed: skipped"; exit 77; }
done
export PROGRAM=$program FILTER=$filter ZELMORA_SCREENSHOT_DIR_X=$shots
exec xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  openbox --sm-disable >/dev/null 2>&1 & wm=$!
  # The window manager owns the screen once it has set its check window on the root.
  for i in $(seq 50); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    command -v xprop >/dev/null || { sleep 1; break; }
    sleep 0.1
  done
  QT_QPA_PLATFORM=xcb ZELMORA_WINDOW_MANAGER=openbox "$PROGRAM" --gtest_filter="$FILTER"; rc=$?
  kill $wm 2>/dev/null
  exit $rc'
