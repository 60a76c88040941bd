#!/usr/bin/env bash
# The desktop host in sway as after a login: swaybg drawing a blue background
# (started by sway from `output * bg`, as in the default config) and swaybar at
# the top, which reserves its space. The page must cover the background below
# the bar and leave the bar as it was, whichever of swaybg and the host came
# first, stay under a floating window, and give the background back on quit.
#   tests/host/sessions/swaybg-session.sh HOST ARTEFACT_DIR
source "$(dirname "$0")/session-lib.sh"
need sway swaymsg swaybg swaybar grim
enter_namespaces swaybg

shot() {  # shot NAME: a grim screenshot into $work/shots/NAME.png
  as_user grim "$work/shots/$1.png"
  echo "$work/shots/$1.png"
}
swaymsg() { as_user swaymsg "$@"; }
swaybg_pid() { pgrep -x swaybg; }
background=0000ff
bar_background=000000
width=1280
height=800

step "starting sway (headless, pixman) with swaybg and swaybar"
cat >"$work/sway.config" <<CONF
output HEADLESS-1 mode ${width}x$height position 0 0
output * bg #$background solid_color
bar {
  position top
  colors {
    background #$bar_background
  }
}
for_window [title="sorvane-plain"] floating enable
CONF
chmod 644 "$work/sway.config"
user_env+=(WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1)
start_user sway sway -c "$work/sway.config"
wait_for 20 compgen -G "$work/run/sway-ipc.*.sock" || fail "sway did not start"
sock=$(compgen -G "$work/run/sway-ipc.*.sock")
display=$(compgen -G "$work/run/wayland-*" | grep -v '\.lock$' | head -n1)
user_env+=(SWAYSOCK="$sock" WAYLAND_DISPLAY="$(basename "$display")")
wait_for 10 swaymsg -t get_outputs || fail "sway does not answer"
wait_for 20 swaybg_pid || fail "sway started no swaybg"
wait_for 20 pgrep -x swaybar || fail "sway started no swaybar"

# The bar's height: where the workspace (the area windows may use) begins.
bar_height() {
  swaymsg -t get_workspaces | python3 -c 'import json, sys; print(json.load(sys.stdin)[0]["rect"]["y"])'
}
bar_reserved() { [ "$(bar_height)" -gt 0 ]; }
wait_for 20 bar_reserved || fail "swaybar reserves no space"
bar=$(bar_height)
echo "swaybar: ${width}x$bar at the top"

shell_alone() {  # shell_alone NAME: blue below a drawn bar
  local png
  png=$(shot "$1")
  near "$(pixel "$png" $((width / 2)) $((height / 2)))" "$background" &&
    near "$(pixel "$png" $((width - 20)) $((height - 20)))" "$background" &&
    near "$(pixel "$png" $((width / 2)) $((bar / 2)))" "$bar_background"
}
# The bar's pixels, as in the shot of the shell alone (the workspace button,
# its label and the background alike).
bar_as_alone() {
  local diff
  diff=$(compare -metric AE -fuzz 10% "$work/shots/alone.png[${width}x$bar+0+0]" \
    "$work/shots/$1.png[${width}x$bar+0+0]" null: 2>&1) || true
  [ "$diff" = 0 ] || fail "the bar differs in $diff pixels from the shell alone (see $(keep "$1"))"
}
# page_below_bar NAME: the page fills the output below the bar, to its top edge.
page_below_bar() {
  page_on "$1" 0 "$bar" "$width" $((height - bar)) &&
    near "$(pixel "$work/shots/$1.png" $((width / 2)) $((bar + 4)))" "$page_colour"
}

# The host looks for wallpaper clients from time to time: its status tells
# once it has seen swaybg come or go (and shows the page again).
host_status() { as_user "$host" status 2>&1; }
host_sees() {  # host_sees yes|no: whether it has seen a wallpaper client
  local status
  status=$(host_status) || return 1
  case $1 in
    yes) [[ "$status" == *"with a wallpaper client"* ]] ;;
    no) [[ "$status" != *"wallpaper client"* ]] ;;
  esac && [[ "$status" == *"the page is seen"* ]]
}
# start_swaybg NAME: sway starts swaybg anew when the background is set again;
# its new surface must not cover the page.
start_swaybg() {
  swaymsg output '*' bg "#$background" solid_color >/dev/null || fail "sway refused the background"
  wait_for 20 swaybg_pid || fail "sway did not start swaybg again"
  wait_for 20 host_sees yes || fail "the host does not see swaybg: $(host_status)"
  wait_for 10 page_below_bar "$1" || fail "swaybg started after the host covers the page (see $(keep "$1"))"
  keep "$1"
  bar_as_alone "$1"
}
# restart_swaybg NAME: swaybg ends and starts again while the host runs.
restart_swaybg() {
  step "swaybg ends and starts again while the host runs"
  kill "$(swaybg_pid)"
  wait_for 10 eval '! swaybg_pid' || fail "swaybg did not end"
  wait_for 20 host_sees no || fail "the host still sees a wallpaper client: $(host_status)"
  wait_for 10 page_below_bar "$1-gone" || fail "the page went with swaybg (see $(keep "$1-gone"))"
  start_swaybg "$1"
}

wait_for 20 shell_alone alone || fail "swaybg's background and the bar are not shown (see $(keep alone))"
keep alone

step "swaybg first, then the host"
host_load
wait_for 20 host_sees yes || fail "the host does not see swaybg: $(host_status)"
host_status
wait_for 30 page_below_bar loaded ||
  fail "the page does not cover swaybg's background below the bar (see $(keep loaded))"
keep loaded
bar_as_alone loaded

step "a floating window above the page"
start_user plain python3 "$here/plain-window.py" sorvane-plain 400 300
plain_pid=$started
wait_for 20 swaymsg "[title=sorvane-plain] focus" || fail "the window did not open"
read -r wx wy ww wh <<<"$(sway_rect sorvane-plain)"
echo "window at ${wx},${wy} ${ww}x${wh}"
wait_for 10 colour_on window $((wx + ww / 2)) $((wy + wh / 2)) "$window_colour" || true
page_around_window "$work/shots/window.png" "$wx" "$wy" "$ww" "$wh" "$width" "$height"
keep window
bar_as_alone window
kill "$plain_pid"
restart_swaybg restarted-first

host_quit "$width" "$height"
wait_for 10 shell_alone quit || fail "swaybg's background does not come back after quit (see $(keep quit))"
keep quit

step "the host first, then swaybg"
kill "$(swaybg_pid)"
wait_for 10 eval '! swaybg_pid' || fail "swaybg did not end"
host_load
wait_for 20 host_sees no || fail "the host sees a wallpaper client where none runs: $(host_status)"
wait_for 30 page_below_bar alone-host || fail "the page is not shown without swaybg (see $(keep alone-host))"
start_swaybg restarted
restart_swaybg again

host_quit "$width" "$height"
wait_for 10 shell_alone quit || fail "swaybg's background does not come back after quit (see $(keep quit))"
swaymsg exit >/dev/null 2>&1 || true
echo "PASSED: swaybg"
