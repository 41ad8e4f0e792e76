#!/usr/bin/env bash
# pictures.sh [BUILD_DIR]: screenshots of the stub's message boxes for people to look at, saved
# as PNG files in BUILD_DIR/pictures (default build/win64). Each box runs in a Wine virtual desktop
# (the test display has no window manager, so only a virtual desktop draws title bars) on the
# build's Xvfb display, in a prefix of its own that carries Wine's Tahoma and Marlett fonts.
set -eu
cd "$(dirname "$0")/.."
build=${1:-build/win64}
boxshow="$build/bin/boxshow.exe"
[ -f "$boxshow" ] || { echo "pictures: $boxshow is missing; build the win64 preset first" >&2; exit 1; }
out="$build/pictures"
mkdir -p "$out"

. scripts/wine-env.sh "$build"
export WINEPREFIX="$drovel_build/pictures-prefix"
drovel_init_prefix
fonts="$WINEPREFIX/drive_c/windows/Fonts"
mkdir -p "$fonts"
for f in /usr/share/wine/fonts/*.ttf; do
  [ -e "$f" ] && cp -u "$f" "$fonts/"
done
# The title bar's font: Tahoma bold for the Latin boxes; Tahoma has no Hebrew letters, so the
# Hebrew box (which Windows would show with a Hebrew system font) gets DejaVu Sans bold.
caption_font() {
  local face=$1 reg="$drovel_build/pictures-caption.reg" hex
  hex=$(python3 -c '
import struct, sys
face = sys.argv[1].encode("utf-16-le").ljust(64, b"\0")
blob = struct.pack("<lllllBBBBBBBB", -11, 0, 0, 0, 700, 0, 0, 0, 1, 0, 0, 0, 0x22) + face
print(",".join("%02x" % b for b in blob))' "$face")
  printf 'Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Control Panel\\Desktop\\WindowMetrics]\n"CaptionFont"=hex:%s\n' "$hex" > "$reg"
  "$DROVEL_WINE" regedit /S "$reg" >/dev/null 2>&1 || true
  "$WINESERVER" -w
}

trap '"$WINESERVER" -k >/dev/null 2>&1 || true' EXIT

desktop_w=800 desktop_h=600
win_path() {
  local p
  p="Z:$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
  echo "${p//\//\\}"
}
exe_win=$(win_path "$boxshow")

# The X window id of a virtual desktop, once the box of boxshow stands on it.
box_desktop() {
  local tree
  tree=$(xwininfo -root -tree 2>/dev/null) || return 1
  echo "$tree" | grep -q '("boxshow.exe" "boxshow.exe")  [0-9][0-9][0-9]x' || return 1
  echo "$tree" | grep "\"$1 - Wine desktop\"" | awk '{print $1}' | head -n 1
}

# shot NAME LOCALE CAPTION MODE STYLE CHARSET TEXT [BUTTONS FONT]: shows the box for a few
# seconds (it ends by its time-out) and takes the desktop once the box stands on it.
shot() {
  local name=$1 locale=$2 caption=$3 mode=$4 style=$5 charset=$6 text=$7
  shift 7
  local desk="Pictures$RANDOM"
  LC_ALL=$locale "$DROVEL_WINE" explorer "/desktop=$desk,${desktop_w}x$desktop_h" \
    "$exe_win" "$mode" "$style" "$charset" 6000 "$caption" "$text" "$@" >/dev/null 2>&1 &
  local job=$! id="" i
  for i in $(seq 1 100); do
    id=$(box_desktop "$desk") && [ -n "$id" ] && break
    id=""
    sleep 0.1
  done
  if [ -z "$id" ]; then
    echo "pictures: the box for $name did not appear" >&2
    wait "$job" || true
    return 1
  fi
  sleep 1  # let it paint
  import -window "$id" "$out/$name.png"
  echo "$out/$name.png"
  wait "$job" || true
}

caption_font "MS Shell Dlg"
shot error-box C.UTF-8 "Error" 0 0x10 0 \
  "The setup file could not be written to drive C:.<P>Please free some space and start the setup again."
shot question-bold C.UTF-8 "Confirm" 1 0x24 0 \
  "<B>INTERNET DOWNLOAD</B><P><P>Drovel will download the Setup File from the Internet...<P>Please make sure your Internet connection is properly set.<P><P>Continue with Setup?<P><P>Size: <B>42</B> MB"
shot long-text C.UTF-8 "Attention" 1 0x40 0 \
  "The update could not be installed because another program is still using some of the files that the update replaces. Please close every program of this product, including the tray helper and any open documents, and then start the update again from the product's Help menu. If the problem remains, restart the computer before trying once more.<P><P>Nothing has been changed on this computer."
# Hebrew texts travel as bytes of the Hebrew code page, as a language block carries them; the
# language entry's font is one with Hebrew letters.
caption_font "DejaVu Sans"
printf '%s' "שגיאה" | iconv -f UTF-8 -t CP1255 > "$out/hebrew-caption.txt"
printf '%s' "לא ניתן לכתוב את קובץ ההתקנה לכונן C:.<P>אנא פנה מקום והפעל את ההתקנה מחדש." |
  iconv -f UTF-8 -t CP1255 > "$out/hebrew-text.txt"
shot hebrew-rtl he_IL.UTF-8 "@$(win_path "$out/hebrew-caption.txt")" 0 0x10 177 \
  "@$(win_path "$out/hebrew-text.txt")" "" "DejaVu Sans"
rm -f "$out/hebrew-caption.txt" "$out/hebrew-text.txt"
caption_font "MS Shell Dlg"
