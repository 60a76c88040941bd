#!/usr/bin/env bash
# The desktop host in GNOME Shell (headless Wayland, one virtual monitor). GNOME
# offers no layer-shell, so the host goes through XWayland as a window of type
# DESKTOP: in mutter's desktop layer, below an ordinary window even after it is
# raised and activated. Windows come from org.gnome.Shell.Eval, screenshots
# from org.gnome.Shell.Screenshot.
#   tests/host/sessions/gnome-session.sh HOST ARTEFACT_DIR
source "$(dirname "$0")/session-lib.sh"
need gnome-shell dbus-daemon Xwayland
need_python dbus python3-dbus
enter_namespaces gnome

source "$here/gnome-lib.sh"
start_gnome

host_load
wait_for 30 page_on loaded 0 0 1280 800 || fail "the page does not fill the screen (see $(keep loaded))"

step "the host's window is of type DESKTOP, in the desktop layer"
mine=$(host_windows)
echo "$mine"
[ -n "$mine" ] || fail "GNOME Shell lists no window of the host: $(windows)"
while read -r _ type layer x y w h _; do
  [ "$type $layer" = "1 0" ] || fail "a host window has type $type in layer $layer, not DESKTOP (1) in 0"
  [ "$x $y $w $h" = "0 0 1280 800" ] || fail "a host window is at $x,$y ${w}x$h"
done <<<"$mine"
host_pid=$(echo "$mine" | head -n1 | cut -d' ' -f1)

step "an ordinary window above it, after raising and activating the desktop"
start_user plain python3 "$here/plain-window.py" sorvane-plain 400 300
plain_pid=$started
wait_for 20 eval 'windows | grep -q " sorvane-plain$"' || fail "the window did not open"
shell_eval "global.get_window_actors().map(a => a.meta_window).filter(w => w.get_pid() == $host_pid)
  .forEach(w => { w.raise(); w.activate(global.get_current_time()); })" >/dev/null
sleep 1  # let mutter restack, if it were going to
stack=$(windows)
echo "$stack"
[ "$(echo "$stack" | grep -n -m1 " sorvane-plain$" | cut -d: -f1)" -gt \
  "$(echo "$stack" | grep -n -m1 "^$host_pid " | cut -d: -f1)" ] ||
  fail "the desktop is stacked above the ordinary window after raise/activate"
read -r _ _ layer wx wy ww wh _ <<<"$(echo "$stack" | grep ' sorvane-plain$')"
[ "$layer" = 2 ] || fail "the ordinary window is in mutter's layer $layer"
echo "window at ${wx},${wy} ${ww}x${wh}"
wait_for 10 colour_on window $((wx + ww / 2)) $((wy + wh / 2)) "$window_colour" || true
page_around_window "$work/shots/window.png" "$wx" "$wy" "$ww" "$wh" 1280 800
keep window

host_quit 1280 800
[ -z "$(host_windows)" ] || fail "GNOME Shell still lists a host window after quit"
step "without XWayland the host refuses, naming why, and opens no window"
kill "$plain_pid" "$shell_pid"
wait_for 20 gone "$plain_pid,$shell_pid" || fail "GNOME Shell did not end"
mapfile -t user_env < <(printf '%s\n' "${user_env[@]}" | grep -v -e '^DISPLAY=' -e '^XAUTHORITY=')
start_shell --no-x11
rc=0
as_user timeout 60 "$host" load "$page" >"$work/refusal.log" 2>&1 || rc=$?
echo "load exited $rc: $(cat "$work/refusal.log")"
[ "$rc" != 0 ] || fail "'load' reports success in a session without a desktop layer"
[ -s "$work/refusal.log" ] || fail "'load' refuses without a message"
windows | grep -v ' gnome-shell$' && fail "a window opened although the host refused"
wait_for 10 gone "$(pgrep -d, -f "^$host" || echo 0)" ||
  fail "a host process remains after the refusal"
echo "PASSED: gnome"
