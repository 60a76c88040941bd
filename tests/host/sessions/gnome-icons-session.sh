#!/usr/bin/env bash
# The desktop host in GNOME Shell with the Desktop Icons NG extension, as after
# a login: the page must cover the background and leave the icons above it,
# clickable, with the desktop's menu, whether the extension ran first or came
# after the host. Clicks come from a virtual pointer made in the shell.
#   tests/host/sessions/gnome-icons-session.sh HOST ARTEFACT_DIR
source "$(dirname "$0")/session-lib.sh"
need gnome-shell gnome-extensions gjs dbus-daemon Xwayland
need_python dbus python3-dbus
ding=ding@rastersoft.com
[ -d "/usr/share/gnome-shell/extensions/$ding" ] ||
  skip "gnome-shell-extension-desktop-icons-ng is not installed"
enter_namespaces gnome-icons
source "$here/gnome-lib.sh"

step "a desktop folder with three items, the extension enabled before the shell starts"
mkdir -p "$work/home/Desktop/Projects"
echo notes >"$work/home/Desktop/Notes.txt"
echo plans >"$work/home/Desktop/Plans.txt"
chown -R "$test_user:" "$work/home/Desktop"
items=5  # with the home folder and the trash
# As after a login; the extension's process needs XDG_CURRENT_DESKTOP.
user_env+=(XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_TYPE=wayland)
start_buses
as_user gsettings set org.gnome.shell enabled-extensions "['$ding']"
start_gnome
panel=$(shell_eval 'Main.panel.height')

# The extension hides its window from get_window_actors(); list them all.
all_windows() {
  shell_eval 'global.display.sort_windows_by_stacking(global.display.list_all_windows()).map(w => [w.get_window_type(), w.get_layer(), w.get_title()].join(" "))'
}
# Its window's title starts with "@!" (flags for the extension).
icons_window() { all_windows | grep -q '^[0-9]* [0-9]* @!'; }
menu_open() { all_windows | grep -q '^9 '; }  # a window of type POPUP_MENU
# icons NAME: the icons over the page in a new shot, "X Y W H SAME" each, SAME
# measured against the shell alone.
icons() {
  python3 "$here/desktop-icons.py" "$(shot "$1")" "$panel" "$work/shots/alone.png"
}
icon_count() { [ "$(icons "$1" | wc -l)" = "$2" ]; }
# Waits until two shots in a row agree below the top bar (its clock moves on);
# keeps the last as NAME.
settled() {
  shot "$1" >/dev/null
  if [ -f "$work/shots/$1-before.png" ] && [ "$(differing "$1-before" "$1")" = 0 ]; then return 0; fi
  mv "$work/shots/$1.png" "$work/shots/$1-before.png"
  return 1
}
differing() {  # differing A B: how many pixels below the top bar differ
  compare -metric AE -fuzz 10% "$work/shots/$1.png[1280x$((800 - panel))+0+$panel]" \
    "$work/shots/$2.png[1280x$((800 - panel))+0+$panel]" null: 2>&1 || true
}
# pointer X Y BUTTON: a click (1 left, 3 right) from a virtual pointer.
pointer() {
  shell_eval "const {Clutter, GLib} = imports.gi;
    globalThis.sorvanePointer ??= Clutter.get_default_backend().get_default_seat()
      .create_virtual_device(Clutter.InputDeviceType.POINTER_DEVICE);
    const p = globalThis.sorvanePointer, t = GLib.get_monotonic_time();
    p.notify_absolute_motion(t, $1, $2);
    p.notify_button(t + 10000, $3, Clutter.ButtonState.PRESSED);
    p.notify_button(t + 20000, $3, Clutter.ButtonState.RELEASED); true" >/dev/null
}

page_with_icons() { page_on "$1" 0 "$panel" 1280 $((800 - panel)) && icon_count "$1" $items; }
icons_alike() { icons "$1" | cmp -s - "$2"; }
icons_changed() { ! icons_alike "$@"; }
menu_shown() { ! colour_on "$1" 700 420 "$page_colour"; }

# check_icons NAME: the page around the icons, each icon as on the shell alone.
check_icons() {
  wait_for 30 page_with_icons "$1" ||
    fail "not the page with $items icons above it: $(icons "$1" | xargs) (see $(keep "$1"))"
  keep "$1"
  icons "$1" >"$work/$1.icons"
  while read -r x y w h same; do
    [ "$same" -ge 60 ] ||
      fail "the icon at $x,$y ${w}x$h looks unlike the shell alone ($same% alike; see $(keep "$1"))"
  done <"$work/$1.icons"
}
# check_clicks NAME: a click selects the fourth icon (Notes.txt) and only it; a
# right click on the empty desktop opens the extension's menu, a click closes it,
# another on the empty desktop clears the selection.
check_clicks() {
  local x y w h
  read -r x y w h _ <<<"$(sed -n 4p "$work/$1.icons")"
  pointer $((x + w / 2)) $((y + h / 3)) 1
  wait_for 10 icons_changed "$1-clicked" "$work/$1.icons" ||
    fail "a click on the icon at $x,$y changes nothing (see $(keep "$1-clicked"))"
  keep "$1-clicked"
  icons "$1-clicked" >"$work/$1-clicked.icons"
  diff <(sed 4d "$work/$1.icons") <(sed 4d "$work/$1-clicked.icons") >/dev/null ||
    fail "a click on one icon changed others: $(diff "$work/$1.icons" "$work/$1-clicked.icons" | xargs)"
  read -r _ _ w2 h2 _ <<<"$(sed -n 4p "$work/$1-clicked.icons")"
  [ $((w2 * h2)) -gt $((w * h)) ] || fail "the clicked icon is not highlighted (see $(keep "$1-clicked"))"
  pointer 640 400 3
  wait_for 10 menu_open || fail "a right click on the desktop opens no menu (see $(keep "$1-menu"))"
  wait_for 10 menu_shown "$1-menu" ||
    fail "the desktop's menu is not shown (see $(keep "$1-menu"))"
  keep "$1-menu"
  pointer 1000 200 1
  wait_for 10 eval '! menu_open' || fail "the desktop's menu stays open"
  pointer 1000 200 1
  wait_for 10 icons_alike "$1-cleared" "$work/$1.icons" ||
    fail "a click on the empty desktop leaves the icon selected (see $(keep "$1-cleared"))"
}

step "the shell alone: its background and the icons"
wait_for 30 icons_window || fail "the extension opened no window: $(all_windows)"
wait_for 30 settled alone || fail "the desktop does not settle (see $(keep alone-before))"
keep alone

step "the extension first, then the host"
host_load
check_icons loaded
check_clicks loaded
echo "stack: $(all_windows | xargs -d'\n' printf '[%s] ')"

step "the host first, then the extension enabled"
as_user gnome-extensions disable "$ding"
wait_for 30 icon_count without 0 || fail "the icons stay after the extension is disabled (see $(keep without))"
page_on without 0 0 1280 800 || fail "the page does not fill the screen without the icons (see $(keep without))"
keep without
as_user gnome-extensions enable "$ding"
wait_for 30 icons_window || fail "the extension opened no window after it was enabled again"
check_icons enabled
cmp -s "$work/loaded.icons" "$work/enabled.icons" ||
  fail "the icons are not where they were: $(diff "$work/loaded.icons" "$work/enabled.icons" | xargs)"
check_clicks enabled

host_quit 1280 800
wait_for 10 settled quit || fail "the desktop does not settle after quit"
[ "$(differing alone quit)" = 0 ] ||
  fail "the shell's background and icons are not as before the host (see $(keep quit))"
keep quit
echo "PASSED: gnome-icons"
