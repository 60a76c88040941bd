#!/usr/bin/env bash
# Two companions build the same user's show at once, many times over: one
# changes the duration and the colour, the other reorders the pictures; both
# apply. Every run must end in a whole show, the one the build that finished
# last wrote: each copy the page names is there, no temporary file is left in
# the copies, and the page and config.dat come from the same build.
#   tests/cli/two-builds-at-once.sh CLI SAMPLES_DIR
set -euo pipefail
cli=$1 samples=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
export XDG_CACHE_HOME=$work/home/.cache XDG_RUNTIME_DIR=$work/run QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME/Pictures" "$XDG_RUNTIME_DIR" "$work/in"
chmod 700 "$XDG_RUNTIME_DIR"
fail() { echo "FAILED: $*" >&2; exit 1; }

# Eight pictures, so that every build has real work.
n=0
for round in 1 2; do
  for f in "$samples"/*.jpg "$samples"/*.png; do
    n=$((n + 1))
    cp "$f" "$work/in/p$n.${f##*.}"
  done
done
run() { "$cli" --no-browser --work-area 0,0,800,600 --answer yes-to-all "$@"; }
run --add "$work/in"/* --apply >/dev/null 2>"$work/first.log" || fail "first build: $(cat "$work/first.log")"

page=$HOME/Pictures/Sorvane.html
config=$XDG_DATA_HOME/desktop-sorvane/config.dat
for i in 1 2 3 4 5 6 7 8; do
  run --duration $((i + 2)) --color $((i * 4000)) --apply >"$work/a.out" 2>"$work/a.err" &
  a=$!
  sleep "0.$((RANDOM % 4))"
  run --select 0 --move-down --select 2 --move-up --apply >"$work/b.out" 2>"$work/b.err" &
  b=$!
  wait $a || fail "run $i, the first companion: $(cat "$work/a.err")"
  wait $b || fail "run $i, the second companion: $(cat "$work/b.err")"
  [ ! -e "$HOME/Pictures/.Sorvane.new" ] || fail "run $i left the staging folder"
  ! ls -A "$HOME/Pictures/Sorvane" | grep -q '\.tmp$' || fail "run $i left a temporary file in the copies"
  names=$(sed -n 's/^Img\[[0-9]*\] = new ImageData("\([^"]*\)".*/\1/p' "$page")
  [ "$(echo "$names" | wc -l)" -eq 8 ] || fail "run $i: the page names $(echo "$names" | wc -l) copies"
  for name in $names; do
    [ -s "$HOME/Pictures/Sorvane/$name" ] || fail "run $i: the page names $name, which is not there"
  done
  # The page's duration and config.dat's are the same build's.
  duration=$(tr -d '\r' <"$config" | sed -n 2p)
  grep -q "$((duration * 1000))" "$page" || fail "run $i: config.dat's duration $duration is not the page's"
done
echo "PASSED: 8 pairs of builds at once, each ending in a whole show"
