#!/usr/bin/env bash
# A demo system with pictures packaged and zipped by zmd, unpacked somewhere else and installed by
# the SETUP.EXE it carries into a game folder inside a Wine-like prefix, on a virtual X screen:
# every listed file must arrive byte for byte.
#   package_under_x.sh ZMD FENDREL X_WINDOW DEMO_DIR
set -eu
zmd=$1 fendrel=$2 x_window=$3 demo=$4
command -v unzip >/dev/null || { echo "unzip is needed"; exit 77; }
[ -x /usr/bin/zip ] || { echo "/usr/bin/zip is needed"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The author's game folder: the demo, the installer kept as ZMDInst.dat, and planet pictures.
source=$work/source
mkdir -p "$source/PICTURES"
cp -r "$demo/ZMDescriptor" "$demo/quarvel.exe" "$source/"
cp "$fendrel" "$source/ZMDInst.dat"
head -c 30000 /dev/urandom > "$source/PICTURES/Kestrel Verge.bmp"
head -c 800 /dev/urandom > "$source/PICTURES/Kestrel VergeSun.bmp"
head -c 5000 /dev/urandom > "$source/PICTURES/Kestrel Verge2.avi"

mkdir "$work/out" "$work/unpacked"
"$zmd" package "$source" "Kestrel Verge" "$work/out" --zip
unzip -q "$work/out/Kestrel Verge.zip" -d "$work/unpacked"
[ -x "$work/unpacked/SETUP.EXE" ] || { echo "SETUP.EXE cannot run after unpacking"; exit 1; }

# Another player's machine.
export WINEPREFIX=$work/wine
game="$WINEPREFIX/drive_c/Program Files/Quarvel"
mkdir -p "$WINEPREFIX/drive_c/windows/system32" "$game/PICTURES" "$game/ZMDescriptor"
echo game > "$game/quarvel.exe"

export SETUP=$work/unpacked/SETUP.EXE X_WINDOW=$x_window
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  "$SETUP" 2>/dev/null & pid=$!
  if ! "$X_WINDOW" wait Zelmora 30; then kill $pid; exit 1; fi
  "$X_WINDOW" press Zelmora Return
  for i in $(seq 100); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
  if kill -0 $pid 2>/dev/null; then echo "SETUP.EXE still running after Yes"; kill $pid; exit 1; fi
  wait $pid'

for f in "PICTURES/Kestrel Verge.bmp" "PICTURES/Kestrel VergeSun.bmp" "PICTURES/Kestrel Verge2.avi" \
         "ZMDescriptor/Kestrel Verge.zmd"; do
  cmp "$source/$f" "$game/$f" || { echo "$f did not arrive as it left"; exit 1; }
done
echo "installed into $game"
