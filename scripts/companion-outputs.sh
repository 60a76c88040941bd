#!/usr/bin/env bash
# Runs one fixed companion session on the photo corpus in a fresh home and
# keeps what it wrote (the page, the prepared copies, the stored pictures and
# config.dat), so two builds can be compared byte for byte:
#   scripts/companion-outputs.sh CLI OUT_DIR [CORPUS_DIR]
#   diff -r OUT_A OUT_B
set -euo pipefail
cli=$(realpath "$1")
out=$2
repo=$(cd "$(dirname "$0")/.." && pwd)
shared=${SORVANE_SHARED_DIR:-$repo/../shared}
# The shared corpus script builds the photos once and prints where they are.
corpus=${3:-$("$shared/corpus/build.sh" | tail -1)}
[ -d "$corpus" ] || { echo "no corpus in $corpus ($shared/corpus/build.sh builds it)" >&2; exit 1; }

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share \
       XDG_CACHE_HOME=$home/.cache XDG_PICTURES_DIR=$home/Pictures
unset DISPLAY WAYLAND_DISPLAY
mkdir -p "$XDG_DATA_HOME/desktop-sorvane" "$home/Pictures" "$home/in"
# The same template for every build under comparison.
cp "$repo/resources/template.html" "$XDG_DATA_HOME/desktop-sorvane/template.html"
# A copy of the corpus, with a name that is not UTF-8 among them.
cp "$corpus"/*.jpg "$corpus"/*.png "$corpus"/*.bmp "$home/in/"
cp "$corpus/j21_dune.jpg" "$home/in/s$(printf '\xe9')a.jpg"

run() { "$cli" --work-area 0,0,1920,1080 --no-browser "$@" >/dev/null; }
# First session: every picture, one at a time and as a batch, then a build.
run --answer no-to-all --add "$home"/in/j*.jpg --add "$home/in/p01_kay.png" "$home/in/p06_sway.png" \
    --add "$home"/in/b0[1-4]*.bmp --select 0 --transition "Circle Out" --select 2,3 \
    --transition 7 --color 0xFF8040 --duration 4.5 --align left --apply
# Second session: more pictures (one already there), edits, another build.
run --answer yes --add "$home"/in/p0[2-5]*.png "$home/in/j21_dune.jpg" \
    --add "$home/in/s$(printf '\xe9')a.jpg" --select 1 --move-down --select 4 --remove \
    --align right --duration 3 --apply
# Third: reorder and the browser preview, closed with OK (builds once more).
run --select 0,1 --move-down --preview --align center --ok

rm -rf "$out"
mkdir -p "$out"
cp -a "$home/Pictures/." "$out/pictures/"
cp -a "$XDG_DATA_HOME/desktop-sorvane/." "$out/program/"
(cd "$out" && find . -type f | LC_ALL=C sort | xargs -d '\n' sha256sum) > "$out.sha256"
echo "$(wc -l <"$out.sha256") files in $out"
