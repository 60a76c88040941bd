#!/usr/bin/env bash
# The desktop host beside Xfce's xfdesktop, which draws wallpaper and icons
# in one window: the slide show goes through xfdesktop's own background
# (xfconf), the icons stay above it, and the user's background comes back
# after quit and stop; with xfdesktop started before the host and after it.
#   tests/host/sessions/xfce-session.sh HOST ARTEFACT_DIR
source "$(dirname "$0")/session-lib.sh"
source "$(dirname "$0")/icon-desktop-lib.sh"
need Xvnc xfwm4 xfdesktop dbus-daemon xprop xdotool import compare
# xfconfd starts on the session bus's demand.
[ -f /usr/share/dbus-1/services/org.xfce.Xfconf.service ] || skip "xfconf is not installed"
enter_namespaces xfce
width=1280
height=800
shell_name=xfdesktop

start_shell() {
  start_user xfdesktop xfdesktop --disable-wm-check
  shell_pid=$started
}
stop_shell() {
  kill "$shell_pid"
  wait "$shell_pid" 2>/dev/null || true
}

step "starting Xvnc, the session bus and xfwm4"
start_user xserver Xvnc :0 -geometry ${width}x$height -depth 24 -SecurityTypes None -rfbport -1 -nolisten tcp
user_env+=(DISPLAY=:0)
wait_for 20 as_user xprop -root || fail "the X server did not start"
start_bus org.xfce.Xfconf
start_user xfwm4 xfwm4 --compositor=off
wait_for 20 eval 'as_user xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
  fail "xfwm4 did not start"

icon_desktop_checks
echo "PASSED: xfce"
