#!/usr/bin/env bash
# The installed window on Xvfb with openbox, where the desktop host can't
# start: Set Wallpaper with no host installed, then with a host that can't
# open the display. Each time the user gets a message, the window stays with
# its unapplied edit, and neither the wallpaper setting nor a login entry
# claims a slide show. Also: the window's X11 class is the one its desktop
# file names.
#   tests/e2e/set-wallpaper-without-host.sh BUILD_DIR ARTEFACT_DIR
set -euo pipefail
build=$1 shots=$2

# Under CI nothing the suite relies on may skip: what is missing fails the run.
skip() {
  if [ -n "${CI:-}" ] && [ "$CI" != false ]; then echo "FAILED (CI, nothing may skip): $*" >&2; exit 1; fi
  echo "SKIPPED: $*" >&2
  exit 77
}
fail() { echo "FAILED: $*" >&2; exit 1; }
step() { echo "== $*"; }

for tool in Xvfb openbox xdotool xprop import python3 timeout; do
  command -v "$tool" >/dev/null || skip "$tool is not installed"
done

work=$(mktemp -d)
stage=$work/stage
rm -rf "$shots"
mkdir -p "$shots"
cmake --install "$build" --prefix "$stage" >"$work/install.log" ||
  fail "install failed: $(cat "$work/install.log")"
[ -x "$stage/bin/desktop-sorvane" ] || skip "the window was not built, so it is not installed"
real_host=$stage/bin/desktop-sorvane-host
[ -x "$real_host" ] || skip "the desktop host was not built"
mv "$real_host" "$work/real-host"

export HOME=$work/home
export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share
export XDG_CACHE_HOME=$HOME/.cache XDG_STATE_HOME=$HOME/.local/state XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME/Pictures" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb LANG=C.UTF-8 LC_ALL=C.UTF-8
unset QT_QPA_PLATFORMTHEME QT_SCALE_FACTOR DBUS_SESSION_BUS_ADDRESS WAYLAND_DISPLAY SESSION_MANAGER

pids=()
cleanup() {
  local rc=$?
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  wait 2>/dev/null || true
  [ $rc -ne 0 ] && [ -f "$work/window.log" ] && sed 's/^/window: /' "$work/window.log" | tail -n 20 >&2
  rm -rf "$work"
  echo "screenshots: $shots"
}
trap cleanup EXIT

exec 3<>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 2>"$work/xvfb.log" &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
DISPLAY=:$(head -n 1 "$work/display")
export DISPLAY
openbox >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break; sleep 0.2; done

window_named() {  # window_named SECONDS PATTERN [EXCEPT_ID]: a visible window's id
  local id
  for _ in $(seq $(($1 * 5))); do
    for id in $(xdotool search --onlyvisible --name "$2" 2>/dev/null); do
      [ "$id" != "${3:-}" ] && { echo "$id"; return 0; }
    done
    sleep 0.2
  done
  return 1
}
click() {
  xdotool windowactivate --sync "$1" >/dev/null 2>&1 || xdotool windowfocus --sync "$1"
  xdotool mousemove --window "$1" "$2" "$3" click 1
  sleep 0.3
}
wallpaper_setting() {
  python3 - "$XDG_CONFIG_HOME/desktop-sorvane/registry.db" <<'PY'
import sqlite3, sys
try:
    rows = sqlite3.connect(sys.argv[1]).execute(
        "SELECT data FROM key_values WHERE name = 'Wallpaper' AND path LIKE '%Desktop%'").fetchall()
except sqlite3.Error:
    rows = []
print("".join(bytes(r[0]).decode("utf-8", "replace").rstrip("\0") for r in rows))
PY
}

step "starting the installed window, with no desktop host anywhere"
PATH=$work/no-programs "$stage/bin/desktop-sorvane" >"$work/window.log" 2>&1 &
pids+=($!)
win=$(window_named 60 '^Desktop Sorvane$') || fail "the window never showed"
xdotool windowmove --sync "$win" 0 0 || true
eval "$(xdotool getwindowgeometry --shell "$win")"
h=$HEIGHT w=$WIDTH

class=$(xprop -id "$win" WM_CLASS | sed -n 's/.*", "\(.*\)"$/\1/p')
wm_class=$(sed -n 's/^StartupWMClass=//p' "$stage/share/applications/"*.desktop)
[ -n "$class" ] && [ "$class" = "$wm_class" ] ||
  fail "the window's class '$class' is not the desktop file's StartupWMClass '$wm_class'"

step "an unapplied edit: View Duration 3"
click "$win" $((w - 197)) $((h - 137))
xdotool key ctrl+a
xdotool type --delay 40 "3"

attempt() {  # attempt NAME: Set Wallpaper, OK to the prompt, then the message
  click "$win" 141 $((h - 22))
  local prompt message
  prompt=$(window_named 30 '^Desktop Slide Show Not Running' "$win") ||
    fail "$1: no \"Desktop Slide Show Not Running\" prompt"
  xdotool key --window "$prompt" Return 2>/dev/null || xdotool key Return
  message=$(window_named 90 '^Desktop Sorvane' "$win") || {
    import -silent -window root "$shots/$1-no-message.png" || true
    fail "$1: no message after the host failed to start"
  }
  sleep 0.5
  import -silent -window root "$shots/$1-message.png" || true
  xdotool windowactivate --sync "$message" >/dev/null 2>&1 || true
  xdotool key Return
  sleep 1
  xdotool getwindowname "$win" >/dev/null 2>&1 || fail "$1: the window is gone"
  kill -0 "${pids[-1]}" 2>/dev/null || fail "$1: the program ended"
  [ -z "$(wallpaper_setting)" ] || fail "$1: the wallpaper setting names '$(wallpaper_setting)'"
  [ ! -e "$XDG_CONFIG_HOME/autostart/org.example.DesktopSorvane.desktop" ] ||
    fail "$1: a login entry was left"
}
step "Set Wallpaper with no host installed"
attempt no-host
step "Set Wallpaper with a host that can't open the display"
cat >"$stage/bin/desktop-sorvane-host" <<SH
#!/bin/sh
exec /usr/bin/env -u WAYLAND_DISPLAY DISPLAY=:2999 "$work/real-host" "\$@"
SH
chmod 755 "$stage/bin/desktop-sorvane-host"
# A page there to show, so that the display is what fails.
echo '<!DOCTYPE html><title>page</title>' >"$HOME/Pictures/Sorvane.html"
attempt no-display

step "the edit is still there: Apply keeps it"
xdotool windowactivate --sync "$win" >/dev/null 2>&1 || true
xdotool key alt+a
prompt=$(window_named 120 '^Desktop Slide Show Not Running' "$win") || fail "no prompt after Apply"
xdotool key --window "$prompt" Escape 2>/dev/null || xdotool key Escape
sleep 1
[ "$(tr -d '\r' <"$XDG_DATA_HOME/desktop-sorvane/config.dat" | sed -n 2p)" = 3 ] ||
  fail "the edit before the failures did not survive them"
import -silent -window "$win" "$shots/window-after.png" || true
echo "PASSED"
