#!/usr/bin/env bash
# Fendrel started from a package folder on a virtual X screen: it must find the game inside a
# Wine-like prefix, ask, and install the package after Yes (Return on the question's default).
#   fendrel_under_x.sh FENDREL X_WINDOW SCREENSHOT_DIR
set -eu
fendrel=$1 x_window=$2 shots=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export WINEPREFIX=$work/wine
game="$WINEPREFIX/drive_c/Program Files/Quarvel"
mkdir -p "$WINEPREFIX/drive_c/windows/system32" "$game/PICTURES" "$work/Vega" "$shots"
echo game > "$game/quarvel.exe"
cp "$fendrel" "$work/Vega/SETUP.EXE"
echo picture > "$work/Vega/Vega.bmp"
echo descriptor > "$work/Vega/Vega.zmd"
printf '"Vega.bmp","\\PICTURES\\"\r\n"Vega.zmd","\\ZMDescriptor\\"\r\n' > "$work/Vega/SETUP.LST"

export FENDREL_PACKAGE=$work/Vega/SETUP.EXE X_WINDOW=$x_window SHOTS=$shots
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  "$FENDREL_PACKAGE" 2>/dev/null & pid=$!
  if ! "$X_WINDOW" wait Zelmora 30; then kill $pid; exit 1; fi
  if command -v import >/dev/null; then import -window root "$SHOTS/Fendrel_question_x.png"; fi
  "$X_WINDOW" press Zelmora Return
  for i in $(seq 100); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
  if kill -0 $pid 2>/dev/null; then echo "Fendrel still running after Yes"; kill $pid; exit 1; fi
  wait $pid'

[ "$(cat "$game/PICTURES/Vega.bmp")" = picture ] || { echo "Vega.bmp not installed"; exit 1; }
[ "$(cat "$game/ZMDescriptor/Vega.zmd")" = descriptor ] || { echo "Vega.zmd not installed"; exit 1; }
echo "installed into $game"
