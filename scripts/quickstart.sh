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
    # Build the page from what the user has; edits only last when applied, so
    # the samples are added and applied in one go.
    samples=()
    if grep -q '"pictures":\[\]' /tmp/sorvane-state.json; then
      samples=(--answer no-to-all --add resources/samples/*.jpg resources/samples/*.png
               --select 0 --transition "Circle Out" --select 1 --transition "Fade Overlap"
               --select 2 --transition "Blinds Down" --select 3 --transition "Radial Wipe Clock")
    fi
    "$bin/cli/desktop-sorvane-cli" "${args[@]}" "${samples[@]}" --apply --show >/tmp/sorvane-state.json
    if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -x "$bin/app/qt/desktop-sorvane" ]; then
      # Put the slide show on the desktop: Set Wallpaper starts the desktop
      # host with the page (a running one shows it) and waits until it shows.
      "$bin/cli/desktop-sorvane-cli" --set-wallpaper >/dev/null ||
        echo "The slide show is not on the desktop (see above); the window opens all the same." >&2
      exec "$bin/app/qt/desktop-sorvane"
    fi
    folder=$(sed -n 's/.*"pageFolder":"\([^"]*\)".*/\1/p' /tmp/sorvane-state.json)
    echo "The slide show page: $folder/Sorvane.html (open it in a browser, or run this on a desktop)"
    ;;
  test)
    if [ -f tests/page/package-lock.json ]; then (cd tests/page && npm ci --no-audit --no-fund --silent); fi
    cmake --preset dev >/dev/null
    cmake --build --preset dev -j"$jobs"
    ctest --preset dev -j"$jobs" --output-junit "$PWD/build/dev/junit.xml"
    ;;
  *) echo "usage: $0 run|test" >&2; exit 2 ;;
esac
