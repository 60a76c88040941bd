#!/usr/bin/env bash
# The per-user Windows installer from a Windows build:
#   scripts/windows-installer.sh BUILD_DIR [OUT_DIR]
# Installs the build into BUILD_DIR/installer-stage and makes
# OUT_DIR/DesktopSorvane-<version>-setup.exe (OUT_DIR defaults to BUILD_DIR)
# with NSIS; prints the installer's path.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(cd "$1" && pwd)
out=$(mkdir -p "${2:-$build}" && cd "${2:-$build}" && pwd)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
stage="$build/installer-stage"
rm -rf "$stage"
cmake --install "$build" --prefix "$stage" --strip >/dev/null
setup="$out/DesktopSorvane-$version-setup.exe"
makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DOUTFILE="$setup" \
  resources/windows/installer.nsi >/dev/null
echo "$setup"
