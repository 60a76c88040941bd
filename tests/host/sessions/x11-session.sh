#!/usr/bin/env bash
# The desktop host on X11 with openbox: a window of type DESKTOP that stays at
# the bottom when raised or activated, shows the page around an ordinary
# window and follows a RandR resize. The X server is TigerVNC's Xvnc: Debian
# 12's Xvfb cannot change its screen size.
#   tests/host/sessions/x11-session.sh HOST ARTEFACT_DIR
source "$(dirname "$0")/session-lib.sh"
need Xvnc openbox xrandr xprop xdotool import
enter_namespaces x11

shot() {  # shot NAME: the whole X screen into $work/shots/NAME.png
  as_user import -window root "$work/shots/$1.png"
  echo "$work/shots/$1.png"
}
x() { as_user "$@"; }
# The managed windows, bottom first.
stacking() { x xprop -root _NET_CLIENT_LIST_STACKING | sed -n 's/.*# //p' | tr -s ', ' '\n'; }
desktop_windows() {
  local id
  for id in $(stacking); do
    x xprop -id "$id" _NET_WM_WINDOW_TYPE | grep -q _NET_WM_WINDOW_TYPE_DESKTOP && echo "$id"
  done
  return 0
}
at() { [ "$(geometry "$1")" = "$2" ]; }
geometry() {  # geometry ID: "X Y WIDTH HEIGHT"
  eval "$(x xdotool getwindowgeometry --shell "$1")"
  echo "$X $Y $WIDTH $HEIGHT"
}

step "starting Xvnc and openbox"
start_user xserver Xvnc :0 -geometry 1280x800 -depth 24 -SecurityTypes None -rfbport -1 -nolisten tcp
user_env+=(DISPLAY=:0)
wait_for 20 x xprop -root || fail "the X server did not start"
start_user openbox openbox
wait_for 20 eval 'x xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
  fail "openbox did not start"

host_load
wait_for 30 page_on loaded 0 0 1280 800 || fail "the page does not fill the screen (see $(keep loaded))"

host_reload 1280 800

step "one window of type DESKTOP, the host's"
desk=$(desktop_windows)
[ "$(echo "$desk" | wc -w)" = 1 ] || fail "expected one DESKTOP window, found: '$desk'"
pid=$(x xprop -id "$desk" _NET_WM_PID | sed -n 's/.*= //p')
[ "$(ps -o sid= -p "${pid:-0}" | tr -d ' ')" = "$host_sid" ] ||
  fail "the DESKTOP window belongs to process '$pid', not the host"
states=$(x xprop -id "$desk" _NET_WM_STATE _NET_WM_DESKTOP)
echo "$states"
for state in _NET_WM_STATE_SKIP_TASKBAR _NET_WM_STATE_SKIP_PAGER "_NET_WM_DESKTOP(CARDINAL) = 4294967295"; do
  grep -q "$state" <<<"$states" || fail "the desktop window lacks $state"
done
[ "$(geometry "$desk")" = "0 0 1280 800" ] || fail "the desktop window is at $(geometry "$desk")"

step "an ordinary window above it"
start_user plain python3 "$here/plain-window.py" sorvane-plain 400 300
wait_for 20 eval 'x xdotool search --name "^sorvane-plain\$"' || fail "the window did not open"
plain=$(x xdotool search --name '^sorvane-plain$' | head -n1)
read -r wx wy ww wh <<<"$(geometry "$plain")"
echo "window at ${wx},${wy} ${ww}x${wh}"

step "raising and activating the desktop leaves it at the bottom"
x xdotool windowraise "$desk" || true
x timeout 5 xdotool windowactivate "$desk" 2>/dev/null || true
sleep 1  # let openbox restack, if it were going to
[ "$(stacking | head -n1)" = "$desk" ] ||
  fail "the desktop is not at the bottom after raise/activate: $(stacking)"
wait_for 10 colour_on window $((wx + ww / 2)) $((wy + wh / 2)) "$window_colour" || true
page_around_window "$work/shots/window.png" "$wx" "$wy" "$ww" "$wh" 1280 800
keep window

step "a RandR resize is followed"
x xrandr --output VNC-0 --mode 1024x768 || fail "xrandr could not set 1024x768"
wait_for 20 at "$desk" "0 0 1024 768" ||
  fail "the desktop window is at $(geometry "$desk") after the resize to 1024x768"
wait_for 20 page_on resized 0 0 1024 768 ||
  fail "the page does not fill the resized screen (see $(keep resized))"
keep resized

host_quit 1024 768
[ -z "$(desktop_windows)" ] || fail "a DESKTOP window remains after quit"
echo "PASSED: x11"
