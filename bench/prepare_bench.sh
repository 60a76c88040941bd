#!/bin/bash
# Times our picture preparation on the real-photo corpus against ImageMagick,
# GraphicsMagick and the libvips command line doing the same job (reduce to
# fit, centre on the background colour, quality 100), and against the floor
# (decode at the same DCT scale and encode the canvas, nothing else). Prints
# median seconds, ratios, peak RSS, the PSNR of our reductions against a
# Lanczos reduction of the full decode, and the PNG level table.
#
# Env: BUILD_DIR (default build/bench), BENCH_DRIVER (a prebuilt driver),
#      RUNS (ours and floor, default 3), PEER_RUNS (other tools, default 1),
#      TARGETS (default "1900x1060 1004x718").
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(dirname "$here")
shared=${SORVANE_SHARED_DIR:-$repo/../shared}
runs=${RUNS:-3}
peer_runs=${PEER_RUNS:-1}
targets=${TARGETS:-"1900x1060 1004x718"}
background='#336699'          # the driver's background colour
background_vips='51 102 153'

for tool in convert gm vips; do
  command -v $tool >/dev/null || { echo "missing $tool (imagemagick, graphicsmagick, libvips-tools)"; exit 1; }
done
corpus=$("$shared/corpus/build.sh" | tail -1)

driver=${BENCH_DRIVER:-}
if [[ -z $driver ]]; then
  build=${BUILD_DIR:-$repo/build/bench}
  cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSORVANE_BUILD_TESTS=OFF \
    -DSORVANE_WITH_HOST=OFF >/dev/null
  cmake --build "$build" --target sorvane_prepare_bench -j2 >/dev/null
  driver=$build/bench/sorvane_prepare_bench
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
now() { date +%s.%N; }
median() { sort -g | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }

# Our preparation rewrites reduced stored copies, so each run starts from fresh ones.
fresh_store() { rm -rf "$work/store" "$work/out"; cp -r "$corpus" "$work/store"; chmod -R u+w "$work/store"; }

run_ours() {  # mode W H -> "seconds rss_mb"
  local mode=$1 w=$2 h=$3
  fresh_store
  if [[ $mode == floor ]]; then "$driver" floor "$w" "$h" "$corpus" "$work/out"
  else "$driver" prepare "$w" "$h" "$work/store" "$work/out"; fi
}

run_peer() {  # tool W H -> "seconds rss_mb", one process per picture
  local tool=$1 w=$2 h=$3 start end f name
  rm -rf "$work/out"; mkdir -p "$work/out"; : >"$work/rss"
  start=$(now)
  for f in "$corpus"/*.{jpg,png,bmp}; do
    name=$(basename "$f")
    case $tool in
      imagemagick)
        /usr/bin/time -a -o "$work/rss" -f %M convert "$f" -resize "${w}x${h}>" -background "$background" \
          -gravity center -extent "${w}x${h}" -quality 100 "$work/out/$name" ;;
      graphicsmagick)
        /usr/bin/time -a -o "$work/rss" -f %M gm convert "$f" -resize "${w}x${h}>" -background "$background" \
          -gravity center -extent "${w}x${h}" -quality 100 "$work/out/$name" ;;
      vips)
        local opts=""; [[ $name == *.jpg ]] && opts="[Q=100]"
        /usr/bin/time -a -o "$work/rss" -f %M vips thumbnail "$f" "$work/t.v" "$w" --height "$h" --size down
        /usr/bin/time -a -o "$work/rss" -f %M vips gravity "$work/t.v" "$work/out/$name$opts" centre "$w" "$h" \
          --extend background --background "$background_vips" ;;
    esac
  done
  end=$(now)
  echo "$(echo "$end - $start" | bc -l) $(sort -n "$work/rss" | tail -1 | awk '{print $1/1024}')"
}

measure() {  # label count command... -> "median_seconds max_rss"
  local label=$1 count=$2; shift 2
  local times=() rss=0 line
  for ((i = 0; i < count; i++)); do
    line=$("$@")
    times+=("$(echo "$line" | awk '{print $1}')")
    rss=$(echo "$rss $(echo "$line" | awk '{print $2}')" | awk '{print ($2 > $1 ? $2 : $1)}')
  done
  echo "$(printf '%s\n' "${times[@]}" | median) $rss"
}

echo "corpus: $corpus ($(ls "$corpus" | wc -l) pictures), $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
declare -A result
for t in $targets; do
  w=${t%x*}; h=${t#*x}
  result[$t,ours]=$(measure ours "$runs" run_ours prepare "$w" "$h")
  result[$t,floor]=$(measure floor "$runs" run_ours floor "$w" "$h")
  for tool in imagemagick graphicsmagick vips; do
    result[$t,$tool]=$(measure $tool "$peer_runs" run_peer $tool "$w" "$h")
  done
done

# Peak RSS with the list three times longer: it should not grow.
rm -rf "$work/long" "$work/out"; mkdir -p "$work/long"
for copy in a b c; do for f in "$corpus"/*; do cp "$f" "$work/long/${copy}_$(basename "$f")"; done; done
chmod -R u+w "$work/long"
long=$("$driver" prepare 1900 1060 "$work/long" "$work/out")

printf '\n%-10s %-15s %10s %12s %12s\n' target tool median_s vs_ours peak_rss_MB
for t in $targets; do
  ours_s=$(echo "${result[$t,ours]}" | awk '{print $1}')
  for tool in ours floor imagemagick graphicsmagick vips; do
    read -r s rss <<<"${result[$t,$tool]}"
    printf '%-10s %-15s %10.2f %11.2fx %12.0f\n' "$t" "$tool" "$s" "$(echo "$s / $ours_s" | bc -l)" "$rss"
  done
done
printf '%-10s %-15s %10.2f %12s %12.0f\n' 1900x1060 "ours, 3x list" "$(echo "$long" | awk '{print $1}')" "" \
  "$(echo "$long" | awk '{print $2}')"

echo
echo "PSNR of our reductions against Lanczos-3 of the full decode (reduced: as resampled; stored: after re-encoding)"
for t in $targets; do
  echo "$t: $("$driver" psnr "${t%x*}" "${t#*x}" "$corpus" | tail -1)"
done
echo
echo "PNG canvases at 1900x1060: encoding time and size by filter set and zlib level"
"$driver" pnglevels 1900 1060 "$corpus"

echo
echo "targets: imagemagick >= 12x ours, vips >= 5x ours, ours <= 1.3x floor, PSNR median >= 48 / min >= 45,"
echo "         peak RSS < 400 MB and flat with the 3x list"
for t in $targets; do
  o=$(echo "${result[$t,ours]}" | awk '{print $1}')
  f=$(echo "${result[$t,floor]}" | awk '{print $1}')
  im=$(echo "${result[$t,imagemagick]}" | awk '{print $1}')
  vi=$(echo "${result[$t,vips]}" | awk '{print $1}')
  printf '%s: imagemagick/ours %.1f, vips/ours %.1f, ours/floor %.2f\n' "$t" \
    "$(echo "$im / $o" | bc -l)" "$(echo "$vi / $o" | bc -l)" "$(echo "$o / $f" | bc -l)"
done
