#!/usr/bin/env bash
# The Windows cross-build and its tests under Wine:
#   scripts/windows-tests.sh [BUILD_DIR]        (default build/windows)
# Builds the standard-library core (settings, registry, page generator,
# platform interfaces, the form), picture imaging over the libraries
# scripts/windows-libs.sh cross-builds, the Windows platform layer and the
# native window (desktop-sorvane.exe) with MinGW-w64, then runs their tests from CTest
# under Wine, in a Wine prefix of our own (SORVANE_WINEPREFIX, default
# ~/.cache/desktop-sorvane/wine). The window's smoke test (label `window`)
# runs it in a Wine virtual desktop on Xvfb, in a prefix of its own.
set -euo pipefail
cd "$(dirname "$0")/.."
started=$(date +%s)
build="${1:-build/windows}"
jobs=$(nproc 2>/dev/null || echo 2)

scripts/deps.sh windows
# The picture libraries, cross-built once and cached.
libs=$(scripts/windows-libs.sh | tail -n1)

export WINEDEBUG=-all
export WINEARCH=win64
export WINEPREFIX="${SORVANE_WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/desktop-sorvane/wine}"

# The prefix is made once and kept. Windows need no display with the null
# graphics driver; Mono and Gecko are not wanted (and would ask to be fetched).
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "== preparing the Wine prefix $WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
  wineserver -w
fi

# One server for the whole run: started here with every output sent away, it
# holds no pipe of CTest's open (which would make CTest wait for it), and one
# first program brings the prefix's services up before the tests start.
wineserver -p >/dev/null 2>&1 </dev/null
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
wine cmd /c exit >/dev/null 2>&1

echo "== cross-build ($build)"
# pkg-config looks only in the libraries' prefix and MinGW's own folder, never
# at the Linux system's .pc files.
export PKG_CONFIG_LIBDIR="$libs/lib/pkgconfig:/usr/x86_64-w64-mingw32/lib/pkgconfig"
# pkg-config's answers stay in CMake's cache: a build folder configured over
# another prefix of the libraries (an earlier version's, since removed) is
# configured afresh.
fresh=()
[ "$(cat "$build/windows-libs.prefix" 2>/dev/null)" = "$libs" ] || fresh=(--fresh)
cmake "${fresh[@]}" -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-posix.cmake -DCMAKE_PREFIX_PATH="$libs" \
  -DSORVANE_WITH_QT=OFF -DSORVANE_WITH_HOST=OFF >/dev/null
echo "$libs" >"$build/windows-libs.prefix"
cmake --build "$build" -j"$jobs"

echo "== tests under Wine"
# The page's browser tests drive a Linux browser; they run in the Linux build.
ctest --test-dir "$build" -j"$jobs" --output-on-failure --label-exclude browser

echo "== portable zip and installer"
(cd "$build" && cpack >/dev/null && ls "$PWD"/DesktopSorvane-*-win64.zip)
scripts/windows-installer.sh "$build"

echo "== Windows build and tests: $(($(date +%s) - started)) s"
