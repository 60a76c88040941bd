#!/usr/bin/env bash
# The desktop host in KDE Plasma (plasmashell in KWin, Wayland, two virtual
# outputs, with XWayland; or, as plasma-x11-session.sh, on X11: Xvnc with
# openbox, one screen): the page becomes the wallpaper of Plasma's folder
# view, under its icons and panel, through our wallpaper plugin; the user's
# own wallpaper (a plain colour here) comes back on quit, and on stop after the
# host crashed. Both start orders, plasmashell restarted under a running host,
# and a new activity (new desktops) while the page is shown. Plasma is driven
# and read through its scripting on D-Bus; screenshots come from KWin's
# ScreenShot2 (on X11 from the root window).
#   tests/host/sessions/plasma-session.sh HOST ARTEFACT_DIR
source "$(dirname "$0")/session-lib.sh"
plasma_on=${plasma_on:-wayland}
if [ "$plasma_on" = x11 ]; then
  need Xvnc openbox import xprop
  screens=1
else
  need kwin_wayland Xwayland
  screens=2
fi
need plasmashell dbus-daemon dbus-send compare
need_python dbus python3-dbus
kamd=$(compgen -G "/usr/lib/*/libexec/kactivitymanagerd" | head -n1) ||
  skip "kactivitymanagerd is not installed"
compgen -G "/usr/lib/*/qt5/qml/QtWebEngine/qmldir" >/dev/null ||
  skip "qml-module-qtwebengine is not installed"
enter_namespaces "${plasma_session:-plasma}"

width=1280
height=800
# The user's own wallpaper: Plasma's plain colour plugin, in a colour of theirs.
user_colour=204080
ours=org.example.desktopsorvane

shot() {  # shot NAME: the (first) screen into $work/shots/NAME.png
  if [ "$plasma_on" = x11 ]; then
    as_user import -window root "$work/shots/$1.png"
  else
    as_user python3 "$here/kwin-shot.py" "$work/shots/$1.png"
  fi
  echo "$work/shots/$1.png"
}
# Runs a script in plasmashell; prints what it print()s.
plasma_js() {
  as_user timeout 20 dbus-send --session --print-reply=literal --dest=org.kde.plasmashell \
    /PlasmaShell org.kde.PlasmaShell.evaluateScript string:"$1" | sed 's/^   //'
}
# "SCREEN PLUGIN" for each desktop containment.
desktops() { plasma_js 'for (const d of desktops()) print(d.screen + " " + d.wallpaperPlugin + "\n");'; }
plugin_is() { [ "$(desktops | awk '$1 == 0 { print $2 }')" = "$1" ]; }

plasma_starts=0
start_plasma() {
  plasma_starts=$((plasma_starts + 1))
  # No core file from a plasmashell that crashes on its way out.
  start_user plasma-$plasma_starts sh -c 'ulimit -c 0; exec plasmashell --no-respawn'
  plasma_pid=$started
  wait_for 60 eval 'desktops | grep -q "^0 "' || fail "plasmashell shows no desktop"
}
# stop_plasma quit|crash: ends plasmashell as a session's end does (it saves its
# settings; here it may hang or crash on the way out, so it is killed after a
# while), or as a crash does (the settings of its last seconds are lost).
stop_plasma() {
  if [ "$1" = quit ]; then
    as_user dbus-send --session --dest=org.kde.plasmashell /MainApplication \
      org.qtproject.Qt.QCoreApplication.quit || true
    wait_for 10 plasma_gone || true
  fi
  kill -KILL "$plasma_pid" 2>/dev/null || true
  wait_for 20 plasma_gone || fail "plasmashell does not end"
}
plasma_gone() { ! ps -p "$plasma_pid" >/dev/null; }

# The three file icons of ~/Desktop, as the folder view lays them out at this size.
icons=("+36+12" "+152+12" "+268+12")
# Fails unless every icon looks as in the shot of the shell alone.
icons_as_alone() {
  local png=$1 xy differ
  for xy in "${icons[@]}"; do
    differ=$(compare -metric AE -fuzz 10% "$work/shots/alone.png[44x56${xy}]" \
      "${png}[44x56${xy}]" null: 2>&1 || true)
    # The page shows through the folded corner and the edges: a few pixels.
    [ "${differ%%.*}" -le 200 ] || return 1
  done
}
# The panel along the bottom: Breeze's light grey, tinted by what lies below.
panel_there() {
  local p
  p=$(pixel "$1" $((width / 2)) $((height - 20)))
  for i in 0 2 4; do [ $((16#${p:i:2})) -ge 176 ] || return 1; done
}
panel_on() { panel_there "$(shot "$1")"; }
# The page under the icons and the panel: magenta around them, the marker above
# the panel, the icons and panel as without us.
page_under_icons() {
  local png
  png=$(shot "$1")
  near "$(pixel "$png" $((width / 2)) $((height / 2)))" "$page_colour" &&
    near "$(pixel "$png" 40 $((height - 80)))" "$page_colour" &&
    near "$(pixel "$png" 200 40)" "$page_colour" &&
    near "$(pixel "$png" $((width - 20)) $((height - 55)))" "$marker_colour" &&
    icons_as_alone "$png" && panel_there "$png"
}
user_wallpaper_back() {
  local png
  png=$(shot "$1")
  near "$(pixel "$png" $((width / 2)) $((height / 2)))" "$user_colour" &&
    icons_as_alone "$png" && plugin_is org.kde.color
}
# second_screen NAME COLOUR: a shot of both screens side by side; whether the
# middle of the second (Plasma's desktop without icons or panel) has COLOUR.
second_screen() {
  as_user python3 "$here/kwin-shot.py" "$work/shots/$1.png" workspace
  near "$(pixel "$work/shots/$1.png" $((width * 3 / 2)) $((height / 2)))" "$2"
}
# expect_second NAME COLOUR WHAT: fails with WHAT unless the second screen
# comes to show COLOUR (where there is a second screen).
expect_second() {
  [ "$screens" = 2 ] || return 0
  wait_for 20 second_screen "$1" "$2" || fail "$3 (see $(keep "$1"))"
}
host_status() { as_user "$host" status 2>&1; }
status_plugin() { [[ "$(host_status)" == *"screen 0: KDE Plasma's wallpaper plugin"* ]]; }
# The library's checks look 30 pixels above the bottom: above the panel here.
above_panel=$((height - 50))

user_env+=(DBUS_SESSION_BUS_ADDRESS="unix:path=$work/run/bus" XDG_CURRENT_DESKTOP=KDE
           KDE_FULL_SESSION=true)
start_user dbus dbus-daemon --session --nofork --address="unix:path=$work/run/bus"
wait_for 10 test -S "$work/run/bus" || fail "the session bus did not start"
if [ "$plasma_on" = x11 ]; then
  step "starting Xvnc with openbox, and Plasma's activity manager"
  start_user xserver Xvnc :0 -geometry ${width}x$height -depth 24 -SecurityTypes None -rfbport -1 -nolisten tcp
  user_env+=(DISPLAY=:0 QT_QPA_PLATFORM=xcb XDG_SESSION_TYPE=x11)
  wait_for 20 as_user xprop -root || fail "the X server did not start"
  start_user openbox openbox
else
  step "starting KWin (two virtual outputs, XWayland) and Plasma's activity manager"
  cp "$(PATH=$user_path command -v kwin_wayland)" "$work/kwin_wayland"
  user_env+=(KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1)
  start_user kwin "$work/kwin_wayland" --virtual --xwayland --socket wayland-0 \
    --width $width --height $height --output-count $screens
  user_env+=(WAYLAND_DISPLAY=wayland-0 QT_QPA_PLATFORM=wayland XDG_SESSION_TYPE=wayland)
  wait_for 30 as_user dbus-send --session --print-reply --dest=org.kde.KWin /org/kde/KWin/ScreenShot2 \
    org.freedesktop.DBus.Properties.Get string:org.kde.KWin.ScreenShot2 string:Version ||
    fail "KWin did not start"
  wait_for 20 test -S /tmp/.X11-unix/X0 || fail "KWin started no XWayland"
  user_env+=(DISPLAY=:0)
fi
# Activated by the bus it would lack the display; plasmashell needs it running.
start_user kactivitymanagerd "$kamd"

mkdir -p "$work/home/Desktop"
for name in one two three; do echo "$name" >"$work/home/Desktop/$name.txt"; done
chown -R "$test_user:" "$work/home/Desktop"

step "plasmashell first: its folder view with the icons of ~/Desktop, on the user's colour"
start_plasma
plasma_js "for (const d of desktops()) {
  if (d.type !== 'org.kde.plasma.folder') print('containment ' + d.type + '\n');
  d.wallpaperPlugin = 'org.kde.color';
  d.currentConfigGroup = ['Wallpaper', 'org.kde.color', 'General'];
  d.writeConfig('Color', '#$user_colour');
  d.reloadConfig();
}" | grep . && fail "the desktop is not Plasma's folder view"
wait_for 30 colour_on alone $((width / 2)) $((height / 2)) $user_colour ||
  fail "Plasma does not show the user's colour (see $(keep alone))"
wait_for 20 colour_on alone 45 30 f0f0f0 ||
  fail "the folder view shows no icons at their place (see $(keep alone))"
# The panel maps before it paints (black for a moment on a loaded machine).
wait_for 20 panel_on alone || fail "Plasma shows no panel (see $(keep alone))"
keep alone

host_load
wait_for 30 page_under_icons shown || fail "the page is not under Plasma's icons (see $(keep shown))"
keep shown
if [ "$screens" = 2 ]; then
  expect_second shown-both "$page_colour" "the page is not on the second screen"
  near "$(pixel "$work/shots/shown-both.png" $((2 * width - 20)) $((height - 20)))" "$marker_colour" ||
    fail "the page does not fit the second screen (see $(keep shown-both))"
  keep shown-both
fi
host_status
status_plugin || fail "status: $(host_status)"
grep -q " org.kde.color$" "$work/home/.local/state/desktop-sorvane/plasma-wallpapers" ||
  fail "the user's wallpaper plugin is not kept on disk"
# From the build tree the plugin is ours for this user only.
[ -f "$work/home/.local/share/plasma/wallpapers/$ours/metadata.json" ] ||
  fail "the wallpaper plugin was not copied for the user"
host_reload $width $above_panel

step "a new activity, with desktops of its own, gets the page too"
first=$(plasma_js 'print(currentActivity())')
sleep 3  # the host's own checks after the last load are over: only the new activity can call it
plasma_js 'setCurrentActivity(createActivity("Second"))' >/dev/null
wait_for 30 page_under_icons activity || fail "the page is not on the new activity's desktop (see $(keep activity))"
keep activity
plasma_js "setCurrentActivity('$first')" >/dev/null

host_quit $width $above_panel
wait_for 20 user_wallpaper_back quit-given-back ||
  fail "quit does not give back the user's colour (see $(keep quit-given-back))"
keep quit-given-back
expect_second quit-given-back-both "$user_colour" \
  "quit does not give back the user's colour on the second screen"

step "the host first, then plasmashell: the host's own surface gives way to Plasma's"
stop_plasma quit
host_load
wait_for 30 page_on bare 0 0 $width $height || fail "the page does not fill the bare screen (see $(keep bare))"
start_plasma
wait_for 60 page_under_icons plasma-later ||
  fail "the page is not under the icons of a plasmashell started later (see $(keep plasma-later))"
keep plasma-later

step "plasmashell crashed and started again under the running host"
stop_plasma crash
start_plasma
wait_for 60 page_under_icons restarted ||
  fail "the page is not under the icons of a restarted plasmashell (see $(keep restarted))"
keep restarted
expect_second restarted-both "$page_colour" "the page is not on the second screen after the restart"
plugin_is $ours || fail "Plasma's wallpaper is $(desktops)"
wait_for 10 status_plugin || fail "status after the restart: $(host_status)"

step "the host crashes; stop gives back the user's colour all the same"
pkill -KILL -s "$host_sid"
wait_for 15 host_gone || fail "the host's processes outlive SIGKILL"
plugin_is $ours || fail "Plasma's wallpaper is $(desktops) once the host is gone"
as_user timeout 30 "$host" stop >>"$work/load.log" 2>&1 || fail "'stop' failed: $(tail -n 3 "$work/load.log")"
wait_for 20 user_wallpaper_back end-given-back ||
  fail "stop does not give back the user's colour (see $(keep end-given-back))"
keep end-given-back
expect_second end-given-back-both "$user_colour" \
  "stop does not give back the user's colour on the second screen"
echo "PASSED: ${plasma_session:-plasma}"
