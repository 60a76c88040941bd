# shellcheck shell=bash
# shellcheck disable=SC2154,SC2034  # from session-lib.sh; shell_pid: for the sourcing scripts
# The GNOME Shell sessions' shared parts (sourced after session-lib.sh and
# enter_namespaces): a headless shell on one 1280x800 virtual monitor with
# private buses, its windows from org.gnome.Shell.Eval, screenshots from
# org.gnome.Shell.Screenshot.

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

# start_buses: a private session and system bus for the shell.
start_buses() {
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
}
start_shell() {
  start_user shell gnome-shell --headless --wayland --virtual-monitor 1280x800 --unsafe-mode \
    --wayland-display wayland-0 "$@"
  shell_pid=$started
  wait_for 60 shell_true 'Main.layoutManager._startingUp === false' || fail "GNOME Shell did not start"
}
# start_gnome [ARGS]: the buses (unless started already, for settings the shell
# must find), then the shell with XWayland, on the desktop (it opens on the
# overview, as at login).
start_gnome() {
  step "starting GNOME Shell (headless, one virtual monitor), with private buses"
  [ -S "$work/run/bus" ] || start_buses
  start_shell "$@"
  wait_for 20 compgen -G "$work/run/.mutter-Xwaylandauth.*" || fail "GNOME Shell started no XWayland"
  user_env+=(WAYLAND_DISPLAY=wayland-0 DISPLAY=:0
             XAUTHORITY="$(compgen -G "$work/run/.mutter-Xwaylandauth.*" | head -n1)")
  hide_overview
}
hide_overview() {
  wait_for 10 shell_true 'Main.overview.hide(); !Main.overview.visible' || fail "the overview stays open"
}
