#!/bin/bash
# Times our picture preparation on the real-photo corpus against ImageMagick,
# GraphicsMagick and the libvips command line doing the same job (reduce to
# fit, centre on the background colour, quality 100), and against the floor
# (decode at the same DCT scale and encode the canvas, nothing else). Prints
# median wall and CPU seconds, ratios, peak RSS, the PSNR of our reductions against a
# Lanczos reduction of the full decode, and the PNG level table.
#
# The user's whole job through the companion at 1920x1080 (adding the corpus
# and applying) runs among them and is printed beside them; then an Apply after
# a duration-only edit and one after a colour change, with the time the driver
# spends preparing when nothing changed.
#
# Env: BUILD_DIR (default build/bench), BENCH_DRIVER, BENCH_CLI (prebuilt programs),
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
cli=${BENCH_CLI:-}
if [[ -z $driver || -z $cli ]]; then
  build=${BUILD_DIR:-$repo/build/bench}
  cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSORVANE_BUILD_TESTS=OFF \
    -DSORVANE_WITH_HOST=OFF >/dev/null
  cmake --build "$build" --target sorvane_prepare_bench desktop-sorvane-cli -j2 >/dev/null
  driver=${driver:-$build/bench/sorvane_prepare_bench}
  cli=${cli:-$build/src/cli/desktop-sorvane-cli}
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
now() { date +%s.%N; }
calc() { awk "BEGIN {print $*}"; }
median() { sort -g | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }

# Our preparation rewrites reduced stored copies, so each run starts from fresh ones.
fresh_store() { rm -rf "$work/store" "$work/out"; cp -r "$corpus" "$work/store"; chmod -R u+w "$work/store"; }

# Each measured process appends "user sys rss_kb" to $work/cpu.
timed() { /usr/bin/time -a -o "$work/cpu" -f "%U %S %M" "$@"; }

# The companion in a home of its own, so nothing of the real user's is touched.
job_env() {
  HOME=$work/job XDG_CONFIG_HOME=$work/job/.config XDG_DATA_HOME=$work/job/.local/share \
    XDG_CACHE_HOME=$work/job/.cache XDG_PICTURES_DIR=$work/job/Pictures QT_QPA_PLATFORM=offscreen "$@"
}

# One run of a tool over the corpus -> "wall_s cpu_s peak_rss_mb".
run_tool() {
  local tool=$1 w=$2 h=$3 start end f name
  [[ $tool == ours ]] && fresh_store
  rm -rf "$work/out"; mkdir -p "$work/out"; : >"$work/cpu"
  start=$(now)
  case $tool in
    ours) timed "$driver" prepare "$w" "$h" "$work/store" "$work/out" >/dev/null ;;
    job)  # the user's whole job: a fresh companion adds the corpus and applies
      rm -rf "$work/job"; mkdir -p "$work/job/Pictures" "$work/job/.config" "$work/job/.local/share"
      job_env timed "$cli" --work-area 0,0,$((w + 20)),$((h + 20)) --no-browser \
        --add "$corpus"/* --apply >"$work/job.log" 2>&1 ;;
    floor) timed "$driver" floor "$w" "$h" "$corpus" "$work/out" >/dev/null ;;
    *)
      for f in "$corpus"/*.{jpg,png,bmp}; do
        name=$(basename "$f")
        case $tool in
          imagemagick)
            timed convert "$f" -resize "${w}x${h}>" -background "$background" -gravity center \
              -extent "${w}x${h}" -quality 100 "$work/out/$name" 2>/dev/null ;;
          graphicsmagick)
            timed gm convert "$f" -resize "${w}x${h}>" -background "$background" -gravity center \
              -extent "${w}x${h}" -quality 100 "$work/out/$name" ;;
          vips)
            local opts=""; [[ $name == *.jpg ]] && opts="[Q=100]"
            timed vips thumbnail "$f" "$work/t.v" "$w" --height "$h" --size down
            # The background needs one value per band: grey, grey + alpha, RGB, RGBA.
            local bands; bands=$(vipsheader -f bands "$work/t.v")
            local bg=("102" "102 255" "$background_vips" "$background_vips 255")
            timed vips gravity "$work/t.v" "$work/out/$name$opts" centre "$w" "$h" \
              --extend background --background "${bg[$((bands - 1))]}" ;;
        esac
      done ;;
  esac
  end=$(now)
  awk -v wall="$(calc "$end - $start")" \
    '{cpu += $1 + $2; if ($3 > rss) rss = $3} END {printf "%.3f %.3f %.0f\n", wall, cpu, rss / 1024}' "$work/cpu"
}

echo "corpus: $corpus ($(ls "$corpus" | wc -l) pictures), $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
# Runs alternate between the tools, so a load change on a shared machine hits them alike.
declare -A walls cpus rsss
for t in $targets; do
  w=${t%x*}; h=${t#*x}
  for ((i = 0; i < runs; i++)); do
    tools="ours floor"
    [[ $t == 1900x1060 ]] && tools="$tools job"
    ((i < peer_runs)) && tools="$tools imagemagick graphicsmagick vips"
    for tool in $tools; do
      read -r wall cpu rss <<<"$(run_tool $tool "$w" "$h")"
      walls[$t,$tool]+="$wall "; cpus[$t,$tool]+="$cpu "
      [[ ${rsss[$t,$tool]:-0} -lt $rss ]] && rsss[$t,$tool]=$rss
    done
  done
done
med() { tr ' ' '\n' | grep . | median; }

# Peak RSS with the list three times longer: it should not grow.
rm -rf "$work/long" "$work/out"; mkdir -p "$work/long"
for copy in a b c; do for f in "$corpus"/*; do cp "$f" "$work/long/${copy}_$(basename "$f")"; done; done
chmod -R u+w "$work/long"
long=$("$driver" prepare 1900 1060 "$work/long" "$work/out")

printf '\n%-10s %-15s %9s %9s %9s %9s %8s\n' target tool wall_s x_ours cpu_s x_ours rss_MB
declare -A wall_m cpu_m
for t in $targets; do
  for tool in ours floor imagemagick graphicsmagick vips job; do
    [[ -n ${walls[$t,$tool]:-} ]] || continue
    wall_m[$t,$tool]=$(echo "${walls[$t,$tool]}" | med)
    cpu_m[$t,$tool]=$(echo "${cpus[$t,$tool]}" | med)
  done
  for tool in ours floor imagemagick graphicsmagick vips job; do
    [[ -n ${wall_m[$t,$tool]:-} ]] || continue
    printf '%-10s %-15s %9.2f %8.2fx %9.2f %8.2fx %8s\n' "$t" "$tool" "${wall_m[$t,$tool]}" \
      "$(calc "${wall_m[$t,$tool]} / ${wall_m[$t,ours]}")" "${cpu_m[$t,$tool]}" \
      "$(calc "${cpu_m[$t,$tool]} / ${cpu_m[$t,ours]}")" "${rsss[$t,$tool]}"
  done
done
# The whole job beside what the other tools take for the same pictures, in the
# same run: the goal is ImageMagick at 8 times the companion's add and first Apply.
if [[ -n ${walls[1900x1060,job]:-} ]]; then
  job_wall=$(echo "${walls[1900x1060,job]}" | med)
  echo
  echo "The user's whole job at 1920x1080 (pictures fit 1900x1060), beside the same pictures' reduce-and-centre"
  printf '%-40s %9s %10s\n' step wall_s x_job
  printf '%-40s %9.2f %9.2fx\n' "companion: add the corpus, first Apply" "$job_wall" 1
  for tool in imagemagick graphicsmagick vips floor ours; do
    printf '%-40s %9.2f %9.2fx\n' "$tool" "${wall_m[1900x1060,$tool]}" \
      "$(calc "${wall_m[1900x1060,$tool]} / $job_wall")"
  done
fi
printf '%-10s %-15s %9.2f %9s %9s %9s %8.0f\n' 1900x1060 "ours, 3x list" "$(echo "$long" | awk '{print $1}')" \
  "" "" "" "$(echo "$long" | awk '{print $2}')"
# The whole job, in a home of its own so nothing of the real user's is touched.
job_step() {  # label, companion actions -> one table row
  local label=$1 start end; shift
  : >"$work/cpu"
  start=$(now)
  job_env timed "$cli" --work-area 0,0,1920,1080 --no-browser "$@" >"$work/job.log" 2>&1 ||
    { echo "$label: the companion failed: $(tail -3 "$work/job.log")"; return; }
  end=$(now)
  awk -v label="$label" -v wall="$(calc "$end - $start")" -v floor="${wall_m[1900x1060,floor]}" \
    '{cpu += $1 + $2; if ($3 > rss) rss = $3}
     END {printf "%-32s %9.2f %9.2f %8.0f %9.2fx\n", label, wall, cpu, rss / 1024, wall / floor}' "$work/cpu"
}
rm -rf "$work/job"; mkdir -p "$work/job/Pictures" "$work/job/.config" "$work/job/.local/share"
echo
echo "The whole job with the companion at 1900x1060 ($(ls "$corpus" | wc -l) pictures; x_floor: wall / the floor's)"
printf '%-32s %9s %9s %8s %10s\n' step wall_s cpu_s rss_MB x_floor
job_step "add the corpus and apply" --add "$corpus"/* --apply
job_step "apply after a duration edit" --duration 6 --apply
job_step "apply after a colour change" --color 0x112233 --apply
# What an Apply that changes no picture spends preparing, apart from the
# companion's start-up and the page: every copy is kept.
rm -rf "$work/out" "$work/out.new"; fresh_store
read -r again_s _ kept <<<"$("$driver" again 1900 1060 "$work/store" "$work/out")"
printf 'preparation with nothing changed: %.3f s (%s copies kept)\n' "$again_s" "$kept"

# The desktop host showing that page (6 s slides) on a display of its own,
# when the host program and Xvfb are there: its memory (PSS) and CPU.
host=${BENCH_HOST:-${build:-$repo/build/bench}/src/host/desktop-sorvane-host}
if [[ -x $host ]] && command -v Xvfb >/dev/null && command -v openbox >/dev/null; then
  echo
  echo "The desktop host showing the page, 30 s"
  "$here/../tests/host/measure-footprint.sh" "$host" "$work/job/Pictures/Sorvane.html" 30 ||
    echo "the footprint could not be measured"
  echo "The same, with a window covering the whole desktop (nobody sees the page)"
  COVER=1 "$here/../tests/host/measure-footprint.sh" "$host" "$work/job/Pictures/Sorvane.html" 30 ||
    echo "the footprint could not be measured"
else
  echo "(no desktop host footprint: set BENCH_HOST to a built desktop-sorvane-host, with Xvfb and openbox installed)"
fi

echo
echo "PSNR of our reductions against Lanczos-3 of the full decode (reduced: as resampled; stored: after re-encoding)"
for t in $targets; do
  echo "$t: $("$driver" psnr "${t%x*}" "${t#*x}" "$corpus" | tail -1)"
done
echo
echo "PNG canvases at 1900x1060: encoding time and size by filter set and zlib level"
"$driver" pnglevels 1900 1060 "$corpus"

echo
echo "targets: imagemagick >= 8x the whole job, vips >= 5x ours, ours <= 1.25x floor, PSNR median >= 48 / min >= 45,"
echo "         peak RSS < 400 MB and flat with the 3x list"
for t in $targets; do
  printf '%s wall: imagemagick/ours %.1f, vips/ours %.1f, ours/floor %.2f\n' "$t" \
    "$(calc "${wall_m[$t,imagemagick]} / ${wall_m[$t,ours]}")" \
    "$(calc "${wall_m[$t,vips]} / ${wall_m[$t,ours]}")" \
    "$(calc "${wall_m[$t,ours]} / ${wall_m[$t,floor]}")"
  printf '%s cpu:  imagemagick/ours %.1f, vips/ours %.1f, ours/floor %.2f\n' "$t" \
    "$(calc "${cpu_m[$t,imagemagick]} / ${cpu_m[$t,ours]}")" \
    "$(calc "${cpu_m[$t,vips]} / ${cpu_m[$t,ours]}")" \
    "$(calc "${cpu_m[$t,ours]} / ${cpu_m[$t,floor]}")"
done
