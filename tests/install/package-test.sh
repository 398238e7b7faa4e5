#!/usr/bin/env bash
# Builds the Debian package of a build folder, unpacks it into a scratch folder
# (dpkg -x, as into no system at all) and checks it as the desktop would read
# it: the files the desktop file names are where it says, the AppStream entry
# matches it and validates, and both programs run from the unpacked folder find
# the info text, the sounds and the samples in the installed data folder.
#
#   package-test.sh BUILD_FOLDER SOURCE_FOLDER
set -euo pipefail
build=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)
scratch=$(mktemp -d "${TMPDIR:-/tmp}/tamvek-package-XXXXXX")
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
need() { [ -e "$1" ] || fail "missing ${1#"$root"/}${2:+ ($2)}"; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" > "$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log"; echo "FAIL: cpack"; exit 1; }
debs=("$scratch"/out/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "FAIL: cpack made no single .deb"; exit 1; }
deb=${debs[0]}
echo "package: $(basename "$deb")"

# The control fields a Debian system needs.
[ "$(dpkg-deb -f "$deb" Package)" = tamvek ] || fail "Package is not tamvek"
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "Section is not games"
[ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || fail "no Maintainer"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libc6 libqt6widgets6 fonts-liberation2; do
  [[ "$depends" == *"$lib"* ]] || fail "Depends lacks $lib: $depends"
done

root=$scratch/root
dpkg -x "$deb" "$root"
share=$root/usr/share

# The two programs and nothing else of the build (no test programs).
bins=$(cd "$root/usr/bin" && ls | tr '\n' ' ')
[ "$bins" = "tamvek tamvek-cli " ] || fail "usr/bin holds: $bins"

# The desktop file, and the files it names.
desktops=("$share"/applications/*.desktop)
[ ${#desktops[@]} -eq 1 ] && [ -f "${desktops[0]}" ] || { echo "FAIL: no single desktop file"; exit 1; }
desktop=${desktops[0]}
id=$(basename "$desktop" .desktop)
field() { sed -n "s/^$1=//p" "$desktop" | head -n 1; }
exec_name=$(field Exec | cut -d' ' -f1)
[ -x "$root/usr/bin/$exec_name" ] || fail "Exec=$exec_name is not in usr/bin"
[ "$(field Icon)" = "$id" ] || fail "Icon=$(field Icon), not the desktop file's id $id"
[[ "$(field Categories)" == Game\;* ]] || fail "Categories do not start with Game"
for key in 'Name' 'Comment' 'Comment\[de\]' 'Keywords' 'Keywords\[de\]'; do
  grep -q "^$key=." "$desktop" || fail "the desktop file has no $key"
done
icons=$share/icons/hicolor
need "$icons/scalable/apps/$id.svg"
for size in 16 32 48 64 128 256; do
  png=$icons/${size}x${size}/apps/$id.png
  need "$png" "rsvg-convert, from librsvg2-bin, draws it"
  if [ -f "$png" ]; then
    # Width and height, the first two words of the PNG header's IHDR chunk.
    read -r w h < <(od -An -tu4 --endian=big -j16 -N8 "$png")
    [ "$w $h" = "$size $size" ] || fail "$id.png in ${size}x${size} is $w x $h"
  fi
done

# The AppStream entry belongs to the same desktop file.
metainfo=$share/metainfo/$id.metainfo.xml
need "$metainfo"
if [ -f "$metainfo" ]; then
  grep -q "<id>$id</id>" "$metainfo" || fail "the metainfo's id is not $id"
  grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "the metainfo does not launch $id.desktop"
  if command -v appstreamcli > /dev/null; then
    appstreamcli validate --no-net "$metainfo" > "$scratch/appstream.log" 2>&1 ||
      { cat "$scratch/appstream.log"; fail "appstreamcli validate"; }
  else
    echo "skipped: appstreamcli validate (Debian package appstream)"
  fi
fi
if command -v desktop-file-validate > /dev/null; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate"
else
  echo "skipped: desktop-file-validate (Debian package desktop-file-utils)"
fi

# The data folder.
data=$share/tamvek
for f in info_tamvek1.txt g2.wav vg2.wav v2.wav; do need "$data/$f"; done
for f in "$source"/samples/*.txt; do need "$data/samples/$(basename "$f")"; done
for f in "$source"/systems/*.toml "$source"/systems/*.lua; do need "$data/systems/$(basename "$f")"; done

# Both programs, run from the unpacked folder, find the info text and play
# their sounds from the data folder. The window plays the script off screen.
cat > "$scratch/info.txt" << 'SCRIPT'
type textanzahl 2
click Check1
click okstart
type srot 1
click oksetz1
type sklein 1
click oksetz2
type sgerade 1
click oksetz3
click okstart
click okinfo
dump
SCRIPT
first_line=$(head -n 1 "$source/assets/info_tamvek1.txt" | tr -d '\r')
for program in tamvek-cli tamvek; do
  if [ "$program" = tamvek ]; then
    # The picture ends the program once the script is played.
    run=(env QT_QPA_PLATFORM=offscreen "$root/usr/bin/tamvek" --seed 3 --script "$scratch/info.txt"
         --screenshot "$scratch/installed.png")
  else
    run=("$root/usr/bin/tamvek-cli" play --seed 3 "$scratch/info.txt")
  fi
  if ! (cd "$scratch" && "${run[@]}") > "$scratch/$program.out" 2> "$scratch/$program.err"; then
    cat "$scratch/$program.err"
    fail "$program did not play the script"
    continue
  fi
  out=$(cat "$scratch/$program.out")
  [[ "$out" == *"$first_line"* ]] || fail "$program does not show the info text: ${out:0:300}"
  [[ "$out" != *'Problem:'* ]] || fail "$program did not find the info text"
  [[ "$out" == *"\"soundFile\":\"$data/"*.wav\"* ]] ||
    fail "$program's sound is not from $data: $(grep -o '"soundFile":"[^"]*"' <<< "$out")"
done

# Without a display the window plays its demo, importing a sample from the data folder.
if ! (cd "$scratch" && env DISPLAY= WAYLAND_DISPLAY= QT_QPA_PLATFORM= "$root/usr/bin/tamvek" --seed 1) \
     > "$scratch/demo.out" 2>&1 ||
   ! grep -q 'a demo game was played' "$scratch/demo.out"; then
  cat "$scratch/demo.out"
  fail "the installed window did not play its demo"
fi

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "the package installs where its desktop file says"
