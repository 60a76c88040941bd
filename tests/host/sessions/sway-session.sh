#!/usr/bin/env bash
# The desktop host in sway, headless: a wlr-layer-shell background surface per
# output, absent from sway's window tree, behind a floating window, following
# an output resize and a new output.
#   tests/host/sessions/sway-session.sh HOST ARTEFACT_DIR
source "$(dirname "$0")/session-lib.sh"
need sway swaymsg grim
enter_namespaces sway

shot() {  # shot NAME [OUTPUT]: a grim screenshot into $work/shots/NAME.png
  as_user grim ${2:+-o "$2"} "$work/shots/$1.png"
  echo "$work/shots/$1.png"
}
swaymsg() { as_user swaymsg "$@"; }
has_output() { swaymsg -t get_outputs | grep -q "\"$1\""; }

step "starting sway (headless, pixman)"
cat >"$work/sway.config" <<'CONF'
output HEADLESS-1 mode 1280x800 position 0 0
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

host_load
wait_for 30 page_on loaded 0 0 1280 800 ||
  fail "the page does not fill HEADLESS-1 (see $(keep loaded))"

host_reload 1280 800

step "the host's surface is not a window in sway's tree"
swaymsg -t get_tree >"$work/tree.json"
views=$(python3 - "$work/tree.json" <<'PY'
import json, sys
def walk(n):
    if n.get("pid"):
        yield "%s (pid %s)" % (n.get("name"), n["pid"])
    for c in n.get("nodes", []) + n.get("floating_nodes", []):
        yield from walk(c)
print(", ".join(walk(json.load(open(sys.argv[1])))))
PY
)
[ -z "$views" ] || fail "sway's tree holds windows with only the host running: $views"

step "a floating window above the desktop"
start_user plain python3 "$here/plain-window.py" sorvane-plain 400 300
wait_for 20 swaymsg "[title=sorvane-plain] focus" || fail "the window did not open"
read -r wx wy ww wh <<<"$(sway_rect sorvane-plain)"
echo "window at ${wx},${wy} ${ww}x${wh}"
wait_for 10 colour_on window $((wx + ww / 2)) $((wy + wh / 2)) $window_colour || true
page_around_window "$work/shots/window.png" "$wx" "$wy" "$ww" "$wh" 1280 800
keep window

step "an output resize is followed"
swaymsg output HEADLESS-1 mode 1024x768 >/dev/null || fail "sway refused the new mode"
wait_for 20 page_on resized 0 0 1024 768 HEADLESS-1 ||
  fail "the page does not follow HEADLESS-1 to 1024x768 (see $(keep resized))"
keep resized

step "a new output gets the page"
swaymsg create_output >/dev/null || fail "sway could not create an output"
wait_for 10 has_output HEADLESS-2 || fail "no HEADLESS-2"
swaymsg output HEADLESS-2 mode 800x600 >/dev/null
wait_for 30 page_on second 0 0 800 600 HEADLESS-2 ||
  fail "the page does not show on HEADLESS-2 (see $(keep second))"
keep second
echo "the host's processes with two outputs: $(ps -o comm= -s "$host_sid" | sort | uniq -c | xargs)"

host_quit 1024 768
swaymsg exit >/dev/null 2>&1 || true
echo "PASSED: sway"
