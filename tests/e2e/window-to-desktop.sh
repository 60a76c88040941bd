#!/usr/bin/env bash
# The installed program as a person meets it, on Xvfb with openbox: the window
# adds corpus pictures through its real file dialog, Apply builds the slide
# show, the prompt starts the desktop host, Set Wallpaper puts the page on the
# desktop, and the desktop changes picture on its own.
#   tests/e2e/window-to-desktop.sh BUILD_DIR ARTEFACT_DIR SHARED_DIR
# Exit 77 (skipped) when a tool or the picture corpus is missing.
set -euo pipefail
build=$1 shots=$2 shared=$3

# Under CI nothing the suite relies on may skip: what is missing fails the run.
skip() {
  if [ -n "${CI:-}" ] && [ "$CI" != false ]; then echo "FAILED (CI, nothing may skip): $*" >&2; exit 1; fi
  echo "SKIPPED: $*" >&2
  exit 77
}
fail() { echo "FAILED: $*" >&2; exit 1; }
step() { echo "== $*"; }

for tool in Xvfb openbox xdotool xprop import compare identify timeout; do
  command -v "$tool" >/dev/null || skip "$tool is not installed"
done

# Real photographs, kept out of the repository: reuse the built corpus, else build it.
corpus=${SORVANE_CORPUS_DIR:-$HOME/.cache/desktop-sorvane-corpus}
if [ ! -f "$corpus/.complete" ]; then
  [ -x "$shared/corpus/build.sh" ] ||
    skip "no picture corpus in $corpus and no $shared/corpus/build.sh to build one"
  step "building the picture corpus into $corpus (a few minutes, once)"
  "$shared/corpus/build.sh" "$corpus" || skip "the picture corpus could not be built"
fi
# A landscape JPEG, a portrait JPEG, a PNG and a small JPEG, all in one folder.
pictures=(j21_dune.jpg j19_friends.jpg p06_sway.png j22_meadow.jpg)
for p in "${pictures[@]}"; do [ -f "$corpus/$p" ] || skip "the corpus lacks $p"; done

work=$(mktemp -d)
stage=$work/stage
rm -rf "$shots"
mkdir -p "$shots"

step "installing into $stage"
cmake --install "$build" --prefix "$stage" >"$work/install.log" ||
  fail "install failed: $(cat "$work/install.log")"
for program in desktop-sorvane desktop-sorvane-host; do
  [ -x "$stage/bin/$program" ] || skip "$program was not built, so it is not installed"
done

# A user of our own: nothing from the real home or desktop session leaks in.
export HOME=$work/home
export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share
export XDG_CACHE_HOME=$HOME/.cache XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME/Pictures" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb LANG=C.UTF-8 LC_ALL=C.UTF-8
unset QT_QPA_PLATFORMTHEME QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR \
  DBUS_SESSION_BUS_ADDRESS WAYLAND_DISPLAY SESSION_MANAGER

pids=()
cleanup() {
  local rc=$?
  # The host was started by the window, not by us: ask it to go.
  if [ -n "${DISPLAY:-}" ]; then
    timeout 30 "$stage/bin/desktop-sorvane-host" quit >/dev/null 2>&1 || true
  fi
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  wait 2>/dev/null || true
  if [ $rc -ne 0 ] && [ $rc -ne 77 ]; then
    [ -f "$work/window.log" ] && sed 's/^/window: /' "$work/window.log" | tail -n 40 >&2
  fi
  rm -rf "$work"
  echo "screenshots: $shots"
}
trap cleanup EXIT

step "starting Xvfb and openbox"
exec 3<>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 2>"$work/xvfb.log" &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
DISPLAY=:$(head -n 1 "$work/display")
export DISPLAY
openbox >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
  sleep 0.2
done
xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id" || fail "openbox did not start"

# Waits up to $1 seconds for a visible window whose title matches $2; prints its id.
window_named() {
  local limit=$1 pattern=$2 id
  for _ in $(seq $((limit * 5))); do
    id=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n 1) || true
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.2
  done
  return 1
}
gone() {  # waits up to $1 seconds for window $2 to be unmapped
  for _ in $(seq $(($1 * 5))); do
    xdotool getwindowname "$2" >/dev/null 2>&1 || return 0
    xwininfo -id "$2" 2>/dev/null | grep -q "IsViewable" || return 0
    sleep 0.2
  done
  return 1
}
shot_window() { import -silent -window "$1" "$shots/$2" 2>/dev/null || true; }
shot_root() { import -silent -window root "$shots/$1" 2>/dev/null; }
# Clicks at a point of a window, measured from its top-left corner.
click() {
  xdotool windowactivate --sync "$1" >/dev/null 2>&1 || xdotool windowfocus --sync "$1"
  xdotool mousemove --window "$1" "$2" "$3" click 1
  sleep 0.3
}
keys() {
  xdotool windowactivate --sync "$1" >/dev/null 2>&1 || xdotool windowfocus --sync "$1"
  shift
  xdotool key --delay 40 "$@"
}
# The desktop-type window: its id, from the window manager's client list.
desktop_window() {
  local ids id
  ids=$(xprop -root _NET_CLIENT_LIST 2>/dev/null | sed -n 's/.*# //p' | tr -d ',')
  for id in $ids; do
    if xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q _NET_WM_WINDOW_TYPE_DESKTOP; then
      echo "$id"
      return 0
    fi
  done
  return 1
}

# The picture area: the middle of the screen, where every fitted picture lies.
# Two shots count as different pictures when a good share of it changed.
area=640x400+320+200
differs() {
  local n
  n=$(compare -metric AE -fuzz 12% "$1" "$2" null: 2>&1 >/dev/null | sed 's/[^0-9.e+].*//') || true
  awk -v n="${n:-0}" 'BEGIN { exit !(n > 640 * 400 / 5) }'
}
textured() {  # not one flat colour: a picture, not an empty page
  local sd
  sd=$(identify -format '%[fx:standard_deviation]' "$1")
  awk -v s="$sd" 'BEGIN { exit !(s > 0.03) }'
}
crop() { import -silent -window root -crop "$area" +repage "$1" 2>/dev/null; }

step "starting the installed window"
"$stage/bin/desktop-sorvane" >"$work/window.log" 2>&1 &
pids+=($!)
win=$(window_named 60 '^Desktop Sorvane$') || fail "the window never showed"
eval "$(xdotool getwindowgeometry --shell "$win")"
w=$WIDTH h=$HEIGHT
echo "window $win, ${w}x${h}"
xdotool windowmove --sync "$win" 0 0 || true
sleep 1
shot_window "$win" 01-window.png
# The layout's fixed points: the list's buttons and Set Wallpaper sit on the
# left, counted from the bottom; View Duration's box from the bottom right.
add_x=80 add_y=$((h - 96))
duration_x=$((w - 197)) duration_y=$((h - 137))
wallpaper_x=141 wallpaper_y=$((h - 22))

step "View Duration: 2 seconds"
click "$win" "$duration_x" "$duration_y"
keys "$win" ctrl+a
xdotool type --delay 40 "2"

step "Add Picture, choosing ${pictures[*]}"
click "$win" "$add_x" "$add_y"
dialog=$(window_named 30 '^Add Picture') || fail "Add Picture did not open its dialog"
sleep 0.5
# Qt's own file dialog: the name box has the focus; a folder and Return opens
# it, then the quoted names choose several files at once.
xdotool windowactivate --sync "$dialog" >/dev/null 2>&1 || true
keys "$dialog" ctrl+a
xdotool type --delay 20 "$corpus/"
xdotool key Return
sleep 1
names=$(printf '"%s" ' "${pictures[@]}")
keys "$dialog" ctrl+a
xdotool type --delay 20 "$names"
sleep 0.5
shot_window "$dialog" 02-add-picture-dialog.png
xdotool key Return
gone 30 "$dialog" || { shot_root 02-dialog-stuck.png; fail "the file dialog did not close"; }
sleep 1
shot_window "$win" 03-pictures-added.png

step "Apply"
keys "$win" alt+a
prompt=$(window_named 300 '^Desktop Slide Show Not Running') || {
  shot_root 04-no-prompt.png
  fail "no \"Desktop Slide Show Not Running\" prompt after Apply"
}
sleep 0.5
shot_root 04-prompt.png
page=$HOME/Pictures/Sorvane.html
[ -s "$page" ] || fail "Apply wrote no page at $page"
for p in "${pictures[@]}"; do
  grep -q "${p%.*}" "$page" || fail "the page does not show $p"
done
[ "$(tr -d '\r' <"$XDG_DATA_HOME/desktop-sorvane/config.dat" | sed -n 2p)" = 2 ] ||
  fail "config.dat does not hold the 2-second duration"
# OK starts the desktop host, the installed one beside the window.
keys "$prompt" Return
gone 30 "$prompt" || fail "the prompt did not close on Return"

step "waiting for the desktop host's window"
desk=""
for _ in $(seq 900); do desk=$(desktop_window) && break; sleep 0.2; done
[ -n "$desk" ] || { shot_root 05-no-desktop.png; fail "no desktop-type window appeared"; }
host_pid=$(xprop -id "$desk" _NET_WM_PID | sed -n 's/.* = //p')
host_exe=$(readlink "/proc/$host_pid/exe" || true)
[ "$host_exe" = "$(readlink -f "$stage/bin/desktop-sorvane-host")" ] ||
  fail "the desktop window belongs to $host_exe, not the installed host"
xprop -id "$desk" _NET_WM_WINDOW_TYPE

# Until Set Wallpaper the desktop holds no picture (the window sits in the
# top-left corner; the rest is desktop): what follows is Set Wallpaper's doing.
sleep 2
import -silent -window root -crop 500x250+760+530 +repage "$work/before.png"
shot_root 05-desktop-before-set-wallpaper.png
! textured "$work/before.png" || fail "the desktop shows a picture before Set Wallpaper"

step "Set Wallpaper"
click "$win" "$wallpaper_x" "$wallpaper_y"
if window_named 3 '^Desktop Slide Show Not Running' >/dev/null; then
  shot_root 06-not-enabled.png
  fail "Set Wallpaper did not see the running desktop host"
fi
shot_window "$win" 06-after-set-wallpaper.png
# Out of the way, as a person would, to look at the desktop.
xdotool windowminimize --sync "$win"

step "watching the desktop change picture"
first=""
for _ in $(seq 120); do
  crop "$work/a.png"
  if textured "$work/a.png"; then first=$work/a.png; break; fi
  sleep 0.5
done
shot_root 07-desktop-first.png
[ -n "$first" ] || fail "the desktop shows no picture (see 07-desktop-first.png)"
second=""
for _ in $(seq 120); do
  sleep 0.5
  crop "$work/b.png"
  if textured "$work/b.png" && differs "$first" "$work/b.png"; then second=$work/b.png; break; fi
done
shot_root 08-desktop-next.png
[ -n "$second" ] || fail "the desktop never changed picture (see 07 and 08)"
[ "$(desktop_window)" = "$desk" ] || fail "the desktop window was replaced"

step "passed"
