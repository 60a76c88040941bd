#!/usr/bin/env bash
# The real window on Xvfb with a private session bus and the accessibility
# bridge on: every control has a name and the right role (read through
# AT-SPI), and a dialog's title is exactly its own, with no program name.
#   tests/app/qt/window-accessibility.sh WINDOW_BINARY ARTEFACT_DIR
set -euo pipefail
window=$1 shots=$2
here=$(cd "$(dirname "$0")" && pwd)

# Under CI nothing the suite relies on may skip: what is missing fails the run.
skip() {
  if [ -n "${CI:-}" ] && [ "$CI" != false ]; then echo "FAILED (CI, nothing may skip): $*" >&2; exit 1; fi
  echo "SKIPPED: $*" >&2
  exit 77
}
fail() { echo "FAILED: $*" >&2; exit 1; }

[ -x "$window" ] || skip "the window was not built"
for tool in Xvfb dbus-run-session xdotool xprop import python3 timeout; do
  command -v "$tool" >/dev/null || skip "$tool is not installed"
done
# The distribution's Python carries its GObject bindings; another first on
# PATH may not.
py=python3
[ -x /usr/bin/python3 ] && py=/usr/bin/python3
"$py" -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null ||
  skip "python3's AT-SPI bindings (gir1.2-atspi-2.0) are not installed"

work=$(mktemp -d)
rm -rf "$shots"
mkdir -p "$shots"
export HOME=$work/home
export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share
export XDG_CACHE_HOME=$HOME/.cache XDG_STATE_HOME=$HOME/.local/state XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME/Pictures" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb LANG=C.UTF-8 LC_ALL=C.UTF-8 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
unset QT_QPA_PLATFORMTHEME QT_SCALE_FACTOR DBUS_SESSION_BUS_ADDRESS WAYLAND_DISPLAY SESSION_MANAGER

pids=()
cleanup() {
  local rc=$?
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  wait 2>/dev/null || true
  [ $rc -ne 0 ] && [ -f "$work/window.log" ] && sed 's/^/window: /' "$work/window.log" | tail -n 20 >&2
  rm -rf "$work"
  echo "screenshots: $shots"
}
trap cleanup EXIT

exec 3<>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 2>"$work/xvfb.log" &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=:$(head -n 1 "$work/display")

# The bus, the accessibility registry, the window and the reader share one
# private session: nothing of the machine's own session is read.
cat >"$work/session.sh" <<INNER
set -euo pipefail
"$window" >"$work/window.log" 2>&1 &
trap 'kill \$! 2>/dev/null || true' EXIT
timeout 120 "$py" "$here/window_accessibility.py" desktop-sorvane >"$work/tree.txt" 2>&1 || {
  cat "$work/tree.txt"; exit 1; }
cat "$work/tree.txt"
import -window root "$shots/window.png"
read -r _ x y < <(grep '^ADD_PICTURE ' "$work/tree.txt")
xdotool mousemove "\$x" "\$y" click 1
for _ in \$(seq 100); do
  id=\$(xdotool search --onlyvisible --name '^Add Picture' 2>/dev/null | head -n 1) && [ -n "\$id" ] && break
  sleep 0.1
done
[ -n "\${id:-}" ] || { echo "FAILED: the Add Picture dialog did not open"; exit 1; }
import -window root "$shots/add-picture.png"
title=\$(xprop -id "\$id" _NET_WM_NAME | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"\$/\1/p')
[ "\$title" = "Add Picture" ] || { echo "FAILED: the dialog's title is '\$title', not 'Add Picture'"; exit 1; }
echo "dialog title: \$title"
INNER
timeout 240 dbus-run-session -- bash "$work/session.sh" || fail "see above"
