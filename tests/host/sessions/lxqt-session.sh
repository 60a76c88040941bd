#!/usr/bin/env bash
# The desktop host beside LXQt's desktop, pcmanfm-qt --desktop, which draws
# wallpaper and icons in one window: the slide show goes through its own
# wallpaper setting, the icons stay above it, and the user's wallpaper comes
# back after quit and stop; with pcmanfm-qt started before the host and after.
#   tests/host/sessions/lxqt-session.sh HOST ARTEFACT_DIR
source "$(dirname "$0")/session-lib.sh"
source "$(dirname "$0")/icon-desktop-lib.sh"
need Xvnc openbox pcmanfm-qt dbus-daemon xprop xdotool import compare
wallpaper=/usr/share/lxqt/wallpapers/waves-logo.png
[ -f "$wallpaper" ] || skip "lxqt-themes is not installed (the user's wallpaper)"
enter_namespaces lxqt
width=1280
height=800
shell_name=pcmanfm-qt

# The user's own settings, as LXQt's first start leaves them: its wallpaper
# stretched, the icon theme from LXQt's settings.
user_settings() {
  mkdir -p "$work/home/.config/pcmanfm-qt/lxqt" "$work/home/.config/lxqt"
  printf '[General]\nicon_theme=breeze\n' >"$work/home/.config/lxqt/lxqt.conf"
  printf '[Desktop]\nDesktopShortcuts=Home, Trash\nWallpaperMode=stretch\nWallpaper=%s\nBgColor=#000000\nFgColor=#ffffff\nShadowColor=#000000\n' \
    "$wallpaper" >"$work/home/.config/pcmanfm-qt/lxqt/settings.conf"
  chown -R "$test_user:" "$work/home/.config"
}

start_shell() {
  start_user pcmanfm pcmanfm-qt --desktop --profile=lxqt
  shell_pid=$started
}
stop_shell() {
  kill "$shell_pid"
  wait "$shell_pid" 2>/dev/null || true
}

step "starting Xvnc, the session bus and openbox"
user_settings
start_user xserver Xvnc :0 -geometry ${width}x$height -depth 24 -SecurityTypes None -rfbport -1 -nolisten tcp
user_env+=(DISPLAY=:0 QT_QPA_PLATFORMTHEME=lxqt XDG_CURRENT_DESKTOP=LXQt)
wait_for 20 as_user xprop -root || fail "the X server did not start"
# shellcheck disable=SC2119  # no service: pcmanfm-qt needs only the bus
start_bus
start_user openbox openbox
wait_for 20 eval 'as_user xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
  fail "openbox did not start"

icon_desktop_checks
echo "PASSED: lxqt"
