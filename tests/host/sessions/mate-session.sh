#!/usr/bin/env bash
# The desktop host beside MATE's desktop, caja --force-desktop, which draws
# wallpaper and icons in one window: the slide show goes through MATE's
# background setting (GSettings org.mate.background, in dconf), the icons
# stay above it, and the user's background comes back after quit and stop;
# with caja started before the host and after it.
#   tests/host/sessions/mate-session.sh HOST ARTEFACT_DIR
source "$(dirname "$0")/session-lib.sh"
source "$(dirname "$0")/icon-desktop-lib.sh"
need Xvnc openbox caja dbus-daemon xprop xdotool import compare
[ -f /usr/share/dbus-1/services/ca.desrt.dconf.service ] || skip "dconf is not installed"
enter_namespaces mate
width=1280
height=800
shell_name=caja

start_shell() {
  start_user caja caja -n --force-desktop
  shell_pid=$started
}
stop_shell() {
  kill "$shell_pid"
  wait "$shell_pid" 2>/dev/null || true
}

step "starting Xvnc, the session bus and openbox"
start_user xserver Xvnc :0 -geometry ${width}x$height -depth 24 -SecurityTypes None -rfbport -1 -nolisten tcp
user_env+=(DISPLAY=:0 XDG_CURRENT_DESKTOP=MATE)
wait_for 20 as_user xprop -root || fail "the X server did not start"
start_bus ca.desrt.dconf
start_user openbox openbox
wait_for 20 eval 'as_user xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
  fail "openbox did not start"

icon_desktop_checks
echo "PASSED: mate"
