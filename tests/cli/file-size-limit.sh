#!/usr/bin/env bash
# Under a file-size limit (ulimit -f) the companion fails with a message naming
# the cause, and ends normally: never killed by the limit's signal.
#   tests/cli/file-size-limit.sh CLI PICTURE
set -uo pipefail
cli=$1 picture=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
export XDG_CACHE_HOME=$work/home/.cache QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME/Pictures"
(ulimit -f 8 && exec "$cli" --no-browser --work-area 0,0,800,600 --add "$picture" --apply) \
  >"$work/out" 2>"$work/err"
rc=$?
[ "$rc" -eq 1 ] || { echo "FAILED: exit $rc, not 1: $(cat "$work/err")" >&2; exit 1; }
grep -q "File too large" "$work/err" || { echo "FAILED: no cause named: $(cat "$work/err")" >&2; exit 1; }
echo "PASSED: $(head -n 1 "$work/err")"
