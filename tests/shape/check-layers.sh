#!/usr/bin/env bash
# Fails on an include that points up the layers (see ARCHITECTURE.md), and on
# a Qt include in a folder that must build without Qt.
#   tests/shape/check-layers.sh [SOURCE_DIR]
set -euo pipefail
cd "${1:-$(dirname "$0")/../..}/src"

# What each folder may include besides itself. A program's main.cpp is the
# composition root: it alone may also name the platform it runs on.
declare -A allowed=(
  [platform]=""
  [platform/qt]="platform"
  [registry]="platform"
  [settings]="platform"
  [page]="settings platform"
  [pictures]="settings platform"
  [imaging]="settings platform/qt platform"
  [app]="pictures page imaging settings registry platform"
  [app/qt]="app pictures page imaging settings registry platform/qt platform"
  [cli]="app pictures page imaging settings registry platform/qt platform"
  [platform/linux]="registry platform/qt platform"
  [platform/windows]="registry platform"
  [host]="platform/linux registry platform/qt platform"
)
roots="platform/linux platform/windows"
# Folders that build without any toolkit.
toolkit_free="platform registry settings page pictures app"

failures=0
fail() { echo "$1" >&2; failures=$((failures + 1)); }

layer_of() {  # the folder a path or include names: two levels for the platform and the window
  case "$1" in
    platform/linux/* | platform/windows/* | platform/qt/* | app/qt/*) echo "${1%%/*}/$(cut -d/ -f2 <<<"$1")" ;;
    */*) echo "${1%%/*}" ;;
    *) echo "" ;;
  esac
}

while IFS= read -r file; do
  layer=$(layer_of "$file")
  [ -n "${allowed[$layer]+set}" ] || { fail "$file: folder $layer has no place in the layers"; continue; }
  may="$layer ${allowed[$layer]}"
  [ "$(basename "$file")" = main.cpp ] && may="$may $roots"
  while IFS= read -r line; do
    inc=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]([^>"]+)[>"].*/\1/' <<<"$line")
    if [[ "$line" =~ \<Q[A-Za-z]*[\>/] ]]; then
      for free in $toolkit_free; do
        [ "$layer" = "$free" ] && fail "$file: Qt in a toolkit-free folder: $inc"
      done
      continue
    fi
    [[ "$line" == *\"* && "$inc" == */* ]] || continue
    target=$(layer_of "$inc")
    [ -d "$target" ] || continue
    [[ " $may " == *" $target "* ]] || fail "$file: $layer may not include $inc"
  done < <(grep -E '^[[:space:]]*#[[:space:]]*include' "$file" || true)
done < <(find . \( -name '*.cpp' -o -name '*.h' \) -printf '%P\n' | sort)

if [ "$failures" -gt 0 ]; then
  echo "$failures include(s) break the layers" >&2
  exit 1
fi
echo "includes follow the layers"
