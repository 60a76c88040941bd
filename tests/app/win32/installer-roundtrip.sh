#!/usr/bin/env bash
# The installer's round trip under Wine:
#   installer-roundtrip.sh SOURCE_DIR BUILD_DIR
# Makes the installer from the build, installs it silently into a folder of
# its own, finds the program, its Start-menu entries and its uninstall entry,
# then uninstalls silently: only the user's pictures and config.dat are left.
# Skips (77) without NSIS or Wine, except under CI, where that fails.
set -euo pipefail
source_dir=$1 build=$2

for program in makensis wine; do
  if ! command -v "$program" >/dev/null; then
    echo "missing: $program"
    [ -n "${CI:-}" ] && exit 1
    exit 77
  fi
done
fail() { echo "FAIL: $*"; exit 1; }
export WINEDEBUG=-all

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
setup=$("$source_dir/scripts/windows-installer.sh" "$build" "$work")
dir="$work/installed"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\DesktopSorvane'
menu=$(winepath -u "$(wine cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')")"/Microsoft/Windows/Start Menu/Programs/Desktop Sorvane"

wine "$setup" /S /D="$(winepath -w "$dir")" >/dev/null 2>&1 || fail "the installer failed"
for file in desktop-sorvane.exe template.html LICENSE.txt samples/dusk.jpg Uninstall.exe; do
  [ -f "$dir/$file" ] || fail "not installed: $file"
done
[ -f "$menu/Desktop Sorvane.lnk" ] || fail "no Start-menu entry"
# A shortcut keeps its arguments in UTF-16.
tr -d '\0' <"$menu/Stop the Desktop Slide Show.lnk" 2>/dev/null | grep -aq -- --stop-desktop ||
  fail "no Start-menu entry that stops the desktop slide show"
wine reg query "$key" /v QuietUninstallString >/dev/null 2>&1 || fail "no uninstall entry"

# What the user made with the program: settings and stored pictures.
cp "$dir/samples/dusk.jpg" "$work/dusk.jpg"
mkdir -p "$dir/images" && cp "$work/dusk.jpg" "$dir/images/dusk.jpg"
echo "settings" >"$dir/config.dat"

# The uninstaller copies itself away and returns at once: wait for its work.
wine "$dir/Uninstall.exe" /S >/dev/null 2>&1 || fail "the uninstaller failed"
for _ in $(seq 60); do [ -e "$dir/Uninstall.exe" ] || break; sleep 1; done
left=$(cd "$dir" && find . -mindepth 1 | sort | tr '\n' ' ')
[ "$left" = "./config.dat ./images ./images/dusk.jpg " ] || fail "left after uninstalling: $left"
cmp -s "$work/dusk.jpg" "$dir/images/dusk.jpg" || fail "the user's picture was changed"
[ ! -e "$menu" ] || fail "the Start-menu entries stay"
wine reg query "$key" >/dev/null 2>&1 && fail "the uninstall entry stays"
echo "installer round trip passed"
