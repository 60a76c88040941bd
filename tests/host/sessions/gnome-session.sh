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

shell_eval() { as_user python3 "$here/gnome-eval.py" "$1"; }
shell_true() { [ "$(shell_eval "$1")" = True ]; }
gone() { ! ps -p "$1" >/dev/null; }
shot() {  # shot NAME: the screen into $work/shots/NAME.png
  as_user python3 - "$work/shots/$1.png" <<'PY'
import sys, dbus
shooter = dbus.Interface(dbus.SessionBus().get_object(
    "org.gnome.Shell.Screenshot", "/org/gnome/Shell/Screenshot"), "org.gnome.Shell.Screenshot")
ok, _ = shooter.Screenshot(False, False, sys.argv[1])
sys.exit(0 if ok else 1)
PY
  echo "$work/shots/$1.png"
}
# mutter's windows, bottom first: "PID TYPE LAYER X Y WIDTH HEIGHT FOCUS TITLE".
# Type 1 is DESKTOP; layer 0 is the desktop layer, 2 the normal one.
windows() {
  shell_eval 'global.display.sort_windows_by_stacking(global.get_window_actors().map(a => a.meta_window)).map(w => { const r = w.get_frame_rect(); return [w.get_pid(), w.get_window_type(), w.get_layer(), r.x, r.y, r.width, r.height, w.has_focus(), w.get_title()].join(" "); })'
}
host_windows() {
  local pids
  pids=" $(pgrep -d' ' -s "$host_sid") "
  windows | while read -r pid rest; do
    [[ "$pids" == *" $pid "* ]] && echo "$pid $rest"
  done
  return 0
}

step "starting GNOME Shell (headless, one virtual monitor), with private buses"
cat >"$work/system-bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>system</type>
  <listen>unix:path=$work/run/system-bus</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow user="*"/>
    <allow own="*"/>
    <allow send_type="method_call"/>
    <allow send_type="signal"/>
    <allow send_requested_reply="true" send_type="method_return"/>
    <allow send_requested_reply="true" send_type="error"/>
    <allow receive_type="method_call"/>
    <allow receive_type="method_return"/>
    <allow receive_type="error"/>
    <allow receive_type="signal"/>
  </policy>
</busconfig>
CONF
chmod 644 "$work/system-bus.conf"
user_env+=(DBUS_SESSION_BUS_ADDRESS="unix:path=$work/run/bus"
           DBUS_SYSTEM_BUS_ADDRESS="unix:path=$work/run/system-bus")
start_user system-bus dbus-daemon --config-file="$work/system-bus.conf" --nofork
start_user dbus dbus-daemon --session --nofork --address="unix:path=$work/run/bus"
wait_for 10 test -S "$work/run/bus" -a -S "$work/run/system-bus" || fail "the buses did not start"
# No notification banners over the screenshots.
as_user gsettings set org.gnome.desktop.notifications show-banners false || true
start_shell() {
  start_user shell gnome-shell --headless --wayland --virtual-monitor 1280x800 --unsafe-mode \
    --wayland-display wayland-0 "$@"
  shell_pid=$started
  wait_for 60 shell_true 'Main.layoutManager._startingUp === false' || fail "GNOME Shell did not start"
}
start_shell
wait_for 20 compgen -G "$work/run/.mutter-Xwaylandauth.*" || fail "GNOME Shell started no XWayland"
user_env+=(WAYLAND_DISPLAY=wayland-0 DISPLAY=:0
           XAUTHORITY="$(compgen -G "$work/run/.mutter-Xwaylandauth.*" | head -n1)")
# The shell opens on the overview, as at login.
wait_for 10 shell_true 'Main.overview.hide(); !Main.overview.visible' || fail "the overview stays open"

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
