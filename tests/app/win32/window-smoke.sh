#!/usr/bin/env bash
# The real window under Wine, in a virtual desktop on Xvfb:
#   window-smoke.sh DESKTOP_SORVANE_EXE WINDOW_PROBE_EXE ARTEFACT_DIR
# It opens with its title and controls, the About links light up under the
# pointer, a duration edit enables Apply, a picture is added through the file
# dialog, Apply prepares it, Cancel closes it. Screenshots go to ARTEFACT_DIR.
# Skips (77) when a program is missing, except under CI, where that fails.
set -euo pipefail
exe=$1 probe=$2 artefacts=$3
samples="$(cd "$(dirname "$0")/../../../resources/samples" && pwd)"

missing=""
for program in wine wineserver Xvfb xdotool import; do
  command -v "$program" >/dev/null || missing="$missing $program"
done
if [ -n "$missing" ]; then
  echo "missing:$missing"
  [ -n "${CI:-}" ] && exit 1
  exit 77
fi

fail() { echo "FAIL: $*"; exit 1; }

# A prefix of its own that draws through X (the tests' prefix has no display).
export WINEDEBUG=-all WINEARCH=win64
export WINEPREFIX="${SORVANE_WINDOW_PREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/desktop-sorvane/wine-window}"
mkdir -p "$artefacts"
rm -f "$artefacts"/*.png
work=$(mktemp -d)
xvfb=""
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1
  wineserver -w
fi

# The page and its copies go to the Pictures folder, which Wine links to the
# home folder: a folder of the prefix's own instead, emptied for each run.
pictures="$WINEPREFIX/drive_c/users/$(id -un)/Pictures"
[ -L "$pictures" ] && rm "$pictures"
rm -rf "$pictures" && mkdir -p "$pictures"

# The program folder holds config.dat and the picture store: a fresh one per run.
mkdir -p "$work/app"
cp "$exe" "$work/app/desktop-sorvane.exe"
cp "$samples/../template.html" "$work/app/"  # beside the program, as installed
cp "$probe" "$work/probe.exe"
app=$(winepath -w "$work/app/desktop-sorvane.exe" 2>/dev/null)
wine explorer /desktop=sorvane,900x640 "$app" >"$work/wine.log" 2>&1 &
desktop=$!

title="Desktop Sorvane"
probe() {
  wine "$work/probe.exe" "$title" sorvane >"$work/probe.txt" 2>/dev/null || return 1
  tr -d '\r' <"$work/probe.txt"
}
# The control whose class and text are given, as "enabled visible left top width height".
control() { probe | awk -F'\t' -v c="$1" -v t="$2" '$1 == c && $2 == t { print $3, $4; exit }'; }
click() {
  local at
  at=$(control "$1" "$2")
  [ -n "$at" ] || fail "no $1 \"$2\""
  set -- $at
  xdotool mousemove --window "$root" $(($3 + $5 / 2)) $(($4 + $6 / 2)) click 1
}
shot() { import -display "$DISPLAY" -window root "$artefacts/$1.png"; }

for _ in $(seq 90); do probe >/dev/null && break; sleep 1; done
probe >"$work/controls.txt" || fail "the window did not open"
root=$(xdotool search --sync --limit 1 --name "sorvane" 2>/dev/null | head -1)
[ -n "$root" ] || root=$(xdotool getactivewindow 2>/dev/null || true)
sleep 1
shot opened
cat "$work/controls.txt"

# Its title, and the controls of both pages.
grep -q "^window	$title	1 1	" "$work/controls.txt" || fail "no visible window titled $title"
for expected in "Button	Add Picture" "Button	Add Folder" "Button	Remove Selected" \
  "Button	Preview" "Button	Set Wallpaper" "Button	&Help" "Button	&Ok" "Button	&Cancel" \
  "Button	&Apply" "Button	Left" "Button	Center" "Button	Right" "Edit	6" \
  "SysTabControl32	" "ListBox	" "ComboBox	" "SorvaneLink	"; do
  grep -q "^$expected" "$work/controls.txt" || fail "no control: $expected"
done
[ "$(control Button "&Apply" | cut -d' ' -f1)" = 0 ] || fail "Apply is enabled before any edit"
[ "$(control Button "Remove Selected" | cut -d' ' -f1)" = 0 ] || fail "Remove is enabled with no picture"

# Ctrl+Tab turns to the About page, which shows its links and hides the list.
xdotool key ctrl+Tab
sleep 1
probe >"$work/about.txt"
[ "$(grep -c "^SorvaneLink	.*	1 1	" "$work/about.txt")" = 2 ] || fail "the About page does not show its links"
grep -q "^ListBox	.*	1 0	" "$work/about.txt" || fail "the list stays on the About page"

# The links light up under the pointer: blue over a link and dark again over
# the page; from one link straight onto the other both stay lit, the picture
# changes nothing, and the text before the e-mail link darkens that link alone.
email=$(awk -F'\t' '$1 == "SorvaneLink" && $2 ~ /@/ { print $4 }' "$work/about.txt" | tr -d '\r')
site=$(awk -F'\t' '$1 == "SorvaneLink" && $2 !~ /@/ { print $4 }' "$work/about.txt" | tr -d '\r')
label8=$(control Static "This program allows you to create a slide show web page on your desktop with no programming required. If you have any problems please email them to" | cut -d' ' -f3-)
image=$(awk -F'\t' '$1 == "Static" && $2 ~ /^A stack of slides/ { print $4 }' "$work/about.txt" | tr -d '\r')
[ -n "$email" ] && [ -n "$site" ] && [ -n "$label8" ] && [ -n "$image" ] || fail "the About page lacks a link, its text or its picture"
point() { set -- $1; xdotool mousemove --window "$root" $(($1 + $3 / 2)) $(($2 + $4 / 2)); sleep 0.5; }
# "left top width height" of a link on a screenshot: is its caption blue?
lit() {
  local png=$1
  set -- $2
  [ "$(convert "$artefacts/$png.png" -crop "$3x$4+$1+$2" +repage -fuzz 25% -fill black +opaque blue \
    -fill white -opaque blue -format "%[fx:round(mean*w*h)]" info:)" -gt 3 ]
}
hover() {  # screenshot name, then whether the e-mail and the site link are lit (1) or not (0)
  shot "$1"
  lit "$1" "$email" && e=1 || e=0
  lit "$1" "$site" && s=1 || s=0
  [ "$e $s" = "$2 $3" ] || fail "$1: the links are lit $e $s, not $2 $3"
}
hover about 0 0
point "$email" && hover hover-email 1 0
point "$site" && hover hover-both 1 1
point "$image" && hover hover-picture 1 1
point "$label8" && hover hover-label8 0 1
set -- $email
xdotool mousemove --window "$root" $(($1 + $3 + 40)) $(($2 + $4 / 2)) && sleep 0.5
hover hover-page 0 0
xdotool key ctrl+Tab
sleep 1

# A keystroke in the duration box is an edit: Apply comes on.
click Edit 6
xdotool key --delay 100 End BackSpace 8
sleep 1
[ -n "$(control Edit 8)" ] || fail "the duration box does not show the typed 8"
[ "$(control Button "&Apply" | cut -d' ' -f1)" = 1 ] || fail "Apply stays disabled after an edit"
shot edited

# A picture added through the real file dialog is copied into the store and
# listed; clicking it makes it the current entry, which can be removed.
picture=$(winepath -w "$samples/dusk.jpg" 2>/dev/null)
click Button "Add Picture"
sleep 3
shot file-dialog
xdotool type --delay 30 "$picture"
xdotool key Return
for _ in $(seq 20); do [ -f "$work/app/images/dusk.jpg" ] && break; sleep 0.5; done
cmp -s "$samples/dusk.jpg" "$work/app/images/dusk.jpg" || fail "the picture was not copied into the store"
set -- $(control ListBox "1 entries")
xdotool mousemove --window "$root" $(($3 + 20)) $(($4 + 8)) click 1
sleep 1
[ "$(control Button "Remove Selected" | cut -d' ' -f1)" = 1 ] || fail "the clicked picture cannot be removed"
shot added
# The preview box (below its label) shows the picture, not its white background.
set -- $(control Static "Preview:")
shown=$(convert "$artefacts/added.png" -format "%[pixel:p{$(($3 + 120)),$(($4 + $6 + 90))}]" info:)
case "$shown" in white | "srgb(255,255,255)") fail "the preview box does not show the picture" ;; esac

# The same picture again: the overwrite question with its four answers; after
# No the stored copy stays and the list names it once more.
click Button "Add Picture"
sleep 3
xdotool type --delay 30 "$picture"
xdotool key Return
question="Overwrite Image?"
for _ in $(seq 20); do wine "$work/probe.exe" "$question" sorvane >"$work/question.txt" 2>/dev/null && break; sleep 0.5; done
shot overwrite
for answer in "Yes To All" "&Yes" "&No" "No To All"; do
  grep -q "	$answer	1 1	" "$work/question.txt" || fail "the overwrite question has no $answer"
done
set -- $(awk -F'\t' '$2 == "&No" { print $4; exit }' "$work/question.txt" | tr -d '\r')
xdotool mousemove --window "$root" $(($1 + $3 / 2)) $(($2 + $4 / 2)) click 1
sleep 1
wine "$work/probe.exe" "$question" sorvane >/dev/null 2>&1 && fail "the overwrite question stays after No"
[ -n "$(control ListBox "2 entries")" ] || fail "the list does not name the picture again after No"

# Apply prepares the picture: a copy fitted to the screen beside the page, the
# stored one reduced to what the screen can show, and config.dat naming it.
# Wine has no Active Desktop, so the build ends by offering the display
# settings, which are declined.
click Button "&Apply"
for _ in $(seq 60); do [ -f "$work/app/config.dat" ] && break; sleep 0.5; done
sleep 1
shot applied
[ -f "$work/app/config.dat" ] || fail "Apply wrote no config.dat"
grep -q "dusk.jpg" "$work/app/config.dat" || fail "config.dat does not name the picture"
cp "$work/app/config.dat" "$work/applied.dat"
copy="$pictures/Sorvane/dusk.jpg"
[ -f "$copy" ] || fail "Apply prepared no copy of the picture"
set -- $(identify -format "%w %h" "$copy")
[ "$1" -le 900 ] && [ "$2" -le 640 ] && [ "$1" -gt 0 ] || fail "the prepared copy is $1 x $2, not fitted to the 900 x 640 screen"
set -- $(identify -format "%w %h" "$work/app/images/dusk.jpg")
[ "$1" -lt 1600 ] || fail "the stored picture was not reduced ($1 x $2)"
xdotool key Escape
sleep 1

# Cancel closes the window and the program ends.
click Button "&Cancel"
for _ in $(seq 30); do probe >/dev/null || break; sleep 1; done
probe >/dev/null && fail "the window is still open after Cancel"
# Wine shows the program by its Windows path, which ends in our folder's name.
running="$(basename "$work").app.desktop-sorvane.exe"
for _ in $(seq 30); do pgrep -f "$running" >/dev/null || break; sleep 1; done
pgrep -f "$running" >/dev/null && fail "the program is still running after Cancel"
cmp -s "$work/app/config.dat" "$work/applied.dat" || fail "Cancel wrote config.dat"

# The Start-menu entry that stops the desktop slide show: with nothing of ours
# on the desktop it says so, changes nothing and ends.
wine explorer /desktop=sorvane,900x640 "$app" --stop-desktop >>"$work/wine.log" 2>&1 &
stopped="Desktop Slide Show"
for _ in $(seq 30); do wine "$work/probe.exe" "$stopped" sorvane >"$work/stop.txt" 2>/dev/null && break; sleep 0.5; done
shot stop
grep -q "The desktop slide show is not running." "$work/stop.txt" || fail "stopping the slide show did not say it was not running"
xdotool key Return
for _ in $(seq 30); do pgrep -f "$running" >/dev/null || break; sleep 1; done
pgrep -f "$running" >/dev/null && fail "the program is still running after stopping the slide show"
cmp -s "$work/app/config.dat" "$work/applied.dat" || fail "stopping the slide show wrote config.dat"
kill "$desktop" 2>/dev/null || true
echo "window smoke test passed; screenshots in $artefacts"
