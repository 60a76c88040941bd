#!/usr/bin/env bash
# The window's pages in one language on Xvfb, saved for a person to look at;
# fails when a caption is cut off.
#   tests/app/qt/window-in-language.sh WINDOW_SCREENSHOTS LANGUAGE ARTEFACT_DIR
set -euo pipefail
tool=$1 lang=$2 shots=$3
if ! command -v xvfb-run >/dev/null; then
  # Under CI nothing the suite relies on may skip.
  if [ -n "${CI:-}" ] && [ "$CI" != false ]; then echo "FAILED (CI): xvfb-run is missing" >&2; exit 1; fi
  echo "SKIPPED: xvfb-run is not installed" >&2
  exit 77
fi
mkdir -p "$shots"
unset LANGUAGE LC_ALL LC_MESSAGES QT_QPA_PLATFORMTHEME QT_SCALE_FACTOR
LANG=$lang.UTF-8 QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24" \
  "$tool" "$shots" "-$lang"
echo "screenshots: $shots/settings-$lang.png $shots/about-$lang.png"
