#!/usr/bin/env bash
# The two quick-start jobs:
#   scripts/quickstart.sh run    set up, build, and show the slide show
#   scripts/quickstart.sh test   set up, build, and pass the tests
set -euo pipefail
cd "$(dirname "$0")/.."
job="${1:-run}"
jobs=$(nproc 2>/dev/null || echo 2)

scripts/deps.sh "$job"

case "$job" in
  run)
    cmake --preset release >/dev/null
    cmake --build --preset release -j"$jobs"
    bin=build/release/src
    # First run: give the user the bundled sample pictures to start from.
    args=()
    if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then args+=(--work-area 0,0,1920,1080 --no-browser); fi
    "$bin/cli/desktop-sorvane-cli" "${args[@]}" --show >/tmp/sorvane-state.json
    if grep -q '"pictures":\[\]' /tmp/sorvane-state.json; then
      "$bin/cli/desktop-sorvane-cli" "${args[@]}" --answer no-to-all \
        --add resources/samples/*.* \
        --select 0 --transition "Circle Out" --select 1 --transition "Fade Overlap" \
        --select 2 --transition "Blinds Down" --select 3 --transition "Radial Wipe Clock" --apply
    fi
    if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -x "$bin/app/qt/desktop-sorvane" ]; then
      exec "$bin/app/qt/desktop-sorvane"
    fi
    "$bin/cli/desktop-sorvane-cli" "${args[@]}" --apply --show
    echo "The slide show page: $(xdg-user-dir PICTURES 2>/dev/null || echo "$HOME/Pictures")/Sorvane.html"
    ;;
  test)
    if [ -f tests/page/package-lock.json ]; then (cd tests/page && npm ci --no-audit --no-fund --silent); fi
    cmake --preset dev >/dev/null
    cmake --build --preset dev -j"$jobs"
    ctest --preset dev -j"$jobs"
    ;;
  *) echo "usage: $0 run|test" >&2; exit 2 ;;
esac
