#!/usr/bin/env bash
# The desktop host in weston (headless, pixman, its desktop shell) with
# XWayland. weston has no layer-shell, and its X window manager treats a window
# of type DESKTOP as an ordinary one, over the user's windows: the host must
# refuse this session, saying so, and put nothing on screen.
#   tests/host/sessions/weston-session.sh HOST ARTEFACT_DIR
source "$(dirname "$0")/session-lib.sh"
need weston weston-screenshooter Xwayland xwininfo
enter_namespaces weston

shot() {  # shot NAME: weston's screenshooter into $work/shots/NAME.png
  local dir=$work/shots/$1.d
  as_user mkdir -p "$dir"
  (cd "$dir" && as_user weston-screenshooter >/dev/null 2>&1) || return 1
  mv "$(compgen -G "$dir/*.png" | head -n1)" "$work/shots/$1.png" && rm -rf "$dir"
  echo "$work/shots/$1.png"
}
# The X windows on XWayland's screen that are mapped, one "ID NAME" a line.
x_windows() {
  as_user xwininfo -root -tree | sed -n 's/^ *\(0x[0-9a-f]*\) \("[^"]*"\).*/\1 \2/p'
}
shown() { x_windows | grep -q "\"$1\""; }
gone() { ! ps -p "$1" >/dev/null; }

step "starting weston (headless, pixman, desktop shell) with XWayland"
# --debug lets the screenshooter client take shots.
start_user weston weston --backend=headless-backend.so --use-pixman --width=1280 --height=800 \
  --socket=wayland-1 --idle-time=0 --xwayland --debug
user_env+=(WAYLAND_DISPLAY=wayland-1 DISPLAY=:0)
wait_for 20 test -S "$work/run/wayland-1" || fail "weston did not start"
wait_for 20 test -S /tmp/.X11-unix/X0 || fail "weston offers no XWayland"
# weston fades its desktop in: the shell alone is the screen once it holds still.
settled() {
  shot alone >/dev/null || return 1
  if ! near "$(pixel "$work/shots/alone.png" 640 400)" 000000 && [ -f "$work/shots/before.png" ] &&
    [ "$(same_below_panel before alone)" = 0 ]; then
    return 0
  fi
  mv "$work/shots/alone.png" "$work/shots/before.png"
  return 1
}
same_below_panel() {  # pixels that differ between two shots below the panel
  compare -metric AE -fuzz 10% "$work/shots/$1.png[1280x768+0+32]" \
    "$work/shots/$2.png[1280x768+0+32]" null: 2>&1 || true
}
wait_for 30 settled || fail "weston's desktop does not settle (see $(keep before))"
keep alone

# refused NAME [VARIABLE=VALUE]: load must fail with a message saying why.
refused() {
  local rc=0
  as_user "${@:2}" timeout 60 "$host" load "$page" >"$work/$1.log" 2>&1 || rc=$?
  echo "load exited $rc: $(cat "$work/$1.log")"
  [ "$rc" != 0 ] ||
    fail "'load' reports success in weston, whose X window manager puts a desktop window over the user's windows"
  [ "$(wc -w <"$work/$1.log")" -ge 6 ] || fail "the refusal does not say why"
  grep -qi weston "$work/$1.log" || fail "the refusal does not name weston"
}
step "desktop-sorvane-host load refuses, naming weston and why (weston started from a terminal)"
refused refusal
step "and naming weston where a display manager started it (XDG_SESSION_DESKTOP from weston.desktop)"
refused refusal-login XDG_SESSION_DESKTOP=weston

step "nothing of the host on screen"
sleep 1  # time for a window to map, were one coming
x_windows | grep -i sorvane | grep -v sorvane-plain && fail "an X window of the host opened"
wait_for 10 gone "$(pgrep -d, -f "^$host" || echo 0)" || fail "a host process remains after the refusal"
id=$(as_user "$host" window 2>/dev/null || true)
[ "$id" = 0 ] || [ -z "$id" ] || fail "'window' prints '$id' after the refusal"
shot refused >/dev/null || fail "weston's screenshooter takes no shot"
keep refused
# Below the panel (its clock moves on) the screen is as before the refusal.
diff=$(same_below_panel alone refused)
[ "$diff" = 0 ] || fail "the screen changed in $diff pixels after the refusal"

step "an X window shows in XWayland's tree (the check above would see one)"
start_user plain env GDK_BACKEND=x11 python3 "$here/plain-window.py" sorvane-plain 400 300
plain_pid=$started
wait_for 30 shown sorvane-plain || fail "the X window did not show: $(x_windows)"

kill "$plain_pid"
echo "PASSED: weston"
