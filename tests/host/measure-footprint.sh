#!/usr/bin/env bash
# Memory and CPU of the desktop host showing a slide show, on Xvfb with openbox.
#   tests/host/measure-footprint.sh HOST_PROGRAM PAGE [SECONDS] [WIDTHxHEIGHT] [MONITORS]
# Prints RSS and PSS (summed over the host and its engine processes) and the
# CPU share used while the page runs. MONITORS (1 or 2) side by side, each
# WIDTHxHEIGHT. COVER=1: a full-screen window covers the desktop after the
# start-up, as a user's maximised work does. Nothing here asserts a number.
set -euo pipefail
host=$1 page=$2 seconds=${3:-60} size=${4:-1920x1080} monitors=${5:-1}
w=${size%x*} h=${size#*x}
for tool in Xvfb openbox; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed" >&2; exit 2; }
done

work=$(mktemp -d)
export XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/config HOME=$work
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
exec 3<> "$work/display"
Xvfb -displayfd 3 -screen 0 "$((w * monitors))x${h}x24" -nolisten tcp 2>/dev/null &
xvfb=$!
cleanup() { kill "$host_pid" "$openbox" "$xvfb" 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(head -1 "$work/display")
openbox 2>/dev/null &
openbox=$!
sleep 1
if [ "$monitors" -gt 1 ]; then  # RandR monitors over the one Xvfb screen
  out=$(xrandr | awk '/ connected/{print $1; exit}')
  for i in $(seq 0 $((monitors - 1))); do
    xrandr --setmonitor "M$i" "$w/300x$h/200+$((i * w))+0" "$([ "$i" = 0 ] && echo "$out" || echo none)"
  done
fi

# In the foreground, so that its process tree is the one measured.
"$host" --foreground load "$page" 2>/dev/null &
host_pid=$!

tree() {  # the host and every process below it
  local all=("$host_pid") queue=("$host_pid")
  while [ ${#queue[@]} -gt 0 ]; do
    local p=${queue[0]}; queue=("${queue[@]:1}")
    for c in $(cat /proc/"$p"/task/*/children 2>/dev/null); do all+=("$c"); queue+=("$c"); done
  done
  echo "${all[@]}"
}
ticks() { local t=0; for p in $(tree); do
  [ -r /proc/$p/stat ] && t=$((t + $(awk '{print $14 + $15}' /proc/$p/stat))); done; echo $t; }
memory() { local rss=0 pss=0; for p in $(tree); do
  read -r r s < <(awk '/^Rss:/{r=$2} /^Pss:/{s=$2} END{print r+0, s+0}' /proc/$p/smaps_rollup 2>/dev/null || echo "0 0")
  rss=$((rss + r)); pss=$((pss + s)); done; echo "$rss $pss"; }

sleep 15  # start-up and the first picture
if [ "${COVER:-0}" = 1 ]; then
  /usr/bin/python3 "$(dirname "$0")/sessions/plain-window.py" cover full 0 2>/dev/null &
  sleep 3
fi
hz=$(getconf CLK_TCK)
start=$(ticks); begin=$(date +%s.%N)
peak_rss=0 peak_pss=0 idle=0 busiest=0 last=$start
for _ in $(seq "$seconds"); do
  sleep 1
  now=$(ticks); used=$((now - last)); last=$now
  [ "$used" -eq 0 ] && idle=$((idle + 1))
  [ "$used" -gt "$busiest" ] && busiest=$used
  read -r rss pss < <(memory)
  [ "$rss" -gt "$peak_rss" ] && peak_rss=$rss
  [ "$pss" -gt "$peak_pss" ] && peak_pss=$pss
done
end=$(ticks); finish=$(date +%s.%N)
read -r rss pss < <(memory)
for p in $(tree); do  # each process: its kind and its own PSS
  kind=$(tr '\0' '\n' </proc/$p/cmdline | sed -n 's/^--type=//p' | head -1)
  echo "  pid $p ${kind:-host}: PSS $(awk '/^Pss:/{print int($2/1024)}' /proc/$p/smaps_rollup) MiB"
done
echo "${monitors} monitor(s) of ${size}$([ "${COVER:-0}" = 1 ] && echo ", covered by a window"); slides as the page says; measured ${seconds} s after 15 s start-up"
echo "RSS now $((rss / 1024)) MiB, peak $((peak_rss / 1024)) MiB"
echo "PSS now $((pss / 1024)) MiB, peak $((peak_pss / 1024)) MiB"
awk -v t=$((end - start)) -v hz="$hz" -v a="$begin" -v b="$finish" \
  'BEGIN { printf "CPU %.1f%% of one core on average (%.2f s in %.1f s)\n", 100 * t / hz / (b - a), t / hz, b - a }'
echo "seconds without any CPU use: $idle of $seconds; busiest second: $((100 * busiest / hz))% of one core"
