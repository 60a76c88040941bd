#!/usr/bin/env bash
# The desktop host in KWin (Wayland, virtual output, with XWayland): its
# surface in KWin's desktop layer, behind an ordinary window, the page shown
# around it. KWin's windows come from its scripting interface, screenshots
# from its ScreenShot2 interface.
#   tests/host/sessions/kwin-session.sh HOST ARTEFACT_DIR
source "$(dirname "$0")/session-lib.sh"
need kwin_wayland dbus-daemon dbus-send Xwayland
need_python dbus python3-dbus
enter_namespaces kwin

shot() {  # shot NAME: the screen into $work/shots/NAME.png
  as_user python3 "$here/kwin-shot.py" "$work/shots/$1.png"
  echo "$work/shots/$1.png"
}
kwin_call() {  # kwin_call PATH METHOD ARGS...: a call to KWin on the session bus
  as_user dbus-send --session --print-reply --dest=org.kde.KWin "$@"
}
# Runs JavaScript in KWin with its output tagged; prints that output. KWin's
# print() goes to its log.
scripts=0
kwin_script() {
  scripts=$((scripts + 1))
  local name=sorvane-$scripts
  { echo "const tag = '$name';"; cat; } >"$work/$name.js"
  chmod 644 "$work/$name.js"
  kwin_call /Scripting org.kde.kwin.Scripting.loadScript string:"$work/$name.js" string:"$name" >/dev/null
  kwin_call /Scripting org.kde.kwin.Scripting.start >/dev/null
  sleep 0.5
  kwin_call /Scripting org.kde.kwin.Scripting.unloadScript string:"$name" >/dev/null
  sed -n "s/^js: $name //p" "$work/kwin.log"
}
# KWin's windows, bottom first: "PID LAYER X Y WIDTH HEIGHT ACTIVE CAPTION".
# Layer 0 is KWin's desktop layer, 2 the normal one.
windows() {
  kwin_script <<'JS'
const list = workspace.clientList().slice().sort((a, b) => a.stackingOrder - b.stackingOrder);
for (const w of list)
  print(tag, w.pid, w.layer, w.x, w.y, w.width, w.height, w.active, w.caption);
JS
}
host_windows() {
  local pids
  pids=" $(pgrep -d' ' -s "$host_sid") "
  windows | while read -r pid rest; do
    [[ "$pids" == *" $pid "* ]] && echo "$pid $rest"
  done
  return 0
}

step "starting KWin (virtual output, XWayland)"
# The packaged binary carries a file capability that an unprivileged user in
# these namespaces may not take up; a plain copy runs.
cp "$(PATH=$user_path command -v kwin_wayland)" "$work/kwin_wayland"
user_env+=(DBUS_SESSION_BUS_ADDRESS="unix:path=$work/run/bus" KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1)
start_user dbus dbus-daemon --session --nofork --address="unix:path=$work/run/bus"
wait_for 10 test -S "$work/run/bus" || fail "the session bus did not start"
start_user kwin "$work/kwin_wayland" --virtual --xwayland --socket wayland-0 --width 1280 --height 800
user_env+=(WAYLAND_DISPLAY=wayland-0)
wait_for 30 kwin_call /org/kde/KWin/ScreenShot2 org.freedesktop.DBus.Properties.Get \
  string:org.kde.KWin.ScreenShot2 string:Version || fail "KWin did not start"
wait_for 20 test -S /tmp/.X11-unix/X0 || fail "KWin started no XWayland"
user_env+=(DISPLAY=:0)

host_load
wait_for 30 page_on loaded 0 0 1280 800 || fail "the page does not fill the screen (see $(keep loaded))"

step "the host's surfaces are in KWin's desktop layer"
mine=$(host_windows)
echo "$mine"
[ -n "$mine" ] || fail "KWin lists no window of the host: $(windows)"
while read -r _ layer x y w h _; do
  [ "$layer" = 0 ] || fail "a host surface is in KWin's layer $layer, not the desktop layer"
  [ "$x $y $w $h" = "0 0 1280 800" ] || fail "a host surface is at $x,$y ${w}x$h"
done <<<"$mine"

step "an ordinary window above it, after activating the desktop"
start_user plain python3 "$here/plain-window.py" sorvane-plain 400 300
wait_for 20 eval 'windows | grep -q " sorvane-plain$"' || fail "the window did not open"
kwin_script >/dev/null <<JS
for (const w of workspace.clientList()) if (w.pid == $(echo "$mine" | head -n1 | cut -d' ' -f1)) workspace.activeClient = w;
JS
read -r _ layer wx wy ww wh _ <<<"$(windows | grep ' sorvane-plain$')"
echo "window at ${wx},${wy} ${ww}x${wh}, layer $layer"
[ "$layer" = 2 ] || fail "the ordinary window is in KWin's layer $layer"
wait_for 10 colour_on window $((wx + ww / 2)) $((wy + wh / 2)) "$window_colour" || true
# Breeze's shadow reaches about 40 pixels beyond the frame.
page_around_window "$work/shots/window.png" "$wx" "$wy" "$ww" "$wh" 1280 800 64
keep window

host_quit 1280 800
[ -z "$(host_windows)" ] || fail "KWin still lists a host window after quit"
echo "PASSED: kwin"
