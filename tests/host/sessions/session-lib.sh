# shellcheck shell=bash
# shellcheck disable=SC2034  # here, started: for the sourcing scripts
# Shared by the desktop-session tests. Each test runs a real display server or
# compositor with the desktop host in it, as an unprivileged test user, inside
# private PID, mount and network namespaces: every process it starts (the
# detached host too) ends with the test, and its /tmp (X sockets and locks,
# abstract sockets included) cannot meet another test's or a user's.
#   <session>.sh HOST ARTEFACT_DIR
# Exit 77 (skipped) when a program the session needs is missing or we are not
# root (root only sets up the namespaces and the test user); where CI is set
# the same is a failure (exit 1), since there nothing may skip.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
host=${1:?usage: $0 HOST ARTEFACT_DIR}
shots=${2:?usage: $0 HOST ARTEFACT_DIR}
test_user=sorvane-test
# The session's programs are the system's own (no local stand-ins for them).
user_path=/usr/bin:/bin
script_args=("$@")

skip() {
  if [ -n "${CI:-}" ]; then
    echo "FAILED (CI is set, so nothing may skip): $*" >&2
    exit 1
  fi
  echo "SKIPPED: $*" >&2
  exit 77
}
fail() {
  echo "FAILED: $*" >&2
  { shot failed >/dev/null && keep failed; } 2>/dev/null || true
  for log in "${work:-/nonexistent}"/*.log "${work:-/nonexistent}"/run/desktop-sorvane/*.log \
    "${work:-/nonexistent}"/home/.local/state/desktop-sorvane/*.log; do
    [ -f "$log" ] && { echo "--- $log (tail)" >&2; tail -n 25 "$log" >&2; }
  done
  exit 1
}
step() { echo "== $*"; }

need() {
  for tool in "$@"; do PATH=$user_path command -v "$tool" >/dev/null || skip "$tool is not installed"; done
}
need_python() {  # need_python MODULE PACKAGE
  PATH=$user_path python3 -c "import $1" 2>/dev/null || skip "$2 is not installed"
}

# enter_namespaces NAME: re-runs the calling script inside fresh namespaces
# (once), with a private /tmp, and prepares the test user's folders.
enter_namespaces() {
  session=$1
  [ -x "$host" ] || skip "no desktop host at $host"
  [ "$(id -u)" -eq 0 ] ||
    skip "needs root: it runs the session as the test user '$test_user' in private namespaces"
  need unshare setpriv python3 convert
  if [ -z "${SORVANE_SESSION_NS:-}" ]; then
    mkdir -p "$shots"
    rm -f "$shots/$session"-*.png
    SORVANE_SESSION_NS=1 exec unshare --pid --mount --net --fork --kill-child --mount-proc \
      bash "$0" "${script_args[@]}"
  fi
  # What lies in /tmp or below a closed folder (a 0700 home) is reached
  # through folders opened before the private /tmp hides them, and copied
  # where the test user can read it: the host, its Plasma plugin, our scripts.
  local sources
  sources=$(cd "$here/../../.." && pwd)
  exec {shots_fd}<"$shots" {host_fd}<"$host" {here_fd}<"$here" {plugin_fd}<"$sources/resources/plasma/wallpaper"
  local outside=/proc/$$/fd
  mount -t tmpfs -o mode=1777 tmpfs /tmp
  mkdir -m 1777 /tmp/.X11-unix
  ip link set lo up 2>/dev/null || true
  if ! id "$test_user" >/dev/null 2>&1; then
    useradd --system --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin "$test_user"
  fi
  work=$(mktemp -d)
  chmod 755 "$work"
  local plugin=$work/share/plasma/wallpapers/org.example.desktopsorvane
  mkdir -p "$work/home" "$work/run" "$work/shots" "$work/bin" "$work/scripts" "$plugin"
  cp "$outside/$host_fd" "$work/bin/desktop-sorvane-host"
  cp -r "$outside/$here_fd/." "$work/scripts"
  cp -r "$outside/$plugin_fd/." "$plugin"
  chmod -R a+rX "$work/bin" "$work/scripts" "$work/share"
  shots_named=$shots host=$work/bin/desktop-sorvane-host here=$work/scripts shots=$outside/$shots_fd
  chown -R "$test_user:" "$work/home" "$work/run" "$work/shots"
  chmod 700 "$work/run"
  user_env=(PATH="$user_path" LANG=C.UTF-8 HOME="$work/home"
            XDG_RUNTIME_DIR="$work/run" XDG_CONFIG_HOME="$work/home/.config"
            XDG_DATA_HOME="$work/home/.local/share" XDG_STATE_HOME="$work/home/.local/state"
            XDG_CACHE_HOME="$work/home/.cache")
  write_page
}

# Runs a command as the test user with the session's environment (user_env,
# which each session extends with its display variables).
as_user() {
  setpriv --reuid="$test_user" --regid="$test_user" --init-groups -- env -i "${user_env[@]}" "$@"
}

# Starts a command as the test user in the background; its output goes to
# $work/NAME.log. Sets $started to its pid (setpriv and env exec it in place).
start_user() {
  local name=$1
  shift
  setpriv --reuid="$test_user" --regid="$test_user" --init-groups -- env -i "${user_env[@]}" \
    "$@" >"$work/$name.log" 2>&1 &
  started=$!
}

# Waits up to SECONDS for a command to succeed.
wait_for() {
  local seconds=$1
  shift
  local end=$((SECONDS + seconds))
  until "$@" >/dev/null 2>&1; do
    [ "$SECONDS" -lt "$end" ] || return 1
    sleep 0.25
  done
}

# The test page: solid magenta, with a cyan marker square in the bottom right
# corner, so a screenshot shows the page itself, at the output's own size.
page_colour=ff00ff
marker_colour=00ffff
window_colour=00c000
write_page() {
  page=$work/page.html
  cat >"$page" <<'EOF'
<!DOCTYPE html>
<html><head><meta charset="utf-8"><style>
html, body { margin: 0; height: 100%; background: #ff00ff; overflow: hidden; }
#marker { position: fixed; right: 0; bottom: 0; width: 64px; height: 64px; background: #00ffff; }
</style></head><body><div id="marker"></div></body></html>
EOF
  chmod 644 "$page"
}

# The colour of one pixel of a PNG as rrggbb.
pixel() {
  convert "$1" -alpha off -format "%[hex:p{$2,$3}]" info: | tr 'A-F' 'a-f' | cut -c1-6
}

# Whether a pixel is within a small distance of a colour (screenshots may round).
near() {
  local got=$1 want=$2 i
  for i in 0 2 4; do
    local d=$((16#${got:i:2} - 16#${want:i:2}))
    [ "${d#-}" -le 24 ] || return 1
  done
}

# expect PNG X Y COLOUR WHAT: fails naming WHAT unless that pixel has COLOUR.
expect() {
  local got
  got=$(pixel "$1" "$2" "$3")
  near "$got" "$4" || fail "$5: pixel ($2,$3) of $(basename "$1") is #$got, not #$4"
}

# Whether the page, with its marker, fills the WIDTHxHEIGHT area at X,Y of a PNG
# (judged along the bottom edge, clear of windows and panels).
page_shown() {
  local png=$1 x=$2 y=$3 w=$4 h=$5
  near "$(pixel "$png" $((x + w - 20)) $((y + h - 20)))" "$marker_colour" &&
    near "$(pixel "$png" $((x + w - 100)) $((y + h - 20)))" "$page_colour" &&
    near "$(pixel "$png" $((x + w / 2)) $((y + h - 30)))" "$page_colour" &&
    near "$(pixel "$png" $((x + 40)) $((y + h - 40)))" "$page_colour"
}

# page_on NAME X Y WIDTH HEIGHT [OUTPUT]: takes screenshot NAME (of OUTPUT, where
# the session tells outputs apart) and checks that the page fills that area.
page_on() {
  page_shown "$(shot "$1" "${6:-}")" "$2" "$3" "$4" "$5"
}

# colour_on NAME X Y COLOUR: takes screenshot NAME and checks one pixel.
colour_on() {
  near "$(pixel "$(shot "$1")" "$2" "$3")" "$4"
}

# Fails unless the page shows around the window at X,Y (WIDTHxHEIGHT) on an
# output of OW x OH, and the window's own colour inside it. MARGIN leaves room
# for frames and shadows.
page_around_window() {
  local png=$1 x=$2 y=$3 w=$4 h=$5 ow=$6 oh=$7 margin=${8:-48}
  expect "$png" $((x + w / 2)) $((y + h / 2)) "$window_colour" "the window sits above the desktop"
  [ $((x - margin)) -ge 0 ] &&
    expect "$png" $((x - margin)) $((y + h / 2)) "$page_colour" "page left of the window"
  [ $((x + w + margin)) -lt "$ow" ] &&
    expect "$png" $((x + w + margin)) $((y + h / 2)) "$page_colour" "page right of the window"
  [ $((y + h + margin)) -lt "$oh" ] &&
    expect "$png" $((x + w / 2)) $((y + h + margin)) "$page_colour" "page below the window"
  return 0
}

# Keeps a screenshot as a test artefact: keep NAME copies $work/shots/NAME.png
# to ARTEFACT_DIR/SESSION-NAME.png.
keep() {
  cp "$work/shots/$1.png" "$shots/$session-$1.png"
  echo "screenshot: $shots_named/$session-$1.png"
}

# Starts the host on the test page and waits until `window` names a desktop.
host_load() {
  step "desktop-sorvane-host load (must return once the desktop exists)"
  local rc=0
  as_user timeout 60 "$host" load "$page" >"$work/load.log" 2>&1 || rc=$?
  [ "$rc" -eq 0 ] || fail "'load' exited with $rc: $(cat "$work/load.log")"
  local id
  id=$(as_user "$host" window 2>>"$work/load.log")
  { [ -n "$id" ] && [ "$id" != 0 ]; } || fail "'window' prints '$id' after a successful load"
  # The host detaches into its own session; its engine's processes share it.
  local own pid
  own=$(ps -o sid= -p $$ | tr -d ' ')
  host_sid=
  for pid in $(pgrep -f "$host"); do
    sid=$(ps -o sid= -p "$pid" | tr -d ' ') || continue
    [ "$sid" = "$own" ] || host_sid=$sid
  done
  [ -n "$host_sid" ] || fail "no host runs in a session of its own after load"
  echo "host window $id; its processes: $(pgrep -d' ' -s "$host_sid")"
}

# host_quit WIDTH HEIGHT: ends the host with `quit` and checks that it is gone,
# its processes and its page with it.
host_quit() {
  step "desktop-sorvane-host quit"
  as_user timeout 30 "$host" quit >>"$work/load.log" 2>&1 || fail "'quit' failed"
  wait_for 15 host_gone || fail "host processes remain after quit: $(pgrep -a -s "$host_sid")"
  local id
  id=$(as_user "$host" window 2>/dev/null || true)
  [ "$id" = 0 ] || fail "'window' prints '$id' after quit"
  wait_for 10 page_gone "$1" "$2" || fail "the page stays on screen after quit (see $(keep quit))"
}
host_gone() { ! pgrep -s "$host_sid" >/dev/null; }
page_gone() { ! near "$(pixel "$(shot quit)" $(($1 / 2)) $(($2 - 30)))" "$page_colour"; }

# host_reload WIDTH HEIGHT: checks that a running host shows another page when
# asked, that a page it cannot show changes nothing, and goes back.
host_reload() {
  step "load of another page, then of a missing one"
  sed 's/#ff00ff/#ffff00/' "$page" >"$work/yellow.html"
  chmod 644 "$work/yellow.html"
  as_user timeout 30 "$host" load "$work/yellow.html" >>"$work/load.log" 2>&1 ||
    fail "'load' of a second page failed"
  wait_for 20 colour_on reloaded $(($1 / 2)) $(($2 - 30)) ffff00 ||
    fail "the running host does not show the second page (see $(keep reloaded))"
  if as_user timeout 30 "$host" load "$work/missing.html" >>"$work/load.log" 2>&1; then
    fail "'load' of a missing page reports success"
  fi
  sleep 1  # time for a wrong page to show, were it going to
  colour_on missing $(($1 / 2)) $(($2 - 30)) ffff00 ||
    fail "'load' of a missing page changed the desktop (see $(keep missing))"
  as_user timeout 30 "$host" load "$page" >>"$work/load.log" 2>&1 || fail "'load' back failed"
  wait_for 20 colour_on back $(($1 / 2)) $(($2 - 30)) "$page_colour" ||
    fail "the host does not go back to the first page"
}

# sway_rect TITLE: "X Y WIDTH HEIGHT" of sway's window of that title (sway's
# tree through the session's `swaymsg`).
sway_rect() {
  swaymsg -t get_tree | python3 -c '
import json, sys
def walk(n):
    if n.get("name") == sys.argv[1]:
        r = n["rect"]; print(r["x"], r["y"], r["width"], r["height"])
    for c in n.get("nodes", []) + n.get("floating_nodes", []):
        walk(c)
walk(json.load(sys.stdin))' "$1"
}
